// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Issue 16: a species drawn with implicit hydrogens only (a skeleton, or a
// molecule read from a file without H atoms) must give the same enthalpy,
// entropy and symmetry number as the same species with its hydrogens drawn.

#include "chemistry/hydrogens.h"
#include "document/drawing.h"
#include "document/session.h"
#include "testing/thermo_species.h"
#include "thermo/partition_function.h"
#include "thermo/reaction.h"
#include "thermo/species.h"

#include <gtest/gtest.h>

#include <vector>

namespace molvane {
namespace {

/// H2 + C2H4 -> C2H6 from optimised species, with their hydrogens drawn or
/// taken away again (the heavy atoms stay where the optimisation left
/// them). Reoptimises each species when asked.
treactionvalues hydrogenation(bool skeletal, bool reoptimize,
                              std::vector<int>& sigmas) {
  session().newdrawing();
  std::vector<tStructure*> species{testing::addspecies("H2", -20.0),
                                   testing::addspecies("C2H4", -10.0)};
  tSymbol* arrow = testing::addarrow(0.0);
  species.push_back(testing::addspecies("C2H6", 10.0));
  tdrawing& drawing = *session().drawing();
  if (skeletal) {
    EXPECT_EQ(removehydrogens(drawing), 10);
  }
  for (tStructure* structure : species) {
    if (reoptimize) {
      toptimizersettings settings;
      settings.tolerance = 1.0;
      EXPECT_EQ(optimizespecies(*structure, settings), "");
    }
    sigmas.push_back(makethermo(*structure).symmetrynumber);
  }
  EXPECT_TRUE(balancereaction(drawing, *arrow, *species[0]));
  const int atoms = drawing.atoms.count();
  const treactionvalues values = reactionvalues(drawing, *arrow, 298.15, 1.0);
  // The thermochemistry works on copies: the drawing keeps its atoms.
  EXPECT_EQ(drawing.atoms.count(), atoms);
  return values;
}

TEST(ImplicitHydrogens, ReactionIsTheSameWithOrWithoutDrawnHydrogens) {
  tsessionguard guard;
  for (const bool reoptimize : {false, true}) {
    SCOPED_TRACE(reoptimize ? "reoptimised" : "as optimised");
    std::vector<int> drawnsigmas, skeletalsigmas;
    const treactionvalues drawn = hydrogenation(false, reoptimize, drawnsigmas);
    const treactionvalues skeletal =
        hydrogenation(true, reoptimize, skeletalsigmas);
    EXPECT_EQ(skeletalsigmas, drawnsigmas);
    EXPECT_EQ(skeletalsigmas, (std::vector<int>{2, 4, 6}));
    // cal/mol and cal/(mol K): a few tenths of a kcal against a ΔH of
    // about -33 kcal, and a small part of the R ln 2 a wrong σ would give.
    EXPECT_NEAR(skeletal.enthalpy, drawn.enthalpy, 300.0);
    EXPECT_NEAR(skeletal.entropy, drawn.entropy, 0.5);
    EXPECT_LT(skeletal.enthalpy, -0.75 * 32600.0);
    EXPECT_GT(skeletal.enthalpy, -1.25 * 32600.0);
  }
}

TEST(ImplicitHydrogens, LoneHeavyAtomsCountTheirHydrogens) {
  tsessionguard guard;
  const struct {
    const char* name;
    int hydrogens;
    int sigma;
  } cases[] = {{"CH4", 4, 12}, {"NH3", 3, 3}, {"H2O", 2, 2}};
  double x = 0.0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tStructure* drawn = testing::addspecies(c.name, x);
    const double drawnentropy = thermoentropy(*drawn, 298.15, 1.0);
    const double drawnenergy = speciesenergy(*drawn);
    EXPECT_EQ(removehydrogens(*session().drawing(), drawn), c.hydrogens);
    ASSERT_EQ(drawn->atoms.count(), 1);
    EXPECT_EQ(makethermo(*drawn).symmetrynumber, c.sigma);
    EXPECT_NEAR(thermoentropy(*drawn, 298.15, 1.0), drawnentropy, 0.5);
    EXPECT_NEAR(speciesenergy(*drawn), drawnenergy, 300.0);
    x += 10.0;
  }
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/reaction.h"

#include "document/drawing.h"
#include "document/session.h"
#include "testing/thermo_species.h"
#include "thermo/linear_system.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

/// A flat skeleton: elements in a row from x (pixels), bonds as atom,
/// atom, kind; hydrogens stay implicit.
tStructure* skeleton(tdrawing& drawing, std::vector<int> elements,
                     std::vector<int> bonds, double x) {
  auto structure = std::make_unique<tStructure>();
  std::vector<tatm*> atoms;
  for (const int element : elements) {
    atoms.push_back(structure->addatom(
        std::make_unique<tatm>(element, 0, x + 30.0 * atoms.size(), 0.0)));
  }
  for (std::size_t i = 0; i + 2 < bonds.size(); i += 3) {
    structure->addbond(std::make_unique<tbond>(
        atoms[static_cast<std::size_t>(bonds[i])], 0, tbondstyle::normal,
        bonds[i + 2], atoms[static_cast<std::size_t>(bonds[i + 1])]));
  }
  return drawing.mergestructure(std::move(structure));
}

struct tspecies {
  std::vector<int> elements;
  std::vector<int> bonds;
};

const tspecies hydrogen{{1, 1}, {0, 1, 2}}, ethene{{6, 6}, {0, 1, 4}},
    ethane{{6, 6}, {0, 1, 2}}, nitrogen{{7, 7}, {0, 1, 6}}, ammonia{{7}, {}},
    methane{{6}, {}}, oxygen{{8, 8}, {0, 1, 4}},
    carbondioxide{{8, 6, 8}, {0, 1, 4, 1, 2, 4}}, water{{8}, {}},
    chlorine{{17, 17}, {0, 1, 2}}, hydrogenchloride{{1, 17}, {0, 1, 2}};

/// Reactants left of an arrow at x = 0, products right of it.
std::vector<tStructure*> draw(tdrawing& drawing,
                              const std::vector<tspecies>& left,
                              const std::vector<tspecies>& right) {
  std::vector<tStructure*> made;
  double x = -100.0 * static_cast<double>(left.size());
  for (const tspecies& s : left) {
    made.push_back(skeleton(drawing, s.elements, s.bonds, x));
    x += 100.0;
  }
  testing::addarrow(0.0);
  x = 60.0;
  for (const tspecies& s : right) {
    made.push_back(skeleton(drawing, s.elements, s.bonds, x));
    x += 100.0;
  }
  return made;
}

TEST(Reaction, BalancesWithTheReferenceAtOne) {
  const struct {
    const char* name;
    std::vector<tspecies> left, right;
    int reference;
    std::vector<double> amounts;
  } cases[] = {
      {"hydrogenation, square", {hydrogen, ethene}, {ethane}, 0, {1, 1, 1}},
      {"ammonia", {nitrogen, hydrogen}, {ammonia}, 0, {1, 3, 2}},
      {"combustion",
       {methane, oxygen},
       {carbondioxide, water},
       0,
       {1, 2, 1, 2}},
      {"product as reference",
       {hydrogen, chlorine},
       {hydrogenchloride},
       2,
       {0.5, 0.5, 1}},
      {"more elements than species", {water}, {water}, 1, {1, 1}},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.name);
    tsessionguard guard;
    tdrawing& drawing = *session().drawing();
    const auto made = draw(drawing, each.left, each.right);
    const tSymbol& arrow = *reactionarrow(drawing);
    ASSERT_TRUE(balancereaction(drawing, arrow, *made[each.reference]));
    for (std::size_t i = 0; i < made.size(); ++i) {
      EXPECT_NEAR(made[i]->amount, each.amounts[i], 1e-9) << i;
    }
    EXPECT_TRUE(isbalanced(drawing, arrow));
    EXPECT_EQ(imbalancetext(drawing, arrow), "");
  }
}

TEST(Reaction, SingularSystemsLeaveTheAmounts) {
  tmatrix dependent(2, 2);
  dependent.at(0, 0) = 1;
  dependent.at(0, 1) = 2;
  dependent.at(1, 0) = 2;
  dependent.at(1, 1) = 4;
  EXPECT_FALSE(dependent.solve());
  EXPECT_TRUE(dependent.solution().empty());
  // Chlorine on both sides: its two amounts cannot be told apart.
  tsessionguard guard;
  tdrawing& drawing = *session().drawing();
  const auto made = draw(drawing, {hydrogen, chlorine}, {chlorine});
  for (tStructure* s : made) {
    s->amount = 7.0;
  }
  EXPECT_FALSE(balancereaction(drawing, *reactionarrow(drawing), *made[0]));
  for (tStructure* s : made) {
    EXPECT_EQ(s->amount, 7.0);
  }
}

TEST(Reaction, SidesSolventsAndImbalance) {
  tsessionguard guard;
  tdrawing& drawing = *session().drawing();
  const auto made = draw(drawing, {hydrogen, ethene}, {ethane});
  tSymbol& arrow = *reactionarrow(drawing);
  tStructure* solvent = skeleton(drawing, {8}, {}, -500.0);
  solvent->setphase(solventphase);
  solvent->amount = 0.0;
  ASSERT_TRUE(balancereaction(drawing, arrow, *made[0]));
  EXPECT_EQ(solvent->amount, 0.0);
  treactionspecies species = findspecies(drawing, arrow);
  EXPECT_EQ(species.reactants, (std::vector<tStructure*>{made[0], made[1]}));
  EXPECT_EQ(species.solvents, std::vector<tStructure*>{solvent});
  EXPECT_TRUE(isbalanced(drawing, arrow));
  // Hydrogen moved across the arrow becomes a product.
  made[0]->translate(400.0, 0.0, 0.0);
  EXPECT_FALSE(isreactant(*made[0], arrow));
  EXPECT_FALSE(isbalanced(drawing, arrow));
  EXPECT_EQ(imbalancetext(drawing, arrow), "4.0H ");
  made[2]->translate(-400.0, 0.0, 0.0);
  EXPECT_EQ(imbalancetext(drawing, arrow), "-8.0H -4.0C ");
  const treactionanalysis analysis = analysereaction(drawing, 298.0, 1.0);
  EXPECT_EQ(analysis.status, "Unbalanced");
  EXPECT_EQ(analysis.message, "-8.0H -4.0C ");
}

TEST(Reaction, HydrogenationIsExothermicAtAnyTemperature) {
  tsessionguard guard;
  tStructure* h2 = testing::addspecies("H2", -20.0);
  testing::addspecies("C2H4", -10.0);
  tSymbol* arrow = testing::addarrow(0.0);
  testing::addspecies("C2H6", 10.0);
  tdrawing& drawing = *session().drawing();
  ASSERT_TRUE(balancereaction(drawing, *arrow, *h2));
  const treactionvalues warm = reactionvalues(drawing, *arrow, 298.15, 1.0);
  EXPECT_LT(warm.enthalpy, -25000.0);
  EXPECT_LT(warm.entropy, -20.0);
  EXPECT_NEAR(warm.freeenergy, warm.enthalpy - 298.15 * warm.entropy, 1e-6);
  const treactionvalues cold = reactionvalues(drawing, *arrow, 0.0, 1.0);
  EXPECT_TRUE(std::isfinite(cold.logk));
  EXPECT_EQ(cold.freeenergy, cold.enthalpy);
  // A solvent adds nothing.
  tStructure* solvent = testing::addspecies("H2O", -30.0);
  solvent->setphase(solventphase);
  solvent->amount = 0.0;
  const treactionvalues again = reactionvalues(drawing, *arrow, 298.15, 1.0);
  EXPECT_DOUBLE_EQ(again.enthalpy, warm.enthalpy);
  EXPECT_DOUBLE_EQ(again.entropy, warm.entropy);
  EXPECT_TRUE(isbalanced(drawing, *arrow));
}

TEST(Reaction, ClassificationAndTexts) {
  const struct {
    double enthalpy, freeenergy;
    const char* text;
  } cases[] = {
      {5, 5, "Endothermic, Non-Spontaneous"},
      {-5, 5, "Exothermic, Non-spontaneous"},
      {5, -5, "Endothermic, Spontaneous"},
      {-5, -5, "Exothermic, Spontaneous"},
      {5, 0.005, "Equilibrium"},
      {0.005, 5, nullptr},
  };
  for (const auto& each : cases) {
    const auto text = classifyreaction(each.enthalpy, each.freeenergy);
    EXPECT_EQ(text.has_value(), each.text != nullptr);
    if (each.text != nullptr && text) {
      EXPECT_EQ(*text, each.text);
    }
  }
  const treactionvalues values{-32708.0, -30.1234, -23734.6, 17.3456};
  const treactionlabels labels = formatreaction(values, 298.0, 1.0);
  EXPECT_EQ(labels.pressure, " 1.0");
  EXPECT_EQ(labels.temperature, " 298");
  EXPECT_EQ(labels.enthalpy, "     -32.7");
  EXPECT_EQ(labels.entropy, "    -30.12");
  EXPECT_EQ(labels.logk, "      17.3");
  const treactionlabels small = formatreaction({-50.0, 150.0, 0, 1.0}, 0, 0.5);
  EXPECT_EQ(small.enthalpy, "     -0.05");
  EXPECT_EQ(small.entropy, "    150.00");
  const auto lines = reportlines(values, 298.0, 1.0);
  EXPECT_EQ(lines[0], "P= 1.0atm    T= 298 K");
  EXPECT_EQ(lines[1], "dG= -23.7 LogK=17.407");
  EXPECT_EQ(lines[2], "dH= -32.7 dS=-30.12cal/K");
  EXPECT_EQ(reportindenttext(values), "dG =  -23.7 Kcal");
}

TEST(Reaction, OpeningChecks) {
  tsessionguard guard;
  tdrawing& drawing = *session().drawing();
  EXPECT_EQ(checkreaction(drawing), treactioncheck::nostructures);
  tStructure* first = skeleton(drawing, {6, 6}, {0, 1, 2}, -100.0);
  EXPECT_EQ(checkreaction(drawing), treactioncheck::noarrow);
  testing::addarrow(0.0);
  EXPECT_EQ(checkreaction(drawing), treactioncheck::ready);
  auto sharing = std::make_unique<tStructure>();
  sharing->atoms.add(first->atoms.items(0));
  drawing.mergestructure(std::move(sharing));
  EXPECT_EQ(checkreaction(drawing), treactioncheck::improper);
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A species of the reaction tool is worked out in a drawing of its own: its
// lengths follow that drawing's bond length, never the session's setting.

#include "thermo/species.h"

#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/bond.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace molvane {
namespace {

/// The carbon skeleton of ethane, one bond length of drawing long.
tStructure* ethane(tdrawing& drawing) {
  const double length = drawing.geometry().bondlength;
  tatm* a = drawing.addatom(std::make_unique<tatm>(6, 0, 100.0, 100.0, 0.0));
  tatm* b =
      drawing.addatom(std::make_unique<tatm>(6, 0, 100.0 + length, 100.0, 0.0));
  tbond* bond =
      drawing.addbond(std::make_unique<tbond>(a, 0, tbondstyle::normal, 2, b));
  auto structure = std::make_unique<tStructure>();
  structure->atoms.add(a);
  structure->atoms.add(b);
  structure->bonds.add(bond);
  return drawing.mergestructure(std::move(structure));
}

TEST(ReactionSpecies, KeepTheirOwnBondLengthWhateverTheSessionSays) {
  tsessionguard guard;
  session().settings.bondlength = 20;
  tsettings own;
  own.bondlength = 45;
  tdrawing drawing(own);
  const tStructure& structure = *ethane(drawing);

  tspeciescopy copy = copyspecies(structure);
  EXPECT_EQ(copy.drawing->geometry().bondlength, 45);
  ASSERT_EQ(copy.drawing->atoms.count(), 8);
  ASSERT_EQ(copy.atoms.size(), 2U);
  EXPECT_NEAR(copy.atoms[0]->angstromdistance(*copy.atoms[1]), 1.53, 0.01);
  for (const tatm* atom : copy.drawing->atoms) {
    if (atom->element != 1) {
      continue;
    }
    double nearest = std::numeric_limits<double>::infinity();
    for (const tatm* carbon : copy.atoms) {
      nearest = std::min(nearest, atom->angstromdistance(*carbon));
    }
    EXPECT_GT(nearest, 0.95);
    EXPECT_LT(nearest, 1.25);
  }

  // The same molecule drawn at the session's bond length has the same
  // energy (cal/mol).
  tdrawing reference(session().settings);
  EXPECT_NEAR(speciesenergy(structure), speciesenergy(*ethane(reference)), 5.0);
}

}  // namespace
}  // namespace molvane

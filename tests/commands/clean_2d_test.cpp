// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/clean_2d.h"

#include "document/drawing.h"
#include "document/session.h"
#include "io/smiles_format.h"
#include "testing/smiles_drawing.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace molvane {
namespace {

class Clean2D : public testing::tdrawingtest {};

TEST_F(Clean2D, EvensOutAMessyDrawingAndKeepsItsStereo) {
  for (const char* smiles :
       {"N[C@@H](C)C(=O)O", "C/C=C/C(=O)O", "C[C@H]1CC[C@@H](O)CC1"}) {
    SCOPED_TRACE(smiles);
    const std::unique_ptr<tdrawing> read = testing::fromsmiles(smiles);
    ASSERT_NE(read, nullptr);
    tdrawing& d = *read;
    std::string error;
    const std::string before = writesmiles(d, error);
    // Push every atom a little off its place, as a hand drawing would be.
    int k = 0;
    for (tatm* atom : d.atoms) {
      atom->x += 4.0 * std::sin(++k * 1.7);
      atom->y += 4.0 * std::cos(k * 2.3);
    }
    ASSERT_EQ(clean2d(d), "");
    const double length = session().settings.bondlength;
    for (const tbond* bond : d.bonds) {
      EXPECT_NEAR(std::hypot(bond->atom1->x - bond->atom2->x,
                             bond->atom1->y - bond->atom2->y),
                  length, 0.1 * length);
    }
    EXPECT_EQ(writesmiles(d, error), before);
  }
}

TEST_F(Clean2D, AnEmptyDrawingSaysSoAndIsLeftAlone) {
  testing::trecordingmessages& messages = recordmessages();
  EXPECT_FALSE(clean2dcommand());
  EXPECT_EQ(messages.errors, std::vector<std::string>{"No Atoms"});
}

}  // namespace
}  // namespace molvane

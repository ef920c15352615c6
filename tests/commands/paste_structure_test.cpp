// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/paste_structure.h"

#include "io/clipboard_payload.h"
#include "io/mdl_format.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace molvane {
namespace {

class PasteStructure : public testing::tdrawingtest {};

TEST_F(PasteStructure, MergesBesideTheDrawingWithAnUndoCopy) {
  tatm* a = atom(6, 0, 0);
  bond(a, atom(8, 30, 0));
  const std::vector<std::uint8_t> molfile = writemolfile(drawing());
  drawing().saved = true;
  ASSERT_TRUE(pastestructure(plaintextmimetype, testing::textof(molfile)));
  EXPECT_EQ(drawing().atoms.count(), 4);
  EXPECT_EQ(drawing().bonds.count(), 2);
  EXPECT_FALSE(drawing().saved);
  EXPECT_EQ(session().undodrawing()->atoms.count(), 2);
  // Pasted to the right of what was there.
  EXPECT_GE(drawing().atoms.items(2)->x, 30.0);
}

// Issue 30: a second paste of the same text looked bonded to the first.
TEST_F(PasteStructure, EveryPasteStandsClearOfWhatIsDrawn) {
  ASSERT_TRUE(pastestructure(plaintextmimetype, "CCO"));
  ASSERT_TRUE(pastestructure(plaintextmimetype, "CCO"));
  ASSERT_EQ(drawing().atoms.count(), 6);
  const double bond = session().settings.bondlength;
  for (int i = 0; i < 3; ++i) {
    for (int j = 3; j < 6; ++j) {
      const tatm* a = drawing().atoms.items(i);
      const tatm* b = drawing().atoms.items(j);
      EXPECT_GT(std::hypot(a->x - b->x, a->y - b->y), 1.4 * bond) << i << j;
    }
  }
}

TEST_F(PasteStructure, SmilesTravelsBothWays) {
  // A SMILES pasted as plain text is laid out; copying it gives it back.
  ASSERT_TRUE(pastestructure(plaintextmimetype, "C[C@@H](O)C(=O)O lactic"));
  EXPECT_EQ(drawing().atoms.count(), 6);
  EXPECT_EQ(writeclipboardchemistry(drawing()).smiles, "C[C@@H](O)C(=O)O");
}

TEST_F(PasteStructure, GarbageChangesNothingAndSaysWhy) {
  atom(6, 0, 0);
  testing::trecordingmessages& messages = recordmessages();
  // A CML text without a molecule reads, but holds no atoms.
  EXPECT_FALSE(pastestructure(cmlmimetype, "<cml></cml>"));
  EXPECT_FALSE(pastestructure("text/plain", "Dear colleague,\nsee below"));
  EXPECT_EQ(drawing().atoms.count(), 1);
  ASSERT_EQ(messages.errors.size(), 2U);
  EXPECT_EQ(messages.errors[1],
            "Paste: the clipboard holds no molfile, CML or SMILES text to "
            "paste");
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/undo_item.h"

#include "commands/key_edits.h"
#include "model/atom.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

class UndoItem : public testing::tdrawingtest {
 protected:
  int element() const { return drawing().atoms.first()->element; }
};

// A key edit right after Open could not be undone.
TEST_F(UndoItem, EveryEditIsOneStepAfterOpenNewOrUndo) {
  tundoitem item;
  atom(6, 10, 10);
  // As after Open: both copies equal the drawing.
  session().resetsnapshots();
  notereplaced(item);
  chooseundo(item);
  EXPECT_FALSE(item.enabled);
  EXPECT_STREQ(item.caption(), "Undo");

  ASSERT_TRUE(runkeyedit('N', 10, 10));
  noteedit(item);
  chooseundo(item);
  EXPECT_EQ(element(), 6);
  EXPECT_STREQ(item.caption(), "Redo");

  // An edit after Undo is taken back next; the old redo copy, which
  // predates it, must not replace it.
  ASSERT_TRUE(runkeyedit('O', 10, 10));
  noteedit(item);
  chooseundo(item);
  chooseundo(item);
  EXPECT_EQ(element(), 8);
}

}  // namespace
}  // namespace molvane

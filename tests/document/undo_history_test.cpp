// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/undo_history.h"

#include "document/drawing.h"
#include "model/atom.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace molvane {
namespace {

/// A drawing of count lone carbons, told apart by their count.
std::unique_ptr<tdrawing> carbons(int count) {
  auto drawing = std::make_unique<tdrawing>();
  for (int i = 0; i < count; ++i) {
    drawing->addatom(std::make_unique<tatm>(6, 0, 30.0 * i, 0.0));
  }
  return drawing;
}

TEST(UndoHistory, WalksBackAndForthAndANewEditDropsTheRedoSteps) {
  tundohistory history;
  EXPECT_FALSE(history.canundo());
  EXPECT_EQ(history.undo(carbons(0)), nullptr);
  for (int i = 0; i < 3; ++i) {
    history.record(carbons(i), "Step " + std::to_string(i));
  }
  std::unique_ptr<tdrawing> current = carbons(3);
  EXPECT_EQ(history.undocaption(), "Step 2");
  current = history.undo(std::move(current));
  current = history.undo(std::move(current));
  EXPECT_EQ(current->atoms.count(), 1);
  EXPECT_EQ(history.redocaption(), "Step 1");
  current = history.redo(std::move(current));
  EXPECT_EQ(current->atoms.count(), 2);
  EXPECT_EQ(history.redocaption(), "Step 2");
  history.record(std::move(current), "Other");
  EXPECT_FALSE(history.canredo());
  EXPECT_EQ(history.undocount(), 3U);
  EXPECT_EQ(history.undocaption(), "Other");
  history.clear();
  EXPECT_FALSE(history.canundo());
}

TEST(UndoHistory, KeepsTheNewestStepsWithinStepsAndBytes) {
  tundohistory history;
  history.setlimits({3, tundolimits{}.bytes});
  for (int i = 0; i < 6; ++i) {
    history.record(carbons(i), std::to_string(i));
  }
  EXPECT_EQ(history.undocount(), 3U);
  std::unique_ptr<tdrawing> current = carbons(6);
  for (int expected : {5, 4, 3}) {
    current = history.undo(std::move(current));
    EXPECT_EQ(current->atoms.count(), expected);
  }
  EXPECT_FALSE(history.canundo());
  EXPECT_EQ(history.redocount(), 3U);

  // Room for about four drawings of 40 atoms: the bytes decide.
  const std::size_t one = drawingfootprint(*carbons(40));
  tundohistory small;
  small.setlimits({50, 4 * one + one / 2});
  for (int i = 0; i < 20; ++i) {
    small.record(carbons(40), "");
    EXPECT_LE(small.bytes(), small.limits().bytes);
  }
  EXPECT_EQ(small.undocount(), 4U);
  // Undo moves the drawing shown into the history; the limit still holds.
  current = small.undo(carbons(40));
  EXPECT_LE(small.bytes(), small.limits().bytes);
}

TEST(UndoHistory, TheNewestStepStaysWhateverItsSize) {
  tundohistory history;
  history.setlimits({0, 1});
  EXPECT_EQ(history.limits().steps, 1U);
  history.record(carbons(5), "Big");
  history.record(carbons(6), "Bigger");
  EXPECT_EQ(history.undocount(), 1U);
  EXPECT_EQ(history.undocaption(), "Bigger");
  std::unique_ptr<tdrawing> current = history.undo(carbons(7));
  EXPECT_EQ(current->atoms.count(), 6);
  // The redo step alone is kept now.
  EXPECT_TRUE(history.canredo());
  EXPECT_GT(drawingfootprint(*carbons(10)), drawingfootprint(*carbons(5)));
}

}  // namespace
}  // namespace molvane

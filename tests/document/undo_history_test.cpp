// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/undo_history.h"

#include "document/drawing.h"
#include "io/native_format.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/sample_drawing.h"
#include "testing/zigzag_chain.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

/// A drawing of count lone carbons, told apart by their count; a shift
/// moves every one, so that two drawings have no atom in common.
std::unique_ptr<tdrawing> carbons(int count, double shift = 0.0) {
  auto drawing = std::make_unique<tdrawing>();
  for (int i = 0; i < count; ++i) {
    drawing->addatom(std::make_unique<tatm>(6, 0, 30.0 * i + shift, 0.0));
  }
  return drawing;
}

/// A small edit of the kind i picks: a move, a new element, a removed atom
/// (the atoms after it shift down one place) or a new one.
void smalledit(tdrawing& drawing, int i) {
  tatm* atom = drawing.atoms.items((i * 397) % drawing.atoms.count());
  switch (i % 4) {
    case 0:
      atom->setxyz(atom->x + 3.0, atom->y, atom->z);
      break;
    case 1:
      atom->changeelement(7, 0);
      break;
    case 2:
      drawing.removeatom(atom);
      break;
    default:
      drawing.addatom(std::make_unique<tatm>(8, 0, atom->x, atom->y + 40.0));
  }
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

  // Room for about four drawings of 40 atoms that share nothing: the bytes
  // decide.
  const std::size_t one = drawingfootprint(*carbons(40));
  tundohistory small;
  small.setlimits({50, 4 * one + one / 2});
  for (int i = 0; i < 20; ++i) {
    small.record(carbons(40, i), "");
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

// Fifty small edits of a long chain keep a few copies' worth, not fifty,
// and every step comes back as it was saved.
TEST(UndoHistory, SmallEditsOfALargeDrawingShareTheirParts) {
  tundohistory history;
  std::unique_ptr<tdrawing> current = testing::zigzagchain(1000);
  const std::size_t one = drawingfootprint(*current);
  std::vector<std::vector<std::uint8_t>> states{writenative(*current)};
  for (int i = 0; i < 50; ++i) {
    history.record(current->clonedrawing(), "");
    smalledit(*current, i);
    states.push_back(writenative(*current));
  }
  ASSERT_EQ(history.undocount(), 50U);
  EXPECT_LT(history.bytes(), 5 * one);
  for (int i = 49; i >= 0; --i) {
    current = history.undo(std::move(current));
    ASSERT_EQ(writenative(*current), states[static_cast<std::size_t>(i)]) << i;
  }
  for (int i = 1; i <= 50; ++i) {
    current = history.redo(std::move(current));
    ASSERT_EQ(writenative(*current), states[static_cast<std::size_t>(i)]) << i;
  }
  EXPECT_LT(history.bytes(), 5 * one);
  // What the history counts as it goes is what it holds.
  history.clear();
  EXPECT_EQ(history.bytes(), 0U);
}

// A drawing of every kind of object comes back from a snapshot as it went
// in, also when its parts are shared with a neighbour that differs and
// when two of its atoms are alike in every field.
TEST(UndoHistory, ASnapshotRestoresEveryKindOfObject) {
  tdrawing drawing;
  testing::buildsampledrawing(drawing);
  drawing.atoms.items(0)->setmassnumber(13);
  drawing.atoms.items(1)->stereomark = tstereomark::stated;
  drawing.bonds.items(0)->stereomark = tstereomark::stated;
  for (int twin = 0; twin < 2; ++twin) {
    drawing.addatom(std::make_unique<tLAtm>("twin", 40.0, 40.0));
  }
  const std::vector<std::uint8_t> original = writenative(drawing);

  tpartpool pool;
  tdrawingsnapshot first(drawing, nullptr, pool);
  const std::size_t alone = pool.bytes();
  // The neighbour lost its first atom: every part sits one place further.
  drawing.removeatom(drawing.atoms.first());
  tdrawingsnapshot second(drawing, &first, pool);
  EXPECT_LT(pool.bytes(), alone + alone / 4);

  EXPECT_EQ(writenative(*first.restore()), original);
  std::unique_ptr<tdrawing> restored = second.restore();
  EXPECT_EQ(writenative(*restored), writenative(drawing));
  EXPECT_EQ(restored->atoms.count(), drawing.atoms.count());
  EXPECT_EQ(restored->labelatoms.count(), drawing.labelatoms.count());
  EXPECT_EQ(restored->symbols.count(), 1);
  EXPECT_EQ(restored->structures.count(), 1);
}

}  // namespace
}  // namespace molvane

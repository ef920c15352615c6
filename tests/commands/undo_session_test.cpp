// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/command_names.h"
#include "commands/command_table.h"
#include "commands/dispatcher.h"
#include "commands/editor_commands.h"
#include "commands/editor_step.h"
#include "commands/hydrogen_commands.h"
#include "commands/key_edits.h"
#include "commands/paste_structure.h"
#include "commands/undo_item.h"
#include "io/clipboard_payload.h"
#include "io/native_format.h"
#include "mechanics/optimizer.h"
#include "model/atom.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace molvane {
namespace {

class UndoSession : public testing::tdrawingtest {
 protected:
  /// The native document of the drawing as the next edit's snapshot keeps
  /// it: every snapshot clears the selection first.
  std::vector<std::uint8_t> saved() const {
    drawing().selectall(false);
    return writenative(drawing());
  }
  int ringcode(int size) const {
    for (const tcommandrow& row : commandrows(tcommandfamily::addring)) {
      if (row.parameter == size) {
        return row.code;
      }
    }
    return 0;
  }
  /// One edit of the kind index picks, as the window makes it; returns the
  /// name Undo should show.
  std::string edit(int index) {
    const double x = 60.0 + 90.0 * (index % 7);
    const double y = 60.0 + 90.0 * (index / 7);
    switch (index % 6) {
      case 0: {
        const int code = ringcode(5 + index % 3);
        runcommand(x, y, code, state_);
        return commandname(code);
      }
      case 1: {
        const tatm* last = drawing().atoms.last();
        runkeyedit('N', last->sx, last->sy);
        return "Key N";
      }
      case 2: {
        // An editor session: two changes, one step.
        teditorstep step("Atom Editor");
        tatm& atom = *drawing().atoms.first();
        step.beforechange();
        applyatomtag(atom, raisechargetag);
        step.beforechange();
        applyatomtag(atom, addneutrontag);
        return "Atom Editor";
      }
      case 3:
        runhydrogencommand(thydrogencommand::add3d);
        return "Add Hs 3D";
      case 4: {
        session().takeundosnapshot("Optimize");
        toptimizer optimizer(drawing());
        optimizer.settings.maxseconds = 0.05;
        static_cast<void>(optimizer.runoptimizer(toptimizermethod::normal));
        return "Optimize";
      }
      default:
        pastestructure(plaintextmimetype, "CC(=O)O");
        return "Paste";
    }
  }

  tcommandstate state_;
};

TEST_F(UndoSession, FiftyMixedStepsWalkBackAndForthByteForByte) {
  std::vector<std::vector<std::uint8_t>> states{saved()};
  std::vector<std::string> names;
  for (int i = 0; i < 50; ++i) {
    names.push_back(edit(i));
    EXPECT_EQ(undoitems().undotext, "Undo " + names.back());
    states.push_back(saved());
  }
  ASSERT_EQ(session().history().undocount(), 50U);
  for (int i = 49; i >= 0; --i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(undoitems().undotext, "Undo " + names[i]);
    chooseundo();
    EXPECT_EQ(saved(), states[i]);
    EXPECT_EQ(undoitems().redotext, "Redo " + names[i]);
  }
  EXPECT_FALSE(undoitems().canundo);
  for (int i = 0; i < 50; ++i) {
    SCOPED_TRACE(i);
    chooseredo();
    EXPECT_EQ(saved(), states[i + 1]);
  }
  EXPECT_FALSE(undoitems().canredo);
  // Back two, then a new edit: the two redo steps are gone.
  chooseundo();
  chooseundo();
  edit(0);
  EXPECT_FALSE(undoitems().canredo);
  chooseundo();
  EXPECT_EQ(saved(), states[48]);
}

TEST_F(UndoSession, ALongSessionStaysWithinTheMemoryLimit) {
  pastestructure(plaintextmimetype, "CC1=CC(=O)c2ccccc2C1=O");
  const std::size_t one = drawingfootprint(drawing());
  const std::size_t limit = 5 * one + one / 2;
  session().setundolimits({50, limit});
  std::vector<std::vector<std::uint8_t>> states{saved()};
  for (int i = 0; i < 30; ++i) {
    edit(1 + i % 2);
    EXPECT_LE(session().history().bytes(), limit);
    states.push_back(saved());
  }
  // Five whole copies fit; the steps share the atoms these edits leave
  // alone, so more of them do.
  const std::size_t kept = session().history().undocount();
  EXPECT_GT(kept, 5U);
  EXPECT_LT(kept, 30U);
  // What is kept still walks back exactly. The redo step is a whole
  // drawing where the undo step was a shared one, so the oldest may go.
  std::size_t walked = 0;
  for (; undoitems().canundo; ++walked) {
    chooseundo();
    EXPECT_EQ(saved(), states[states.size() - 2 - walked]);
    EXPECT_LE(session().history().bytes(), limit);
  }
  EXPECT_GT(walked, 5U);
}

// The editor's second change after a command is a step of its own: the
// atom tool used to take no snapshot, so Undo went back past the edit.
TEST_F(UndoSession, AnEditorRunIsOneStepAndRestartsAfterOtherEdits) {
  tatm* c = atom(6, 100, 100);
  teditorstep step("Atom Editor");
  EXPECT_TRUE(step.beforechange());
  applyatomtag(*c, raisechargetag);
  EXPECT_FALSE(step.beforechange());
  applyatomtag(*c, raisechargetag);
  runkeyedit('O', 100, 100);
  c = drawing().atoms.first();
  EXPECT_TRUE(step.beforechange());
  applyatomtag(*c, addhydrogentag);
  chooseundo();
  EXPECT_EQ(drawing().atoms.first()->element, 8);
  chooseundo();
  EXPECT_EQ(drawing().atoms.first()->element, 6);
  EXPECT_EQ(drawing().atoms.first()->fcharge, 2);
  chooseundo();
  EXPECT_EQ(drawing().atoms.first()->fcharge, 0);
  // After Undo the next change is a new step again.
  EXPECT_TRUE(step.beforechange());
  step.restart();
  EXPECT_TRUE(step.beforechange());
}

}  // namespace
}  // namespace molvane

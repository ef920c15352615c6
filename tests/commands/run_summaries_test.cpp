// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/run_summaries.h"

#include "mechanics/embedding.h"
#include "mechanics/optimizer.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

// Issue 30: the status bar says what a run did, in kcal/mol from the
// run's cal/mol.
TEST(RunSummaries, SayHowARunEnded) {
  toptimizerstate state;
  state.energy = 42081.2;
  state.seconds = 0.0812;
  state.converged = true;
  EXPECT_EQ(optimizersummary(state),
            "Optimized: 42.1 kcal/mol, converged in 0.08 s");
  // A stop counts before convergence: the user ended the run.
  state.stopped = true;
  state.seconds = 1.2;
  EXPECT_EQ(optimizersummary(state),
            "Optimized: 42.1 kcal/mol, stopped after 1.20 s");
  state.stopped = false;
  state.converged = false;
  EXPECT_EQ(optimizersummary(state),
            "Optimized: 42.1 kcal/mol, not converged after 1.20 s");

  EXPECT_EQ(hydrogensummary(thydrogencommand::add3d, 6),
            "Add Hs 3D: 6 hydrogens added");
  EXPECT_EQ(hydrogensummary(thydrogencommand::remove, 1),
            "Remove Hs: 1 hydrogen removed");
  EXPECT_EQ(hydrogensummary(thydrogencommand::add2d, 0),
            "Add Hs 2D: no hydrogens to add");

  tembedresult built;
  built.hydrogens = 8;
  built.energykcal = 3.04;
  EXPECT_EQ(make3dsummary(built), "Make 3D: 8 hydrogens added, 3.0 kcal/mol");
  built.unheld = 1;
  EXPECT_EQ(make3dsummary(built),
            "Make 3D: 8 hydrogens added, 3.0 kcal/mol, 1 stated stereo not "
            "held");
  built.error = "No atoms to build";
  EXPECT_EQ(make3dsummary(built), "Make 3D: No atoms to build");
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/run_summaries.h"

#include "mechanics/embedding.h"
#include "mechanics/force_field_parameters.h"
#include "mechanics/optimizer.h"
#include "support/number_text.h"

namespace molvane {

namespace {

std::string hydrogencount(int count) {
  return std::to_string(count) + (count == 1 ? " hydrogen" : " hydrogens");
}

}  // namespace

std::string optimizersummary(const toptimizerstate& state) {
  const std::string seconds = formatfixed(state.seconds, 2) + " s";
  const std::string ending = state.stopped ? "stopped after " + seconds
                             : state.converged
                                 ? "converged in " + seconds
                                 : "not converged after " + seconds;
  // The run's energies are in cal/mol.
  return "Optimized: " + formatfixed(state.energy * kcalpercal, 1) +
         " kcal/mol, " + ending;
}

std::string hydrogensummary(thydrogencommand command, int count) {
  const bool removing = command == thydrogencommand::remove;
  const std::string name = hydrogencommandname(command);
  if (count <= 0) {
    return name +
           (removing ? ": no hydrogens to remove" : ": no hydrogens to add");
  }
  return name + ": " + hydrogencount(count) +
         (removing ? " removed" : " added");
}

std::string make3dsummary(const tembedresult& result) {
  if (!result.error.empty()) {
    return "Make 3D: " + result.error;
  }
  std::string text = "Make 3D: " + hydrogencount(result.hydrogens) +
                     " added, " + formatfixed(result.energykcal, 1) +
                     " kcal/mol";
  if (result.unheld > 0) {
    text += ", " + std::to_string(result.unheld) + " stated stereo not held";
  }
  return text;
}

}  // namespace molvane

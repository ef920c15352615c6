// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"
#include "mechanics/optimizer.h"

#include <string>
#include <string_view>
#include <vector>

namespace molvane {

/// A method of the optimize command by its name ("normal", "refine",
/// "anneal", "global", "random", "molecules", "molecules-anneal").
struct tmethodname {
  const char* name;
  toptimizermethod code;
  /// Runs until stopped, so it needs a time limit.
  bool endless;
};

/// The method called name; null for an unknown name.
const tmethodname* optimizermethodnamed(std::string_view name);

/// How long a search that runs until stopped goes when not told, seconds.
inline constexpr double searchseconds = 10.0;

/// `optimize IN OUT [--method M] [--tolerance CAL] [--jump ANGSTROM]
/// [--temp T] [--seed S] [--max-seconds S] [--gradient KCAL] [--no-polish]`:
/// relaxes the drawing of IN in the force field and writes it to OUT in the
/// format of its extension. Normal and Refine end where the RMS gradient is
/// below --gradient kcal/(mol·Å) (1e-4 when not given); --no-polish stops
/// Normal where its sweeps stop. Searches that run until stopped end after
/// --max-seconds (10 when not given) on the best geometry they found.
tclioutcome optimizecommand(const tclioptions& options,
                            const std::vector<std::string>& arguments);

}  // namespace molvane

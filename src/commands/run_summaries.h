// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/hydrogen_commands.h"

#include <string>

namespace molvane {

struct tembedresult;
struct toptimizerstate;

/// The status-bar line after an optimiser run: "Optimized: 42.1 kcal/mol,
/// converged in 0.08 s", "..., stopped after 1.20 s" when the user stopped
/// it, "..., not converged after 3.00 s" when it ran out of steps. The
/// energy is that of the geometry the run left.
std::string optimizersummary(const toptimizerstate& state);

/// The status-bar line after a hydrogen command: "Add Hs 3D: 6 hydrogens
/// added", "Remove Hs: 1 hydrogen removed", "Add Hs 2D: no hydrogens to
/// add".
std::string hydrogensummary(thydrogencommand command, int count);

/// The status-bar line after Make 3D: "Make 3D: 6 hydrogens added,
/// 12.3 kcal/mol", with the stated centres the model does not hold; the
/// reason when it failed.
std::string make3dsummary(const tembedresult& result);

}  // namespace molvane

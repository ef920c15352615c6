// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"
#include "thermo/reaction.h"

#include <string>
#include <vector>

namespace molvane {

class tdrawing;

/// How a drawn reaction is worked out.
struct treactionrequest {
  /// K and atm.
  double temperature = 293.0;
  double pressure = 1.0;
  /// Minimise every reactive structure first.
  bool optimize = false;
  /// 1-based structure whose amount stays 1 while balancing.
  long reference = 1;
};

/// The outcome of a drawn reaction, structure by structure (reactants,
/// then products, then solvents).
struct treactionsummary {
  /// "" or the sentence for the user; nostructures when the drawing has
  /// no structure at all.
  std::string error;
  bool nostructures = false;
  std::vector<std::string> roles;
  std::vector<std::string> formulas;
  std::vector<double> amounts;
  bool solved = false;
  bool balanced = false;
  std::string status;
  std::string message;
  /// cal/mol and cal/(mol K); meaningful when balanced.
  treactionvalues values;
};

/// Balances the reaction drawn with an arrow in drawing and works out
/// ΔH, ΔS, ΔG and log K at the request's temperature and pressure. The
/// drawing's structures get their amounts (and, with optimize, new
/// coordinates).
treactionsummary summarisereaction(tdrawing& drawing,
                                   const treactionrequest& request);

/// `reaction IN [--T K] [--P ATM] [--optimize] [--reference N]`: opens a
/// drawing with a reaction arrow, optionally minimises every reactive
/// structure, balances with structure N (1-based, default 1) fixed at 1 and
/// prints the amounts, the balance, ΔH, ΔS, ΔG, log K and the
/// classification.
tclioutcome reactioncommand(const tclioptions& options,
                            const std::vector<std::string>& arguments);

}  // namespace molvane

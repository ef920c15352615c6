// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace molvane {

/// Options shared by every command of the command-line front end.
struct tclioptions {
  std::filesystem::path datadir;
  bool json = false;
};

/// A command's answer: its output on success (exit 0) or a one-line
/// message (exit 1).
struct tclioutcome {
  int status = 0;
  std::string output;
  std::string error;
  /// Output too long to hold, written after output when set.
  std::function<void(std::FILE*)> rest = nullptr;
};

/// A user error: exit status 1 with message on the error stream.
inline tclioutcome failure(std::string message) {
  return {1, "", std::move(message)};
}

/// Runs one command with its arguments (the command name first).
tclioutcome runclicommand(const tclioptions& options,
                          const std::vector<std::string>& arguments);

/// The usage text.
std::string cliusage();

}  // namespace molvane

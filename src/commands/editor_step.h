// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace molvane {

/// One undo step for a run of changes in an editor window: the first
/// change takes the session's undo snapshot, later ones join that step. A
/// step of its own starts again once anything else took a snapshot or
/// replaced the drawing (a command, Undo, Open), or after restart().
class teditorstep {
 public:
  /// caption names the step in the Edit menu ("Atom Editor").
  explicit teditorstep(std::string caption) : caption_(std::move(caption)) {}

  /// Before a change: takes the snapshot unless the change joins the
  /// current step. Returns whether it took one.
  bool beforechange();
  /// The next change starts a step of its own (the editor turned to
  /// another object or was closed).
  void restart();

 private:
  std::string caption_;
  bool joined_ = false;
  std::uint64_t historychanges_ = 0;
  std::uint64_t drawingserial_ = 0;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

namespace molvane {

class tdrawing;

/// How far back Undo reaches: at most `steps` drawings and about `bytes`
/// of memory for all of them, whichever comes first.
struct tundolimits {
  static constexpr std::size_t megabyte = std::size_t{1} << 20;
  std::size_t steps = 50;
  std::size_t bytes = 200 * megabyte;
};

/// The memory a drawing takes, near enough to bound the undo history: its
/// atoms, bonds, symbols, structures and texts.
std::size_t drawingfootprint(const tdrawing& drawing);

/// The drawings Undo and Redo step through. Each step is a whole copy of
/// the drawing as it was before an edit, named after that edit ("Ring 6",
/// "Add Hs 3D"; empty when it has no name). The oldest steps go first when
/// a limit is passed; the newest undo step always stays, so the last edit
/// can be taken back whatever its size.
class tundohistory {
 public:
  void setlimits(tundolimits limits);
  const tundolimits& limits() const { return limits_; }

  /// Before an edit: before becomes the newest undo step and every redo
  /// step is forgotten, as the edit leads elsewhere.
  void record(std::unique_ptr<tdrawing> before, std::string caption);
  /// Steps back: current becomes the next redo step and the drawing before
  /// the newest edit is returned. Null (and current is dropped) when there
  /// is nothing to undo: call it only when canundo().
  std::unique_ptr<tdrawing> undo(std::unique_ptr<tdrawing> current);
  /// Steps forward again; the mirror of undo.
  std::unique_ptr<tdrawing> redo(std::unique_ptr<tdrawing> current);
  /// Forgets everything (New, Open).
  void clear();

  bool canundo() const { return !undo_.empty(); }
  bool canredo() const { return !redo_.empty(); }
  std::size_t undocount() const { return undo_.size(); }
  std::size_t redocount() const { return redo_.size(); }
  /// The name of the edit Undo takes back, or Redo makes again.
  std::string undocaption() const;
  std::string redocaption() const;
  /// The drawing Undo returns to, or Redo; null when there is none.
  tdrawing* undodrawing() const;
  tdrawing* redodrawing() const;
  /// The footprint of every step kept.
  std::size_t bytes() const;

 private:
  struct tstep {
    std::unique_ptr<tdrawing> drawing;
    std::string caption;
    std::size_t bytes = 0;
  };
  static tstep makestep(std::unique_ptr<tdrawing> drawing, std::string caption);
  /// Drops the oldest undo steps, then the farthest redo steps, until the
  /// limits hold or only the newest undo step is left.
  void trim();

  tundolimits limits_;
  std::deque<tstep> undo_;
  std::deque<tstep> redo_;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/drawing_footprint.h"
#include "document/drawing_snapshot.h"

#include <cstddef>
#include <cstdint>
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

/// The drawings Undo and Redo step through, each the drawing as it was
/// before an edit, named after that edit ("Ring 6", "Add Hs 3D"; empty
/// when it has no name). The newest undo step and the newest redo step are
/// whole drawings; the others are snapshots that share the atoms and bonds
/// they have in common with the next one, so that small edits of a large
/// drawing cost little each. The oldest steps go first when a limit is
/// passed; the newest undo step always stays, so the last edit can be
/// taken back whatever its size.
class tundohistory {
 public:
  tundohistory() = default;
  ~tundohistory();
  tundohistory(const tundohistory&) = delete;
  tundohistory& operator=(const tundohistory&) = delete;

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
  /// The memory of every step kept, a part shared by several counted once.
  std::size_t bytes() const { return stepbytes_ + pool_.bytes(); }
  /// Grows with every record, undo, redo and clear: whoever remembers a
  /// step compares it to tell whether it is still the newest one.
  std::uint64_t changes() const { return changes_; }

 private:
  struct tstep {
    std::unique_ptr<tdrawing> drawing;
    std::unique_ptr<tdrawingsnapshot> snapshot;
    std::string caption;
    /// The step's own memory, beside the parts of the pool.
    std::size_t bytes = 0;
  };
  using tsteps = std::deque<tstep>;

  void push(tsteps& steps, std::unique_ptr<tdrawing> drawing,
            std::string caption);
  /// Takes the newest step off, as a whole drawing.
  tstep pop(tsteps& steps);
  void dropoldest(tsteps& steps);
  void dropall(tsteps& steps);
  /// The newest step becomes a snapshot sharing with the one before it.
  void compactnewest(tsteps& steps);
  /// The newest step becomes a whole drawing again.
  void expandnewest(tsteps& steps);
  /// Drops the oldest undo steps, then the farthest redo steps, until the
  /// limits hold or only the newest undo step is left.
  void trim();

  tundolimits limits_;
  // Before the steps, whose snapshots hand their parts back to it.
  tpartpool pool_;
  tsteps undo_;
  tsteps redo_;
  std::size_t stepbytes_ = 0;
  std::uint64_t changes_ = 0;
};

}  // namespace molvane

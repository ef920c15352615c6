// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Records 50 small edits of a 5 000-atom chain in an undo history and
// reports the memory it counts against what 50 whole copies take, the
// process's peak memory, and the time per record, undo and redo.
//
//   undo_history_bench [atoms] [steps]
#include "document/undo_history.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/zigzag_chain.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

namespace molvane {
namespace {

long peakkilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double millisecondssince(std::chrono::steady_clock::time_point start) {
  const std::chrono::duration<double, std::milli> took =
      std::chrono::steady_clock::now() - start;
  return took.count();
}

int run(int atoms, int steps) {
  std::unique_ptr<tdrawing> current = testing::zigzagchain(atoms);
  const long startkb = peakkilobytes();
  tundohistory history;
  history.setlimits({static_cast<std::size_t>(steps), tundolimits{}.bytes});
  std::size_t whole = 0;
  double recording = 0.0;
  for (int i = 0; i < steps; ++i) {
    std::unique_ptr<tdrawing> before = current->clonedrawing();
    whole += drawingfootprint(*before);
    const auto start = std::chrono::steady_clock::now();
    history.record(std::move(before), "Edit");
    recording += millisecondssince(start);
    tatm* atom = current->atoms.items((i * 397) % current->atoms.count());
    atom->setxyz(atom->x + 3.0, atom->y, atom->z);
  }
  const std::size_t kept = history.bytes();
  auto start = std::chrono::steady_clock::now();
  while (history.canundo()) {
    current = history.undo(std::move(current));
  }
  const double undoing = millisecondssince(start);
  start = std::chrono::steady_clock::now();
  while (history.canredo()) {
    current = history.redo(std::move(current));
  }
  const double redoing = millisecondssince(start);
  const double megabyte = 1024.0 * 1024.0;
  std::printf("%d atoms, %d steps\n", atoms, steps);
  std::printf("one copy %.2f MB; whole copies %.2f MB; history %.2f MB\n",
              static_cast<double>(drawingfootprint(*current)) / megabyte,
              static_cast<double>(whole) / megabyte,
              static_cast<double>(kept) / megabyte);
  std::printf("peak memory grew %.2f MB\n",
              static_cast<double>(peakkilobytes() - startkb) / 1024.0);
  std::printf("per step: record %.2f ms, undo %.2f ms, redo %.2f ms\n",
              recording / steps, undoing / steps, redoing / steps);
  return 0;
}

}  // namespace
}  // namespace molvane

int main(int argc, char** argv) {
  const int atoms = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int steps = argc > 2 ? std::atoi(argv[2]) : 50;
  return molvane::run(atoms > 1 ? atoms : 5000, steps > 0 ? steps : 50);
}

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/undo_history.h"

#include "document/drawing.h"
#include "document/symbol.h"
#include "model/atom.h"
#include "model/bond.h"

#include <algorithm>
#include <utility>

namespace molvane {

std::size_t drawingfootprint(const tdrawing& drawing) {
  // Each object is counted with the list entries that point at it; the
  // structures' own lists are views of the same objects.
  constexpr std::size_t entry = 2 * sizeof(void*);
  std::size_t bytes = sizeof(tdrawing) + drawing.title().size() +
                      drawing.author().size() + drawing.notes().size() +
                      drawing.filename.size();
  for (const tatm* atom : drawing.atoms) {
    bytes += sizeof(tLAtm) + atom->symbol.capacity() + entry;
  }
  bytes += drawing.bonds.count() * (sizeof(tbond) + entry);
  for (const tSymbol* symbol : drawing.symbols) {
    bytes += sizeof(tSymbol) + entry +
             (symbol->atoms.count() + symbol->bonds.count()) * entry;
  }
  for (const tStructure* structure : drawing.structures) {
    bytes += sizeof(tStructure) + entry +
             (structure->atoms.count() + structure->bonds.count()) * entry;
  }
  return bytes;
}

void tundohistory::setlimits(tundolimits limits) {
  limits_ = limits;
  limits_.steps = std::max<std::size_t>(limits_.steps, 1);
  trim();
}

tundohistory::tstep tundohistory::makestep(std::unique_ptr<tdrawing> drawing,
                                           std::string caption) {
  const std::size_t bytes = drawingfootprint(*drawing);
  return {std::move(drawing), std::move(caption), bytes};
}

void tundohistory::record(std::unique_ptr<tdrawing> before,
                          std::string caption) {
  if (before == nullptr) {
    return;
  }
  redo_.clear();
  undo_.push_back(makestep(std::move(before), std::move(caption)));
  trim();
}

std::unique_ptr<tdrawing> tundohistory::undo(
    std::unique_ptr<tdrawing> current) {
  if (undo_.empty() || current == nullptr) {
    return nullptr;
  }
  tstep step = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(makestep(std::move(current), step.caption));
  trim();
  return std::move(step.drawing);
}

std::unique_ptr<tdrawing> tundohistory::redo(
    std::unique_ptr<tdrawing> current) {
  if (redo_.empty() || current == nullptr) {
    return nullptr;
  }
  tstep step = std::move(redo_.back());
  redo_.pop_back();
  undo_.push_back(makestep(std::move(current), step.caption));
  trim();
  return std::move(step.drawing);
}

void tundohistory::clear() {
  undo_.clear();
  redo_.clear();
}

std::string tundohistory::undocaption() const {
  return undo_.empty() ? std::string() : undo_.back().caption;
}

std::string tundohistory::redocaption() const {
  return redo_.empty() ? std::string() : redo_.back().caption;
}

tdrawing* tundohistory::undodrawing() const {
  return undo_.empty() ? nullptr : undo_.back().drawing.get();
}

tdrawing* tundohistory::redodrawing() const {
  return redo_.empty() ? nullptr : redo_.back().drawing.get();
}

std::size_t tundohistory::bytes() const {
  std::size_t total = 0;
  for (const auto* steps : {&undo_, &redo_}) {
    for (const tstep& step : *steps) {
      total += step.bytes;
    }
  }
  return total;
}

void tundohistory::trim() {
  auto over = [this] {
    return undo_.size() + redo_.size() > limits_.steps ||
           bytes() > limits_.bytes;
  };
  while (over()) {
    if (undo_.size() > 1) {
      undo_.pop_front();
    } else if (!redo_.empty() && undo_.size() + redo_.size() > 1) {
      redo_.pop_front();
    } else {
      break;
    }
  }
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/undo_history.h"

#include "document/drawing.h"

#include <algorithm>
#include <utility>

namespace molvane {

tundohistory::~tundohistory() { clear(); }

void tundohistory::setlimits(tundolimits limits) {
  limits_ = limits;
  limits_.steps = std::max<std::size_t>(limits_.steps, 1);
  trim();
}

void tundohistory::push(tsteps& steps, std::unique_ptr<tdrawing> drawing,
                        std::string caption) {
  compactnewest(steps);
  const std::size_t bytes = drawingfootprint(*drawing);
  stepbytes_ += bytes;
  steps.push_back({std::move(drawing), nullptr, std::move(caption), bytes});
}

tundohistory::tstep tundohistory::pop(tsteps& steps) {
  expandnewest(steps);
  tstep step = std::move(steps.back());
  steps.pop_back();
  stepbytes_ -= step.bytes;
  step.bytes = 0;
  expandnewest(steps);
  return step;
}

void tundohistory::dropoldest(tsteps& steps) {
  stepbytes_ -= steps.front().bytes;
  steps.pop_front();
}

void tundohistory::dropall(tsteps& steps) {
  while (!steps.empty()) {
    dropoldest(steps);
  }
}

void tundohistory::compactnewest(tsteps& steps) {
  if (steps.empty() || steps.back().drawing == nullptr) {
    return;
  }
  tstep& newest = steps.back();
  const tdrawingsnapshot* like =
      steps.size() > 1 ? steps[steps.size() - 2].snapshot.get() : nullptr;
  newest.snapshot =
      std::make_unique<tdrawingsnapshot>(*newest.drawing, like, pool_);
  newest.drawing.reset();
  stepbytes_ -= newest.bytes;
  newest.bytes = newest.snapshot->bytes();
  stepbytes_ += newest.bytes;
}

void tundohistory::expandnewest(tsteps& steps) {
  if (steps.empty() || steps.back().snapshot == nullptr) {
    return;
  }
  tstep& newest = steps.back();
  newest.drawing = newest.snapshot->restore();
  newest.snapshot.reset();
  stepbytes_ -= newest.bytes;
  newest.bytes = drawingfootprint(*newest.drawing);
  stepbytes_ += newest.bytes;
}

void tundohistory::record(std::unique_ptr<tdrawing> before,
                          std::string caption) {
  if (before == nullptr) {
    return;
  }
  ++changes_;
  dropall(redo_);
  push(undo_, std::move(before), std::move(caption));
  trim();
}

std::unique_ptr<tdrawing> tundohistory::undo(
    std::unique_ptr<tdrawing> current) {
  if (undo_.empty() || current == nullptr) {
    return nullptr;
  }
  ++changes_;
  tstep step = pop(undo_);
  push(redo_, std::move(current), step.caption);
  trim();
  return std::move(step.drawing);
}

std::unique_ptr<tdrawing> tundohistory::redo(
    std::unique_ptr<tdrawing> current) {
  if (redo_.empty() || current == nullptr) {
    return nullptr;
  }
  ++changes_;
  tstep step = pop(redo_);
  push(undo_, std::move(current), step.caption);
  trim();
  return std::move(step.drawing);
}

void tundohistory::clear() {
  ++changes_;
  dropall(undo_);
  dropall(redo_);
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

void tundohistory::trim() {
  auto over = [this] {
    return undo_.size() + redo_.size() > limits_.steps ||
           bytes() > limits_.bytes;
  };
  while (over()) {
    if (undo_.size() > 1) {
      dropoldest(undo_);
    } else if (!redo_.empty() && undo_.size() + redo_.size() > 1) {
      dropoldest(redo_);
    } else {
      break;
    }
  }
}

}  // namespace molvane

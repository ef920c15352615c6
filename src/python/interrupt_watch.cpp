// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/interrupt_watch.h"

namespace molvane {

namespace {

constexpr std::chrono::milliseconds interval{20};

}  // namespace

bool tinterruptwatch::interrupted() {
  if (interrupted_) {
    return true;
  }
  const auto now = std::chrono::steady_clock::now();
  if (now < next_) {
    return false;
  }
  next_ = now + interval;
  pybind11::gil_scoped_acquire lock;
  // Signals reach only the main thread; elsewhere this finds nothing.
  if (PyErr_CheckSignals() != 0) {
    interrupted_ = true;
    error_.emplace();
  }
  return interrupted_;
}

void tinterruptwatch::raise() {
  if (error_) {
    pybind11::error_already_set error = std::move(*error_);
    error_.reset();
    throw error;
  }
}

}  // namespace molvane

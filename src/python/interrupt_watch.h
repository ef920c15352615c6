// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

#include <chrono>
#include <optional>

namespace molvane {

/// Looks for a pending keyboard interrupt from inside a long core call
/// that runs without the interpreter lock: at most every few hundredths
/// of a second it takes the lock and asks Python for its signals. Once
/// one came, interrupted() stays true; the caller stops the core cleanly
/// and then calls raise().
class tinterruptwatch {
 public:
  /// True when the call should stop.
  bool interrupted();
  /// Raises the exception the signal handler left (KeyboardInterrupt),
  /// if any; needs the lock.
  void raise();

 private:
  std::chrono::steady_clock::time_point next_ =
      std::chrono::steady_clock::now();
  bool interrupted_ = false;
  std::optional<pybind11::error_already_set> error_;
};

}  // namespace molvane

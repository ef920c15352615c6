// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/drawing.h"

#include <memory>
#include <string>
#include <vector>

namespace molvane {

/// How much of a file a reader could use.
enum class treadextent {
  /// Nothing: the result holds an error and no drawing.
  nothing,
  /// The file breaks off or is damaged part way; the drawing holds what
  /// came before, so it must not be taken for the file it was read from.
  partial,
  /// The whole file.
  whole,
};

/// What a reader makes of a file: a drawing with everything that could be
/// read, or an error when nothing usable was found.
struct treadresult {
  std::unique_ptr<tdrawing> drawing;
  /// Why nothing could be read; empty on success.
  std::string error;
  /// Things the user should know although the drawing was read.
  std::vector<std::string> notices;
  /// Set by a reader that stopped before the end of what the file promised.
  bool cutshort = false;

  treadextent extent() const {
    if (drawing == nullptr || !error.empty()) {
      return treadextent::nothing;
    }
    return cutshort ? treadextent::partial : treadextent::whole;
  }
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/drawing.h"

#include <memory>
#include <string>
#include <vector>

namespace molvane {

/// What a reader makes of a file: a drawing with everything that could be
/// read, or an error when nothing usable was found.
struct treadresult {
  std::unique_ptr<tdrawing> drawing;
  /// Why nothing could be read; empty on success.
  std::string error;
  /// Things the user should know although the drawing was read.
  std::vector<std::string> notices;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"

#include <memory>

namespace molvane::testing {

/// A zigzag chain of count carbons joined by single bonds; the undo tests
/// and the undo timing program both edit one.
inline std::unique_ptr<tdrawing> zigzagchain(int count) {
  auto drawing = std::make_unique<tdrawing>();
  tatm* previous = nullptr;
  for (int i = 0; i < count; ++i) {
    tatm* atom = drawing->addatom(
        std::make_unique<tatm>(6, 0, 26.0 * i, 15.0 * (i % 2)));
    if (previous != nullptr) {
      drawing->addbond(
          std::make_unique<tbond>(previous, 0, tbondstyle::normal, 2, atom));
    }
    previous = atom;
  }
  return drawing;
}

}  // namespace molvane::testing

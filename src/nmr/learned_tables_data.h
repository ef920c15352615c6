// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace molvane {

/// One entry of a shipped learned table: a key and its shift or increment.
struct tshippedterm {
  std::uint64_t key;
  double value;
};

/// The fluorine types and proton increments fitted to all training spectra
/// (written by bench/nmr_tables).
std::span<const tshippedterm> shippedfluorinetypes();
std::span<const tshippedterm> shippedfluorineincrements();
std::span<const tshippedterm> shippedprotonincrements();

}  // namespace molvane

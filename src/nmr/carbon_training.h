// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/carbon_model.h"

#include <array>
#include <memory>
#include <vector>

namespace molvane {

class tpeakdb;
struct ttrainingmolecule;

/// Model shares tried when choosing them: 0, 0.1, ... 1.
inline constexpr int sharesteps = 11;

/// The summed error of each model share by class and database level.
struct tsharegrid {
  std::array<std::array<std::array<double, sharesteps>, sharelevels>,
             shareclasses>
      error{};
  std::array<std::array<int, sharelevels>, shareclasses> atoms{};
};

/// The errors each model share would make on the measured carbons of
/// molecules, predicted with db alone and blended with model.
tsharegrid sharegrid(const std::shared_ptr<tpeakdb>& db,
                     const tcarbonmodel& model,
                     const std::vector<const ttrainingmolecule*>& molecules);

/// The carbon model for a database of capacity entries built from the same
/// molecules: fitted to all of them, with shares chosen on every fifth
/// molecule predicted by a database and model built from the others.
tcarbonmodel traincarbonmodel(
    const std::vector<const ttrainingmolecule*>& molecules, int capacity);

}  // namespace molvane

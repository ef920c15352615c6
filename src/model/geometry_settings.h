// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace molvane {

/// The settings that geometry reads: sizes of new bonds and their lines,
/// whether building makes 3D shapes and how formulas count implicit
/// hydrogens. A drawing carries them, so atoms and bonds find them through
/// the drawing that holds them.
struct tgeometrysettings {
  std::uint16_t bondlength = 30;        ///< L: one standard bond in pixels
  std::uint8_t linewidthcode = 1;       ///< 0..3, the "Line" setting
  std::uint16_t doublebondspacing = 6;  ///< pixels between bond lines
  bool build3d = false;  ///< "3D DrawMode": building makes 3D shapes
  /// Formula counts add atoms that carry implicit hydrogens.
  bool showimplicithydrogens = false;

  /// Pen width in pixels (1..4) that new bonds and symbols take.
  int linewidth() const;
  /// Ångström per drawing unit divided by 1.53: the reciprocal of L.
  double lengthscale() const;
};

/// The settings of a fresh program, for objects that no drawing holds.
const tgeometrysettings& defaultgeometry();

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace molvane {

class tdrawing;

/// Every coordinate that painting a moved or turned copy of the drawing
/// changes (atoms' places and screen positions, bonds' offsets), put back
/// exactly when this goes, so that what the window shows never moves the
/// model by rounding.
class tsavedview {
 public:
  explicit tsavedview(tdrawing& drawing);
  ~tsavedview();
  tsavedview(const tsavedview&) = delete;
  tsavedview& operator=(const tsavedview&) = delete;

 private:
  struct tsavedatom {
    double x, y, z;
    std::int32_t sx, sy, sz;
  };
  tdrawing& drawing_;
  std::vector<tsavedatom> atoms_;
  std::vector<std::pair<std::int32_t, std::int32_t>> bonds_;
};

/// The point the 3D view turns about: the centre of the chemical atoms.
TXYZ turncentre(const tdrawing& drawing);

/// The drawing's chemical atoms turned by turn about turncentre for as long
/// as this lives, to paint or measure the turned view; labels and symbols
/// keep their places. Everything comes back as tsavedview says.
class tturnedview {
 public:
  tturnedview(tdrawing& drawing, const tmatrix3& turn);

 private:
  tsavedview saved_;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/base_object.h"

#include <array>
#include <cstdint>
#include <vector>

namespace molvane {

class tatm;

/// A plain point.
struct TXYZ {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

/// Saved coordinates, one point per chemical atom in list order.
using txyzList = std::vector<TXYZ>;

/// A 3x3 matrix, rows first.
using tmatrix3 = std::array<std::array<double, 3>, 3>;

/// A list of atoms; it never frees them. Chemical atoms are those of kind 0.
class tAtoms : public tBaseList<tatm> {
 public:
  /// Appends a chemical atom when absent.
  void addunique(tatm* atom);
  /// Appends a chemical atom only when no atom of its element is present.
  void addelementrep(tatm* atom);
  /// A list with one representative chemical atom per element of list.
  static tAtoms elementrepresentatives(const tAtoms& list);
  /// Appends the atoms of list not yet present.
  void addatoms(const tAtoms& list);

  int countchemical() const;
  int counthydrogen() const;
  /// Mean model x or y over chemical atoms; 0 when there is none.
  double meanx() const;
  double meany() const;
  /// Mean position of the chemical atoms; of all atoms when none is
  /// chemical; (0, 0, 0) for an empty list.
  TXYZ centroid3() const;
  /// The same over the reference coordinates (x0, y0, z0).
  TXYZ referencecentroid3() const;
  /// Axis 1, 2, 3 reflects x, y or z of every atom through the centroid.
  void mirror(int axis);
  /// Rotates every chemical atom about (cx, cy, cz) by matrix.
  void rotate(const tmatrix3& matrix, double cx, double cy, double cz);
  /// Translates all atoms so that the centroid lands on (x, y, z).
  void moveto(double x, double y, double z);
  /// Every atom = (reference - centre) * factor + centre.
  void scaleabout(double cx, double cy, double cz, double factor);
  /// scaleabout the centroid.
  void scale(double factor);
  void updatescreen();
  void setcolourall(std::uint32_t colour);
  void setfontall(std::uint8_t fontindex);
  void setbyteall(std::uint8_t mark);

  int maxnumber() const;
  void clearnumbers();
  bool allunnumbered() const;

  /// Extremes of the screen positions, widened by one pixel; 0 when empty.
  int minx() const;
  int maxx() const;
  int miny() const;
  int maxy() const;

  /// Coordinates of the chemical atoms, in order.
  txyzList savecoords() const;
  /// Refreshes saved with the current coordinates of the chemical atoms.
  void updatecoords(txyzList& saved) const;
  /// Puts saved coordinates back on the chemical atoms; fixed atoms and
  /// points past the end of saved are skipped.
  void restorecoords(const txyzList& saved);

  std::uint32_t listcolour = 0;
  std::uint8_t flag = 1;
};

}  // namespace molvane

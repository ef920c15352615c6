// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/view_turn.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"

namespace molvane {

tsavedview::tsavedview(tdrawing& drawing) : drawing_(drawing) {
  atoms_.reserve(static_cast<std::size_t>(drawing.atoms.count()));
  for (const tatm* atom : drawing.atoms) {
    atoms_.push_back({atom->x, atom->y, atom->z, atom->sx, atom->sy, atom->sz});
  }
  bonds_.reserve(static_cast<std::size_t>(drawing.bonds.count()));
  for (const tbond* bond : drawing.bonds) {
    bonds_.emplace_back(bond->offx, bond->offy);
  }
}

tsavedview::~tsavedview() {
  std::size_t i = 0;
  for (tatm* atom : drawing_.atoms) {
    const tsavedatom& saved = atoms_[i++];
    atom->x = saved.x;
    atom->y = saved.y;
    atom->z = saved.z;
    atom->sx = saved.sx;
    atom->sy = saved.sy;
    atom->sz = saved.sz;
  }
  i = 0;
  for (tbond* bond : drawing_.bonds) {
    bond->offx = bonds_[i].first;
    bond->offy = bonds_[i].second;
    ++i;
  }
}

TXYZ turncentre(const tdrawing& drawing) { return drawing.atoms.centroid3(); }

TXYZ turnabout(const tmatrix3& turn, const TXYZ& centre, const TXYZ& point) {
  const double dx = point.x - centre.x;
  const double dy = point.y - centre.y;
  const double dz = point.z - centre.z;
  return {centre.x + turn[0][0] * dx + turn[0][1] * dy + turn[0][2] * dz,
          centre.y + turn[1][0] * dx + turn[1][1] * dy + turn[1][2] * dz,
          centre.z + turn[2][0] * dx + turn[2][1] * dy + turn[2][2] * dz};
}

TXYZ unturnabout(const tmatrix3& turn, const TXYZ& centre, const TXYZ& point) {
  // A turn's inverse is its transpose.
  tmatrix3 back{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      back[i][j] = turn[j][i];
    }
  }
  return turnabout(back, centre, point);
}

tturnedview::tturnedview(tdrawing& drawing, const tmatrix3& turn)
    : saved_(drawing) {
  const TXYZ centre = turncentre(drawing);
  drawing.atoms.rotate(turn, centre.x, centre.y, centre.z);
}

}  // namespace molvane

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

tturnedview::tturnedview(tdrawing& drawing, const tmatrix3& turn)
    : saved_(drawing) {
  const TXYZ centre = turncentre(drawing);
  drawing.atoms.rotate(turn, centre.x, centre.y, centre.z);
}

}  // namespace molvane

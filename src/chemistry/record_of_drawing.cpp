// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/record_of_drawing.h"

#include "document/drawing.h"
#include "model/atom.h"

namespace molvane {

tmoleculerecord recordofdrawing(const tdrawing& drawing) {
  tchemicalview view = chemicalview(drawing);
  tmoleculerecord record;
  record.title = drawing.title();
  const double length = drawing.geometry().bondlength;
  const double scale = length > 0.0 ? angstromperbond / length : 1.0;
  std::vector<int> hydrogenatoms(view.atoms.size(), 0);
  for (const tbond* bond : view.bonds) {
    tbondentry entry;
    entry.atom1 = view.positions.at(bond->atom1);
    entry.atom2 = view.positions.at(bond->atom2);
    entry.kind = bond->kind();
    entry.delocalised = bond->isdelocalised();
    entry.style = bond->style;
    entry.stereomark = bond->stereomark;
    if ((bond->style == tbondstyle::wedge ||
         bond->style == tbondstyle::hashed) &&
        bond->wideend == 1) {
      std::swap(entry.atom1, entry.atom2);
    }
    record.bonds.push_back(entry);
  }
  for (const tbondentry& entry : record.bonds) {
    const tatm& a = *view.atoms[static_cast<std::size_t>(entry.atom1)];
    const tatm& b = *view.atoms[static_cast<std::size_t>(entry.atom2)];
    hydrogenatoms[static_cast<std::size_t>(entry.atom1)] +=
        b.element == 1 ? 1 : 0;
    hydrogenatoms[static_cast<std::size_t>(entry.atom2)] +=
        a.element == 1 ? 1 : 0;
  }
  for (std::size_t i = 0; i < view.atoms.size(); ++i) {
    const tatm& atom = *view.atoms[i];
    tatomentry entry;
    entry.element = atom.element;
    if (atom.element < 1 || atom.symbol == "D" || atom.symbol == "T") {
      entry.label = exchangesymbol(atom);
    }
    entry.x = atom.x * scale;
    entry.y = -atom.y * scale;
    entry.z = atom.z * scale;
    entry.charge = atom.fcharge;
    entry.massnumber = atom.element == 1 && atom.symbol == "D" ? 2
                       : atom.element == 1 && atom.symbol == "T"
                           ? 3
                           : statedmassnumber(atom);
    entry.hydrogens = atom.implicithydrogens() + hydrogenatoms[i];
    entry.stereomark = atom.stereomark;
    record.atoms.push_back(entry);
  }
  return record;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/python_molecule.h"

#include "document/drawing.h"
#include "model/geometry_settings.h"
#include "support/units.h"

namespace molvane {

tmolecule::tmolecule() : drawing_(std::make_unique<tdrawing>()) {}

tmolecule::tmolecule(std::unique_ptr<tdrawing> drawing)
    : drawing_(std::move(drawing)) {
  if (drawing_ == nullptr) {
    throw tmoduleerror("no drawing");
  }
}

tmolecule::tmolecule(tmolecule&&) noexcept = default;
tmolecule& tmolecule::operator=(tmolecule&&) noexcept = default;
tmolecule::~tmolecule() = default;

tmolecule tmolecule::copy() const {
  return tmolecule(drawing_->clonedrawing());
}

std::vector<tatm*> tmolecule::chemicalatoms() const {
  std::vector<tatm*> atoms;
  for (tatm* atom : drawing_->atoms) {
    if (atom->ischemical()) {
      atoms.push_back(atom);
    }
  }
  return atoms;
}

std::vector<int> tmolecule::chemicalpositions() const {
  std::vector<int> positions;
  int next = 0;
  for (const tatm* atom : drawing_->atoms) {
    positions.push_back(atom->ischemical() ? next++ : -1);
  }
  return positions;
}

double tmolecule::angstromperunit() const {
  const double length = drawing_->geometry().bondlength;
  return molvane::angstromperunit(length > 0.0 ? length : 30.0);
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/coordgen_layout.h"

#include <coordgen/sketcherMinimizer.h>

#include <algorithm>
#include <cstddef>
#include <mutex>

namespace molvane {
namespace {

/// The library counts whole bonds; one-and-a-half bonds lay out as single.
int wholeorder(const tbondentry& bond) {
  switch (bond.kind) {
    case 4:
    case 5:
      return 2;
    case 6:
      return 3;
    default:
      return 1;
  }
}

/// The library keeps its ring templates in one process-wide list that it
/// fills on first use and matches molecules against, so two layouts at
/// once would race on it: they take turns.
std::mutex& librarylock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

std::vector<tflatpoint> librarylayout(const tmoleculerecord& part,
                                      const trecordstereo& stereo) {
  const std::lock_guard<std::mutex> turn(librarylock());
  // The minimiser owns the molecule and frees it, its atoms and its bonds.
  sketcherMinimizer minimizer;
  auto* molecule = new sketcherMinimizerMolecule();
  std::vector<sketcherMinimizerAtom*> atoms;
  atoms.reserve(part.atoms.size());
  for (const tatomentry& entry : part.atoms) {
    sketcherMinimizerAtom* atom = molecule->addNewAtom();
    // Pseudo atoms and unnamed points lay out as carbon.
    atom->setAtomicNumber(entry.element > 0 ? entry.element : 6);
    atom->charge = std::clamp(entry.charge, -8, 8);
    atoms.push_back(atom);
  }
  std::vector<sketcherMinimizerBond*> bonds;
  bonds.reserve(part.bonds.size());
  for (const tbondentry& entry : part.bonds) {
    sketcherMinimizerBond* bond =
        molecule->addNewBond(atoms[static_cast<std::size_t>(entry.atom1)],
                             atoms[static_cast<std::size_t>(entry.atom2)]);
    bond->setBondOrder(wholeorder(entry));
    bonds.push_back(bond);
  }
  minimizer.initialize(molecule);
  // The library takes a stated geometry only once it knows the molecule,
  // and only on bonds marked as having two forms.
  for (const tdoublebondstereo& stated : stereo.doublebonds) {
    sketcherMinimizerBondStereoInfo info;
    info.atom1 = atoms[static_cast<std::size_t>(stated.neighbour1)];
    info.atom2 = atoms[static_cast<std::size_t>(stated.neighbour2)];
    info.stereo = stated.cis ? sketcherMinimizerBondStereoInfo::cis
                             : sketcherMinimizerBondStereoInfo::trans;
    sketcherMinimizerBond* bond = bonds[static_cast<std::size_t>(stated.bond)];
    bond->setStereoChemistry(info);
    bond->isZEActive = true;
    bond->setAbsoluteStereoFromStereoInfo();
  }
  minimizer.runGenerateCoordinates();

  std::vector<tflatpoint> points;
  points.reserve(atoms.size());
  for (const sketcherMinimizerAtom* atom : atoms) {
    const sketcherMinimizerPointF& at = atom->getCoordinates();
    // The library's y axis points down the page.
    points.push_back(
        {static_cast<double>(at.x()), -static_cast<double>(at.y())});
  }
  return points;
}

}  // namespace molvane

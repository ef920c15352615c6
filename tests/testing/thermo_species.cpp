// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/thermo_species.h"

#include "chemistry/hybridization.h"
#include "chemistry/hydrogens.h"
#include "document/drawing.h"
#include "document/session.h"
#include "mechanics/force_field_parameters.h"
#include "thermo/species.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace molvane::testing {
namespace {

/// Atoms as element, x, y, z (Å); bonds as atom, atom, kind (+100 for an
/// aromatic bond).
struct trecipe {
  std::string_view name;
  std::vector<double> atoms;
  std::vector<int> bonds;
  /// Hydrogens taken from (or given to) the first atoms.
  std::vector<int> hydrogens = {};
  /// Formal charges of the first atoms.
  std::vector<int> charges = {};
};

std::vector<double> ring(int element, double radius, double pucker) {
  std::vector<double> atoms;
  for (int i = 0; i < 6; ++i) {
    const double angle = i * std::numbers::pi / 3.0;
    atoms.insert(atoms.end(),
                 {static_cast<double>(element), radius * std::cos(angle),
                  radius * std::sin(angle), i % 2 == 0 ? pucker : -pucker});
  }
  return atoms;
}

const std::vector<trecipe>& recipes() {
  static const std::vector<trecipe> table = {
      {"H2", {1, 0, 0, 0, 1, 0.74, 0, 0}, {0, 1, 2}},
      {"O2", {8, 0, 0, 0, 8, 1.21, 0, 0}, {0, 1, 4}},
      {"N2", {7, 0, 0, 0, 7, 1.10, 0, 0}, {0, 1, 6}},
      {"Cl2", {17, 0, 0, 0, 17, 1.99, 0, 0}, {0, 1, 2}},
      {"CH4", {6, 0, 0, 0}, {}},
      {"C2H6", {6, 0, 0, 0, 6, 1.53, 0, 0}, {0, 1, 2}},
      {"C2H4", {6, 0, 0, 0, 6, 1.34, 0, 0}, {0, 1, 4}},
      {"C2H2", {6, 0, 0, 0, 6, 1.20, 0, 0}, {0, 1, 6}},
      {"C3H8",
       {6, 0, 0, 0, 6, 1.53, 0, 0, 6, 2.04, 1.44, 0},
       {0, 1, 2, 1, 2, 2}},
      {"H2O", {8, 0, 0, 0}, {}},
      {"CO2", {8, -1.16, 0, 0, 6, 0, 0, 0, 8, 1.16, 0, 0}, {0, 1, 4, 1, 2, 4}},
      {"CO", {6, 0, 0, 0, 8, 1.13, 0, 0}, {0, 1, 6}, {-1}},
      {"NH3", {7, 0, 0, 0}, {}},
      {"HCl", {1, 0, 0, 0, 17, 1.27, 0, 0}, {0, 1, 2}},
      {"CH3OH", {6, 0, 0, 0, 8, 1.43, 0, 0}, {0, 1, 2}},
      {"C2H5OH",
       {6, 0, 0, 0, 6, 1.53, 0, 0, 8, 2.04, 1.36, 0},
       {0, 1, 2, 1, 2, 2}},
      {"C6H6",
       ring(6, 1.39, 0.0),
       {0, 1, 104, 1, 2, 102, 2, 3, 104, 3, 4, 102, 4, 5, 104, 5, 0, 102}},
      {"C6H12",
       ring(6, 1.45, 0.25),
       {0, 1, 2, 1, 2, 2, 2, 3, 2, 3, 4, 2, 4, 5, 2, 5, 0, 2}},
      // Small molecules beyond the reference table, as other programs
      // write them: with formal charges on multiple bonds.
      {"[C-]#[O+]", {6, 0, 0, 0, 8, 1.13, 0, 0}, {0, 1, 6}, {-1}, {-1, 1}},
      {"N#[N+][O-]",
       {7, -1.13, 0, 0, 7, 0, 0, 0, 8, 1.18, 0, 0},
       {0, 1, 6, 1, 2, 2},
       {0, 0, -1},
       {0, 1, -1}},
      {"[N-]=[N+]=O",
       {7, -1.13, 0, 0, 7, 0, 0, 0, 8, 1.18, 0, 0},
       {0, 1, 4, 1, 2, 4},
       {-1},
       {-1, 1, 0}},
      {"O3",
       {8, -1.089, -0.670, 0, 8, 0, 0, 0, 8, 1.089, -0.670, 0},
       {0, 1, 2, 1, 2, 4},
       {-1},
       {-1, 1, 0}},
      {"SO2",
       {8, -1.236, -0.721, 0, 16, 0, 0, 0, 8, 1.236, -0.721, 0},
       {0, 1, 4, 1, 2, 4}},
      {"H2S", {16, 0, 0, 0}, {}},
  };
  return table;
}

}  // namespace

std::vector<std::string> knownspecies() {
  std::vector<std::string> names;
  for (const trecipe& recipe : recipes()) {
    names.emplace_back(recipe.name);
  }
  return names;
}

tStructure* addspecies(std::string_view name, double x) {
  const trecipe* found = nullptr;
  for (const trecipe& recipe : recipes()) {
    if (recipe.name == name) {
      found = &recipe;
    }
  }
  if (found == nullptr) {
    ADD_FAILURE() << "no recipe for " << name;
    return nullptr;
  }
  tdrawing& drawing = *session().drawing();
  const double units = drawing.geometry().bondlength / standardbondangstrom;
  auto structure = std::make_unique<tStructure>();
  std::vector<tatm*> atoms;
  for (std::size_t i = 0; i + 3 < found->atoms.size(); i += 4) {
    atoms.push_back(structure->addatom(std::make_unique<tatm>(
        static_cast<int>(found->atoms[i]), 0, (found->atoms[i + 1] + x) * units,
        found->atoms[i + 2] * units, found->atoms[i + 3] * units)));
  }
  for (std::size_t i = 0; i + 2 < found->bonds.size(); i += 3) {
    const int kind = found->bonds[i + 2];
    tbond* bond = structure->addbond(std::make_unique<tbond>(
        atoms[static_cast<std::size_t>(found->bonds[i])], 0, tbondstyle::normal,
        kind % 100, atoms[static_cast<std::size_t>(found->bonds[i + 1])]));
    bond->setdelocalised(kind >= 100);
  }
  for (std::size_t i = 0; i < found->charges.size(); ++i) {
    atoms[i]->setcharge(found->charges[i]);
  }
  for (std::size_t i = 0; i < found->hydrogens.size(); ++i) {
    atoms[i]->sethadjust(found->hydrogens[i]);
  }
  tStructure* placed = drawing.mergestructure(std::move(structure));
  assignhybridization(drawing);
  addhydrogens3d(drawing, placed);
  assignhybridization(drawing);
  toptimizersettings settings;
  settings.tolerance = 1.0;
  settings.maxseconds = 20.0;
  EXPECT_EQ(optimizespecies(*placed, settings), "") << name;
  return placed;
}

tSymbol* addarrow(double x) {
  tdrawing& drawing = *session().drawing();
  const double units = drawing.geometry().bondlength / standardbondangstrom;
  auto arrow = makesymbol(arrowtype);
  tatm* tip = arrow->addpoint((x + 1.0) * units, 0.0);
  tatm* tail = arrow->addpoint((x - 1.0) * units, 0.0);
  arrow->addlink(tip, tail);
  return drawing.addsymbol(std::move(arrow));
}

}  // namespace molvane::testing

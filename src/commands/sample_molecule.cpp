// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/sample_molecule.h"

#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/rotation.h"
#include "support/units.h"

#include <array>

namespace molvane {

namespace {

struct tsampleatom {
  int element;
  double x, y, z;  ///< Å, y upwards
  int bondedto;    ///< index of an earlier atom, or -1
};

// Ethanol in its anti form.
constexpr std::array<tsampleatom, 9> ethanol{{
    {6, -1.1665, -0.4096, 0.0, -1},
    {6, 0.0147, 0.5417, 0.0, 0},
    {8, 1.2175, -0.2203, 0.0, 1},
    {1, 1.9783, 0.3823, 0.0, 2},
    {1, -2.1052, 0.1538, 0.0, 0},
    {1, -1.1337, -1.0477, 0.8872, 0},
    {1, -1.1337, -1.0477, -0.8872, 0},
    {1, -0.0226, 1.1889, 0.8834, 1},
    {1, -0.0226, 1.1889, -0.8834, 1},
}};

constexpr double tiltx = 25.0;
constexpr double tilty = -20.0;

}  // namespace

std::unique_ptr<tdrawing> samplemolecule(double x, double y) {
  auto drawing = std::make_unique<tdrawing>(session().settings);
  const double scale = todrawingunits(1.0, session().settings.bondlength);
  std::array<tatm*, ethanol.size()> atoms{};
  for (std::size_t i = 0; i < ethanol.size(); ++i) {
    const tsampleatom& sample = ethanol[i];
    const int labelmode = sample.element == 6 ? nolabel : symbollabel;
    atoms[i] = drawing->addatom(
        std::make_unique<tatm>(sample.element, labelmode, sample.x * scale,
                               -sample.y * scale, sample.z * scale));
    if (sample.bondedto >= 0) {
      drawing->addbond(std::make_unique<tbond>(
          atoms[static_cast<std::size_t>(sample.bondedto)], 0,
          tbondstyle::normal, 2, atoms[i]));
    }
  }
  rotatestructure(*drawing, xaxis, tiltx);
  rotatestructure(*drawing, yaxis, tilty);
  const TXYZ centre = drawing->atoms.centroid3();
  for (tatm* atom : drawing->atoms) {
    atom->move(x - centre.x, y - centre.y, -centre.z);
  }
  return drawing;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/clean_2d.h"

#include "chemistry/record_layout.h"
#include "chemistry/record_of_drawing.h"
#include "chemistry/stereo_perception.h"
#include "document/drawing.h"
#include "document/session.h"

#include <cmath>

namespace molvane {

std::string clean2d(tdrawing& drawing) {
  const tchemicalview view = chemicalview(drawing);
  if (view.atoms.empty()) {
    return "No Atoms";
  }
  tmoleculerecord record = recordofdrawing(drawing);
  std::string error = layoutrecord(record, perceivestereo(record));
  if (!error.empty()) {
    return error;
  }
  // The layout's own units: scale so the mean bond has the settings'
  // length, and keep the middle of the picture where it was.
  double bonds = 0.0;
  for (const tbondentry& bond : record.bonds) {
    const tatomentry& a = record.atoms[static_cast<std::size_t>(bond.atom1)];
    const tatomentry& b = record.atoms[static_cast<std::size_t>(bond.atom2)];
    bonds += std::hypot(a.x - b.x, a.y - b.y);
  }
  const double mean = record.bonds.empty()
                          ? 0.0
                          : bonds / static_cast<double>(record.bonds.size());
  const double length = session().settings.bondlength;
  const double scale = mean > 0.0 ? length / mean : length / 1.5;
  double oldx = 0.0, oldy = 0.0, newx = 0.0, newy = 0.0;
  for (std::size_t i = 0; i < view.atoms.size(); ++i) {
    oldx += view.atoms[i]->x;
    oldy += view.atoms[i]->y;
    newx += record.atoms[i].x * scale;
    newy -= record.atoms[i].y * scale;
  }
  const auto count = static_cast<double>(view.atoms.size());
  const double dx = (oldx - newx) / count;
  const double dy = (oldy - newy) / count;
  for (std::size_t i = 0; i < view.atoms.size(); ++i) {
    tatm& atom = *view.atoms[i];
    atom.x = record.atoms[i].x * scale + dx;
    atom.y = -record.atoms[i].y * scale + dy;
    atom.z = 0.0;
  }
  for (std::size_t b = 0; b < view.bonds.size(); ++b) {
    tbond& bond = *view.bonds[b];
    const tbondentry& entry = record.bonds[b];
    const bool stereo =
        entry.style == tbondstyle::wedge || entry.style == tbondstyle::hashed;
    if (!stereo && bond.style != tbondstyle::wedge &&
        bond.style != tbondstyle::hashed) {
      continue;
    }
    bond.style = stereo ? entry.style : tbondstyle::normal;
    if (stereo) {
      // The record runs from the narrow end; so does a bond whose wide end
      // is its second atom.
      const int narrow = entry.wideend == 2 ? entry.atom1 : entry.atom2;
      bond.wideend = view.positions.at(bond.atom1) == narrow ? 2 : 1;
    }
  }
  drawing.saved = false;
  return "";
}

bool clean2dcommand() {
  tdrawing* drawing = session().drawing();
  if (drawing == nullptr) {
    return false;
  }
  session().takeundosnapshot("Clean 2D");
  const std::string error = clean2d(*drawing);
  if (!error.empty()) {
    session().messages().error(error);
    return false;
  }
  session().repaint();
  return true;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/measurements.h"

#include "document/drawing.h"
#include "document/nearest_bond.h"
#include "mechanics/force_field.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/vector3.h"
#include "support/number_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace molvane {

namespace {

using detail::dot;
using detail::minus;
using detail::norm;
using detail::pointof;

constexpr std::uint32_t markcolour = 0x0000FF;
constexpr std::uint32_t bluecolour = 0xFF0000;
constexpr const char* angstromsign = "\u00C5";
constexpr const char* degreesign = "\u00B0";

double degreesof(double radians) { return radians * 180.0 / std::numbers::pi; }

double square(double dx, double dy) { return dx * dx + dy * dy; }

/// The angle at centre between a and b in degrees; 0 when an arm has no
/// length.
double angleat(const tatm& centre, const tatm& a, const tatm& b) {
  const TXYZ u = minus(pointof(a), pointof(centre));
  const TXYZ v = minus(pointof(b), pointof(centre));
  const double lengths = norm(u) * norm(v);
  if (lengths <= 0.0) {
    return 0.0;
  }
  return degreesof(std::acos(std::clamp(dot(u, v) / lengths, -1.0, 1.0)));
}

int midpoint(int a, int b) { return roundhalfeven((a + b) / 2.0); }

tmeasurement bondmeasurement(const tbond& bond, std::string text) {
  tmeasurement result;
  result.lines.push_back({bond.atom1, bond.atom2, markcolour, false});
  result.text = std::move(text);
  result.x = (bond.atom1->sx + bond.atom2->sx) / 2;
  result.y = (bond.atom1->sy + bond.atom2->sy) / 2;
  return result;
}

std::optional<tmeasurement> bondangle(tforcefield& field, double x, double y) {
  const std::vector<tatm*>& atoms = field.atoms();
  const tangle* nearest = nullptr;
  double best = 0.0;
  for (const tangle& term : field.bends()) {
    const tatm& a = *atoms[static_cast<std::size_t>(term.atoms[0])];
    const tatm& b = *atoms[static_cast<std::size_t>(term.atoms[1])];
    const tatm& centre = *atoms[static_cast<std::size_t>(term.atoms[2])];
    const double distance = square((a.x + b.x + 4.0 * centre.x) / 6.0 - x,
                                   (a.y + b.y + 4.0 * centre.y) / 6.0 - y);
    if (nearest == nullptr || distance < best) {
      nearest = &term;
      best = distance;
    }
  }
  if (nearest == nullptr) {
    return std::nullopt;
  }
  const tatm* a = atoms[static_cast<std::size_t>(nearest->atoms[0])];
  const tatm* b = atoms[static_cast<std::size_t>(nearest->atoms[1])];
  const tatm* centre = atoms[static_cast<std::size_t>(nearest->atoms[2])];
  tmeasurement result;
  result.lines = {{centre, a, bluecolour, false},
                  {centre, b, bluecolour, false}};
  result.text = formatfixed(angleat(*centre, *a, *b), 1, 5) + degreesign;
  result.x = centre->sx + 1;
  result.y = centre->sy + 1;
  return result;
}

std::optional<tmeasurement> torsionangle(tforcefield& field, double x,
                                         double y) {
  const std::vector<tatm*>& atoms = field.atoms();
  const ttorque* nearest = nullptr;
  double best = 0.0;
  for (const ttorque& term : field.torsions()) {
    double cx = 0.0;
    double cy = 0.0;
    for (std::int32_t index : term.atoms) {
      cx += atoms[static_cast<std::size_t>(index)]->x / 4.0;
      cy += atoms[static_cast<std::size_t>(index)]->y / 4.0;
    }
    const double distance = square(cx - x, cy - y);
    if (nearest == nullptr || distance < best) {
      nearest = &term;
      best = distance;
    }
  }
  if (nearest == nullptr) {
    return std::nullopt;
  }
  std::array<const tatm*, 4> ends{};
  for (std::size_t k = 0; k < ends.size(); ++k) {
    ends[k] = atoms[static_cast<std::size_t>(nearest->atoms[k])];
  }
  tmeasurement result;
  for (std::size_t k = 0; k + 1 < ends.size(); ++k) {
    result.lines.push_back({ends[k], ends[k + 1], bluecolour, false});
  }
  result.text =
      formatfixed(degreesof(field.dihedralangle(*nearest)), 1, 5) + degreesign;
  result.x = midpoint(ends[1]->sx, ends[2]->sx);
  result.y = midpoint(ends[1]->sy, ends[2]->sy);
  return result;
}

std::optional<tmeasurement> distance(tdrawing& drawing, double x, double y,
                                     tdistancestate& state) {
  tatm* atom = drawing.nearestatom(nullptr, x, y);
  if (atom == nullptr) {
    return std::nullopt;
  }
  tmeasurement result;
  if (state.first == nullptr || !drawing.hasatom(state.first)) {
    state.first = atom;
    result.lines.push_back({atom, atom, bluecolour, false});
    return result;
  }
  tatm* first = state.first;
  state.first = nullptr;
  if (atom == first) {
    return result;
  }
  result.lines.push_back({first, atom, bluecolour, true});
  result.text =
      formatfixed(first->angstromdistance(*atom), 3, 6) + angstromsign;
  result.x = midpoint(first->sx, atom->sx);
  result.y = midpoint(first->sy, atom->sy);
  result.fontatom = first;
  return result;
}

}  // namespace

std::array<bool, measurekinds> availablemeasurements(tdrawing& drawing) {
  std::array<bool, measurekinds> available{};
  const bool bonds = nearestbond(drawing, 0.0, 0.0) != nullptr;
  available[static_cast<int>(tmeasurekind::bondlength)] = bonds;
  available[static_cast<int>(tmeasurekind::bondenergy)] = bonds;
  available[static_cast<int>(tmeasurekind::distance)] =
      drawing.atoms.count() > 0;
  tforcefield field(drawing);
  if (field.setupforcefield().empty()) {
    available[static_cast<int>(tmeasurekind::bondangle)] =
        !field.bends().empty();
    available[static_cast<int>(tmeasurekind::torsionangle)] =
        !field.torsions().empty();
  }
  return available;
}

std::optional<tmeasurement> measureat(tdrawing& drawing, tmeasurekind kind,
                                      double x, double y,
                                      tdistancestate& state) {
  switch (kind) {
    case tmeasurekind::bondlength:
      if (tbond* bond = nearestbond(drawing, x, y)) {
        return bondmeasurement(
            *bond, formatfixed(bond->angstromlength(), 3, 4) + angstromsign);
      }
      return std::nullopt;
    case tmeasurekind::bondenergy:
      if (tbond* bond = nearestbond(drawing, x, y)) {
        return bondmeasurement(*bond,
                               formatfixed(bond->bondenergy(), 1, 4) + "cal");
      }
      return std::nullopt;
    case tmeasurekind::distance:
      return distance(drawing, x, y, state);
    case tmeasurekind::bondangle:
    case tmeasurekind::torsionangle: {
      tforcefield field(drawing);
      if (!field.setupforcefield().empty()) {
        return std::nullopt;
      }
      return kind == tmeasurekind::bondangle ? bondangle(field, x, y)
                                             : torsionangle(field, x, y);
    }
  }
  return std::nullopt;
}

}  // namespace molvane

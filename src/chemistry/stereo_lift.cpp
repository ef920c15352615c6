// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/stereo_lift.h"

#include "chemistry/record_of_drawing.h"
#include "chemistry/stereo_perception.h"
#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "model/vector3.h"
#include "support/units.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace molvane {

namespace {

using detail::cross;
using detail::dot;
using detail::minus;
using detail::norm;
using detail::plus;
using detail::pointof;
using detail::times;
using detail::unit;

/// How far out of the page a wedged neighbour goes, per unit of its bond's
/// length on the page.
constexpr double liftratio = 0.8;
/// Depth (ångström) below which a drawing counts as flat, as the stereo
/// perception judges it.
constexpr double flatdepth = 0.01;

/// From one atom to another with y pointing up the page, the frame the
/// senses refer to.
TXYZ upwards(const tatm& from, const tatm& to) {
  return {to.x - from.x, from.y - to.y, to.z - from.z};
}

bool iswedged(const tbond& bond) {
  return bond.style == tbondstyle::wedge || bond.style == tbondstyle::hashed;
}

/// The atom at the narrow end of a wedged or hashed bond.
const tatm* narrowend(const tbond& bond) {
  return bond.wideend == 1 ? bond.atom2 : bond.atom1;
}

bool isflat(const tdrawing& drawing) {
  const double length = drawing.geometry().bondlength;
  const double scale = length > 0.0 ? angstromperbond / length : 1.0;
  return std::none_of(
      drawing.atoms.begin(), drawing.atoms.end(), [scale](const tatm* atom) {
        return atom->ischemical() && std::abs(atom->z) * scale > flatdepth;
      });
}

/// Puts the bonded hydrogens of a centre on the page's free side, or along
/// their wedge, at their bond length.
void placehydrogens(const tdrawing& drawing, const tstatedcentre& stated) {
  tatm& centre = *stated.centre;
  const double length = hydrogenlength(drawing, centre);
  for (tatm* hydrogen : stated.neighbours) {
    if (hydrogen == nullptr || hydrogen->element != 1) {
      continue;
    }
    TXYZ direction{};
    for (const tbond* bond : drawing.bondsof(&centre)) {
      if (bond->other(&centre) == hydrogen && iswedged(*bond) &&
          narrowend(*bond) == &centre) {
        const TXYZ flat{hydrogen->x - centre.x, hydrogen->y - centre.y, 0.0};
        direction =
            unit(plus(flat, {0.0, 0.0,
                             (bond->style == tbondstyle::wedge ? 1.0 : -1.0) *
                                 liftratio * norm(flat)}));
      }
    }
    if (norm(direction) == 0.0) {
      TXYZ sum{};
      for (const tatm* other : stated.neighbours) {
        if (other != nullptr && other != hydrogen) {
          sum = plus(sum, unit(minus(pointof(*other), pointof(centre))));
        }
      }
      direction = norm(sum) > 1e-6 ? times(unit(sum), -1.0) : TXYZ{0, 0, -1};
    }
    const TXYZ place = plus(pointof(centre), times(direction, length));
    hydrogen->x = place.x;
    hydrogen->y = place.y;
    hydrogen->z = place.z;
  }
}

/// Turns the wedged and hashed neighbours of a centre nearly upright above
/// or below it, at their distance on the page.
void standup(const tdrawing& drawing, const tstatedcentre& stated) {
  tatm& centre = *stated.centre;
  for (const tbond* bond : drawing.bondsof(&centre)) {
    tatm* other = bond->other(&centre);
    if (other == nullptr || other->element == 1 || !iswedged(*bond) ||
        narrowend(*bond) != &centre) {
      continue;
    }
    const TXYZ flat{other->x - centre.x, other->y - centre.y, 0.0};
    const double length = norm(flat);
    const double side = bond->style == tbondstyle::wedge ? 1.0 : -1.0;
    const TXYZ place = plus(
        pointof(centre),
        times(unit(plus(times(flat, 0.3 / length), {0.0, 0.0, side})), length));
    other->x = place.x;
    other->y = place.y;
    other->z = place.z;
  }
}

/// Gives a flat drawing the depth its wedges state; returns the number of
/// centres whose sense it could not build.
int liftstereo(tdrawing& drawing, const tstatedstereo& stereo) {
  std::unordered_map<tatm*, double> depth;
  for (const tstatedcentre& stated : stereo.centres) {
    for (const tbond* bond : drawing.bondsof(stated.centre)) {
      tatm* other = bond->other(stated.centre);
      if (other == nullptr || !iswedged(*bond) ||
          narrowend(*bond) != stated.centre) {
        continue;
      }
      const double flat =
          std::hypot(other->x - stated.centre->x, other->y - stated.centre->y);
      depth[other] +=
          (bond->style == tbondstyle::wedge ? 1.0 : -1.0) * liftratio * flat;
    }
  }
  for (const auto& [atom, dz] : depth) {
    atom->z += dz;
  }
  const double step = 0.5 * drawing.geometry().bondlength;
  for (const tstatedcentre& stated : stereo.centres) {
    placehydrogens(drawing, stated);
  }
  // Moving one centre moves a neighbour of the next: a few rounds let
  // neighbouring centres settle together.
  for (int round = 0; round < 3; ++round) {
    for (const tstatedcentre& stated : stereo.centres) {
      const double z = stated.centre->z;
      // The picture may leave the sense to the centre's own place (three
      // neighbours on the page around a hydrogen drawn as a line, a
      // ring-fusion atom): try it on either side of its neighbours. Four
      // bonds drawn as a cross on the page are no tetrahedron whatever the
      // centre's height: then the wedged neighbours stand up first.
      for (int attempt = 0; attempt < 2 && holds(stated) != 1; ++attempt) {
        if (attempt == 1) {
          standup(drawing, stated);
        }
        for (double shift : {0.0, 1.0, -1.0, 2.0, -2.0}) {
          stated.centre->z = z + shift * step;
          placehydrogens(drawing, stated);
          if (holds(stated) == 1) {
            break;
          }
        }
      }
      if (holds(stated) != 1) {
        stated.centre->z = z;
        placehydrogens(drawing, stated);
      }
    }
  }
  int unbuilt = 0;
  for (const tstatedcentre& stated : stereo.centres) {
    unbuilt += holds(stated) == 1 ? 0 : 1;
  }
  // Substituents lifted off the page by the wedges of their own centres
  // can twist a stated double bond between them until its side is lost:
  // its ends then follow them to their height.
  for (const tstatedbond& stated : stereo.doublebonds) {
    if (holds(stated) == 1) {
      continue;
    }
    const std::array<tatm*, 2> ends{stated.end1, stated.end2};
    std::array<double, 2> was{};
    for (std::size_t k = 0; k < 2; ++k) {
      was[k] = ends[k]->z;
      double sum = 0.0;
      int count = 0;
      for (const tbond* bond : drawing.bondsof(ends[k])) {
        const tatm* other = bond->other(ends[k]);
        if (other != nullptr && other != ends[1 - k] && other->ischemical()) {
          sum += other->z;
          ++count;
        }
      }
      if (count > 0) {
        ends[k]->z = sum / count;
      }
    }
    int broken = 0;
    for (const tstatedcentre& centre : stereo.centres) {
      broken += holds(centre) == 1 ? 0 : 1;
    }
    if (holds(stated) != 1 || broken > unbuilt) {
      ends[0]->z = was[0];
      ends[1]->z = was[1];
    }
  }
  return unbuilt;
}

/// The volume the centre's neighbour directions span, negative when they
/// run anticlockwise. With the drawing given, the directions are those of
/// the flat picture, raised by wedges and lowered by hashes that start at
/// the centre; otherwise those of the coordinates.
double sensevolume(const tstatedcentre& centre, const tdrawing* flat) {
  std::array<TXYZ, 4> directions{};
  TXYZ sum{};
  int missing = -1;
  for (std::size_t k = 0; k < 4; ++k) {
    const tatm* neighbour = centre.neighbours[k];
    if (neighbour == nullptr) {
      if (missing >= 0) {
        return 0.0;
      }
      missing = static_cast<int>(k);
      continue;
    }
    TXYZ along = upwards(*centre.centre, *neighbour);
    if (flat != nullptr) {
      const double length = std::hypot(along.x, along.y);
      if (!(length > 0.0)) {
        return 0.0;
      }
      double lift = 0.0;
      for (const tbond* bond : flat->bondsof(centre.centre)) {
        if (bond->other(centre.centre) == neighbour && iswedged(*bond) &&
            narrowend(*bond) == centre.centre) {
          lift = bond->style == tbondstyle::wedge ? 1.0 : -1.0;
        }
      }
      directions[k] = {along.x / length, along.y / length, lift};
    } else {
      if (!(norm(along) > 0.0)) {
        return 0.0;
      }
      directions[k] = unit(along);
    }
    sum = plus(sum, directions[k]);
  }
  if (missing >= 0) {
    directions[static_cast<std::size_t>(missing)] = times(sum, -1.0);
  }
  const TXYZ a = minus(directions[1], directions[0]);
  const TXYZ b = minus(directions[2], directions[0]);
  const TXYZ c = minus(directions[3], directions[0]);
  return dot(a, cross(b, c));
}

/// A centre the perception leaves out because two of its substituents are
/// alike on their own (the fusion atoms of decalin, the ring carbons of a
/// 1,2-disubstituted cyclohexane), which the drawing still states: wedged
/// in a flat drawing, marked stated in a model. Keeping an achiral centre
/// as drawn changes nothing, so no symmetry test is needed.
std::optional<tstatedcentre> relativecentre(const tdrawing& drawing, tatm& atom,
                                            bool flat) {
  std::vector<tatm*> around;
  bool wedged = false;
  for (const tbond* bond : drawing.bondsof(&atom)) {
    tatm* other = bond->other(&atom);
    if (bond->chemical == 0 || other == nullptr || !other->ischemical()) {
      continue;
    }
    if (bond->kind() != 2) {
      return std::nullopt;
    }
    wedged = wedged || (iswedged(*bond) && narrowend(*bond) == &atom);
    around.push_back(other);
  }
  const std::size_t total = around.size() + static_cast<std::size_t>(std::max(
                                                0, atom.implicithydrogens()));
  if ((flat && !wedged) || (!flat && atom.stereomark != tstereomark::stated) ||
      around.size() < 3 || around.size() > 4 || total != 4) {
    return std::nullopt;
  }
  tstatedcentre centre;
  centre.centre = &atom;
  std::size_t slot = around.size() == 3 ? 1 : 0;
  for (tatm* other : around) {
    centre.neighbours[slot++] = other;
  }
  const double volume = sensevolume(centre, flat ? &drawing : nullptr);
  if (!(std::abs(volume) >= 1e-3)) {
    return std::nullopt;
  }
  centre.anticlockwise = volume < 0.0;
  return centre;
}

std::string counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

tstatedstereo statedstereo(const tdrawing& drawing) {
  const tmoleculerecord record = recordofdrawing(drawing);
  const tchemicalview view = chemicalview(drawing);
  const trecordstereo found = perceivestereo(record);
  auto atomat = [&view](int position) -> tatm* {
    return position >= 0 ? view.atoms[static_cast<std::size_t>(position)]
                         : nullptr;
  };
  tstatedstereo stereo;
  for (const ttetrahedralstereo& centre : found.centres) {
    tstatedcentre stated;
    stated.centre = atomat(centre.centre);
    if (stated.centre->stereomark == tstereomark::unstated) {
      continue;
    }
    for (std::size_t k = 0; k < 4; ++k) {
      stated.neighbours[k] = atomat(centre.neighbours[k]);
    }
    stated.anticlockwise = centre.anticlockwise;
    stereo.centres.push_back(stated);
  }
  std::unordered_set<const tatm*> listed;
  for (const tstatedcentre& centre : stereo.centres) {
    listed.insert(centre.centre);
  }
  const bool flat = isflat(drawing);
  for (tatm* atom : view.atoms) {
    if (atom->stereomark != tstereomark::unstated && !listed.contains(atom) &&
        std::none_of(found.centres.begin(), found.centres.end(),
                     [&](const ttetrahedralstereo& centre) {
                       return atomat(centre.centre) == atom;
                     })) {
      if (auto centre = relativecentre(drawing, *atom, flat)) {
        stereo.centres.push_back(*centre);
      }
    }
  }
  for (const tdoublebondstereo& bond : found.doublebonds) {
    const tbondentry& entry = record.bonds[static_cast<std::size_t>(bond.bond)];
    tstatedbond stated;
    stated.bond = view.bonds[static_cast<std::size_t>(bond.bond)];
    if (stated.bond->stereomark == tstereomark::unstated) {
      continue;
    }
    stated.end1 = atomat(entry.atom1);
    stated.end2 = atomat(entry.atom2);
    stated.neighbour1 = atomat(bond.neighbour1);
    stated.neighbour2 = atomat(bond.neighbour2);
    stated.cis = bond.cis;
    stereo.doublebonds.push_back(stated);
  }
  return stereo;
}

void markstereo(tdrawing& drawing, const tstatedstereo& stereo) {
  std::unordered_set<const void*> stated;
  for (const tstatedcentre& centre : stereo.centres) {
    stated.insert(centre.centre);
  }
  for (const tstatedbond& bond : stereo.doublebonds) {
    stated.insert(bond.bond);
  }
  for (tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      atom->stereomark =
          stated.contains(atom) ? tstereomark::stated : tstereomark::unstated;
    }
  }
  for (tbond* bond : drawing.bonds) {
    if (bond->chemical != 0 && bond->kind() == 4) {
      bond->stereomark =
          stated.contains(bond) ? tstereomark::stated : tstereomark::unstated;
    }
  }
}

std::array<TXYZ, 4> idealdirections(bool anticlockwise) {
  const double r = std::sqrt(8.0) / 3.0;
  std::array<TXYZ, 4> d{TXYZ{0.0, 0.0, 1.0}};
  for (std::size_t k = 1; k < 4; ++k) {
    const double turn =
        static_cast<double>(k - 1) * 2.0 * std::numbers::pi / 3.0;
    d[k] = {r * std::cos(turn), r * std::sin(turn), -1.0 / 3.0};
  }
  const double volume =
      dot(minus(d[1], d[0]), cross(minus(d[2], d[0]), minus(d[3], d[0])));
  if ((volume < 0.0) != anticlockwise) {
    std::swap(d[2], d[3]);
  }
  return d;
}

int holds(const tstatedcentre& centre) {
  const double volume = sensevolume(centre, nullptr);
  if (!(std::abs(volume) >= 1e-3)) {
    return 0;
  }
  return (volume < 0.0) == centre.anticlockwise ? 1 : -1;
}

int holds(const tstatedbond& bond) {
  const TXYZ axis = minus(pointof(*bond.end2), pointof(*bond.end1));
  const double length = norm(axis);
  if (!(length > 0.0)) {
    return 0;
  }
  auto across = [&axis, length](const tatm& substituent, const tatm& end) {
    const TXYZ d = minus(pointof(substituent), pointof(end));
    return minus(d, times(axis, dot(d, axis) / (length * length)));
  };
  const TXYZ p = across(*bond.neighbour1, *bond.end1);
  const TXYZ q = across(*bond.neighbour2, *bond.end2);
  const double np = norm(p);
  const double nq = norm(q);
  if (!(np >= 0.05 * length) || !(nq >= 0.05 * length)) {
    return 0;
  }
  const double cosine = dot(p, q) / (np * nq);
  if (!(std::abs(cosine) >= 0.1)) {
    return 0;
  }
  return (cosine > 0.0) == bond.cis ? 1 : -1;
}

namespace {

/// Whether a centre holds seen whole and seen with each neighbour left out
/// in turn (standing in, as an implicit hydrogen does, away from the
/// others): a run stopped mid-way can leave the centre itself pushed
/// through the plane of three neighbours while the four still give the
/// stated sense, and that model is not the stated stereoisomer either.
bool holdsfromeveryside(const tstatedcentre& centre) {
  if (holds(centre) != 1) {
    return false;
  }
  for (std::size_t k = 0; k < centre.neighbours.size(); ++k) {
    if (centre.neighbours[k] == nullptr) {
      return true;
    }
  }
  for (std::size_t k = 0; k < centre.neighbours.size(); ++k) {
    tstatedcentre view = centre;
    view.neighbours[k] = nullptr;
    if (holds(view) != 1) {
      return false;
    }
  }
  return true;
}

}  // namespace

int unheldstereo(const tstatedstereo& stereo, bool everyside) {
  int count = 0;
  for (const tstatedcentre& centre : stereo.centres) {
    const bool held =
        everyside ? holdsfromeveryside(centre) : holds(centre) == 1;
    count += held ? 0 : 1;
  }
  for (const tstatedbond& bond : stereo.doublebonds) {
    count += holds(bond) == 1 ? 0 : 1;
  }
  return count;
}

std::vector<unsigned char> stereoholdings(const tstatedstereo& stereo) {
  std::vector<unsigned char> held;
  held.reserve(stereo.centres.size() + stereo.doublebonds.size());
  for (const tstatedcentre& centre : stereo.centres) {
    held.push_back(holds(centre) != 1 ? 0 : holdsfromeveryside(centre) ? 2 : 1);
  }
  for (const tstatedbond& bond : stereo.doublebonds) {
    held.push_back(holds(bond) == 1 ? 1 : 0);
  }
  return held;
}

int lostsince(const tstatedstereo& stereo,
              const std::vector<unsigned char>& before) {
  const std::vector<unsigned char> now = stereoholdings(stereo);
  int lost = 0;
  for (std::size_t i = 0; i < now.size() && i < before.size(); ++i) {
    lost += now[i] < before[i] ? 1 : 0;
  }
  return lost;
}

double hydrogenlength(const tdrawing& drawing, const tatm& atom) {
  return drawing.geometry().bondlength *
         (radiusof(1) + radiusof(atom.element)) / companionangstromperbond;
}

tstereopreparation preparestereo(tdrawing& drawing) {
  tstereopreparation result;
  const bool flat = isflat(drawing);
  result.stated = statedstereo(drawing);
  markstereo(drawing, result.stated);
  if (!flat) {
    return result;
  }
  std::unordered_set<const tatm*> centres;
  for (const tstatedcentre& centre : result.stated.centres) {
    centres.insert(centre.centre);
  }
  std::size_t idle = 0;
  for (const tbond* bond : drawing.bonds) {
    if (bond->chemical != 0 && iswedged(*bond) &&
        !centres.contains(narrowend(*bond))) {
      ++idle;
    }
  }
  const int unbuilt = liftstereo(drawing, result.stated);
  if (idle > 0) {
    result.warning +=
        counted(idle, "wedged or hashed bond states no centre and was",
                "wedged or hashed bonds state no centre and were") +
        " left as drawn.";
  }
  if (unbuilt > 0) {
    result.warning += std::string(result.warning.empty() ? "" : " ") +
                      counted(static_cast<std::size_t>(unbuilt),
                              "stereo centre", "stereo centres") +
                      " could not be built as drawn.";
  }
  return result;
}

}  // namespace molvane

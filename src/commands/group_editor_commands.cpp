// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/group_editor_commands.h"

#include "chemistry/hybridization.h"
#include "chemistry/hydrogens.h"
#include "commands/editor_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "document/structure.h"
#include "model/bond.h"
#include "model/font.h"
#include "model/formula.h"
#include "model/rotation.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <unordered_set>
#include <vector>

namespace molvane {

namespace {

constexpr int cloneclearance = 10;
constexpr std::uint8_t slidingmark = 1;

double squared(double dx, double dy) { return dx * dx + dy * dy; }

TXYZ positionof(const tatm& atom) { return {atom.x, atom.y, atom.z}; }

/// Turns every atom of the group by degrees about the line of bond,
/// through its first atom, from the current coordinates. A bond without
/// length turns nothing.
void turnaboutbond(tStructure& group, const tbond& bond, double degrees) {
  const TXYZ origin = positionof(*bond.atom1);
  const TXYZ end = positionof(*bond.atom2);
  const tmatrix3 turn = axisrotationmatrix(
      {end.x - origin.x, end.y - origin.y, end.z - origin.z}, degrees);
  for (tatm* atom : group.atoms) {
    const TXYZ turned = turnpoint(turn, origin, positionof(*atom));
    atom->x = turned.x;
    atom->y = turned.y;
    atom->z = turned.z;
  }
}

/// The axis of slider 1, 2, 3: z, y, x.
int axisofslider(int slider) { return 4 - slider; }

void setmarks(tdrawing& drawing, tStructure& group, std::uint8_t value) {
  group.setmarkall(value);
  for (tbond* bond : group.bonds) {
    bond->mark = value;
  }
  drawing.mark = value;
}

bool holdsstructure(const tdrawing& drawing, const tStructure* structure) {
  return structure != nullptr && drawing.structures.contains(structure);
}

}  // namespace

int groupdrawmode(int drawmode) {
  return drawmode == 0 || drawmode == 7 || drawmode == 12 ? 0 : 20;
}

void setgroupcolour(tStructure& structure, std::uint32_t colour) {
  structure.atoms.setcolourall(colour);
  structure.bonds.setcolourall(colour);
}

void colourstructures(tdrawing& drawing, std::uint32_t colour) {
  for (tStructure* structure : drawing.structures) {
    setgroupcolour(*structure, colour);
  }
}

void tsavedcolours::save(const tdrawing& drawing) {
  atoms_.clear();
  bonds_.clear();
  for (const tatm* atom : drawing.atoms) {
    atoms_.emplace(atom, atom->colour);
  }
  for (const tbond* bond : drawing.bonds) {
    bonds_.emplace(bond, bond->colour);
  }
}

void tsavedcolours::restore(tdrawing& drawing) const {
  for (tatm* atom : drawing.atoms) {
    const auto saved = atoms_.find(atom);
    atom->colour = saved == atoms_.end() ? 0 : saved->second;
  }
  for (tbond* bond : drawing.bonds) {
    const auto saved = bonds_.find(bond);
    bond->colour = saved == bonds_.end() ? 0 : saved->second;
  }
}

tStructure* nearestgroup(const tdrawing& drawing, double x, double y) {
  tStructure* nearest = nullptr;
  double best = 0.0;
  for (tStructure* structure : drawing.structures) {
    if (structure->atoms.empty()) {
      continue;
    }
    const TXYZ centre = structure->atoms.centroid3();
    const double d = squared(centre.x - x, centre.y - y);
    if (nearest == nullptr || d < best) {
      nearest = structure;
      best = d;
    }
  }
  return nearest;
}

TXYZ groupcentre(const tStructure& group) { return group.atoms.centroid3(); }

void refreshgroup(tdrawing& drawing, tStructure& group) {
  group.atoms.updatescreen();
  const std::unordered_set<const tatm*> members(group.atoms.begin(),
                                                group.atoms.end());
  // Bonds from the group to the rest of the drawing move with it too.
  for (tbond* bond : drawing.bonds) {
    if (members.contains(bond->atom1) || members.contains(bond->atom2)) {
      bond->calcoffsets();
    }
  }
}

void takegroupreference(tdrawing& drawing, tStructure& group) {
  for (tatm* atom : group.atoms) {
    atom->commit();
  }
  refreshgroup(drawing, group);
}

tStructure* selectrectangle(tdrawing& drawing, int left, int top, int right,
                            int bottom) {
  auto selection = std::make_unique<tStructure>();
  std::unordered_set<const tatm*> inside;
  for (tatm* atom : drawing.atoms) {
    if (atom->kind != symbolpointkind && atom->sx > left && atom->sx < right &&
        atom->sy > top && atom->sy < bottom) {
      selection->atoms.add(atom);
      inside.insert(atom);
    }
  }
  if (inside.empty()) {
    return nullptr;
  }
  for (tbond* bond : drawing.bonds) {
    if (bond->chemical != 0 && inside.contains(bond->atom1) &&
        inside.contains(bond->atom2)) {
      selection->bonds.add(bond);
    }
  }
  auto same = [&selection](const tStructure& structure) {
    return structure.atoms.countchemical() ==
               selection->atoms.countchemical() &&
           structure.bonds.count() == selection->bonds.count() &&
           std::equal(selection->atoms.begin(), selection->atoms.end(),
                      structure.atoms.begin(), structure.atoms.end()) &&
           std::equal(selection->bonds.begin(), selection->bonds.end(),
                      structure.bonds.begin(), structure.bonds.end());
  };
  for (int i = drawing.structures.count() - 1; i >= 0; --i) {
    tStructure* structure = drawing.structures.items(i);
    if (same(*structure)) {
      return structure;
    }
  }
  selection->setgeometry(drawing.geometry());
  return drawing.mergestructure(std::move(selection));
}

void movegroupto(tdrawing& drawing, tStructure& group, double x, double y) {
  group.movecentroidto(x, y);
  refreshgroup(drawing, group);
}

void turngroup(tdrawing& drawing, tStructure& group, tslidermode mode,
               const tgrouppivot& pivot, int axis, double degrees,
               double finefactor) {
  if (mode == tslidermode::atom) {
    if (pivot.atom == nullptr || !group.hasatom(pivot.atom)) {
      return;
    }
    group.rotateaxis(axis, degrees * finefactor, positionof(*pivot.atom));
  } else if (mode == tslidermode::bond && axis == 3) {
    if (pivot.bond == nullptr || !group.bonds.contains(pivot.bond)) {
      return;
    }
    turnaboutbond(group, *pivot.bond, degrees);
  } else {
    group.rotateaxis(axis, degrees, groupcentre(group));
  }
  takegroupreference(drawing, group);
}

void zoomgroup(tdrawing& drawing, tStructure& group, double factor) {
  const TXYZ centre = group.atoms.referencecentroid3();
  group.atoms.scaleabout(centre.x, centre.y, centre.z, factor);
  takegroupreference(drawing, group);
}

void invertgroup(tdrawing& drawing, tStructure& group) {
  const TXYZ centre = groupcentre(group);
  for (tatm* atom : group.atoms) {
    if (atom->ischemical()) {
      atom->x = 2.0 * centre.x - atom->x;
      atom->y = 2.0 * centre.y - atom->y;
      atom->z = 2.0 * centre.z - atom->z;
    }
  }
  takegroupreference(drawing, group);
}

void reflectgroup(tdrawing& drawing, tStructure& group, int axis) {
  group.atoms.mirror(axis);
  takegroupreference(drawing, group);
}

void tgroupslider::slide(tdrawing& drawing, tStructure& group,
                         const tgrouppivot& pivot, int slider, int position) {
  if (slider < 1 || slider > 3) {
    return;
  }
  setmarks(drawing, group, slidingmark);
  const int axis = axisofslider(slider);
  switch (mode) {
    case tslidermode::atom:
      if (pivot.atom != nullptr && group.hasatom(pivot.atom)) {
        group.rotateaxis(axis, position * finefactor,
                         {pivot.atom->x0, pivot.atom->y0, pivot.atom->z0},
                         true);
      }
      break;
    case tslidermode::rotate:
      group.rotateaxis(axis, position * finefactor,
                       group.atoms.referencecentroid3(), true);
      break;
    case tslidermode::bond:
      if (slider == 1 && pivot.bond != nullptr &&
          group.bonds.contains(pivot.bond)) {
        turnaboutbond(group, *pivot.bond, position - lastbondangle);
        lastbondangle = position;
      }
      break;
    case tslidermode::zoom:
      if (slider == 1) {
        const TXYZ centre = group.atoms.referencecentroid3();
        group.atoms.scaleabout(centre.x, centre.y, centre.z,
                               1.0 - position * 0.01);
      }
      break;
  }
  refreshgroup(drawing, group);
}

void tgroupslider::release(tdrawing& drawing, tStructure& group) {
  lastbondangle = 0;
  setmarks(drawing, group, 0);
  takegroupreference(drawing, group);
}

tsliderrange sliderrange(tslidermode mode, bool fine) {
  switch (mode) {
    case tslidermode::atom:
    case tslidermode::rotate:
      return {fine ? 30 : 180, true};
    case tslidermode::bond:
      return {fine ? 30 : 180, false};
    case tslidermode::zoom:
      return {fine ? 10 : 50, false};
  }
  return {};
}

tStructure* clonegroup(tdrawing& drawing, const tStructure& group) {
  const int right = rightedge(drawing);
  std::unique_ptr<tStructure> copy = drawing.copystructure(group);
  setgroupcolour(*copy, 0);
  // The copy stands apart: the valence its originals gave to bonds
  // leaving the group is free again.
  const std::unordered_set<const tbond*> inner(group.bonds.begin(),
                                               group.bonds.end());
  for (int i = 0; i < group.atoms.count(); ++i) {
    const tatm* original = group.atoms.items(i);
    tatm* twin = copy->atoms.items(i);
    int freed = 0;
    for (const tbond* bond : drawing.bondsof(original)) {
      if (!inner.contains(bond)) {
        freed += bond->kind();
      }
    }
    if (freed != 0) {
      twin->valence2 = saturatedbyte(twin->valence2 + freed);
      twin->refreshhfree();
    }
  }
  copy->translate(right + cloneclearance - copy->atoms.minx(), 0.0, 0.0);
  for (tatm* atom : copy->atoms) {
    atom->commit();
  }
  tStructure* placed = drawing.mergestructure(std::move(copy));
  refreshgroup(drawing, *placed);
  return placed;
}

void deletegroup(tdrawing& drawing, tStructure* group) {
  if (!holdsstructure(drawing, group)) {
    return;
  }
  const std::vector<tatm*> doomed(group->atoms.begin(), group->atoms.end());
  drawing.deletestructure(group);
  for (tatm* atom : doomed) {
    drawing.removeatom(atom);
  }
  std::vector<tStructure*> empty;
  for (tStructure* structure : drawing.structures) {
    if (structure->atoms.empty()) {
      empty.push_back(structure);
    }
  }
  for (tStructure* structure : empty) {
    drawing.deletestructure(structure);
  }
  labelloneatoms(drawing);
}

tStructure* fusegroup(tdrawing& drawing, tStructure* group) {
  if (!holdsstructure(drawing, group)) {
    return nullptr;
  }
  auto fused = std::make_unique<tStructure>();
  fused->setgeometry(drawing.geometry());
  std::unordered_set<const tatm*> members;
  for (tatm* atom : group->atoms) {
    if (atom->ischemical()) {
      fused->atoms.add(atom);
      members.insert(atom);
    }
  }
  for (tbond* bond : drawing.bonds) {
    if (bond->chemical != 0 && members.contains(bond->atom1) &&
        members.contains(bond->atom2)) {
      fused->bonds.add(bond);
    }
  }
  std::vector<tStructure*> absorbed{group};
  for (tStructure* structure : drawing.structures) {
    if (structure != group && !structure->atoms.empty() &&
        std::all_of(
            structure->atoms.begin(), structure->atoms.end(),
            [&members](const tatm* atom) { return members.contains(atom); })) {
      absorbed.push_back(structure);
    }
  }
  for (tStructure* structure : absorbed) {
    drawing.deletestructure(structure);
  }
  return drawing.mergestructure(std::move(fused));
}

void numbergroup(tdrawing& drawing, tStructure& group, tnumbering numbering,
                 int nmrelement) {
  const bool numbered =
      group.atoms.countchemical() > 0 &&
      std::all_of(group.atoms.begin(), group.atoms.end(), [](const tatm* a) {
        return !a->ischemical() || a->number != 0;
      });
  group.atoms.clearnumbers();
  if (numbered) {
    return;
  }
  int next = 0;
  if (numbering == tnumbering::group) {
    next = drawing.atoms.maxnumber();
  }
  for (int i = 0; i < group.atoms.count(); ++i) {
    tatm* atom = group.atoms.items(i);
    if (!atom->ischemical()) {
      continue;
    }
    switch (numbering) {
      case tnumbering::drawing:
        atom->number = static_cast<std::uint16_t>(i + 1);
        break;
      case tnumbering::group:
        atom->number = static_cast<std::uint16_t>(++next);
        break;
      case tnumbering::nmr:
        if (nmrelement > 0 &&
            (atom->element == nmrelement ||
             (nmrelement == 1 && atom->implicithydrogens() >= 1))) {
          atom->number = static_cast<std::uint16_t>(++next);
        }
        break;
      case tnumbering::user:
        break;
    }
  }
}

void numberbyhand(tStructure& group, tatm& atom) {
  const int number = atom.number;
  if (number == 0) {
    atom.number = static_cast<std::uint16_t>(group.atoms.maxnumber() + 1);
    return;
  }
  atom.number = 0;
  for (tatm* other : group.atoms) {
    if (other->number > number) {
      --other->number;
    }
  }
}

void cyclegrouplines(tStructure& group) {
  tbond* first = group.bonds.items(0);
  if (first == nullptr) {
    return;
  }
  const int width = first->width >= 4 ? 1 : std::max(first->width + 1, 1);
  for (tbond* bond : group.bonds) {
    bond->setwidth(width);
  }
}

void setgroupfont(tStructure& group, const fontrecord& font) {
  for (tatm* atom : group.atoms) {
    atom->setfont(font);
  }
}

tStructure* setgroupringstyle(tdrawing& drawing, tStructure* group,
                              int picture) {
  if (!holdsstructure(drawing, group) || picture < 1 || picture > 3) {
    return group;
  }
  if (picture == 2) {
    group->ringstyle = 0;
    for (tbond* bond : group->bonds) {
      bond->style = tbondstyle::normal;
    }
    return group;
  }
  tStructure* fused = fusegroup(drawing, group);
  fused->ringstyle = picture == 1 ? 6 : 7;
  if (picture == 1) {
    for (tbond* bond : fused->bonds) {
      bond->style = tbondstyle::plain;
    }
  }
  return fused;
}

std::unique_ptr<tdrawing> ringstylesample(int picture, double x, double y) {
  auto drawing = std::make_unique<tdrawing>(session().settings);
  const double radius = drawing->bondlength;
  std::vector<tatm*> ring;
  for (int i = 0; i < 6; ++i) {
    const double angle = std::numbers::pi / 6.0 + i * std::numbers::pi / 3.0;
    ring.push_back(drawing->addatom(
        std::make_unique<tatm>(6, nolabel, x + radius * std::cos(angle),
                               y + radius * std::sin(angle))));
  }
  for (std::size_t i = 0; i < ring.size(); ++i) {
    drawing->addbond(std::make_unique<tbond>(ring[i], 0, tbondstyle::normal,
                                             i % 2 == 0 ? 4 : 2,
                                             ring[(i + 1) % ring.size()]));
  }
  tStructure* group = selectrectangle(
      *drawing, static_cast<int>(x - 2 * radius),
      static_cast<int>(y - 2 * radius), static_cast<int>(x + 2 * radius),
      static_cast<int>(y + 2 * radius));
  setgroupringstyle(*drawing, group, picture);
  return drawing;
}

int addgrouphydrogens(tdrawing& drawing, tStructure& group) {
  const int added = addhydrogens3d(drawing, &group);
  assignhybridization(drawing);
  takegroupreference(drawing, group);
  return added;
}

int removegrouphydrogens(tdrawing& drawing, tStructure& group) {
  const int removed = removehydrogens(drawing, &group);
  assignhybridization(drawing);
  return removed;
}

}  // namespace molvane

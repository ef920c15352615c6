// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

#include <array>
#include <string>
#include <vector>

namespace molvane {

class tatm;
class tbond;
class tdrawing;

/// A stereo centre of a drawing, in its own atoms.
struct tstatedcentre {
  tatm* centre = nullptr;
  /// Neighbours in the order the sense refers to; null for the centre's
  /// implicit hydrogen or lone pair (its direction points away from the
  /// other bonds).
  std::array<tatm*, 4> neighbours{};
  /// Seen from neighbours[0], the other three run anticlockwise (with y
  /// pointing up the page and z towards the viewer).
  bool anticlockwise = true;
};

/// A double bond with a stated geometry, in the drawing's own atoms.
struct tstatedbond {
  tbond* bond = nullptr;
  /// The bond's ends and a substituent of each.
  tatm* end1 = nullptr;
  tatm* end2 = nullptr;
  tatm* neighbour1 = nullptr;
  tatm* neighbour2 = nullptr;
  bool cis = false;
};

struct tstatedstereo {
  std::vector<tstatedcentre> centres;
  std::vector<tstatedbond> doublebonds;
  bool empty() const { return centres.empty() && doublebonds.empty(); }
};

/// The stereo the drawing states, read by the one stereo perception:
/// centres from wedges and hashes of a flat drawing, from the coordinates
/// of a model with depth; double bonds from their geometry. Atoms and bonds
/// marked unstated are left out.
tstatedstereo statedstereo(const tdrawing& drawing);

/// Marks the centres and double bonds of stereo as stated and every other
/// chemical atom and double bond as unstated.
void markstereo(tdrawing& drawing, const tstatedstereo& stereo);

/// Directions of the four neighbour slots of an ideal tetrahedron with the
/// sense given (y up the page, z towards the viewer).
std::array<TXYZ, 4> idealdirections(bool anticlockwise);

/// Whether the coordinates hold a centre's sense or a bond's geometry: 1
/// held, -1 the other way round, 0 undefined (flat, atoms on top of each
/// other).
int holds(const tstatedcentre& centre);
int holds(const tstatedbond& bond);
/// How many centres and double bonds of stereo the coordinates do not hold.
/// With `everyside`, a centre also counts as unheld when the centre atom
/// itself has been pushed through the plane of three of its neighbours
/// (the test after a run; a lifted start may not pass it yet).
int unheldstereo(const tstatedstereo& stereo, bool everyside = false);
/// What the coordinates hold of each stated centre, then of each stated
/// double bond: 0 nothing, 1 its sense, 2 its sense from every side too
/// (centres only).
std::vector<unsigned char> stereoholdings(const tstatedstereo& stereo);
/// How many centres and double bonds are held less than `before` (from
/// stereoholdings of the same stereo) recorded: one that held from every
/// side must still, one that held its sense must not be turned over. A
/// count of the unheld alone misses one centre turned over while another
/// was straightened.
int lostsince(const tstatedstereo& stereo,
              const std::vector<unsigned char>& before);

/// The length of a bond from atom to a hydrogen, in drawing units: the sum
/// of the covalent radii, scaled as the drawing's bond length is.
double hydrogenlength(const tdrawing& drawing, const tatm& atom);

/// What `preparestereo` did.
struct tstereopreparation {
  tstatedstereo stated;
  /// Sentences for the user, "" when nothing was wrong.
  std::string warning;
};

/// Readies a drawing for building in 3D. Marks the stereo it states as
/// stated and every other chemical atom and double bond as unstated; a flat
/// drawing then gets depth where it states a centre: wedged neighbours
/// above the page, hashed ones below, bonded hydrogens on the free side at
/// their bond length, and the centre moved out of the plane where the
/// picture leaves the sense to it. A wedge or hash that states no centre,
/// and a centre that cannot be built as drawn, give a warning.
tstereopreparation preparestereo(tdrawing& drawing);

}  // namespace molvane

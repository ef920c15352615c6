// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace molvane {

class tatm;
class tbond;
class tlink;
class tdrawing;
class tStructure;
struct fontrecord;

// The group editor works on one structure of a drawing (its "group"): it
// moves, turns, reflects, scales, clones, deletes, fuses, numbers and
// protonates it. Every transform reads and writes the model coordinates of
// the group's atoms; screen positions and the offsets of every bond that
// touches the group follow. None of these functions takes an undo copy.

/// The rest of the drawing while the editor is open, and the group.
inline constexpr std::uint32_t dimmedcolour = 0x777777;
inline constexpr std::uint32_t groupcolour = 0x7777FF;

inline constexpr const char* nogroupmessage = "No group selected";
inline constexpr const char* nobondstoselectmessage = "No Bonds to Select";

/// What a right click and the sliders act on.
enum class tslidermode { atom, bond, rotate, zoom };
/// How "Number" numbers the atoms.
enum class tnumbering { drawing, group, user, nmr };

/// The draw mode the editor shows a drawing in: normal (0) for the flat
/// modes 0, 7 and 12, 20 for every other one.
int groupdrawmode(int drawmode);

/// Colours the atoms and bonds of structure.
void setgroupcolour(tStructure& structure, std::uint32_t colour);
/// Colours every structure of drawing.
void colourstructures(tdrawing& drawing, std::uint32_t colour);

/// The colours of a drawing's atoms and bonds while the editor shows its
/// own: marked bonds and coloured atoms keep theirs once it closes.
class tsavedcolours {
 public:
  void save(const tdrawing& drawing);
  /// Atoms and bonds saved get their colour back; others get 0.
  void restore(tdrawing& drawing) const;

 private:
  std::unordered_map<const tatm*, std::uint32_t> atoms_;
  std::unordered_map<const tlink*, std::uint32_t> bonds_;
};

/// The structure of drawing whose centre is nearest to (x, y) in 2D (the
/// first on a tie); null when no structure has atoms.
tStructure* nearestgroup(const tdrawing& drawing, double x, double y);
/// The mean position of the group's chemical atoms (of all its atoms when
/// it has none).
TXYZ groupcentre(const tStructure& group);

/// Screen positions of the group's atoms and the offsets of every bond of
/// drawing with an end in the group follow the coordinates.
void refreshgroup(tdrawing& drawing, tStructure& group);
/// As refreshgroup, and the coordinates become the reference from which
/// slider turns and zooms start.
void takegroupreference(tdrawing& drawing, tStructure& group);

/// The rubber band: a structure of the chemical atoms strictly inside
/// the rectangle and the chemical bonds between them. A structure of
/// drawing with the same atoms and bonds in the same order (the last such)
/// is returned instead of a new one; a new one joins drawing's structures.
/// Null when no atom lies inside.
tStructure* selectrectangle(tdrawing& drawing, int left, int top, int right,
                            int bottom);

/// Drags the group so that its centre lands on (x, y).
void movegroupto(tdrawing& drawing, tStructure& group, double x, double y);

/// What the turns and zooms pivot on.
struct tgrouppivot {
  tatm* atom = nullptr;   ///< "Atom": the atom turns go through
  tbond* bond = nullptr;  ///< "Bond": the bond whose line turns go about
};

/// A button of the Rotate (axis 3), Turn (axis 2) or Tilt (axis 1) page:
/// "Atom" turns by degrees × finefactor about the axis through the pivot
/// atom; "Bond" on the Rotate page turns about the pivot bond's line
/// through its first atom; otherwise the turn goes through the centre.
void turngroup(tdrawing& drawing, tStructure& group, tslidermode mode,
               const tgrouppivot& pivot, int axis, double degrees,
               double finefactor);
/// Scales the group about its centre by factor, from the reference.
void zoomgroup(tdrawing& drawing, tStructure& group, double factor);
/// Every chemical atom p becomes 2c - p, c the centre.
void invertgroup(tdrawing& drawing, tStructure& group);
/// Reflects x (axis 1), y (2) or z (3) about the centre.
void reflectgroup(tdrawing& drawing, tStructure& group, int axis);

/// The editor's sliders (1 turns about z, or pivots, or zooms; 2 about y;
/// 3 about x). Turns and zooms are absolute, from the reference, so that
/// a drag ends at the geometry of its last position; "Bond" turns by the
/// step since lastbondangle, which then becomes position.
struct tgroupslider {
  tslidermode mode = tslidermode::rotate;
  double finefactor = 1.0;
  int lastbondangle = 0;

  void slide(tdrawing& drawing, tStructure& group, const tgrouppivot& pivot,
             int slider, int position);
  /// The slider let go: marks cleared, the step count starts again and
  /// the geometry becomes the reference.
  void release(tdrawing& drawing, tStructure& group);
};

/// The range of the sliders, -limit .. limit, and whether sliders 2 and 3
/// take part.
struct tsliderrange {
  int limit = 180;
  bool allsliders = true;
};
tsliderrange sliderrange(tslidermode mode, bool fine);

/// A copy of group (not highlighted) right of the drawing: its left edge
/// 10 pixels past the drawing's right edge. Returns the copy, which the
/// drawing holds.
tStructure* clonegroup(tdrawing& drawing, const tStructure& group);
/// Removes group's atoms with their bonds and the group itself from
/// drawing; structures left empty go too.
void deletegroup(tdrawing& drawing, tStructure* group);
/// Rebuilds group as one structure of its chemical atoms and the chemical
/// bonds of drawing between them; the old group and every other structure
/// whose atoms all belong to it go. Returns the new structure.
tStructure* fusegroup(tdrawing& drawing, tStructure* group);

/// "Number": a group whose chemical atoms all have numbers loses them;
/// otherwise the group is numbered afresh in list order: "Drawing" by
/// position in the group, "Group" after the highest number of the rest of
/// the drawing, "NMR" only the atoms of nmrelement (with hydrogen also
/// those with implicit hydrogens). "User" numbers by hand (numberbyhand).
void numbergroup(tdrawing& drawing, tStructure& group, tnumbering numbering,
                 int nmrelement);
/// A numbered atom loses its number and the higher ones of the group move
/// down by one; an unnumbered one gets the highest number of the group
/// plus one.
void numberbyhand(tStructure& group, tatm& atom);

/// "Line": the bonds of the group take the next width, 1 .. 4 and round.
void cyclegrouplines(tStructure& group);
/// Gives every atom of the group font.
void setgroupfont(tStructure& group, const fontrecord& font);
/// The Ring Style pictures 1 .. 3: fuse and ring style 6 (bonds style
/// 6); ring style 0 (bonds style 1); fuse and ring style 7. Returns the
/// group, which fusing replaces.
tStructure* setgroupringstyle(tdrawing& drawing, tStructure* group,
                              int picture);

/// A drawing of one benzene ring with alternating bonds, centred on
/// (x, y), as Ring Style picture 1 .. 3 leaves it: what the pictures show.
std::unique_ptr<tdrawing> ringstylesample(int picture, double x, double y);

/// Completes the group's hydrogens in 3D; returns how many were added.
int addgrouphydrogens(tdrawing& drawing, tStructure& group);
/// Removes the group's explicit hydrogens; returns how many went.
int removegrouphydrogens(tdrawing& drawing, tStructure& group);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace molvane {

class tatm;
class tbond;
class tdrawing;
class tlink;
class teditorstep;

/// The bond pictures of the bond editor carry the tags 1 .. 15.
inline constexpr int firstbondtag = 1;
inline constexpr int lastbondtag = 15;

/// The warning of a bond picture pressed while no bond is selected.
inline constexpr const char* nobondmessage = "No Bond Selected";

/// Applies bond picture tag (1 .. 15) to bond: its kind, style and wide
/// end, with the side of a double bond's second line chosen again. Returns
/// false (and changes nothing) for any other tag.
bool applybondtag(tlink& bond, int tag);

/// A bond picture pressed in the editor: with no bond of the current
/// drawing, warns nobondmessage and returns false. Otherwise takes the
/// undo snapshot (without the editor's colours), applies tag and
/// highlights the bond.
bool runbondtag(tbond* bond, int tag, teditorstep* step = nullptr);

/// "<|>": the second line of a double bond moves from the right (style 1,
/// side +1) to the left (side -1), then to the centre (style 4), then back
/// to the right. Returns false (nothing changes) for any other style and
/// side.
bool shiftsecondline(tlink& bond);

/// Takes the undo snapshot (without the editor's colours), clears every
/// colour and removes bond from the current drawing; its kind goes back to
/// the free valence of both ends, and every chemical atom left without a
/// bond shows its hydrogens. False (nothing changes) when the current
/// drawing does not hold bond.
/// With step, the change joins the editor's current undo step.
bool deletebond(tbond* bond, teditorstep* step = nullptr);

/// The undo snapshot of an editor's change: the undo copy keeps none of
/// the highlight colours of the current drawing. With step, a change that
/// joins the step's snapshot takes none; returns whether one was taken.
bool takeeditsnapshot(teditorstep* step = nullptr);

/// Every atom and chemical bond of drawing back to colour 0.
void clearcolours(tdrawing& drawing);

/// The end of bond nearer to (x, y); atom2 when both are equally near.
tatm* nearerend(const tlink& bond, double x, double y);

/// What the bond editor's slider does.
enum class tbondslider { pivot, rotate, zoom };

/// The slider's range and the position it rests at: -45 .. 45 degrees
/// resting at 0 to turn, 50 .. 150 resting at 100 to zoom.
struct tbondsliderrange {
  int minimum = 0;
  int maximum = 0;
  int rest = 0;
};
tbondsliderrange bondsliderrange(tbondslider function);

/// The slider at position while it is dragged. A turn ("Pivot" about
/// pivot, "Rotate" about the bond's midpoint) is shown by paint and then
/// undone exactly; a zoom scales the bond about its midpoint by
/// 100 / position of its reference length and stays. Zoom positions below
/// 1 change nothing.
void slidebond(tlink& bond, const tatm* pivot, tbondslider function,
               int position, const std::function<void()>& paint);

/// The slider let go at position: the turn or zoom of slidebond is kept
/// and becomes the bond's reference geometry. A turn by 0 leaves the
/// coordinates exactly as they were.
void releasebond(tlink& bond, const tatm* pivot, tbondslider function,
                 int position);

/// The editor's labels: the length in Angstrom with two decimals and "Å",
/// the strain (Morse) energy in kcal with two decimals and "Kcal".
std::string bondlengthtext(const tlink& bond);
std::string strainenergytext(tlink& bond);

/// The bond energy field's text as kcal: nullopt for text that is not a
/// finite number a 32-bit real holds.
std::optional<float> bondenergyvalue(std::string_view text);

}  // namespace molvane

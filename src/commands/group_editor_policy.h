// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/drawing_pointer.h"
#include "commands/drawing_settings.h"
#include "commands/group_editor_commands.h"
#include "model/font.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace molvane {

/// What an action of the group editor did, for its window to follow up.
enum class tgroupoutcome {
  none,     ///< nothing changed
  repaint,  ///< the picture changed, no undo step
  edited,   ///< an undo copy was taken: the drawing counts as modified
  closed,   ///< edited, and the editor closes (the group was deleted)
};

/// A right click: the pivot it picked, for the window to put the pointer
/// on, and what it did.
struct tgrouppick {
  tatm* atom = nullptr;
  tbond* bond = nullptr;
  tgroupoutcome outcome = tgroupoutcome::none;
};

/// The group editor apart from its window, on the current drawing of the
/// session: its group and pivots, the draw mode and colours it swaps in
/// while open, the one undo copy each edit, drag or scroll takes (with the
/// drawing as it looks outside the editor), and the numbered buttons.
/// Messages go through the session's messages.
class tgroupeditor {
 public:
  /// The group, pivot atom and pivot bond; null when there is none or the
  /// current drawing no longer holds it.
  tStructure* group() const;
  tatm* pivotatom() const;
  tbond* pivotbond() const;
  tgrouppivot pivot() const { return {pivotatom(), pivotbond()}; }
  bool isopen() const { return opened_; }
  const tgroupslider& slider() const { return slider_; }

  /// Swaps in the editor's draw mode, keeps the drawing's colours and dims
  /// it; the sliders go back to Rotate, coarse. True when it was closed
  /// before; an open editor stays as it is.
  bool open();
  /// Makes structure the group: the pivot bond becomes its first bond, and
  /// so does the pivot atom its first atom in "Atom" mode or when
  /// pivotfirstatom. The group is highlighted, the rest keeps its colours.
  void select(tStructure& structure, bool pivotfirstatom = false);
  /// "Done": draw mode and colours as they were (unless another drawing
  /// replaced the one opened on), no group.
  void done();

  /// The right click at (x, y): "User" numbering numbers by hand; otherwise
  /// "Atom" and "Bond" pick the pivot in the group (a warning without a
  /// group, or without a bond near), "Rotate" and "Zoom" the nearest group.
  tgrouppick pickat(double x, double y, tnumbering numbering);

  /// "Atom" mode starts at the group's first atom; the sliders start over.
  void setslidermode(tslidermode mode);
  void setfine(bool fine) { slider_.finefactor = fine ? 0.5 : 1.0; }

  /// The undo copy, taken with the colours and draw mode the drawing has
  /// outside the editor; the group stays highlighted.
  void snapshot();
  /// Runs change on the group as one undo step and highlights the group;
  /// none without a group.
  tgroupoutcome edit(const std::function<void(tdrawing&, tStructure&)>& change);

  /// The buttons tagged 1 .. 12, "Clone" .. "In-Out". "Font" (3) needs the
  /// font chosen and does nothing without one; "Delete" (2) closes.
  tgroupoutcome runtag(int tag, tnumbering numbering,
                       const std::optional<fontrecord>& font = {});
  /// The Rotate (axis 3), Turn (2) and Tilt (1) pages.
  tgroupoutcome turn(int axis, int degrees);
  /// The Zoom page, in percent; a warning without a group.
  tgroupoutcome zoom(int percent);
  /// The arrow and page keys.
  tgroupoutcome movegroup(tdrawingmove move, bool big);
  /// The Ring Style pictures 1 .. 3.
  tgroupoutcome ringstyle(int picture);

  /// A left drag moves the group, its centre keeping its distance from the
  /// pointer; the first move takes the drag's one undo copy.
  tgroupoutcome dragstart(double x, double y);
  tgroupoutcome dragmove(double x, double y);
  tgroupoutcome dragend();

  /// Slider index (1 .. 3) at position; the first move of a scroll takes
  /// its one undo copy.
  tgroupoutcome slide(int index, int position);
  /// The scroll ended: the geometry becomes the reference.
  void endslide();

  /// The group's coordinates become the reference of turns and zooms.
  void takereference();

 private:
  void highlight();
  /// Keeps the colours of the current drawing, once per drawing.
  void keepcolours();

  tdrawingpointer<tStructure> group_;
  tdrawingpointer<tatm> pivotatom_;
  tdrawingpointer<tbond> pivotbond_;
  tgroupslider slider_;
  int saveddrawmode_ = 0;
  /// The drawings whose draw mode and colours the editor changed.
  std::uint64_t modeserial_ = 0;
  std::uint64_t colourserial_ = 0;
  bool coloured_ = false;
  tsavedcolours colours_;
  bool opened_ = false;
  bool sliding_ = false;
  bool pressed_ = false;
  bool dragged_ = false;
  TXYZ dragoffset_;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/group_editor_policy.h"

#include "document/drawing.h"
#include "document/nearest_bond.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/bond.h"

namespace molvane {

namespace {

tdrawing& currentdrawing() { return *session().drawing(); }

}  // namespace

tStructure* tgroupeditor::group() const {
  tStructure* structure = group_.get();
  if (structure == nullptr ||
      !currentdrawing().structures.contains(structure)) {
    return nullptr;
  }
  return structure;
}

tatm* tgroupeditor::pivotatom() const {
  tStructure* structure = group();
  tatm* atom = pivotatom_.get();
  return structure != nullptr && structure->hasatom(atom) ? atom : nullptr;
}

tbond* tgroupeditor::pivotbond() const {
  tStructure* structure = group();
  tbond* bond = pivotbond_.get();
  return structure != nullptr && structure->bonds.contains(bond) ? bond
                                                                 : nullptr;
}

bool tgroupeditor::open() {
  if (opened_) {
    return false;
  }
  opened_ = true;
  tdrawing& drawing = currentdrawing();
  saveddrawmode_ = drawing.drawmode;
  modeserial_ = session().drawingserial();
  drawing.setdrawmode(
      static_cast<std::uint8_t>(groupdrawmode(drawing.drawmode)));
  keepcolours();
  colourstructures(drawing, dimmedcolour);
  setfine(false);
  setslidermode(tslidermode::rotate);
  return true;
}

void tgroupeditor::select(tStructure& structure, bool pivotfirstatom) {
  tdrawing& drawing = currentdrawing();
  group_.set(&structure);
  pivotbond_.set(structure.bonds.items(0));
  if (pivotfirstatom || slider_.mode == tslidermode::atom) {
    pivotatom_.set(structure.atoms.items(0));
  }
  takegroupreference(drawing, structure);
  keepcolours();
  colours_.restore(drawing);
  highlight();
}

void tgroupeditor::keepcolours() {
  const std::uint64_t serial = session().drawingserial();
  if (!coloured_ || colourserial_ != serial) {
    colours_.save(currentdrawing());
    colourserial_ = serial;
    coloured_ = true;
  }
}

void tgroupeditor::highlight() {
  if (tStructure* structure = group()) {
    setgroupcolour(*structure, groupcolour);
  }
}

void tgroupeditor::done() {
  // A drawing that replaced the one the editor opened on (Open, New,
  // Undo) has its own draw mode and colours.
  tdrawing& drawing = currentdrawing();
  const std::uint64_t serial = session().drawingserial();
  if (opened_ && modeserial_ == serial) {
    drawing.setdrawmode(static_cast<std::uint8_t>(saveddrawmode_));
  }
  if (coloured_ && colourserial_ == serial) {
    colours_.restore(drawing);
  }
  opened_ = false;
  coloured_ = false;
  group_.clear();
  pivotatom_.clear();
  pivotbond_.clear();
  pressed_ = false;
  dragged_ = false;
}

tgrouppick tgroupeditor::pickat(double x, double y, tnumbering numbering) {
  tgrouppick pick;
  tStructure* structure = group();
  if (numbering == tnumbering::user) {
    if (structure == nullptr) {
      return pick;
    }
    if (tatm* atom = structure->nearestatom(nullptr, x, y)) {
      snapshot();
      numberbyhand(*structure, *atom);
      pick.outcome = tgroupoutcome::edited;
    }
    return pick;
  }
  const bool pivots =
      slider_.mode == tslidermode::atom || slider_.mode == tslidermode::bond;
  if (pivots && structure == nullptr) {
    session().messages().warn(nogroupmessage);
    return pick;
  }
  switch (slider_.mode) {
    case tslidermode::atom:
      if (tatm* atom = structure->nearestatom(nullptr, x, y)) {
        pivotatom_.set(atom);
        pick.atom = atom;
      }
      break;
    case tslidermode::bond:
      if (tbond* bond = nearestbond(*structure, x, y)) {
        pivotbond_.set(bond);
        pick.bond = bond;
      } else {
        session().messages().warn(nobondstoselectmessage);
      }
      break;
    case tslidermode::rotate:
    case tslidermode::zoom:
      if (tStructure* nearest = nearestgroup(currentdrawing(), x, y)) {
        select(*nearest);
        pick.outcome = tgroupoutcome::repaint;
      }
      break;
  }
  return pick;
}

void tgroupeditor::setslidermode(tslidermode mode) {
  slider_.mode = mode;
  if (mode == tslidermode::atom) {
    if (tStructure* structure = group()) {
      pivotatom_.set(structure->atoms.items(0));
    }
  }
}

void tgroupeditor::snapshot() {
  // The copy keeps the drawing as it is outside the editor: no dimmed
  // colours, its own draw mode.
  tdrawing& drawing = currentdrawing();
  const std::uint8_t shown = drawing.drawmode;
  keepcolours();
  colours_.restore(drawing);
  drawing.setdrawmode(static_cast<std::uint8_t>(saveddrawmode_));
  session().takeundosnapshot("Group Editor");
  drawing.setdrawmode(shown);
  highlight();
}

tgroupoutcome tgroupeditor::edit(
    const std::function<void(tdrawing&, tStructure&)>& change) {
  tStructure* structure = group();
  if (structure == nullptr) {
    return tgroupoutcome::none;
  }
  snapshot();
  change(currentdrawing(), *structure);
  highlight();
  return tgroupoutcome::edited;
}

tgroupoutcome tgroupeditor::runtag(int tag, tnumbering numbering,
                                   const std::optional<fontrecord>& font) {
  if (group() == nullptr) {
    // Only "Invert" says why nothing happens.
    if (tag == 9) {
      session().messages().warn(nogroupmessage);
    }
    return tgroupoutcome::none;
  }
  switch (tag) {
    case 1:
      return edit([](tdrawing& drawing, tStructure& structure) {
        clonegroup(drawing, structure);
      });
    case 2:
      edit([this](tdrawing& drawing, tStructure& structure) {
        group_.clear();
        deletegroup(drawing, &structure);
      });
      return tgroupoutcome::closed;
    case 3:
      if (!font) {
        return tgroupoutcome::none;
      }
      return edit([&font](tdrawing&, tStructure& structure) {
        setgroupfont(structure, *font);
      });
    case 4:
      return edit([this](tdrawing& drawing, tStructure& structure) {
        if (tStructure* fused = fusegroup(drawing, &structure)) {
          group_.set(fused);
          pivotbond_.set(fused->bonds.items(0));
        }
      });
    case 5:
      return edit([numbering](tdrawing& drawing, tStructure& structure) {
        numbergroup(drawing, structure, numbering,
                    session().settings.nmrnucleus);
      });
    case 6:
      return edit([](tdrawing& drawing, tStructure& structure) {
        addgrouphydrogens(drawing, structure);
      });
    case 7:
      return edit([](tdrawing& drawing, tStructure& structure) {
        removegrouphydrogens(drawing, structure);
      });
    case 8:
      return edit(
          [](tdrawing&, tStructure& structure) { cyclegrouplines(structure); });
    case 9:
      return edit([](tdrawing& drawing, tStructure& structure) {
        invertgroup(drawing, structure);
      });
    case 10:
    case 11:
    case 12:
      return edit([axis = tag - 9](tdrawing& drawing, tStructure& structure) {
        reflectgroup(drawing, structure, axis);
      });
    default:
      return tgroupoutcome::none;
  }
}

tgroupoutcome tgroupeditor::turn(int axis, int degrees) {
  const tslidermode mode = slider_.mode;
  const tgrouppivot around = pivot();
  const double factor = slider_.finefactor;
  return edit([=](tdrawing& drawing, tStructure& structure) {
    turngroup(drawing, structure, mode, around, axis, degrees, factor);
  });
}

tgroupoutcome tgroupeditor::zoom(int percent) {
  if (group() == nullptr) {
    session().messages().warn(nogroupmessage);
    return tgroupoutcome::none;
  }
  return edit([percent](tdrawing& drawing, tStructure& structure) {
    zoomgroup(drawing, structure, percent * 0.01);
  });
}

tgroupoutcome tgroupeditor::movegroup(tdrawingmove move, bool big) {
  return edit([move, big](tdrawing& drawing, tStructure& structure) {
    movedrawing(structure, session().settings, move, big);
    takegroupreference(drawing, structure);
  });
}

tgroupoutcome tgroupeditor::ringstyle(int picture) {
  return edit([this, picture](tdrawing& drawing, tStructure& structure) {
    tStructure* styled = setgroupringstyle(drawing, &structure, picture);
    if (styled != &structure) {
      group_.set(styled);
      pivotbond_.set(styled->bonds.items(0));
    }
  });
}

tgroupoutcome tgroupeditor::dragstart(double x, double y) {
  tStructure* structure = group();
  if (structure == nullptr) {
    return tgroupoutcome::none;
  }
  pressed_ = true;
  dragged_ = false;
  const TXYZ centre = groupcentre(*structure);
  dragoffset_ = {centre.x - x, centre.y - y, 0.0};
  highlight();
  return tgroupoutcome::repaint;
}

tgroupoutcome tgroupeditor::dragmove(double x, double y) {
  tStructure* structure = group();
  if (!pressed_ || structure == nullptr) {
    return tgroupoutcome::none;
  }
  tgroupoutcome outcome = tgroupoutcome::repaint;
  if (!dragged_) {
    snapshot();
    dragged_ = true;
    outcome = tgroupoutcome::edited;
  }
  movegroupto(currentdrawing(), *structure, x + dragoffset_.x,
              y + dragoffset_.y);
  return outcome;
}

tgroupoutcome tgroupeditor::dragend() {
  tgroupoutcome outcome = tgroupoutcome::none;
  if (pressed_ && group() != nullptr) {
    takereference();
    outcome = tgroupoutcome::repaint;
  }
  pressed_ = false;
  dragged_ = false;
  return outcome;
}

tgroupoutcome tgroupeditor::slide(int index, int position) {
  tStructure* structure = group();
  if (structure == nullptr) {
    return tgroupoutcome::none;
  }
  tgroupoutcome outcome = tgroupoutcome::repaint;
  if (!sliding_) {
    snapshot();
    sliding_ = true;
    outcome = tgroupoutcome::edited;
  }
  slider_.slide(currentdrawing(), *structure, pivot(), index, position);
  highlight();
  return outcome;
}

void tgroupeditor::endslide() {
  if (tStructure* structure = group(); structure != nullptr && sliding_) {
    slider_.release(currentdrawing(), *structure);
  }
  sliding_ = false;
}

void tgroupeditor::takereference() {
  if (tStructure* structure = group()) {
    takegroupreference(currentdrawing(), *structure);
  }
}

}  // namespace molvane

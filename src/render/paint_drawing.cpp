// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/paint_drawing.h"

#include "chemistry/valence_check.h"
#include "document/drawing.h"
#include "model/atom.h"
#include "model/atom_owner.h"
#include "model/bond.h"
#include "render/atom_painter.h"
#include "render/bond_painter.h"
#include "render/drawing_extent.h"
#include "render/font_selection.h"
#include "render/paint_3d.h"
#include "render/symbol_painter.h"
#include "render/view_turn.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace molvane {

namespace {

constexpr int overlaywidth = 2;
/// Pixels from an atom to the corner of its note.
constexpr int noteoffset = 6;
/// Radius of the aromatic circle as a share of the ring's mean radius.
constexpr double aromaticcircleshare = 0.6;

void paintbackground(tcanvas& canvas, const std::array<int, 4>& box) {
  setpen(canvas, tpenstyle::clear, 1, whitecolour);
  resetbrush(canvas);
  canvas.rectangle(box[0], box[1], box[2], box[3]);
  canvas.setpenstyle(tpenstyle::solid);
}

/// Text in the drawing's default font, in black.
void annotationfont(const tdrawing& drawing, tcanvas& canvas) {
  selectfont(drawing, 0, canvas);
  canvas.setfontcolour(blackcolour);
}

void paintstructurevalues(tdrawing& drawing, tcanvas& canvas) {
  for (tStructure* structure : drawing.structures) {
    calcframe(*structure, canvas, drawing);
    annotationfont(drawing, canvas);
    const ttextformat previous = canvas.textformat();
    canvas.settextalign(thorizontalalign::centre, tverticalalign::top);
    const auto& frame = structure->frame;
    canvas.textout(roundhalfeven((frame[0] + frame[2]) / 2.0), frame[3],
                   structure->phasetext());
    canvas.settextalign(previous.horizontal, previous.vertical);
  }
}

void paintstructurelabels(tdrawing& drawing, tcanvas& canvas) {
  for (tStructure* structure : drawing.structures) {
    calcframe(*structure, canvas, drawing);
    annotationfont(drawing, canvas);
    const ttextformat previous = canvas.textformat();
    // The name sits on the frame's top left corner, just above the atoms.
    canvas.settextalign(thorizontalalign::left, tverticalalign::bottom);
    canvas.textout(structure->frame[0], structure->frame[1],
                   structurelabel(drawing, *structure));
    canvas.settextalign(previous.horizontal, previous.vertical);
  }
}

void paint2d(tdrawing& drawing, tcanvas& canvas, const tpaintoptions& options) {
  drawbonds(drawing.bonds, canvas);
  drawatoms(drawing.atoms, canvas, drawing, options.colourbyelement);
  if (options.labelsontop && !options.hidelabels) {
    drawlabelatoms(drawing.labelatoms, canvas, drawing);
  }
}

/// The ring's atoms in ring order, or all chemical atoms of a structure
/// whose ring slots are not filled.
std::vector<const tatm*> ringmembers(const tStructure& structure) {
  std::vector<const tatm*> members;
  const int size = structure.ringsize;
  if (size >= 3 && size < static_cast<int>(structure.ringatoms.size())) {
    for (int i = 1; i <= size; ++i) {
      if (structure.ringatoms[static_cast<std::size_t>(i)] == nullptr) {
        members.clear();
        break;
      }
      members.push_back(structure.ringatoms[static_cast<std::size_t>(i)]);
    }
  }
  if (members.empty()) {
    for (const tatm* atom : structure.atoms) {
      if (atom->kind == chemicalatomkind) {
        members.push_back(atom);
      }
    }
  }
  return members;
}

void paintaromaticcircle(const tStructure& structure, tcanvas& canvas) {
  const std::vector<const tatm*> members = ringmembers(structure);
  if (members.size() < 3) {
    return;
  }
  double cx = 0.0;
  double cy = 0.0;
  for (const tatm* atom : members) {
    cx += atom->sx;
    cy += atom->sy;
  }
  cx /= static_cast<double>(members.size());
  cy /= static_cast<double>(members.size());
  double meanradius = 0.0;
  for (const tatm* atom : members) {
    meanradius += std::hypot(atom->sx - cx, atom->sy - cy);
  }
  meanradius /= static_cast<double>(members.size());
  const int r = roundhalfeven(aromaticcircleshare * meanradius);
  const int x = roundhalfeven(cx);
  const int y = roundhalfeven(cy);
  const tbond* first = structure.bonds.first();
  setpen(canvas, tpenstyle::solid,
         first != nullptr ? first->width : structure.geometry().linewidth(),
         first != nullptr ? first->colour : blackcolour);
  canvas.setbrushstyle(tbrushstyle::clear);
  canvas.ellipse(x - r, y - r, x + r + 1, y + r + 1);
  resetbrush(canvas);
}

/// The way from atom that none of its bonds take, in screen pixels (y
/// down), of length 1: below right for an atom without bonds or whose
/// bonds cancel out.
std::array<double, 2> freedirection(const tatm& atom) {
  double x = 0.0;
  double y = 0.0;
  if (atom.owner() != nullptr) {
    for (const tbond* bond : atom.owner()->bondsof(&atom)) {
      const tatm* other = bond->other(&atom);
      if (other == nullptr) {
        continue;
      }
      const double dx = other->sx - atom.sx;
      const double dy = other->sy - atom.sy;
      const double length = std::hypot(dx, dy);
      if (length > 0.0) {
        x -= dx / length;
        y -= dy / length;
      }
    }
  }
  const double length = std::hypot(x, y);
  if (length < 0.1) {
    return {std::numbers::sqrt2 / 2.0, std::numbers::sqrt2 / 2.0};
  }
  return {x / length, y / length};
}

bool overlaps(const tbox& a, const tbox& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom &&
         b.top <= a.bottom;
}

/// Where a note of width by height pixels goes beside atom: on the side its
/// bonds leave free, clear of the atom's own label. Selects the atom's font.
tbox noteplace(const tatm& atom, int width, int height, tcanvas& canvas,
               const tdrawing& drawing) {
  tbox keepclear{atom.sx, atom.sy, atom.sx, atom.sy};
  if (const std::optional<tbox> label = labelbox(atom, canvas, drawing)) {
    keepclear.include(*label);
  }
  keepclear.left -= noteoffset / 2;
  keepclear.top -= noteoffset / 2;
  keepclear.right += noteoffset / 2;
  keepclear.bottom += noteoffset / 2;
  const auto [dx, dy] = freedirection(atom);
  // The note's centre walks out along the free way until the note is clear.
  const int reach = noteoffset + width + height +
                    std::max(keepclear.width(), keepclear.height());
  tbox placed{};
  for (int step = noteoffset; step <= reach; ++step) {
    const int cx = atom.sx + static_cast<int>(std::lround(dx * step));
    const int cy = atom.sy + static_cast<int>(std::lround(dy * step));
    placed = {cx - width / 2, cy - height / 2, cx - width / 2 + width - 1,
              cy - height / 2 + height - 1};
    if (!overlaps(placed, keepclear)) {
      break;
    }
  }
  return placed;
}

/// Each note sits beside its atom, away from the atom's bonds and label.
void drawatomnotes(const tdrawing& drawing, tcanvas& canvas,
                   const std::vector<tatomnote>& notes) {
  if (notes.empty()) {
    return;
  }
  annotationfont(drawing, canvas);
  const ttextformat previous = canvas.textformat();
  canvas.settextalign(thorizontalalign::left, tverticalalign::top);
  canvas.settextopaque(true);
  resetbrush(canvas);
  for (const tatomnote& note : notes) {
    if (note.atom != nullptr) {
      const int width = canvas.textwidth(note.text);
      const int height = canvas.textheight(note.text);
      const tbox place = noteplace(*note.atom, width, height, canvas, drawing);
      annotationfont(drawing, canvas);
      canvas.textout(place.left, place.top, note.text);
    }
  }
  canvas.settextalign(previous.horizontal, previous.vertical);
  canvas.settextopaque(previous.opaque);
}

/// A red ring round each atom with more bonds than it can make; the drawing
/// itself stays as the user made it.
void paintvalenceflags(const tdrawing& drawing, tcanvas& canvas) {
  const std::vector<tvalenceproblem> problems = valenceproblems(drawing);
  if (problems.empty()) {
    return;
  }
  setpen(canvas, tpenstyle::solid, 1, valenceflagcolour);
  setbrush(canvas, tbrushstyle::clear, valenceflagcolour);
  for (const tvalenceproblem& problem : problems) {
    const int x = problem.atom->sx;
    const int y = problem.atom->sy;
    canvas.ellipse(x - valenceflagradius, y - valenceflagradius,
                   x + valenceflagradius + 1, y + valenceflagradius + 1);
  }
}

bool showsaromaticcircles(int drawmode) {
  return drawmode == 0 || drawmode == 12 || drawmode == 15 || drawmode == 18;
}

}  // namespace

std::optional<tbox> notesbox(const tdrawing& drawing, tcanvas& canvas,
                             const std::vector<tatomnote>& notes) {
  std::optional<tbox> box;
  for (const tatomnote& note : notes) {
    if (note.atom == nullptr) {
      continue;
    }
    annotationfont(drawing, canvas);
    const tbox covered =
        noteplace(*note.atom, canvas.textwidth(note.text),
                  canvas.textheight(note.text), canvas, drawing);
    if (box) {
      box->include(covered);
    } else {
      box = covered;
    }
  }
  return box;
}

bool isdrawmode3d(int drawmode) { return drawmode != 0; }

std::string structurelabel(const tdrawing& drawing,
                           const tStructure& structure) {
  std::string prefix;
  switch (structure.phase) {
    case 0:
    case gasphase:
      prefix = "Gas_";
      break;
    case solidphase:
      prefix = "Sol_";
      break;
    case liquidphase:
    case solventphase:
      prefix = "Liq_";
      break;
    default:
      prefix = "X_";
      break;
  }
  return prefix + std::to_string(drawing.structurenumber(&structure));
}

void paintdrawing(tdrawing& drawing, tcanvas& canvas,
                  const tpaintoptions& options) {
  std::optional<tturnedview> turned;
  if (options.turn && isdrawmode3d(drawing.drawmode)) {
    turned.emplace(drawing, *options.turn);
  }
  drawing.refreshmultiplebonds();
  if (options.background) {
    paintbackground(canvas, *options.background);
  }
  if (drawing.showstructurevalues) {
    paintstructurevalues(drawing, canvas);
  }
  if (drawing.showstructurelabels) {
    paintstructurelabels(drawing, canvas);
  }
  if (isdrawmode3d(drawing.drawmode)) {
    paint3d(drawing, canvas, drawing.drawmode);
  } else {
    paint2d(drawing, canvas, options);
  }
  if (showsaromaticcircles(drawing.drawmode)) {
    for (const tStructure* structure : drawing.structures) {
      if (structure->ringstyle == 6 || structure->ringstyle == 7) {
        paintaromaticcircle(*structure, canvas);
      }
    }
  }
  for (tSymbol* symbol : drawing.symbols) {
    drawsymbol(*symbol, canvas);
  }
  paintvalenceflags(drawing, canvas);
  drawatomnotes(drawing, canvas, options.notes);
  std::optional<tvectoroverlay> overlay = options.overlay;
  if (!overlay && drawing.showdipole) {
    const TXYZ& from = drawing.dipoleorigin;
    const TXYZ& along = drawing.dipolevector;
    overlay = tvectoroverlay{
        {roundhalfeven(from.x), roundhalfeven(from.y)},
        {roundhalfeven(from.x + along.x), roundhalfeven(from.y + along.y)}};
  }
  if (overlay) {
    setpen(canvas, tpenstyle::solid, overlaywidth, overlaycolour);
    canvas.line(overlay->from.x, overlay->from.y, overlay->to.x, overlay->to.y);
  }
  // Pending events may edit the drawing: it has its own coordinates back
  // first.
  turned.reset();
  if (options.processmessages) {
    options.processmessages();
  }
}

}  // namespace molvane

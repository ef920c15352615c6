// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/paint_drawing.h"

#include "chemistry/valence_check.h"
#include "document/drawing.h"
#include "render/atom_painter.h"
#include "render/bond_painter.h"
#include "render/drawing_extent.h"
#include "render/font_selection.h"
#include "render/paint_3d.h"
#include "render/symbol_painter.h"
#include "render/view_turn.h"

#include <cmath>
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

/// Each note's top left corner sits a little right of and below its atom.
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
      canvas.textout(note.atom->sx + noteoffset, note.atom->sy + noteoffset,
                     note.text);
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
  annotationfont(drawing, canvas);
  for (const tatomnote& note : notes) {
    if (note.atom == nullptr) {
      continue;
    }
    const int left = note.atom->sx + noteoffset;
    const int top = note.atom->sy + noteoffset;
    const tbox covered{left, top, left + canvas.textwidth(note.text) - 1,
                       top + canvas.textheight(note.text) - 1};
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

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/atom_painter.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/atom_list.h"
#include "render/element_colours.h"
#include "render/font_selection.h"
#include "render/label.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace molvane {

namespace {

constexpr int rgroupelement = -1;

bool inranges(int e, std::initializer_list<std::pair<int, int>> ranges) {
  return std::any_of(ranges.begin(), ranges.end(), [e](const auto& range) {
    return e >= range.first && e <= range.second;
  });
}

/// At most 64 characters.
std::string cut(std::string text) {
  std::vector<std::string> characters = labelcharacters(text);
  if (characters.size() <= tLabel::maxcharacters) {
    return text;
  }
  std::string shorter;
  for (std::size_t i = 0; i < tLabel::maxcharacters; ++i) {
    shorter += characters[i];
  }
  return shorter;
}

void drawplaintext(const tatm& atom, tcanvas& canvas, const tdrawing& drawing) {
  selectfont(drawing, atom.fontindex, canvas);
  const ttextformat previous = canvas.textformat();
  const tcolour previouscolour = canvas.fontcolour();
  canvas.setfontcolour(atom.colour);
  canvas.settextalign(
      atom.align == 2 ? thorizontalalign::right : thorizontalalign::left,
      tverticalalign::top);
  canvas.textout(atom.sx, atom.sy - canvas.textheight(atom.symbol) / 2,
                 atom.symbol);
  canvas.settextalign(previous.horizontal, previous.vertical);
  canvas.setfontcolour(previouscolour);
}

}  // namespace

std::string hydrogendigits(const tatm& atom) {
  const int h = atom.implicithydrogens();
  if (h <= 1) {
    return "";
  }
  if (atom.element == 1) {
    return std::to_string(h + 1);
  }
  if (inranges(atom.element, {{3, 9},
                              {11, 17},
                              {19, 20},
                              {31, 35},
                              {37, 38},
                              {52, 53},
                              {55, 56}})) {
    return std::to_string(h);
  }
  return "";
}

std::string hydrogenlabeltext(const tatm& atom) {
  const int h = atom.implicithydrogens();
  const int e = atom.element;
  if (h == 0) {
    return cut(atom.symbol);
  }
  if (e == rgroupelement) {
    return "R";
  }
  if (h == 1) {
    if (e == 1) {
      return "H2";
    }
    if (e == 9 || e == 17 || e == 35 || e == 53) {
      return cut("H" + atom.symbol);
    }
    return cut(atom.symbol + "H");
  }
  const std::string digits = hydrogendigits(atom);
  if (e == 8 || e == 9 || e == 16 || e == 17 || e == 52 || e == 53) {
    return cut("H" + digits + atom.symbol);
  }
  return cut(atom.symbol + "H" + digits);
}

std::optional<std::string> labelbase(const tatm& atom,
                                     const tdrawing& drawing) {
  if (atom.kind == symbolpointkind) {
    return std::nullopt;
  }
  if (atom.kind == labelatomkind) {
    if (atom.labelmode == textlabel) {
      return std::nullopt;
    }
    return atom.symbol;
  }
  switch (atom.labelmode) {
    case nolabel:
      // A lone skeleton atom would otherwise vanish from the drawing.
      if (atom.ischemical() && drawing.bondsof(&atom).empty()) {
        return hydrogenlabeltext(atom);
      }
      return std::string();
    case symbollabel:
      return atom.symbol;
    case hydrogenlabel:
      return hydrogenlabeltext(atom);
    default:
      // Modes 5-11, 14-18 and 20 are the figures of the 3D display, which
      // draws them itself; the other modes show nothing.
      return std::nullopt;
  }
}

std::string completelabeltext(const tatm& atom, std::string_view text,
                              const tdrawing& drawing) {
  std::string complete = std::string(text) + atom.chargetext();
  if (drawing.shownumbers != 0) {
    complete += atom.numbertext().substr(0, 3);
  }
  return cut(std::move(complete));
}

void drawlabeltext(const tatm& atom, tcanvas& canvas, std::string_view text,
                   std::optional<tcolour> colour, const tdrawing& drawing,
                   bool colourbyelement) {
  selectfont(drawing, atom.fontindex, canvas);
  const tcolour previouscolour = canvas.fontcolour();
  const tcolour own = labelcolourof(atom, colourbyelement);
  tcolour labelcolour = colour.value_or(own);
  if (drawing.shownumbers != 0) {
    labelcolour = own;
  }
  canvas.setfontcolour(labelcolour);
  tLabel label(canvas, atom.direction, atom.align, labelcolour,
               completelabeltext(atom, text, drawing));
  label.draw(atom.sx, atom.sy);
  canvas.setfontcolour(previouscolour);
}

void drawatom(const tatm& atom, tcanvas& canvas, const tdrawing& drawing,
              bool colourbyelement) {
  if (atom.kind == labelatomkind && atom.labelmode == textlabel) {
    drawplaintext(atom, canvas, drawing);
    return;
  }
  if (std::optional<std::string> text = labelbase(atom, drawing)) {
    drawlabeltext(atom, canvas, *text, std::nullopt, drawing, colourbyelement);
  }
}

void drawatoms(const tAtoms& list, tcanvas& canvas, const tdrawing& drawing,
               bool colourbyelement) {
  for (int i = list.count() - 1; i >= 0; --i) {
    const tatm* atom = list.items(i);
    if (atom->kind == chemicalatomkind || atom->kind == labelatomkind) {
      drawatom(*atom, canvas, drawing, colourbyelement);
    }
  }
}

void drawlabelatoms(const tAtoms& list, tcanvas& canvas,
                    const tdrawing& drawing) {
  for (int i = list.count() - 1; i >= 0; --i) {
    const tatm* atom = list.items(i);
    if (atom->kind == labelatomkind) {
      drawatom(*atom, canvas, drawing);
    }
  }
}

}  // namespace molvane

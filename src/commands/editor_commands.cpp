// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/editor_commands.h"

#include "document/drawing.h"
#include "document/session.h"
#include "document/symbol.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace molvane {

namespace {

/// Clones go this far to the right of the drawing: labels and symbols.
constexpr int labelclonegap = 5;
constexpr int symbolclonegap = 10;

struct tlayout {
  std::int8_t direction;
  std::uint8_t align;
};

/// "R.AHn", "R.nHA", "AHn.R", "nHA.R".
constexpr tlayout layouts[] = {{1, 0}, {1, 2}, {-1, 2}, {-1, 0}};

bool holds(const tdrawing& drawing, const tatm* atom) {
  return atom != nullptr && drawing.positionof(atom) >= 0;
}

/// After the undo snapshot, an uncoloured copy of an atom or label of
/// drawing, gap pixels right of the drawing at the original's height; null
/// (and no snapshot) when drawing does not hold original.
template <class T>
std::unique_ptr<T> copytotheright(tdrawing& drawing, const T& original,
                                  double gap) {
  if (!holds(drawing, &original)) {
    return nullptr;
  }
  session().takeundosnapshot("Clone");
  const int right = rightedge(drawing);
  auto copy = std::make_unique<T>(original);
  copy->colour = 0;
  copy->setxyz(right + gap, original.y, original.z);
  return copy;
}

}  // namespace

bool applyatomtag(tatm& atom, int tag) {
  switch (tag) {
    case hideatomtag:
      atom.setlabelmode(nolabel);
      return true;
    case symbolonlytag:
      atom.setlabelmode(symbollabel);
      return true;
    case withhydrogenstag:
      atom.setlabelmode(hydrogenlabel);
      return true;
    case deuteriumtag:
      atom.setdeuterium();
      return true;
    case addhydrogentag:
    case removehydrogentag:
      atom.sethadjust(tag == addhydrogentag ? 1 : -1);
      return true;
    case addneutrontag:
      atom.addneutrons(1);
      return true;
    case removeneutrontag: {
      // Taking a neutron from an atom that has none left would leave a
      // mass of zero or less.
      const float before = atom.mass;
      atom.addneutrons(-1);
      if (atom.mass <= 0.0F) {
        atom.mass = before;
      }
      return true;
    }
    case raisechargetag:
    case lowerchargetag:
      atom.changecharge(tag == raisechargetag ? 1 : -1);
      return true;
    default:
      break;
  }
  if (tag >= firstlayouttag && tag <= lastlayouttag) {
    const tlayout& layout = layouts[tag - firstlayouttag];
    atom.direction = layout.direction;
    atom.align = layout.align;
    return true;
  }
  return false;
}

bool setatomelement(tatm& atom, int element) {
  if (element < 1 || element > lastelement) {
    return false;
  }
  atom.changeelement(element, hydrogenlabel);
  return true;
}

int rightedge(tdrawing& drawing) {
  drawing.calcbounds();
  return drawing.bbox[1];
}

tatm* cloneatom(const tatm& atom) {
  tdrawing& drawing = *session().drawing();
  std::unique_ptr<tatm> copy =
      copytotheright(drawing, atom, drawing.bondlength / 2.0);
  if (copy == nullptr) {
    return nullptr;
  }
  // The copy stands alone: the valence its original gave to bonds is free
  // again, and an isotope keeps its mass.
  int bonded = 0;
  for (const tbond* bond : drawing.bondsof(&atom)) {
    bonded += bond->kind();
  }
  copy->valence2 = saturatedbyte(atom.valence2 + bonded);
  copy->mass = atom.mass;
  copy->statednuclide = atom.statednuclide;
  copy->refreshhfree();
  copy->setlabelmode(hydrogenlabel);
  return drawing.addatom(std::move(copy));
}

void deleteatom(tatm* atom) {
  tdrawing& drawing = *session().drawing();
  if (!holds(drawing, atom)) {
    return;
  }
  session().takeundosnapshot("Delete");
  drawing.atoms.setcolourall(0);
  drawing.removeatom(atom);
  labelloneatoms(drawing);
}

void labelloneatoms(tdrawing& drawing) {
  for (tatm* other : drawing.atoms) {
    if (other->ischemical() && drawing.bondsof(other).empty()) {
      other->setlabelmode(hydrogenlabel);
    }
  }
}

tLAtm* clonelabel(const tLAtm& label) {
  tdrawing& drawing = *session().drawing();
  std::unique_ptr<tLAtm> copy = copytotheright(drawing, label, labelclonegap);
  if (copy == nullptr) {
    return nullptr;
  }
  return static_cast<tLAtm*>(drawing.addatom(std::move(copy)));
}

tSymbol* clonesymbol(const tSymbol& symbol) {
  tdrawing& drawing = *session().drawing();
  if (!drawing.symbols.contains(&symbol)) {
    return nullptr;
  }
  session().takeundosnapshot("Clone");
  const int right = rightedge(drawing);
  std::unique_ptr<tSymbol> copy = copysymbol(symbol);
  const TXYZ centre = copy->centre();
  copy->translate(right + symbolclonegap - centre.x, 0.0, 0.0);
  setsymbolcolour(*copy, 0);
  return drawing.addsymbol(std::move(copy));
}

tSymbol* symbolofpoint(const tdrawing& drawing, const tatm* point) {
  if (point == nullptr || point->kind != symbolpointkind) {
    return nullptr;
  }
  for (tSymbol* symbol : drawing.symbols) {
    if (symbol->atoms.contains(point)) {
      return symbol;
    }
  }
  return nullptr;
}

void setsymbolcolour(tSymbol& symbol, std::uint32_t colour) {
  symbol.colour = colour;
  for (tbond* link : symbol.bonds) {
    link->colour = colour;
  }
}

void setlabeltext(tatm& atom, std::string_view text) {
  std::size_t length = std::min(text.size(), longestlabeltext);
  if (length < text.size()) {
    // Back up over the continuation bytes of a character cut in two.
    while (length > 0 &&
           (static_cast<unsigned char>(text[length]) & 0xC0U) == 0x80U) {
      --length;
    }
  }
  atom.symbol.assign(text.substr(0, length));
}

void finishatomdrag(tatm& atom) {
  const tdrawing& drawing = *session().drawing();
  if (!holds(drawing, &atom)) {
    return;
  }
  const std::vector<tbond*> bonds = drawing.bondsof(&atom);
  for (tbond* bond : bonds) {
    bond->refresh();
  }
}

}  // namespace molvane

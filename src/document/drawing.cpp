// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing.h"

#include "document/object_copy.h"
#include "model/element_data.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace molvane {

/// Maps objects of one document to their copies in another.
struct tcopymap {
  std::unordered_map<const tatm*, tatm*> atoms;
  std::unordered_map<const tlink*, tbond*> bonds;

  tatm* atom(const tatm* source) const {
    auto found = atoms.find(source);
    return found == atoms.end() ? nullptr : found->second;
  }
  tbond* bond(const tlink* source) const {
    auto found = bonds.find(source);
    return found == bonds.end() ? nullptr : found->second;
  }
};

namespace {

std::string cutcomment(std::string_view text) {
  return std::string(text.substr(0, tdrawing::commentsize));
}

/// Fills target's lists with the copies of source's atoms and bonds.
void relinkstructure(const tStructure& source, tStructure& target,
                     const tcopymap& map) {
  target.copyfields(source);
  for (const tatm* atom : source.atoms) {
    if (tatm* copy = map.atom(atom)) {
      target.atoms.add(copy);
    }
  }
  for (const tbond* bond : source.bonds) {
    if (tbond* copy = map.bond(bond)) {
      target.bonds.add(copy);
    }
  }
  for (const tbond* bond : source.auxbonds) {
    if (tbond* copy = map.bond(bond)) {
      target.auxbonds.add(copy);
    }
  }
  for (std::size_t i = 0; i < source.ringatoms.size(); ++i) {
    target.ringatoms[i] = map.atom(source.ringatoms[i]);
    target.ringbonds[i] = map.bond(source.ringbonds[i]);
  }
}

}  // namespace

tdrawing::tdrawing() : tdrawing(defaultsettings()) {}

tdrawing::tdrawing(const tsettings& settings) : fonts(settings.labelfont) {
  fileversion = settings.version;
  bondlength = settings.bondlength;
  weight = settings.bondlength;
  // A copy of the settings until a session takes the drawing in.
  TFragment::setgeometry(settings);
  for (int e = 1; e <= lastelement; ++e) {
    elementcolours[static_cast<std::size_t>(e)] = colourof(e);
  }
}

tdrawing::~tdrawing() {
  structures.clear();
  symbols.clear();
  labelatoms.clear();
  ownedsymbols_.clear();
  ownedstructures_.clear();
}

void tdrawing::settitle(std::string_view text) { title_ = cutcomment(text); }
void tdrawing::setauthor(std::string_view text) { author_ = cutcomment(text); }
void tdrawing::setnotes(std::string_view text) { notes_ = cutcomment(text); }

tatm* tdrawing::addatom(std::unique_ptr<tatm> atom) {
  tatm* view = tStructure::addatom(std::move(atom));
  if (view != nullptr && view->kind == labelatomkind) {
    labelatoms.add(view);
  }
  return view;
}

void tdrawing::removeatom(tatm* atom) {
  if (atom == nullptr || !atoms.contains(atom)) {
    return;
  }
  // Bonds first, through removebond, so every structure forgets them too.
  std::vector<tbond*> attached = bondsof(atom);
  for (tbond* each : attached) {
    removebond(each);
  }
  for (tStructure* structure : structures) {
    structure->removeatom(atom);
  }
  for (tSymbol* symbol : symbols) {
    symbol->removeatom(atom);
  }
  labelatoms.remove(atom);
  tStructure::removeatom(atom);
}

tbond* tdrawing::addbond(std::unique_ptr<tbond> bond) {
  tbond* view = tStructure::addbond(std::move(bond));
  if (view != nullptr) {
    dropstereomarks(*view);
  }
  return view;
}

void tdrawing::dropstereomarks(const tlink& bond) {
  for (tatm* end : {bond.atom1, bond.atom2}) {
    const tatm* other = end == bond.atom1 ? bond.atom2 : bond.atom1;
    if (end == nullptr || (other != nullptr && other->element == 1)) {
      continue;
    }
    end->stereomark = tstereomark::asdrawn;
    for (tbond* each : bondsof(end)) {
      each->stereomark = tstereomark::asdrawn;
    }
  }
}

void tdrawing::removebond(tbond* bond) {
  if (bond == nullptr || !bonds.contains(bond)) {
    return;
  }
  dropstereomarks(*bond);
  // Structures only list the bond; the valence goes back once, below.
  for (tStructure* structure : structures) {
    structure->bonds.remove(bond);
    structure->auxbonds.remove(bond);
    std::replace(structure->ringbonds.begin(), structure->ringbonds.end(), bond,
                 static_cast<tbond*>(nullptr));
  }
  for (tSymbol* symbol : symbols) {
    symbol->bonds.remove(bond);
  }
  tStructure::removebond(bond);
}

std::unique_ptr<tdrawing> tdrawing::emptycopy() const {
  auto copy = std::make_unique<tdrawing>();
  copy->TFragment::setgeometry(geometry());
  copy->copyfields(*this);
  copy->filename = filename;
  copy->saved = saved;
  copy->flag1 = flag1;
  copy->flag2 = flag2;
  copy->fileversion = fileversion;
  copy->bondlength = bondlength;
  copy->spare = spare;
  copy->title_ = title_;
  copy->author_ = author_;
  copy->notes_ = notes_;
  copy->fonts = fonts;
  copy->temperature = temperature;
  copy->pressure = pressure;
  copy->elementcolours = elementcolours;
  copy->showstructurelabels = showstructurelabels;
  copy->showstructurevalues = showstructurevalues;
  copy->shownmrshifts = shownmrshifts;
  return copy;
}

void tdrawing::copylinks(tdrawing& copy, const tcopymap& map) const {
  for (const tbond* bond : auxbonds) {
    if (tbond* linked = map.bond(bond)) {
      copy.auxbonds.add(linked);
    }
  }
  for (const tStructure* structure : structures) {
    std::unique_ptr<tStructure> twin = structure->newempty();
    relinkstructure(*structure, *twin, map);
    copy.structures.add(twin.get());
    copy.ownedstructures_.push_back(std::move(twin));
  }
  for (const tSymbol* symbol : symbols) {
    std::unique_ptr<tSymbol> twin = symbol->newsymbol();
    relinkstructure(*symbol, *twin, map);
    copy.symbols.add(twin.get());
    copy.ownedsymbols_.push_back(std::move(twin));
  }
  copy.holdgeometry();
}

std::unique_ptr<tdrawing> tdrawing::clonedrawing() const {
  std::unique_ptr<tdrawing> copy = emptycopy();
  tcopymap map;
  map.atoms.reserve(static_cast<std::size_t>(atoms.count()));
  copy->atoms.reserve(atoms.count());
  for (const tatm* atom : atoms) {
    map.atoms.emplace(atom, copy->addatom(copyatom(*atom)));
  }
  map.bonds.reserve(static_cast<std::size_t>(bonds.count()));
  copy->bonds.reserve(bonds.count());
  for (const tbond* bond : bonds) {
    tbond* twin = copy->tStructure::addbond(
        tbond::copyof(*bond, map.atom(bond->atom1), map.atom(bond->atom2)));
    // A copy takes the spacing of the setting, so that Undo never brings
    // back a spacing the user has since changed; a bond that has it keeps
    // its lines as they are, so that a copy saves as the original does.
    if (twin->spacing != geometry().doublebondspacing) {
      twin->spacing = geometry().doublebondspacing;
      twin->calcoffsets();
    }
    map.bonds.emplace(bond, twin);
  }
  copylinks(*copy, map);
  return copy;
}

std::unique_ptr<tdrawing> tdrawing::framedrawing(
    const std::vector<tatm*>& atomparts,
    const std::vector<tbond*>& bondparts) const {
  std::unique_ptr<tdrawing> shell = emptycopy();
  tcopymap map;
  map.atoms.reserve(atomparts.size());
  shell->atoms.reserve(atoms.count());
  for (int i = 0; i < atoms.count(); ++i) {
    tatm* part = atomparts.at(static_cast<std::size_t>(i));
    shell->atoms.add(part);
    map.atoms.emplace(atoms.items(i), part);
  }
  map.bonds.reserve(bondparts.size());
  shell->bonds.reserve(bonds.count());
  for (int i = 0; i < bonds.count(); ++i) {
    tbond* part = bondparts.at(static_cast<std::size_t>(i));
    shell->bonds.add(part);
    map.bonds.emplace(bonds.items(i), part);
  }
  copylinks(*shell, map);
  return shell;
}

void tdrawing::selectall(bool flag) {
  auto value = static_cast<std::uint8_t>(flag ? 1 : 0);
  selected = value;
  for (tatm* atom : atoms) {
    atom->selected = value;
  }
  for (tbond* bond : bonds) {
    bond->selected = value;
  }
  bool symbolstoo = drawmode == 0 || drawmode == 70;
  for (tSymbol* symbol : symbols) {
    symbol->selected = symbolstoo ? value : 0;
  }
}

void tdrawing::setdrawmode(std::uint8_t code) { drawmode = code; }

tStructure* tdrawing::placestructure(std::unique_ptr<tStructure> structure,
                                     double x, double y) {
  if (structure == nullptr) {
    return nullptr;
  }
  for (tatm* atom : structure->atoms) {
    atom->setxyz(atom->x + x, atom->y + y, atom->z);
  }
  return mergestructure(std::move(structure));
}

tStructure* tdrawing::mergestructure(std::unique_ptr<tStructure> structure) {
  if (structure == nullptr) {
    return nullptr;
  }
  tStructure* view = structure.get();
  view->transferownership(*this);
  ownedstructures_.push_back(std::move(structure));
  // A structure handed over is new to the drawing: no search of the list.
  jointhelists(*view);
  structures.add(view);
  holdgeometry(*view);
  return view;
}

void tdrawing::mergestructure(tStructure* structure) {
  if (structure == nullptr || structure == this) {
    return;
  }
  jointhelists(*structure);
  structures.additem(structure);
  holdgeometry(*structure);
}

void tdrawing::jointhelists(const tStructure& structure) {
  // A new bond at an atom the drawing already holds (a chain drawn from
  // it) changes that atom's neighbourhood; a pasted part keeps its marks.
  std::vector<const tbond*> attached;
  for (const tbond* bond : structure.bonds) {
    if (bondposition(bond) < 0 &&
        ((bond->atom1 != nullptr && positionof(bond->atom1) >= 0) ||
         (bond->atom2 != nullptr && positionof(bond->atom2) >= 0))) {
      attached.push_back(bond);
    }
  }
  for (tatm* atom : structure.atoms) {
    if (positionof(atom) < 0) {
      atoms.add(atom);
      if (atom->kind == labelatomkind) {
        labelatoms.add(atom);
      }
    }
  }
  for (tbond* bond : structure.bonds) {
    if (bondposition(bond) < 0) {
      bonds.add(bond);
    }
  }
  for (const tbond* bond : attached) {
    dropstereomarks(*bond);
  }
}

tSymbol* tdrawing::addsymbol(std::unique_ptr<tSymbol> symbol) {
  if (symbol == nullptr) {
    return nullptr;
  }
  tSymbol* view = symbol.get();
  view->transferownership(*this);
  ownedsymbols_.push_back(std::move(symbol));
  jointhelists(*view);
  symbols.add(view);
  holdgeometry(*view);
  return view;
}

void tdrawing::deletesymbol(tSymbol* symbol) {
  if (symbol == nullptr || !symbols.contains(symbol)) {
    return;
  }
  symbols.remove(symbol);
  std::vector<tbond*> links(symbol->bonds.begin(), symbol->bonds.end());
  std::vector<tatm*> points(symbol->atoms.begin(), symbol->atoms.end());
  symbol->bonds.clear();
  symbol->atoms.clear();
  for (tbond* link : links) {
    removebond(link);
  }
  for (tatm* point : points) {
    removeatom(point);
  }
  std::erase_if(ownedsymbols_, [symbol](const std::unique_ptr<tSymbol>& s) {
    return s.get() == symbol;
  });
}

void tdrawing::deletestructure(tStructure* structure) {
  if (structure == nullptr || !structures.contains(structure)) {
    return;
  }
  structures.remove(structure);
  std::erase_if(ownedstructures_,
                [structure](const std::unique_ptr<tStructure>& s) {
                  return s.get() == structure;
                });
}

std::unique_ptr<tStructure> tdrawing::copystructure(
    const tStructure& source) const {
  std::unique_ptr<tStructure> twin = source.newempty();
  twin->setgeometry(geometry());
  tcopymap map;
  for (const tatm* atom : source.atoms) {
    map.atoms.emplace(atom, twin->addatom(copyatom(*atom)));
  }
  for (const tbond* bond : source.bonds) {
    tatm* a = map.atom(bond->atom1);
    tatm* b = map.atom(bond->atom2);
    if (a != nullptr && b != nullptr) {
      tbond* copy = twin->addbond(tbond::copyof(*bond, a, b));
      copy->spacing = geometry().doublebondspacing;
      copy->calcoffsets();
      map.bonds.emplace(bond, copy);
    }
  }
  // The twin owns the copies; its lists are filled again in the order and
  // with the ring slots of the source.
  twin->atoms.clear();
  twin->bonds.clear();
  relinkstructure(source, *twin, map);
  return twin;
}

void tdrawing::usegeometry(const tgeometrysettings* settings) {
  TFragment::usegeometry(settings);
  holdgeometry();
}

void tdrawing::setgeometry(const tgeometrysettings& settings) {
  TFragment::setgeometry(settings);
  holdgeometry();
}

void tdrawing::holdgeometry(tStructure& structure) const {
  // Points at the live settings when the drawing shares them, else at the
  // drawing's own copy, which lives as long as the structure.
  structure.usegeometry(&geometry());
}

void tdrawing::holdgeometry() const {
  for (tStructure* structure : structures) {
    holdgeometry(*structure);
  }
  for (tSymbol* symbol : symbols) {
    holdgeometry(*symbol);
  }
}

void tdrawing::mirror(int axis) { tStructure::mirror(axis); }

int tdrawing::fontindexof(const fontrecord& font) {
  return fonts.addfont(font);
}

fontrecord tdrawing::getfontrecord(int index) const {
  const tfontobject* font = fonts.items(index);
  return font != nullptr ? font->getrecord() : fonts.defaultfont();
}

void tdrawing::setfontrecord(int index, const fontrecord& font) {
  if (tfontobject* existing = fonts.items(index)) {
    existing->setrecord(font);
  }
}

int tdrawing::structurenumber(const tStructure* structure) const {
  return structures.indexof(structure) + 1;
}

}  // namespace molvane

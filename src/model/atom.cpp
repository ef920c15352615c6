// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/atom.h"

#include "model/atom_owner.h"
#include "model/bond.h"
#include "model/electron_config.h"
#include "model/element_data.h"
#include "model/font.h"
#include "model/geometry_settings.h"
#include "model/vector3.h"
#include "support/units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace molvane {

namespace {

constexpr double hydrogenmassforlabel = 1.00797;
constexpr double neutronmass = 1.0087;
constexpr std::uint32_t highlightcolour = 0xFF0000;
constexpr std::uint32_t focuscolour = 255;

bool inranges(int e, std::initializer_list<std::pair<int, int>> ranges) {
  return std::any_of(ranges.begin(), ranges.end(), [e](const auto& range) {
    return e >= range.first && e <= range.second;
  });
}

}  // namespace

bool takeshydrogens(int e) {
  return inranges(e, {{1, 1},
                      {3, 9},
                      {11, 17},
                      {19, 20},
                      {32, 35},
                      {37, 38},
                      {52, 53},
                      {55, 56}});
}

bool issblockmetal(int e) {
  return inranges(e,
                  {{4, 4}, {11, 12}, {19, 20}, {37, 38}, {55, 56}, {87, 88}});
}

int implicithydrogensof(int e, int valence2) {
  if (!takeshydrogens(e)) {
    return 0;
  }
  return std::max(0, roundhalfeven((valence2 % 100) / 2.0));
}

namespace {

int freehalf(int valence2) { return roundhalfeven((valence2 % 100) / 2.0); }

/// The bonds of atom in the drawing that holds it, in bond-list order.
const std::vector<tbond*>& drawingbondsof(const tatm* atom) {
  return atom->ownerbonds();
}

using detail::cross;
using detail::norm;

TXYZ difference(const tatm& to, const tatm& from) {
  return detail::minus(detail::pointof(to), detail::pointof(from));
}

}  // namespace

int roundhalfeven(double value) {
  if (!std::isfinite(value)) {
    return 0;
  }
  double rounded = std::nearbyint(value);
  rounded =
      std::clamp(rounded, static_cast<double>(std::numeric_limits<int>::min()),
                 static_cast<double>(std::numeric_limits<int>::max()));
  return static_cast<int>(rounded);
}

bool isotopicmass(int element, double mass) {
  if (element < 1 || element > lastelement || !std::isfinite(mass)) {
    return false;
  }
  const int number = roundhalfeven(mass);
  return number >= 1 && number <= mostmassnumber &&
         number != roundhalfeven(massof(element));
}

int nuclidemassnumber(const tatm& atom) {
  const int number = roundhalfeven(atom.mass);
  if (atom.statednuclide && atom.element >= 1 && number >= 1 &&
      number <= mostmassnumber) {
    return number;
  }
  return isotopicmass(atom.element, atom.mass) ? number : 0;
}

std::int8_t saturatedbyte(int value) {
  return static_cast<std::int8_t>(std::clamp(value, -128, 127));
}

void txy::focus() { colour = focuscolour; }

tatm::tatm(int newelement, int newlabelmode, double newx, double newy)
    : tatm(newelement, newlabelmode, newx, newy, 0.0) {}

tatm::tatm(int newelement, int newlabelmode, double newx, double newy,
           double newz) {
  if (newelement < firstelement || newelement > lastelement) {
    newelement = 0;
  }
  x = newx;
  y = newy;
  z = newz;
  commit();
  sz = roundhalfeven(z);
  align = 0;
  fcharge = 0;
  element = static_cast<std::int8_t>(newelement);
  hybridization = 3;
  hybridizationfromelement();
  valence2 = saturatedbyte(valenceof(element));
  hfree = saturatedbyte(std::max(0, freehalf(valence2)));
  symbol = std::string(symbolof(element));
  direction = 1;
  mass = massof(element);
  eqcharge = 0.0;
  fixed = 0;
  setlabelmode(newlabelmode);
}

tatm::tatm(std::uint8_t kindof, double newx, double newy)
    : tatm(firstelement, nolabel, newx, newy) {
  kind = kindof;
}

tatm::tatm(const tatm& other) : txy() {
  x = other.x;
  y = other.y;
  z = other.z;
  x0 = other.x0;
  y0 = other.y0;
  z0 = other.z0;
  sx = other.sx;
  sy = other.sy;
  sz = other.sz;
  osx = other.osx;
  osy = other.osy;
  kind = other.kind;
  number = other.number;
  fontindex = other.fontindex;
  symbol = other.symbol;
  direction = other.direction;
  align = other.align;
  colour = other.colour;
  hfree = other.hfree;
  valence2 = other.valence2;
  fcharge = other.fcharge;
  qpartial = other.qpartial;
  element = other.element;
  labelmode = other.labelmode;
  hybridization = other.hybridization;
  hadjust = other.hadjust;
  nbcount = other.nbcount;
  stereomark = other.stereomark;
  mass = massof(element);
  fixed = 0;
}

tatm::~tatm() = default;

void tatm::setelement(int newelement, int newlabelmode) {
  if (newelement < firstelement || newelement > lastelement) {
    return;
  }
  if (newelement != element) {
    stereomark = tstereomark::asdrawn;
  }
  element = static_cast<std::int8_t>(newelement);
  symbol = std::string(symbolof(element));
  direction = 1;
  mass = massof(element);
  statednuclide = false;
  fcharge = 0;
  valence2 = saturatedbyte(valenceof(element));
  hfree = saturatedbyte(std::max(0, freehalf(valence2)));
  setlabelmode(element == firstelement ? symbollabel : newlabelmode);
  nbcount = 0;
  fixed = 0;
}

void tatm::changeelement(int newelement, int newlabelmode) {
  const int oldelement = element;
  if (newelement == 0) {
    setelement(element, labelmode);
  } else {
    setelement(newelement, newlabelmode);
  }
  if (findbonds() > 0) {
    int free = element == firstelement ? 0 : valence2;
    for (const tbond* each : bonds) {
      free -= each->kind();
    }
    valence2 = saturatedbyte(free);
    hfree = saturatedbyte(std::max(0, freehalf(valence2)));
  }
  // Another element changes the neighbourhood of the atoms bonded to it.
  if (element != oldelement) {
    for (tbond* each : bonds) {
      each->dropstereomarks();
    }
  }
}

void tatm::setdeuterium() {
  changeelement(1, symbollabel);
  mass = 2.016F;
  symbol = "D";
}

void tatm::addneutrons(int n) {
  mass = static_cast<float>(mass + n * neutronmass);
  statednuclide = false;
}

void tatm::setmassnumber(int massnumber) {
  if (massnumber < 1 || massnumber > mostmassnumber) {
    return;
  }
  mass = static_cast<float>(massnumber);
  statednuclide = true;
}

int tatm::implicithydrogens() const {
  return implicithydrogensof(element, valence2);
}

void tatm::sethadjust(int n) {
  n = std::clamp(n, -128, 127);
  hadjust = static_cast<std::int8_t>(n);
  valence2 = saturatedbyte(valence2 + 2 * n);
}

void tatm::addvalence() { valence2 = saturatedbyte(valence2 + 2); }

void tatm::refreshhfree() {
  hfree = saturatedbyte(std::max(0, freehalf(valence2)));
  commit();
}

double tatm::massandh() const {
  return mass + implicithydrogens() * hydrogenmassforlabel;
}

void tatm::setcharge(int charge) {
  qpartial = 0.0F;
  fcharge = static_cast<std::int8_t>(std::clamp(charge, -9, 9));
}

void tatm::changecharge(int d) {
  fcharge = static_cast<std::int8_t>(std::clamp(fcharge + d, -9, 9));
}

double tatm::getcharge() const {
  if (fcharge != 0 && fcharge >= -9 && fcharge <= 9) {
    return fcharge;
  }
  return qpartial;
}

std::string tatm::chargetext() const {
  if (fcharge == 0) {
    return "";
  }
  if (fcharge < 0) {
    return std::to_string(static_cast<int>(fcharge));
  }
  return "+" + std::to_string(static_cast<int>(fcharge));
}

bool tatm::isacceptor() const {
  return (element == 7 || element == 8 || element == 9) && fcharge == 0;
}

TEConfig tatm::econfig() const { return TEConfig(element, fcharge); }

double tatm::electronegativityat(int charge) const {
  return TEConfig(element, charge).electronegativity();
}

double tatm::atomelectronegativity() const {
  return std::max(0.0, electronegativityatpartial(element, fcharge, qpartial));
}

double tatm::ionradius() const {
  if (fcharge != 0) {
    return ionradiusof(element, fcharge);
  }
  return radiusof(element);
}

bool tatm::hybridizationfromelement() {
  if (issblockmetal(element)) {
    hybridization = 0;
    return true;
  }
  if (inranges(element, {{5, 9}, {13, 17}, {31, 35}, {49, 53}, {81, 84}})) {
    hybridization = 3;
    return false;
  }
  hybridization = 0;
  return false;
}

int tatm::bondpattern() {
  findbonds();
  int pattern = 0;
  for (const tbond* each : bonds) {
    int k = each->kind();
    if (k == 1 || k == 2) {
      pattern += 1;
    } else if (k == 3 || k == 4) {
      pattern += 10;
    } else if (k == 5 || k == 6) {
      pattern += 100;
    }
  }
  // Wrapping around would turn an overcrowded atom into a plausible one
  // (261 into 5); 255 matches no hybridisation.
  return std::min(pattern, 255);
}

int tatm::gethybridization() {
  if (hybridizationfromelement()) {
    return hybridization;
  }
  findbonds();
  bool delocalised =
      std::any_of(bonds.begin(), bonds.end(),
                  [](const tbond* b) { return b->isdelocalised(); });
  if (delocalised) {
    hybridization = 4;
    return hybridization;
  }
  int code = bondpattern();
  if (code <= 4) {
    hybridization = 3;
  } else if (code == 5) {
    hybridization = 5;
  } else if (code == 6) {
    hybridization = 6;
  } else if ((code >= 10 && code <= 12) || code == 30 ||
             (code == 20 && fcharge == 0 &&
              inranges(element, {{16, 16}, {34, 34}, {52, 52}}))) {
    // A neutral sulfur, selenium or tellurium with two double bonds (code
    // 20) keeps a lone pair and is bent, as SO2 is (119 degrees).
    hybridization = 2;
  } else if (code == 20 || (code >= 100 && code <= 102)) {
    hybridization = 1;
  } else {
    hybridization = 0;
  }
  return hybridization;
}

int tatm::setlabelmode(int mode) {
  int previous = labelmode;
  if (mode == nonelabel || mode == nolabel || mode == symbollabel ||
      (mode >= 3 && mode <= 6)) {
    labelmode = static_cast<std::uint8_t>(mode);
  } else if (mode == hydrogenlabel) {
    labelmode = takeshydrogens(element) ? hydrogenlabel : symbollabel;
  }
  return previous;
}

void tatm::togglelabel() {
  if (labelmode == nolabel || labelmode == symbollabel) {
    setlabelmode(hydrogenlabel);
  } else if (labelmode == hydrogenlabel) {
    setlabelmode(nolabel);
  }
}

void tatm::togglealign() { align = align == 0 ? 2 : 0; }

std::string tatm::numbertext() const {
  if (number == 0) {
    return "";
  }
  std::string text = std::to_string(number);
  if (labelmode == symbollabel || labelmode == hydrogenlabel) {
    return " " + text;
  }
  return text;
}

std::string tatm::hlabeltext() const {
  bool shows = inranges(element, {{1, 1}, {3, 9}, {14, 17}, {32, 37}});
  if (labelmode != hydrogenlabel || !shows) {
    return symbol;
  }
  int n = roundhalfeven(valence2 / 2.0);
  if (n == 1) {
    return symbol + "H";
  }
  if (n >= 2 && n <= 16) {
    return symbol + "H" + std::to_string(n);
  }
  return symbol;
}

void tatm::setfont(const fontrecord& font) {
  int index = owner_ != nullptr ? owner_->fontindexof(font) : 0;
  // An atom refers to its font by a byte; fonts past 255 fall back to the
  // default font rather than to an unrelated one.
  fontindex = static_cast<std::uint8_t>(index >= 0 && index <= 255 ? index : 0);
}

void tatm::scalefont(double factor) {
  if (owner_ == nullptr) {
    return;
  }
  fontrecord record = owner_->getfontrecord(fontindex);
  record.height = static_cast<std::int16_t>(
      std::clamp(roundhalfeven(record.height * factor), -32768, 32767));
  record.width = 0;
  owner_->setfontrecord(fontindex, record);
}

std::uint32_t tatm::setcolour(std::uint32_t newcolour) {
  std::uint32_t previous = colour;
  colour = newcolour;
  return previous;
}

void tatm::highlight() { colour = highlightcolour; }

const tgeometrysettings& tatm::geometry() const {
  return owner_ != nullptr ? owner_->geometry() : defaultgeometry();
}

const std::vector<tbond*>& tatm::ownerbonds() const {
  static const std::vector<tbond*> none;
  return owner_ != nullptr ? owner_->bondsof(this) : none;
}

int tatm::ownerposition() const {
  return owner_ != nullptr ? owner_->positionof(this) : -1;
}

int tatm::findneighbours() {
  neighbours.clear();
  if (kind != chemicalatomkind) {
    nbcount = 0;
    return 0;
  }
  for (const tbond* each : drawingbondsof(this)) {
    neighbours.add(each->other(this));
  }
  nbcount = static_cast<std::uint8_t>(std::min(neighbours.count(), 255));
  return neighbours.count();
}

int tatm::findbonds() {
  bonds.clear();
  if (kind != chemicalatomkind) {
    nbcount = 0;
    return 0;
  }
  for (tbond* each : drawingbondsof(this)) {
    bonds.additem(each);
  }
  nbcount = static_cast<std::uint8_t>(std::min(bonds.count(), 255));
  return bonds.count();
}

tAtoms tatm::hneighbours() {
  findneighbours();
  tAtoms result;
  for (tatm* each : neighbours) {
    if (each->element == 1) {
      result.add(each);
    }
  }
  return result;
}

void tatm::dropunnamed() {
  std::vector<const tatm*> unnamed;
  for (const tatm* each : neighbours) {
    if (each->element == 0) {
      unnamed.push_back(each);
    }
  }
  neighbours.removeall(unnamed);
}

void tatm::removeneighbours(const tAtoms& list) {
  std::vector<const tatm*> listed(list.begin(), list.end());
  neighbours.removeall(listed);
  neighbours.pack();
}

tAtoms tatm::neighboursexcept(const tatm* atom) {
  findneighbours();
  tAtoms result;
  for (tatm* each : neighbours) {
    if (each != atom) {
      result.add(each);
    }
  }
  return result;
}

namespace {

template <class Keep>
tbonds filterbonds(tatm& atom, Keep keep) {
  atom.findbonds();
  tbonds result;
  for (tbond* each : atom.bonds) {
    if (keep(*each)) {
      result.add(each);
    }
  }
  return result;
}

}  // namespace

tbonds tatm::singlebonds() {
  return filterbonds(*this, [](const tbond& b) {
    return b.kind() == 2 && !b.isdelocalised();
  });
}

tbonds tatm::doublebonds() {
  return filterbonds(*this, [](const tbond& b) { return b.kind() == 4; });
}

tbonds tatm::triplebonds() {
  return filterbonds(*this, [](const tbond& b) { return b.kind() == 6; });
}

tbonds tatm::delocalisedbonds() {
  return filterbonds(*this, [](const tbond& b) { return b.isdelocalised(); });
}

tbonds tatm::localisedbonds() {
  return filterbonds(*this, [](const tbond& b) { return !b.isdelocalised(); });
}

tAtoms tatm::delocalisedneighbours() {
  tAtoms result;
  for (const tbond* each : delocalisedbonds()) {
    result.add(each->other(this));
  }
  return result;
}

bool tatm::hasdelocalisedbond() { return !delocalisedbonds().empty(); }

bool tatm::isplanar() {
  if (findbonds() < 3) {
    return true;
  }
  auto bondvector = [this](int i) {
    return difference(*bonds.items(i)->other(this), *this);
  };
  TXYZ b0 = bondvector(0);
  TXYZ t = cross(b0, bondvector(1));
  double sum = 0.0;
  for (int i = 1; i < bonds.count(); ++i) {
    sum += norm(cross(t, cross(b0, bondvector(i))));
  }
  return sum <= 0.00001;
}

bool tatm::ispolarh() {
  if (element != 1 || findneighbours() != 1) {
    return false;
  }
  int e = neighbours.items(0)->element;
  return e == 7 || e == 8 || e == 9;
}

int tatm::paramelement() const { return representativeelement(element); }

int representativeelement(int element) {
  if (element >= 21 && element <= 30) {
    return 26;
  }
  if (element >= 57 && element <= 80) {
    return 69;
  }
  if (element >= 81 && element <= 103) {
    return 92;
  }
  return element;
}

void tatm::dragtocursor(int cursorx, int cursory) {
  move(cursorx - sx, cursory - sy, 0.0);
}

void tatm::assign(const tatm& atom) {
  kind = atom.kind;
  number = atom.number;
  fontindex = atom.fontindex;
  sx = atom.sx;
  sy = atom.sy;
  sz = atom.sz;
  osx = atom.osx;
  osy = atom.osy;
  symbol = atom.symbol;
  direction = atom.direction;
  align = atom.align;
  colour = atom.colour;
  hfree = atom.hfree;
  valence2 = atom.valence2;
  fcharge = atom.fcharge;
  element = atom.element;
  mass = atom.mass;
  statednuclide = atom.statednuclide;
  labelmode = atom.labelmode;
  x = atom.x;
  y = atom.y;
  z = atom.z;
  x0 = x;
  y0 = y;
  z0 = z;
  hadjust = atom.hadjust;
  stereomark = atom.stereomark;
}

tSXY::tSXY(double pointx, double pointy)
    : tatm(symbolpointkind, pointx, pointy) {
  labelmode = nonelabel;
}

tLAtm::tLAtm(const std::string& text, double labelx, double labely)
    : tatm(labelatomkind, labelx, labely) {
  labelmode = textlabel;
  align = 0;
  symbol = text;
}

std::unique_ptr<tLAtm> tLAtm::highlightedlabel(const std::string& text,
                                               double labelx, double labely) {
  auto label = std::make_unique<tLAtm>(text, labelx, labely);
  label->labelmode = hydrogenlabel;
  label->colour = highlightcolour;
  return label;
}

void tLAtm::focus() { txy::focus(); }

}  // namespace molvane

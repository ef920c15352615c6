// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/symbol.h"

#include "document/drawing.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <unordered_map>
#include <utility>

namespace molvane {

namespace {

/// Command codes of the symbol tool.
constexpr int singlearrowcommand = 720;
constexpr int doublearrowcommand = 721;
constexpr int eqarrowcommand = 722;
constexpr int eqarrow2command = 723;
constexpr int firstarcarrowcommand = 724;
constexpr int lastarcarrowcommand = 727;
constexpr int arccommand = 728;
constexpr int trianglecommand = 729;
constexpr int curvedarrowcommand = 730;

/// Segments of the stroke of a curved arrow.
constexpr int curvesegments = 16;

/// Straight arrows and the triangle turn; arcs and curved arrows do not.
bool rotates(int typecode) { return typecode >= 100 && typecode <= 107; }

TXYZ referencecentre(const tAtoms& points) {
  TXYZ sum;
  for (const tatm* point : points) {
    sum.x += point->x0;
    sum.y += point->y0;
    sum.z += point->z0;
  }
  const int n = points.count();
  if (n == 0) {
    return {};
  }
  return {sum.x / n, sum.y / n, sum.z / n};
}

tpixel screenof(const tatm& point) { return {point.sx, point.sy}; }

/// Tip P0 one and a half bonds right of tail P1.
void buildstraightarrow(tSymbol& symbol, double bondlength) {
  tatm* tip = symbol.addpoint(1.5 * bondlength, 0.0);
  tatm* tail = symbol.addpoint(0.0, 0.0);
  symbol.addlink(tip, tail);
}

/// The upper arrow points right, the lower one, lowerlength long, left.
void buildequilibriumarrow(tSymbol& symbol, double bondlength,
                           double lowerlength) {
  tatm* p0 = symbol.addpoint(1.5 * bondlength, -2.0);
  tatm* p1 = symbol.addpoint(0.0, -2.0);
  tatm* p2 = symbol.addpoint(0.0, 2.0);
  tatm* p3 = symbol.addpoint(lowerlength, 2.0);
  symbol.addlink(p0, p1);
  symbol.addlink(p2, p3);
}

void buildtriangle(tSymbol& symbol) {
  tatm* p0 = symbol.addpoint(0.0, 0.0);
  tatm* p1 = symbol.addpoint(15.0, 0.0);
  tatm* p2 = symbol.addpoint(8.0, -13.0);
  symbol.addlink(p0, p1);
  symbol.addlink(p1, p2);
  symbol.addlink(p2, p0);
}

void buildarc(tSymbol& symbol, double bondlength) {
  symbol.addpoint(-0.5 * bondlength, 0.0);
  symbol.addpoint(0.0, -0.5 * bondlength);
}

/// A straight arrow with a copy of its points half a bond higher, which
/// bends the stroke into an arch.
void buildcurvedarrow(tSymbol& symbol, double bondlength) {
  buildstraightarrow(symbol, bondlength);
  tatm* p2 = symbol.addpoint(1.5 * bondlength, -0.5 * bondlength);
  tatm* p3 = symbol.addpoint(0.0, -0.5 * bondlength);
  symbol.addlink(p2, p3);
}

}  // namespace

tSymbol::tSymbol(int typecode)
    : linewidth(static_cast<std::uint8_t>(defaultgeometry().linewidth())) {
  fragtype = typecode;
}

void tSymbol::copyfields(const tStructure& other) {
  tStructure::copyfields(other);
  const auto* symbol = dynamic_cast<const tSymbol*>(&other);
  if (symbol == nullptr) {
    return;
  }
  linewidth = symbol->linewidth;
  headstyle = symbol->headstyle;
  stylecount = symbol->stylecount;
  turn = symbol->turn;
  quadrant = symbol->quadrant;
  colour = symbol->colour;
}

tStructure::trecordbytes tSymbol::recordbytes() const {
  return {linewidth,
          headstyle,
          stylecount,
          static_cast<std::uint8_t>(turn),
          static_cast<std::uint8_t>(quadrant),
          shownumbers};
}

void tSymbol::setrecordbytes(const trecordbytes& bytes) {
  linewidth = bytes[0];
  headstyle = bytes[1];
  stylecount = bytes[2];
  turn = static_cast<std::int8_t>(bytes[3]);
  quadrant = static_cast<std::int8_t>(bytes[4]);
  shownumbers = bytes[5];
}

std::unique_ptr<tSymbol> tSymbol::newsymbol() const {
  return std::make_unique<tSymbol>(fragtype);
}

std::unique_ptr<tStructure> tSymbol::newempty() const { return newsymbol(); }

void tSymbol::mirror(int axis) {
  tStructure::mirror(axis);
  turn = static_cast<std::int8_t>(-turn);
  takereference();
}

tsymbolshapes tSymbol::computeshapes() { return {}; }

TXYZ tSymbol::centre() const {
  TXYZ sum;
  for (const tatm* point : atoms) {
    sum.x += point->x;
    sum.y += point->y;
    sum.z += point->z;
  }
  const int n = atoms.count();
  if (n == 0) {
    return {};
  }
  return {sum.x / n, sum.y / n, sum.z / n};
}

void tSymbol::cyclestyle() {
  headstyle =
      headstyle >= stylecount ? 0 : static_cast<std::uint8_t>(headstyle + 1);
}

void tSymbol::cyclewidth() {
  linewidth = linewidth >= 3 ? 0 : static_cast<std::uint8_t>(linewidth + 1);
  for (tbond* link : bonds) {
    link->width = linewidth;
  }
}

void tSymbol::rotatesymbol(double degrees) {
  if (!rotates(fragtype)) {
    return;
  }
  const TXYZ pivot = referencecentre(atoms);
  cx = pivot.x;
  cy = pivot.y;
  cz = pivot.z;
  const double theta = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(theta);
  const double s = std::sin(theta);
  for (tatm* point : atoms) {
    const double dx = point->x0 - cx;
    const double dy = point->y0 - cy;
    point->setxyzraw(cx + dx * c - dy * s, cy + dx * s + dy * c, point->z0);
    point->updatescreen();
  }
}

void tSymbol::scalesymbol(double factor) {
  const TXYZ pivot = centre();
  cx = pivot.x;
  cy = pivot.y;
  cz = pivot.z;
  for (tatm* point : atoms) {
    point->scaleabout(cx, cy, cz, factor);
  }
}

void tSymbol::movecentreto(double x, double y) {
  if (locked != 0) {
    return;
  }
  const TXYZ from = centre();
  translate(x - from.x, y - from.y, 0.0);
}

void tSymbol::takereference() {
  for (tatm* point : atoms) {
    point->commit();
  }
}

tatm* tSymbol::addpoint(double x, double y) {
  return addatom(std::make_unique<tSXY>(x, y));
}

tbond* tSymbol::addlink(tatm* from, tatm* to) {
  auto link = std::make_unique<tbond>(from, colour, tbondstyle::normal, 2, to);
  link->chemical = 0;
  link->width = linewidth;
  return addbond(std::move(link));
}

std::optional<tsymbolshape> tSymbol::headat(int tip, int base) const {
  const tatm* t = atoms.items(tip);
  const tatm* b = atoms.items(base);
  if (t == nullptr || b == nullptr) {
    return std::nullopt;
  }
  return arrowhead(screenof(*t), t->x - b->x, t->y - b->y, headstyle, turn,
                   geometry().bondlength);
}

std::unique_ptr<tSymbol> tArrow::newsymbol() const {
  return std::make_unique<tArrow>();
}

void tArrow::mirror(int axis) {
  // An arrow reads along x, so "reflect" turns it round left to right.
  if (axis == 1) {
    axis = 2;
  } else if (axis == 2) {
    axis = 1;
  }
  tSymbol::mirror(axis);
}

tsymbolshapes tArrow::computeshapes() {
  tsymbolshapes result;
  if (auto head = headat(0, 1)) {
    result.shapes.push_back(std::move(*head));
  }
  return result;
}

std::unique_ptr<tSymbol> tdblArrow::newsymbol() const {
  return std::make_unique<tdblArrow>();
}

tsymbolshapes tdblArrow::computeshapes() {
  tsymbolshapes result = tArrow::computeshapes();
  if (auto head = headat(1, 0)) {
    result.shapes.push_back(std::move(*head));
  }
  return result;
}

std::unique_ptr<tSymbol> tEqArrow1::newsymbol() const {
  return std::make_unique<tEqArrow1>();
}

tsymbolshapes tEqArrow1::computeshapes() {
  tsymbolshapes result = tArrow::computeshapes();
  if (auto head = headat(2, 3)) {
    result.shapes.push_back(std::move(*head));
  }
  return result;
}

std::unique_ptr<tSymbol> tEqArrow2::newsymbol() const {
  return std::make_unique<tEqArrow2>();
}

std::unique_ptr<tSymbol> ttriangle::newsymbol() const {
  return std::make_unique<ttriangle>();
}

std::unique_ptr<tSymbol> tArc::newsymbol() const {
  return std::make_unique<tArc>();
}

std::optional<tarcframe> tArc::computearc() {
  const tatm* p0 = atoms.items(0);
  const tatm* p1 = atoms.items(1);
  if (p0 == nullptr || p1 == nullptr) {
    return std::nullopt;
  }
  tarcframe arc = arcframe(screenof(*p0), screenof(*p1), turn);
  quadrant = static_cast<std::int8_t>(arc.quadrant);
  return arc;
}

tsymbolshapes tArc::computeshapes() {
  tsymbolshapes result;
  result.arc = computearc();
  return result;
}

std::unique_ptr<tSymbol> tArcArrow::newsymbol() const {
  return std::make_unique<tArcArrow>();
}

tsymbolshapes tArcArrow::computeshapes() {
  tsymbolshapes result = tArc::computeshapes();
  if (!result.arc) {
    return result;
  }
  const tarcframe& arc = *result.arc;
  if (auto head = arrowhead(arc.start, arc.start.x - arc.headbase.x,
                            arc.start.y - arc.headbase.y, headstyle, turn,
                            geometry().bondlength)) {
    result.shapes.push_back(std::move(*head));
  }
  return result;
}

std::unique_ptr<tSymbol> tSArrow::newsymbol() const {
  return std::make_unique<tSArrow>();
}

tsymbolshapes tSArrow::computeshapes() {
  if (atoms.count() < 4) {
    // Without its second pair it is an ordinary straight arrow.
    return tArrow::computeshapes();
  }
  tsymbolshapes result;
  result.drawlinks = false;
  const auto at = [this](int i) {
    const tatm* point = atoms.items(i);
    return TXYZ{point->x, point->y, point->z};
  };
  result.shapes.push_back(
      {tshapestyle::open,
       beziercurve({at(1), at(3), at(2), at(0)}, curvesegments)});
  // The curve leaves P2 straight towards the tip.
  if (auto head = headat(0, 2)) {
    result.shapes.push_back(std::move(*head));
  }
  return result;
}

std::unique_ptr<tSymbol> makesymbol(int typecode) {
  switch (typecode) {
    case arrowtype:
      return std::make_unique<tArrow>();
    case doublearrowtype:
      return std::make_unique<tdblArrow>();
    case eqarrowtype:
      return std::make_unique<tEqArrow1>();
    case eqarrow2type:
      return std::make_unique<tEqArrow2>();
    case triangletype:
      return std::make_unique<ttriangle>();
    case arctype:
      return std::make_unique<tArc>();
    case arcarrowtype:
      return std::make_unique<tArcArrow>();
    case curvedarrowtype:
      return std::make_unique<tSArrow>();
    default:
      return nullptr;
  }
}

std::unique_ptr<tSymbol> makesymbolforcommand(
    int code, const tgeometrysettings& settings) {
  const double bondlength = settings.bondlength;
  std::unique_ptr<tSymbol> symbol;
  switch (code) {
    case singlearrowcommand:
      symbol = makesymbol(arrowtype);
      buildstraightarrow(*symbol, bondlength);
      break;
    case doublearrowcommand:
      symbol = makesymbol(doublearrowtype);
      buildstraightarrow(*symbol, bondlength);
      break;
    case eqarrowcommand:
      symbol = makesymbol(eqarrowtype);
      buildequilibriumarrow(*symbol, bondlength,
                            roundhalfeven(1.5 * bondlength));
      symbol->headstyle = 3;
      break;
    case eqarrow2command:
      symbol = makesymbol(eqarrow2type);
      buildequilibriumarrow(*symbol, bondlength,
                            roundhalfeven(0.75 * bondlength));
      symbol->headstyle = 3;
      break;
    case arccommand:
      symbol = makesymbol(arctype);
      buildarc(*symbol, bondlength);
      break;
    case trianglecommand:
      symbol = makesymbol(triangletype);
      buildtriangle(*symbol);
      break;
    case curvedarrowcommand:
      symbol = makesymbol(curvedarrowtype);
      buildcurvedarrow(*symbol, bondlength);
      break;
    default:
      if (code < firstarcarrowcommand || code > lastarcarrowcommand) {
        return nullptr;
      }
      // The four curved-arrow buttons show one arc in its four mirror
      // images.
      symbol = makesymbol(arcarrowtype);
      buildarc(*symbol, bondlength);
      if (code == 725 || code == 726) {
        symbol->mirror(1);
      }
      if (code == 726 || code == 727) {
        symbol->mirror(2);
      }
      break;
  }
  symbol->setgeometry(settings);
  symbol->linewidth = static_cast<std::uint8_t>(settings.linewidth());
  return symbol;
}

tSymbol* placesymbol(tdrawing& drawing, int code, double x, double y) {
  std::unique_ptr<tSymbol> symbol =
      makesymbolforcommand(code, drawing.geometry());
  if (symbol == nullptr) {
    return nullptr;
  }
  tSymbol* view = drawing.addsymbol(std::move(symbol));
  const TXYZ from = view->centre();
  view->translate(x - from.x, y - from.y, 0.0);
  return view;
}

std::unique_ptr<tSymbol> copysymbol(const tSymbol& symbol) {
  std::unique_ptr<tSymbol> copy = makesymbol(symbol.fragtype);
  if (copy == nullptr) {
    copy = std::make_unique<tSymbol>(symbol.fragtype);
  }
  copy->copyfields(symbol);
  std::unordered_map<const tatm*, tatm*> twins;
  for (const tatm* point : symbol.atoms) {
    auto twin = std::make_unique<tSXY>(point->x, point->y);
    twin->assign(*point);
    twin->x0 = point->x0;
    twin->y0 = point->y0;
    twin->z0 = point->z0;
    twin->selected = point->selected;
    twins.emplace(point, copy->addatom(std::move(twin)));
  }
  for (const tbond* link : symbol.bonds) {
    auto from = twins.find(link->atom1);
    auto to = twins.find(link->atom2);
    if (from == twins.end() || to == twins.end()) {
      continue;
    }
    std::unique_ptr<tbond> twin =
        tbond::copyof(*link, from->second, to->second);
    twin->width = symbol.linewidth;
    copy->addbond(std::move(twin));
  }
  return copy;
}

tSymbol* nearestsymbol(const tdrawing& drawing, double x, double y) {
  tSymbol* nearest = nullptr;
  double best = std::numeric_limits<double>::infinity();
  for (tSymbol* symbol : drawing.symbols) {
    if (symbol->atoms.empty()) {
      continue;
    }
    const TXYZ c = symbol->centre();
    const double d2 = (c.x - x) * (c.x - x) + (c.y - y) * (c.y - y);
    if (d2 < best) {
      best = d2;
      nearest = symbol;
    }
  }
  return nearest;
}

}  // namespace molvane

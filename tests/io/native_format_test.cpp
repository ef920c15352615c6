// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/native_format.h"

#include "document/symbol.h"
#include "io/atomic_file.h"
#include "io/real48.h"
#include "model/element_data.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <span>
#include <typeinfo>

namespace molvane {
namespace {

using bytes = std::vector<std::uint8_t>;

constexpr std::size_t headersize = 568;
constexpr std::size_t atomsize = 346;
constexpr std::size_t bondsize = 23;
constexpr std::size_t countsize = 2;

std::uint16_t u16at(const bytes& file, std::size_t at) {
  return static_cast<std::uint16_t>(file[at] | (file[at + 1] << 8));
}

std::uint32_t u32at(const bytes& file, std::size_t at) {
  return static_cast<std::uint32_t>(u16at(file, at)) |
         (static_cast<std::uint32_t>(u16at(file, at + 2)) << 16U);
}

void putu16(bytes& file, std::size_t at, std::uint16_t value) {
  file[at] = static_cast<std::uint8_t>(value);
  file[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void putu32(bytes& file, std::size_t at, std::uint32_t value) {
  putu16(file, at, static_cast<std::uint16_t>(value));
  putu16(file, at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::string textat(const bytes& file, std::size_t at) {
  return reinterpret_cast<const char*>(&file[at]);
}

/// Offset of atom record i in a classic file.
std::size_t atomat(std::size_t i) {
  return headersize + countsize + atomsize * i;
}

/// Offset of the bond count in a classic file of n atoms.
std::size_t bondsat(std::size_t atoms) { return atomat(atoms); }

/// Offset of the coordinates of a classic file without structures and
/// symbols.
std::size_t coordinatesat(std::size_t atoms, std::size_t bonds) {
  return bondsat(atoms) + countsize + bondsize * bonds + 3 * countsize;
}

treadresult readback(const bytes& file) {
  treadresult result = readnative(file);
  EXPECT_TRUE(result.error.empty()) << result.error;
  EXPECT_NE(result.drawing, nullptr);
  return result;
}

class NativeFormatTest : public testing::tdrawingtest {
 protected:
  tSymbol* addsymbol(int code, double x, double y) {
    std::unique_ptr<tSymbol> symbol = makesymbol(code);
    if (symbol == nullptr) {
      return nullptr;
    }
    tatm* tip = symbol->addatom(std::make_unique<tSXY>(x + 45, y));
    tatm* tail = symbol->addatom(std::make_unique<tSXY>(x, y));
    tbond* link = symbol->addbond(std::make_unique<tbond>(tip, 0, 1, 2, tail));
    link->chemical = 0;
    symbol->colour = 0x00AA00U + static_cast<std::uint32_t>(code);
    symbol->headstyle = static_cast<std::uint8_t>(code % 6);
    symbol->turn = -1;
    symbol->frame = {static_cast<int>(x), static_cast<int>(y) - 5,
                     static_cast<int>(x) + 45, static_cast<int>(y) + 5};
    return drawing().addsymbol(std::move(symbol));
  }

  /// One of everything a document stores. Bonded atoms sit on whole
  /// pixels, so that bond offsets come out the same after reading.
  void buildsample() {
    tdrawing& d = drawing();
    d.settitle("Esterification");
    d.setauthor("A. Chemist");
    d.setnotes("reflux, 2 h");

    tatm* c = atom(6, 10, 20, 5, 2);
    tatm* n = atom(7, 40, 20, -3, 1);
    n->fcharge = 1;
    n->number = 12;
    n->eqcharge = 0.75;
    n->colour = 0x0000FF;
    n->direction = -1;
    n->align = 2;
    tatm* o = atom(8, 70, 35);
    o->fcharge = -1;
    o->number = 3;
    tatm* d2 = atom(1, 90, 35, 0, 1);
    d2->setdeuterium();
    tatm* r = atom(-1, 200.5, 10.75, -3.125, 1);
    r->hfree = 3;
    bond(c, n, 2);
    bond(n, o, 4)->setdelocalised(true);
    bond(o, d2, 2);

    const int styles[] = {1, 2, 3, 4, 5, -7, 10};
    for (int k = 0; k <= 6; ++k) {
      tatm* a = atom(6, 10 + 30 * k, 100);
      tatm* b = atom(6, 10 + 30 * k, 130);
      tbond* each = bond(a, b, k);
      each->style = styles[k];
      each->width = 1 + k % 4;
      each->colour = 0x102030U * static_cast<std::uint32_t>(k);
      each->wideend = 1 + k % 2;
      each->side = static_cast<std::int8_t>(k % 2 == 0 ? 1 : -1);
    }
    bond(atom(6, 250, 100), atom(6, 280, 100), 3)->setdelocalised(true);

    d.addatom(std::make_unique<tLAtm>("Heat", 100, 10));
    auto bold = std::make_unique<tLAtm>("H2SO4", 130, 10);
    fontrecord font = fontrecord::standard();
    font.weight = 700;
    font.setfacename("Courier New");
    bold->setfont(font);
    bold->colour = 0x336699;
    d.addatom(std::move(bold));

    for (int code : {102, 103, 104, 105, 106, 108, 109, 110}) {
      addsymbol(code, 300, 20.0 * code - 2000);
    }

    auto first = std::make_unique<tStructure>();
    first->atoms.add(c);
    first->atoms.add(n);
    first->bonds.add(d.bonds.items(0));
    first->amount = 2.5;
    for (std::size_t i = 0; i < first->thermovalues.size(); ++i) {
      first->thermovalues[i] = -100.5 + static_cast<double>(i);
    }
    first->phase = liquidphase;
    first->thermoflag = 3;
    first->frame = {1, 2, 300, 400};
    first->ringsize = 6;
    first->setrecordbytes({6, 2, 1, 1, 0, 1});
    first->selected = 1;
    d.mergestructure(std::move(first));
    auto second = std::make_unique<tStructure>();
    second->atoms.add(o);
    second->phase = solventphase;
    second->amount = 0.001;
    d.mergestructure(std::move(second));

    d.elementcolours[8] = 0x123456;
    d.elementcolours[103] = 0x010203;
    d.shownmrshifts = true;
    d.showstructurelabels = true;
    d.drawmode = 105;
  }
};

void expectsamestructure(const tStructure& a, const tdrawing& da,
                         const tStructure& b, const tdrawing& db) {
  EXPECT_EQ(typeid(a), typeid(b));
  EXPECT_EQ(a.fragtype, b.fragtype);
  EXPECT_EQ(a.ringsize, b.ringsize);
  EXPECT_EQ(a.recordbytes(), b.recordbytes());
  EXPECT_EQ(a.recordword(), b.recordword());
  EXPECT_EQ(a.selected, b.selected);
  EXPECT_EQ(a.frame, b.frame);
  ASSERT_EQ(a.atoms.count(), b.atoms.count());
  for (int i = 0; i < a.atoms.count(); ++i) {
    EXPECT_EQ(da.positionof(a.atoms.items(i)), db.positionof(b.atoms.items(i)));
  }
  ASSERT_EQ(a.bonds.count(), b.bonds.count());
  for (int i = 0; i < a.bonds.count(); ++i) {
    EXPECT_EQ(da.bondposition(a.bonds.items(i)),
              db.bondposition(b.bonds.items(i)));
  }
}

TEST_F(NativeFormatTest, RoundTripKeepsEveryStoredField) {
  buildsample();
  tdrawing& a = drawing();
  const bytes file = writenative(a);
  EXPECT_EQ(a.drawmode, 5) << "the draw mode is reduced before writing";

  treadresult result = readback(file);
  ASSERT_NE(result.drawing, nullptr);
  EXPECT_TRUE(result.notices.empty());
  tdrawing& b = *result.drawing;
  EXPECT_EQ(b.title(), a.title());
  EXPECT_EQ(b.author(), a.author());
  EXPECT_EQ(b.notes(), a.notes());
  EXPECT_EQ(b.fileversion, 150);
  EXPECT_EQ(b.bondlength, 30);
  EXPECT_TRUE(b.saved);
  EXPECT_EQ(b.drawmode, 5);
  EXPECT_TRUE(b.shownmrshifts);
  EXPECT_TRUE(b.showstructurelabels);
  EXPECT_EQ(b.elementcolours, a.elementcolours);

  ASSERT_EQ(b.atoms.count(), a.atoms.count());
  for (int i = 0; i < a.atoms.count(); ++i) {
    SCOPED_TRACE(i);
    const tatm& x = *a.atoms.items(i);
    const tatm& y = *b.atoms.items(i);
    EXPECT_EQ(typeid(x), typeid(y));
    EXPECT_EQ(y.kind, x.kind);
    EXPECT_EQ(y.number, x.number);
    EXPECT_EQ(b.getfontrecord(y.fontindex).tobytes(),
              a.getfontrecord(x.fontindex).tobytes());
    EXPECT_EQ(y.align, x.align);
    EXPECT_EQ(y.x, x.x);
    EXPECT_EQ(y.y, x.y);
    EXPECT_EQ(y.z, x.z);
    EXPECT_EQ(y.sx, x.sx);
    EXPECT_EQ(y.sz, x.sz);
    EXPECT_EQ(y.symbol, x.symbol);
    EXPECT_EQ(y.direction, x.direction);
    EXPECT_EQ(y.hfree, x.hfree);
    EXPECT_EQ(y.valence2, x.valence2);
    EXPECT_EQ(y.fcharge, x.fcharge);
    EXPECT_EQ(y.element, x.element);
    EXPECT_EQ(y.colour, x.colour);
    EXPECT_EQ(y.labelmode, x.labelmode);
    EXPECT_EQ(y.eqcharge, x.eqcharge);
  }
  EXPECT_EQ(b.labelatoms.count(), 2);

  ASSERT_EQ(b.bonds.count(), a.bonds.count());
  for (int i = 0; i < a.bonds.count(); ++i) {
    SCOPED_TRACE(i);
    const tbond& x = *a.bonds.items(i);
    const tbond& y = *b.bonds.items(i);
    EXPECT_EQ(y.order, x.order);
    EXPECT_EQ(y.style, x.style);
    EXPECT_EQ(y.hybclass, x.hybclass);
    EXPECT_EQ(y.colour, x.colour);
    EXPECT_EQ(y.width, x.width);
    EXPECT_EQ(y.wideend, x.wideend);
    EXPECT_EQ(y.side, x.side);
    EXPECT_EQ(y.chemical, x.chemical);
    EXPECT_EQ(y.ref1, -1);
    EXPECT_EQ(b.positionof(y.atom1), a.positionof(x.atom1));
    EXPECT_EQ(b.positionof(y.atom2), a.positionof(x.atom2));
  }

  ASSERT_EQ(b.structures.count(), 2);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const tStructure& x = *a.structures.items(i);
    const tStructure& y = *b.structures.items(i);
    expectsamestructure(x, a, y, b);
    EXPECT_EQ(y.amount, x.amount);
    EXPECT_EQ(y.thermovalues, x.thermovalues);
    EXPECT_EQ(y.phase, x.phase);
    EXPECT_EQ(y.thermoflag, x.thermoflag);
  }
  ASSERT_EQ(b.symbols.count(), a.symbols.count());
  for (int i = 0; i < a.symbols.count(); ++i) {
    SCOPED_TRACE(a.symbols.items(i)->fragtype);
    expectsamestructure(*a.symbols.items(i), a, *b.symbols.items(i), b);
  }

  EXPECT_EQ(writenative(b), file) << "a document read back writes the same";
}

TEST_F(NativeFormatTest, HeaderAndRecordsSitAtTheirOffsets) {
  tatm* c = atom(6, 1.0, -2.5, 1e-6, 1);
  c->number = 513;
  c->colour = 0x00C0FFEE;
  tatm* o = atom(8, 31, -2.5);
  tbond* link = bond(c, o, 4);
  link->style = 4;
  link->colour = 0x11223344;
  link->wideend = 1;
  drawing().settitle("Title");
  drawing().setauthor("Author");
  drawing().setnotes("Notes");
  const bytes file = writenative(drawing());

  EXPECT_EQ(u16at(file, 0), 150);
  EXPECT_EQ(file[2], 1);
  EXPECT_EQ(u16at(file, 3), 30);
  EXPECT_EQ(textat(file, 56), "Title");
  EXPECT_EQ(textat(file, 152), "Author");
  EXPECT_EQ(textat(file, 248), "Notes");
  EXPECT_TRUE(std::all_of(&file[5], &file[56], [](auto b) { return b == 0; }));
  EXPECT_TRUE(
      std::all_of(&file[344], &file[568], [](auto b) { return b == 0; }));
  EXPECT_EQ(u16at(file, 568), 2);

  const std::size_t at = atomat(0);
  EXPECT_EQ(u16at(file, at), 513);
  EXPECT_EQ(file[at + 2], 0);
  EXPECT_EQ(u16at(file, at + 3), 1);
  EXPECT_EQ(static_cast<std::int16_t>(u16at(file, at + 5)), -2);
  EXPECT_EQ(u32at(file, at + 7), u32at(file, at + 3));
  EXPECT_EQ(u32at(file, at + 11), 0U);
  const auto font = drawing().getfontrecord(0).tobytes();
  EXPECT_TRUE(std::equal(font.begin(), font.end(), &file[at + 15]));
  EXPECT_EQ(file[at + 67], 1);
  EXPECT_EQ(file[at + 68], 'C');
  EXPECT_EQ(file[at + 323], 1);
  EXPECT_EQ(u32at(file, at + 324), 0x00C0FFEEU);
  EXPECT_EQ(u32at(file, at + 328), 0x00C0FFEEU);
  EXPECT_EQ(static_cast<std::int8_t>(file[at + 333]), c->valence2);
  EXPECT_EQ(file[at + 335], 6);
  const treal48 mass = doubletoreal48(massof(6));
  EXPECT_TRUE(std::equal(mass.begin(), mass.end(), &file[at + 336]));
  EXPECT_EQ(file[at + 342], 1);

  const std::size_t bondat = bondsat(2) + countsize;
  EXPECT_EQ(u16at(file, bondsat(2)), 1);
  EXPECT_EQ(file[bondat], 2) << "hybclass";
  EXPECT_EQ(file[bondat + 1], 4) << "order";
  EXPECT_EQ(u32at(file, bondat + 2), 0x11223344U);
  EXPECT_EQ(u32at(file, bondat + 6), 0U);
  EXPECT_EQ(file[bondat + 10], 4) << "style";
  EXPECT_EQ(file[bondat + 16], 1) << "wideend";
  EXPECT_EQ(u16at(file, bondat + 18), 0);
  EXPECT_EQ(u16at(file, bondat + 20), 1);
  EXPECT_EQ(file[bondat + 22], 1) << "chemical";

  const std::size_t xyz = coordinatesat(2, 1);
  const treal48 expected[] = {doubletoreal48(1.0), doubletoreal48(-2.5),
                              doubletoreal48(1e-6)};
  EXPECT_EQ(expected[0], (treal48{0x81, 0, 0, 0, 0, 0}));
  EXPECT_EQ(expected[1], (treal48{0x82, 0, 0, 0, 0, 0xA0}));
  EXPECT_EQ(expected[2], (treal48{0x6D, 0xAF, 0x05, 0xBD, 0x37, 0x06}));
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_TRUE(
        std::equal(expected[k].begin(), expected[k].end(), &file[xyz + 6 * k]));
  }
}

TEST_F(NativeFormatTest, ElementColourTableHoldsOnlyChangedEntries) {
  atom(6, 0, 0);
  bytes file = writenative(drawing());
  EXPECT_EQ(file.back(), 0) << "an unchanged table is one 0 byte";

  drawing().elementcolours[8] = 0x00ABCDEF;
  file = writenative(drawing());
  ASSERT_GE(file.size(), 6U);
  EXPECT_EQ(file[file.size() - 6], 1);
  EXPECT_EQ(file[file.size() - 5], 8);
  EXPECT_EQ(u32at(file, file.size() - 4), 0x00ABCDEFU);

  // Atomic numbers outside 1..103 are ignored.
  file[file.size() - 6] = 3;
  for (int e : {0, 104}) {
    file.push_back(static_cast<std::uint8_t>(e));
    file.insert(file.end(), {1, 2, 3, 0});
  }
  treadresult result = readback(file);
  ASSERT_NE(result.drawing, nullptr);
  std::array<std::uint32_t, 104> expected = drawing().elementcolours;
  expected[0] = result.drawing->elementcolours[0];
  EXPECT_EQ(result.drawing->elementcolours, expected);
}

TEST_F(NativeFormatTest, OldVersionsKeepTheirPixelsAndScaleByTheHeader) {
  tatm* c = atom(6, 10.4, 20.6, 7.7);
  tatm* o = atom(8, 50, 20, 0);
  bond(c, o, 2);
  bytes file = writenative(drawing());
  file.resize(coordinatesat(2, 1));
  putu16(file, 0, 106);

  // A header bond length outside 16..32 and no carbon-carbon bond: as is.
  putu16(file, 3, 40);
  treadresult result = readback(file);
  ASSERT_NE(result.drawing, nullptr);
  EXPECT_TRUE(result.notices.empty());
  const tatm& first = *result.drawing->atoms.items(0);
  EXPECT_EQ(first.x, 10.0);
  EXPECT_EQ(first.y, 21.0);
  EXPECT_EQ(first.z, 8.0) << "z comes from the atom record";
  EXPECT_EQ(first.x0, 10.0);

  // Drawn with bonds of 20 pixels and read with 30: 1.5 times larger.
  putu16(file, 3, 20);
  result = readback(file);
  ASSERT_NE(result.drawing, nullptr);
  const tatm& a = *result.drawing->atoms.items(0);
  const tatm& b = *result.drawing->atoms.items(1);
  EXPECT_NEAR(a.distance(b), 1.5 * std::sqrt(40.0 * 40 + 1 + 8 * 8), 1e-9);
  EXPECT_NEAR((a.x + b.x) / 2, 30.0, 1e-9) << "about the centroid";
  EXPECT_EQ(a.x0, a.x) << "committed";
  EXPECT_EQ(result.drawing->bondlength, 30);
}

TEST_F(NativeFormatTest, RescalingFollowsTheStoredOrTheMeasuredBondLength) {
  session().settings.bondlength = 20;
  drawing().bondlength = 20;
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 60, 0);
  bond(a, b, 2);
  bytes file = writenative(drawing());
  session().settings.bondlength = 30;

  // Header and stored bond length agree: not rescaled, whatever L is now.
  treadresult same = readback(file);
  ASSERT_NE(same.drawing, nullptr);
  EXPECT_EQ(same.drawing->atoms.items(1)->x, 60.0);
  EXPECT_EQ(same.drawing->bondlength, 30);

  // No trusted header bond length: the single C-C bonds set the scale.
  putu16(file, 3, 40);
  treadresult measured = readback(file);
  ASSERT_NE(measured.drawing, nullptr);
  EXPECT_NEAR(measured.drawing->bonds.items(0)->length(), 30.0, 1e-9);
}

TEST_F(NativeFormatTest,
       EarlyEndsKeepWhatCameBeforeAndReportMissingCoordinates) {
  tatm* a = atom(6, 0, 0);
  bond(a, atom(6, 30, 0), 2);
  const bytes file = writenative(drawing());
  const std::size_t coordinates = coordinatesat(2, 1);

  const struct {
    std::size_t size;
    bool notice;
    int atoms;
  } cases[] = {
      {headersize + 1, true, 0},   {atomat(1) + 100, true, 1},
      {coordinates, true, 2},      {coordinates + 20, true, 2},
      {coordinates + 36, true, 2}, {coordinates + 37, false, 2},
      {file.size() - 1, false, 2}, {file.size(), false, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    treadresult result =
        readnative(std::span(file).first(std::min(c.size, file.size())));
    ASSERT_NE(result.drawing, nullptr);
    EXPECT_EQ(result.notices, c.notice ? std::vector<std::string>{"End of File"}
                                       : std::vector<std::string>{});
    EXPECT_EQ(result.drawing->atoms.count(), c.atoms);
  }

  for (std::size_t size : {std::size_t{0}, headersize - 1}) {
    treadresult result = readnative(std::span(file).first(size));
    EXPECT_EQ(result.drawing, nullptr);
    EXPECT_NE(result.error.find("568"), std::string::npos) << result.error;
  }
}

TEST_F(NativeFormatTest, DamagedFieldsAreSkippedOrCorrected) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 0);
  tatm* c = atom(6, 60, 0);
  bond(a, b, 2);
  bond(b, c, 2);
  bond(a, c, 2);
  addsymbol(102, 100, 100);
  addsymbol(103, 100, 200);
  const bytes file = writenative(drawing());

  {
    SCOPED_TRACE("unknown atom kind");
    bytes damaged = file;
    damaged[atomat(1) + 2] = 7;
    treadresult result = readback(damaged);
    ASSERT_NE(result.drawing, nullptr);
    const tdrawing& d = *result.drawing;
    ASSERT_EQ(d.atoms.count(), 6);
    EXPECT_EQ(d.atoms.items(1)->x, 60.0) << "coordinates stay with atoms";
    ASSERT_EQ(d.bonds.count(), 3) << "bonds to the skipped atom are dropped";
    EXPECT_EQ(d.bonds.items(0)->atom1, d.atoms.items(0));
    EXPECT_EQ(d.bonds.items(0)->atom2, d.atoms.items(1));
    ASSERT_EQ(d.symbols.count(), 2);
    EXPECT_EQ(d.symbols.items(0)->atoms.items(0), d.atoms.items(2));
  }
  {
    SCOPED_TRACE("element, charge, direction and label mode out of range");
    bytes damaged = file;
    damaged[atomat(0) + 335] = 104;
    damaged[atomat(0) + 334] = 100;
    damaged[atomat(0) + 323] = 0x80;
    damaged[atomat(0) + 342] = 77;
    damaged[atomat(1) + 335] = 0xFE;
    treadresult result = readback(damaged);
    ASSERT_NE(result.drawing, nullptr);
    const tatm& first = *result.drawing->atoms.items(0);
    EXPECT_EQ(first.element, 0);
    EXPECT_EQ(first.fcharge, 9);
    EXPECT_EQ(first.direction, -1);
    EXPECT_EQ(first.labelmode, 0);
    EXPECT_EQ(result.drawing->atoms.items(1)->element, 0);
  }
  {
    SCOPED_TRACE("atom colours");
    const struct {
      std::uint32_t stored;
      std::uint32_t read;
    } colours[] = {{0x00FFFFFE, 0x00FFFFFE},
                   {0x00FFFFFF, 0},
                   {0x01000000, 0},
                   {0xFF000000, 0xFF000000}};
    for (const auto& colour : colours) {
      bytes damaged = file;
      putu32(damaged, atomat(0) + 324, colour.stored);
      treadresult result = readback(damaged);
      ASSERT_NE(result.drawing, nullptr);
      EXPECT_EQ(result.drawing->atoms.items(0)->colour, colour.read);
    }
  }
  {
    SCOPED_TRACE("bond ends out of range and unknown kinds");
    bytes damaged = file;
    const std::size_t first = bondsat(7) + countsize;
    putu16(damaged, first + 18, 7);
    damaged[first + bondsize + 1] = 99;
    damaged[first + 2 * bondsize + 10] = 250;
    treadresult result = readback(damaged);
    ASSERT_NE(result.drawing, nullptr);
    const tdrawing& d = *result.drawing;
    ASSERT_EQ(d.bonds.count(), 4);
    EXPECT_EQ(d.bonds.items(0)->order, 0);
    EXPECT_EQ(d.bonds.items(1)->style, -6);
    EXPECT_EQ(d.symbols.items(0)->bonds.items(0), d.bonds.items(2))
        << "indices after a dropped bond still find their bond";
  }
  {
    SCOPED_TRACE("symbol types that make no symbol");
    const std::size_t symbol =
        bondsat(7) + countsize + 5 * bondsize + 3 * countsize;
    ASSERT_EQ(u32at(file, symbol), 102U);
    for (std::uint32_t code : {107U, 0U, 0xFFFFFFFFU}) {
      bytes damaged = file;
      putu32(damaged, symbol, code);
      treadresult result = readback(damaged);
      ASSERT_NE(result.drawing, nullptr);
      ASSERT_EQ(result.drawing->symbols.count(), 1);
      EXPECT_EQ(result.drawing->symbols.items(0)->fragtype, 103);
      EXPECT_EQ(result.drawing->atoms.count(), 7) << "its points remain";
    }
  }
  {
    SCOPED_TRACE("draw modes");
    const std::size_t mode = file.size() - 1 - 2 - 10 * 7 - 2 - 2 - 2 - 1;
    ASSERT_EQ(file[mode - 1], 0) << "the reserved byte";
    const std::pair<int, int> modes[] = {{5, 5},     {19, 19}, {20, 0},
                                         {119, 119}, {125, 0}, {255, 0}};
    for (const auto& [stored, read] : modes) {
      bytes damaged = file;
      damaged[mode] = static_cast<std::uint8_t>(stored);
      treadresult result = readback(damaged);
      ASSERT_NE(result.drawing, nullptr);
      EXPECT_EQ(result.drawing->drawmode, read) << stored;
    }
  }
}

TEST_F(NativeFormatTest, StructureIndicesPointingNowhereOrTwiceAreDropped) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 0);
  tatm* c = atom(6, 60, 0);
  auto structure = std::make_unique<tStructure>();
  structure->atoms.add(a);
  structure->atoms.add(b);
  structure->atoms.add(c);
  structure->thermovalues[4] = 7.5;
  drawing().mergestructure(std::move(structure));
  bytes file = writenative(drawing());

  const std::size_t indices = bondsat(3) + 2 * countsize + 53 + countsize;
  ASSERT_EQ(u16at(file, indices - countsize), 3);
  putu16(file, indices, 2);
  putu16(file, indices + 2, 9999);
  putu16(file, indices + 4, 2);
  treadresult result = readback(file);
  ASSERT_NE(result.drawing, nullptr);
  const tStructure& read = *result.drawing->structures.items(0);
  ASSERT_EQ(read.atoms.count(), 1);
  EXPECT_EQ(read.atoms.items(0), result.drawing->atoms.items(2));
  EXPECT_EQ(read.thermovalues[4], 7.5);

  // A value record holding a NaN resets the structure's values.
  const std::size_t record = 53 + 5 * countsize;
  const std::size_t values =
      coordinatesat(3, 0) + record + 18 * 3 + 2 + countsize;
  const double nan = std::nan("");
  std::memcpy(&file[values + 8], &nan, sizeof nan);
  result = readback(file);
  ASSERT_NE(result.drawing, nullptr);
  EXPECT_EQ(result.drawing->structures.items(0)->thermovalues[4], 0.0);
}

TEST_F(NativeFormatTest, FontsPastTheByteRangeFallBackToTheDefault) {
  for (int i = 0; i < 300; ++i) {
    drawing().addatom(std::make_unique<tLAtm>("x", i, 0));
  }
  bytes file = writenative(drawing());
  for (std::size_t i = 0; i < 300; ++i) {
    putu16(file, atomat(i) + 15, static_cast<std::uint16_t>(1000 + i));
  }
  treadresult result = readback(file);
  ASSERT_NE(result.drawing, nullptr);
  const tdrawing& d = *result.drawing;
  EXPECT_EQ(d.fonts.count(), 256);
  for (const tatm* label : d.atoms) {
    ASSERT_LT(label->fontindex, d.fonts.count());
  }
  EXPECT_EQ(d.getfontrecord(d.atoms.items(0)->fontindex).height, 1000);
  EXPECT_EQ(d.atoms.items(299)->fontindex, 0);
}

TEST_F(NativeFormatTest, HostileBytesGiveADrawingOrAnError) {
  buildsample();
  const bytes file = writenative(drawing());
  const auto check = [](std::span<const std::uint8_t> input) {
    treadresult result = readnative(input);
    ASSERT_NE(result.drawing == nullptr, result.error.empty());
  };
  for (std::size_t size = 0; size <= file.size(); ++size) {
    check(std::span(file).first(size));
  }

  // Where the counts of the file stand.
  const std::size_t atoms = static_cast<std::size_t>(drawing().atoms.count());
  const std::size_t counts[] = {
      headersize, bondsat(atoms),
      bondsat(atoms) + countsize + bondsize * drawing().bonds.count()};
  std::mt19937_64 random(20260412);
  const auto below = [&random](std::size_t n) {
    return static_cast<std::size_t>(random() % n);
  };
  for (int round = 0; round < 3000; ++round) {
    bytes damaged = file;
    const int edits = 1 + static_cast<int>(below(4));
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = below(damaged.size() - 4);
      switch (below(5)) {
        case 0:
          damaged[at] ^= static_cast<std::uint8_t>(1U << below(8));
          break;
        case 1:
          damaged[at] = static_cast<std::uint8_t>(random());
          break;
        case 2:
          if (const std::size_t count = counts[below(3)];
              count + 2 <= damaged.size()) {
            putu16(damaged, count, 0xFFFF);
          }
          break;
        case 3:
          damaged[2] = 2;  // a classic file read as wide
          putu32(damaged, at, 0xFFFFFFFFU);
          break;
        default:
          damaged.resize(below(damaged.size()) + 1);
          break;
      }
      if (damaged.size() < 8) {
        break;
      }
    }
    check(damaged);
  }
}

TEST_F(NativeFormatTest, WideLayoutRoundTripsMoreThan65535AtomsAndBonds) {
  constexpr int count = 70000;
  tdrawing& d = drawing();
  d.atoms.reserve(count);
  for (int i = 0; i < count; ++i) {
    atom(6, 30.0 * (i % 300), 30.0 * (i / 300));
  }
  for (int i = 0; i + 1 < count; ++i) {
    bond(d.atoms.items(i), d.atoms.items(i + 1), 2);
  }
  bond(d.atoms.items(count - 1), d.atoms.items(0), 4);
  auto tail = std::make_unique<tStructure>();
  for (int i = 65530; i < count; ++i) {
    tail->atoms.add(d.atoms.items(i));
    tail->bonds.add(d.bonds.items(i));
  }
  tail->amount = 4.0;
  d.mergestructure(std::move(tail));
  addsymbol(102, 0, -100);
  d.atoms.items(count - 1)->number = 9;

  const bytes file = writenative(d);
  EXPECT_EQ(file[2], 2);
  EXPECT_EQ(u32at(file, headersize), static_cast<std::uint32_t>(count + 2));
  treadresult result = readback(file);
  ASSERT_NE(result.drawing, nullptr);
  const tdrawing& read = *result.drawing;
  ASSERT_EQ(read.atoms.count(), count + 2);
  ASSERT_EQ(read.bonds.count(), count + 1);
  const tbond& closure = *read.bonds.items(count - 1);
  EXPECT_EQ(read.positionof(closure.atom1), count - 1);
  EXPECT_EQ(read.positionof(closure.atom2), 0);
  EXPECT_EQ(closure.order, 4);
  EXPECT_EQ(read.positionof(read.bonds.items(65536)->atom2), 65537);
  ASSERT_EQ(read.structures.count(), 1);
  expectsamestructure(*d.structures.items(0), d, *read.structures.items(0),
                      read);
  EXPECT_EQ(read.structures.items(0)->amount, 4.0);
  ASSERT_EQ(read.symbols.count(), 1);
  EXPECT_EQ(read.positionof(read.symbols.items(0)->atoms.items(1)), count + 1);
  EXPECT_EQ(read.atoms.items(count - 1)->number, 9);
  EXPECT_EQ(writenative(*result.drawing), file);
}

TEST_F(NativeFormatTest, FilesAreSavedAndLoaded) {
  testing::ttemporaryfolder folder;
  bond(atom(6, 0, 0), atom(8, 30, 0), 4);
  const auto path = folder.path() / "acetone.mlv";
  ASSERT_EQ(savenativefile(drawing(), path), "");
  treadresult loaded = loadnativefile(path);
  ASSERT_NE(loaded.drawing, nullptr) << loaded.error;
  EXPECT_EQ(loaded.drawing->bonds.count(), 1);

  const auto missing = folder.path() / "missing.mlv";
  EXPECT_NE(loadnativefile(missing).error.find("missing.mlv"),
            std::string::npos);
  const bytes stub(10, 0);
  ASSERT_EQ(writefileatomically(folder.path() / "stub.mlv", stub), "");
  treadresult shortfile = loadnativefile(folder.path() / "stub.mlv");
  EXPECT_EQ(shortfile.drawing, nullptr);
  EXPECT_NE(shortfile.error.find("stub.mlv"), std::string::npos);
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/native_format.h"

#include "document/symbol.h"
#include "model/element_data.h"
#include "native_sample.h"
#include "support/real48.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <span>
#include <tuple>
#include <typeinfo>

namespace molvane {
namespace {

using bytes = std::vector<std::uint8_t>;

// Offsets in a classic file.
constexpr std::size_t headersize = 568;
constexpr std::size_t atomsize = 346;
constexpr std::size_t bondsize = 23;
std::size_t atomat(std::size_t i) { return headersize + 2 + atomsize * i; }
std::size_t firstbondat(std::size_t atoms) { return atomat(atoms) + 2; }
/// The first structure or symbol record after the counts before it.
std::size_t structuresat(std::size_t atoms, std::size_t bonds) {
  return firstbondat(atoms) + bondsize * bonds + 2;
}

std::uint32_t numberat(const bytes& file, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) {
    value = (value << 8U) | file[at + i];
  }
  return value;
}

void putnumber(bytes& file, std::size_t at, std::uint32_t value,
               std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

std::unique_ptr<tdrawing> readback(const bytes& file) {
  treadresult result = readnative(file, session().settings);
  EXPECT_EQ(result.error, "");
  return std::move(result.drawing);
}

auto atomfields(const tdrawing& d, const tatm* a) {
  return std::tuple(typeid(*a).name(), a->kind, a->number,
                    d.getfontrecord(a->fontindex).tobytes(), a->align, a->x,
                    a->y, a->z, a->sx, a->symbol, a->direction, a->hfree,
                    a->valence2, a->fcharge, a->element, a->colour,
                    a->labelmode, a->eqcharge);
}

auto bondfields(const tdrawing& d, const tbond* b) {
  return std::tuple(b->order, b->style, b->hybclass, b->colour, b->width,
                    b->wideend, b->side, b->chemical, d.positionof(b->atom1),
                    d.positionof(b->atom2));
}

auto structurefields(const tdrawing& d, const tStructure* s) {
  std::vector<int> atoms;
  std::vector<int> bonds;
  for (const tatm* a : s->atoms) {
    atoms.push_back(d.positionof(a));
  }
  for (const tbond* b : s->bonds) {
    bonds.push_back(d.bondposition(b));
  }
  return std::tuple(typeid(*s).name(), s->fragtype, s->ringsize,
                    s->recordbytes(), s->recordword(), s->selected, s->frame,
                    atoms, bonds, s->amount, s->thermovalues, s->phase,
                    s->thermoflag);
}

using NativeFormatTest = testing::tnativesampletest;

TEST_F(NativeFormatTest, RoundTripKeepsEveryStoredField) {
  buildsample();
  tdrawing& a = drawing();
  const bytes file = writenative(a);
  // The file holds the draw mode modulo 100; the drawing keeps its own.
  EXPECT_EQ(a.drawmode, 105) << "writing leaves the drawing as it is";

  treadresult result = readnative(file);
  ASSERT_NE(result.drawing, nullptr);
  EXPECT_TRUE(result.notices.empty());
  tdrawing& b = *result.drawing;
  EXPECT_EQ(std::tuple(b.title(), b.author(), b.notes(), b.fileversion,
                       b.bondlength, b.saved, b.drawmode, b.shownmrshifts,
                       b.showstructurelabels, b.labelatoms.count()),
            std::tuple(a.title(), a.author(), a.notes(), 150, 30, true, 5, true,
                       true, 2));
  EXPECT_EQ(b.elementcolours, a.elementcolours);
  ASSERT_EQ(b.atoms.count(), a.atoms.count());
  for (int i = 0; i < a.atoms.count(); ++i) {
    EXPECT_EQ(atomfields(b, b.atoms.items(i)), atomfields(a, a.atoms.items(i)))
        << "atom " << i;
  }
  ASSERT_EQ(b.bonds.count(), a.bonds.count());
  for (int i = 0; i < a.bonds.count(); ++i) {
    EXPECT_EQ(bondfields(b, b.bonds.items(i)), bondfields(a, a.bonds.items(i)))
        << "bond " << i;
  }
  ASSERT_EQ(b.structures.count() * 10 + b.symbols.count(), 28);
  for (int i = 0; i < 10; ++i) {
    const auto& [x, y] =
        i < 2 ? std::pair(a.structures.items(i), b.structures.items(i))
              : std::pair(a.symbols.items(i - 2), b.symbols.items(i - 2));
    EXPECT_EQ(structurefields(b, y), structurefields(a, x)) << i;
  }
  EXPECT_EQ(writenative(b), file) << "a document read back writes the same";
}

TEST_F(NativeFormatTest, HeaderAndRecordsSitAtTheirOffsets) {
  tatm* c = atom(6, 1.0, -2.5, 1e-6, 1);
  c->number = 513;
  c->colour = 0x00C0FFEE;
  tbond* link = bond(c, atom(8, 31, -2.5), 4);
  link->colour = 0x11223344;
  link->wideend = 1;
  drawing().settitle("Title");
  drawing().setauthor("Author");
  drawing().setnotes("Notes");
  const bytes file = writenative(drawing());
  const auto text = [&file](std::size_t at) {
    return std::string(reinterpret_cast<const char*>(&file[at]));
  };
  const auto zero = [&file](std::size_t from, std::size_t to) {
    return std::all_of(&file[from], &file[to], [](auto b) { return b == 0; });
  };

  EXPECT_EQ(numberat(file, 0, 3), 150U + (1U << 16)) << "version, classic";
  EXPECT_EQ(numberat(file, 3, 2), 30U);
  EXPECT_EQ(text(56) + "|" + text(152) + "|" + text(248), "Title|Author|Notes");
  EXPECT_TRUE(zero(5, 56) && zero(344, 568));
  const std::size_t at = atomat(0);
  EXPECT_EQ(numberat(file, headersize, 2), 2U);
  EXPECT_EQ(numberat(file, at, 2), 513U);
  EXPECT_EQ(numberat(file, at + 3, 4), 0xFFFE0001U) << "x 1, y -2";
  const auto font = drawing().getfontrecord(0).tobytes();
  EXPECT_TRUE(std::equal(font.begin(), font.end(), &file[at + 15]));
  EXPECT_EQ(text(at + 67), "\1C");
  EXPECT_EQ(numberat(file, at + 324, 4), 0x00C0FFEEU);
  EXPECT_EQ(file[at + 335], 6);
  const treal48 mass = doubletoreal48(massof(6));
  EXPECT_TRUE(std::equal(mass.begin(), mass.end(), &file[at + 336]));
  const std::size_t bondat = firstbondat(2);
  EXPECT_EQ(file[bondat] * 1000 + file[bondat + 1], 2004) << "class, order";
  EXPECT_EQ(numberat(file, bondat + 2, 4), 0x11223344U);
  EXPECT_EQ(file[bondat + 16], 1) << "wideend";
  EXPECT_EQ(numberat(file, bondat + 18, 4), 0x00010000U) << "atoms 0 and 1";
  // The exact coordinates follow the symbols, six bytes each.
  const treal48 y = doubletoreal48(-2.5);
  EXPECT_TRUE(std::equal(y.begin(), y.end(), &file[structuresat(2, 1) + 10]));
  EXPECT_EQ(file.back(), 0) << "an unchanged colour table is one 0 byte";
  drawing().elementcolours[8] = 0x00ABCDEF;
  const bytes changed = writenative(drawing());
  EXPECT_EQ(bytes(changed.end() - 6, changed.end()),
            (bytes{1, 8, 0xEF, 0xCD, 0xAB, 0}));
}

TEST_F(NativeFormatTest, DocumentsAreRescaledToTheCurrentBondLength) {
  // A defaults file may carry the version of an old release; documents are
  // still written in this layout, and their header must say so, or readers
  // skip the coordinates.
  session().settings.version = 106;
  session().newdrawing();
  session().settings.bondlength = 20;
  drawing().bondlength = 20;
  tatm* c = atom(6, 10.25, 20.75, 7.75);
  bond(c, atom(8, 50, 20, 0), 2);
  bond(c, atom(6, 10.25, 80.75, 7.75), 2);
  bytes file = writenative(drawing());
  session().settings.bondlength = 30;

  // Header and stored bond length agree: not rescaled whatever L is now.
  std::unique_ptr<tdrawing> same = readback(file);
  EXPECT_EQ(same->fileversion, 150);
  const tatm& exact = *same->atoms.items(0);
  EXPECT_EQ(std::tuple(exact.x, exact.y, exact.z),
            std::tuple(10.25, 20.75, 7.75));
  EXPECT_EQ(same->bondlength, 30);
  // Without a trusted header bond length the C-C bonds set the scale.
  putnumber(file, 3, 40, 2);
  EXPECT_NEAR(readback(file)->bonds.items(1)->length(), 30.0, 1e-9);

  // Version 106 ends after the symbols; atoms keep their pixels and z.
  file.resize(structuresat(3, 2) + 4);
  putnumber(file, 0, 106, 2);
  putnumber(file, 3, 30, 2);
  std::unique_ptr<tdrawing> old = readback(file);
  const tatm& a = *old->atoms.items(0);
  EXPECT_EQ(std::tuple(a.x, a.y, a.z), std::tuple(10.0, 21.0, 8.0));
  // Its bonds were 20 pixels long; now they are 30.
  putnumber(file, 3, 20, 2);
  std::unique_ptr<tdrawing> scaled = readback(file);
  const tatm& b = *scaled->atoms.items(0);
  EXPECT_NEAR(b.distance(*scaled->atoms.items(2)), 1.5 * 60, 1e-9);
  EXPECT_EQ(b.x0, b.x) << "committed";
}

TEST_F(NativeFormatTest, EarlyEndsKeepWhatCameBeforeAndSaySo) {
  bond(atom(6, 0, 0), atom(6, 30, 0), 2);
  const bytes file = writenative(drawing());
  const std::size_t coordinates = structuresat(2, 1) + 4;
  constexpr auto partial = treadextent::partial;
  const struct {
    std::size_t size;
    bool notice;
    int atoms;
    treadextent extent;
  } cases[] = {
      {atomat(1) + 100, true, 1, partial},
      {coordinates + 36, true, 2, partial},
      {coordinates + 37, false, 2, partial},
      // Cut inside the atom numbers, whose count the file gives.
      {file.size() - 20, false, 2, partial},
      {file.size(), false, 2, treadextent::whole},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    treadresult result = readnative(std::span(file).first(c.size));
    ASSERT_NE(result.drawing, nullptr);
    EXPECT_EQ(result.extent(), c.extent);
    EXPECT_EQ(result.notices,
              std::vector<std::string>(c.notice, "End of File"));
    EXPECT_EQ(result.drawing->atoms.count(), c.atoms);
  }
  // Cut before anything was read: nothing to open.
  for (const std::size_t size : {headersize - 1, headersize + 1}) {
    treadresult result = readnative(std::span(file).first(size));
    EXPECT_EQ(result.extent(), treadextent::nothing);
    EXPECT_EQ(result.drawing, nullptr);
    EXPECT_FALSE(result.error.empty());
  }
}

TEST_F(NativeFormatTest, DamagedRecordsAreSkippedOrCorrected) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 0);
  tatm* c = atom(6, 60, 0);
  bond(a, b, 2);
  bond(b, c, 2);
  bond(a, c, 2);
  addsymbol(102, 100, 100);
  addsymbol(103, 100, 200);
  const bytes file = writenative(drawing());
  const std::size_t bonds = firstbondat(7);
  const std::size_t symbols = structuresat(7, 5) + 4;
  const std::size_t drawmode = file.size() - 80;
  const struct {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    std::size_t size;
  } cases[] = {
      {"unknown atom kind", atomat(1) + 2, 7, 1},
      {"element, charge, direction, label mode", atomat(0) + 323, 0x80, 1},
      {"white atom", atomat(0) + 324, 0xFFFFFF, 4},
      {"bond end out of range", bonds + 18, 7, 2},
      {"bond kind 99", bonds + 23 + 1, 99, 1},
      {"style byte", bonds + 46 + 10, 250, 1},
      {"symbol type 107", symbols, 107, 4},
      {"draw mode 125", drawmode, 125, 1},
      {"draw mode 119", drawmode, 119, 1},
  };
  for (const auto& d : cases) {
    SCOPED_TRACE(d.what);
    bytes damaged = file;
    putnumber(damaged, d.at, d.value, d.size);
    if (d.at == atomat(0) + 323) {
      putnumber(damaged, atomat(0) + 334, 0x6864, 2);  // charge, element
      damaged[atomat(0) + 342] = 77;
    }
    std::unique_ptr<tdrawing> read = readback(damaged);
    ASSERT_NE(read, nullptr);
    const tatm& first = *read->atoms.items(0);
    const auto ends = [&read](int i) {
      const tbond* bond = read->bonds.items(i);
      return std::pair(read->positionof(bond->atom1),
                       read->positionof(bond->atom2));
    };
    switch (&d - cases) {
      case 0:
        ASSERT_EQ(read->atoms.count(), 6);
        EXPECT_EQ(read->atoms.items(1)->x, 60.0) << "coordinates follow";
        ASSERT_EQ(read->bonds.count(), 3);
        EXPECT_EQ(ends(0), std::pair(0, 1));
        EXPECT_EQ(read->symbols.items(0)->atoms.items(0), read->atoms.items(2));
        break;
      case 1:
        EXPECT_EQ(std::tuple(first.element, first.fcharge, first.direction,
                             first.labelmode),
                  std::tuple(0, 9, -1, 0));
        break;
      case 2:
        EXPECT_EQ(first.colour, 0U);
        break;
      case 3:
        ASSERT_EQ(read->bonds.count(), 4);
        EXPECT_EQ(read->symbols.items(0)->bonds.items(0), read->bonds.items(2));
        break;
      case 4:
        EXPECT_EQ(read->bonds.items(1)->order, 0);
        break;
      case 5:
        EXPECT_EQ(bondstylenumber(read->bonds.items(2)->style), -6);
        break;
      case 6:
        ASSERT_EQ(read->symbols.count(), 1);
        EXPECT_EQ(read->symbols.items(0)->fragtype, 103);
        EXPECT_EQ(read->atoms.count(), 7) << "its points remain";
        break;
      default:
        EXPECT_EQ(read->drawmode, d.value == 119 ? 119 : 0);
    }
  }
}

TEST_F(NativeFormatTest, BadIndicesValuesAndFontsAreContained) {
  for (int i = 0; i < 300; ++i) {
    atom(6, 30 * i, 0);
  }
  auto structure = std::make_unique<tStructure>();
  for (int i = 0; i < 3; ++i) {
    structure->atoms.add(drawing().atoms.items(i));
  }
  structure->thermovalues[4] = 7.5;
  drawing().mergestructure(std::move(structure));
  bytes file = writenative(drawing());
  for (std::size_t i = 0; i < 300; ++i) {
    putnumber(file, atomat(i) + 15, 1000 + static_cast<std::uint32_t>(i), 2);
  }
  // Atom indices 2, 9999, 2: one atom is left.
  const std::size_t indices = structuresat(300, 0) + 53 + 2;
  putnumber(file, indices, 0x270F'0002U, 4);
  putnumber(file, indices + 4, 2, 2);
  std::unique_ptr<tdrawing> read = readback(file);
  const tStructure& group = *read->structures.items(0);
  ASSERT_EQ(group.atoms.count(), 1);
  EXPECT_EQ(group.atoms.items(0), read->atoms.items(2));
  EXPECT_EQ(group.thermovalues[4], 7.5);
  EXPECT_EQ(read->fonts.count(), 256) << "atoms refer to fonts by a byte";
  EXPECT_EQ(read->getfontrecord(read->atoms.items(0)->fontindex).height, 1000);
  EXPECT_EQ(read->atoms.items(299)->fontindex, 0);

  // A value record holding a NaN resets the values of its structure.
  const std::size_t values = indices + 3 * 2 + 2 + 2 * 2 + 300 * 18 + 2 + 2;
  const double nan = std::nan("");
  std::memcpy(&file[values + 8], &nan, sizeof nan);
  EXPECT_EQ(readback(file)->structures.items(0)->thermovalues[4], 0.0);
}

TEST_F(NativeFormatTest, HostileBytesGiveADrawingOrAnError) {
  buildsample();
  const bytes sample = writenative(drawing());
  const auto check = [](std::span<const std::uint8_t> input) {
    treadresult result = readnative(input);
    ASSERT_NE(result.drawing == nullptr, result.error.empty());
  };
  for (std::size_t size = 0; size <= sample.size();
       size += size < 3000 ? 1 : 7) {
    check(std::span(sample).first(size));
  }
  const auto atoms = static_cast<std::size_t>(drawing().atoms.count());
  const auto bonds = static_cast<std::size_t>(drawing().bonds.count());
  const std::size_t counts[] = {headersize, firstbondat(atoms) - 2,
                                structuresat(atoms, bonds) - 2};
  std::mt19937_64 random(20260412);
  const auto below = [&random](std::size_t n) {
    return static_cast<std::size_t>(random() % n);
  };
  for (int round = 0; round < 3000; ++round) {
    bytes damaged = sample;
    for (std::size_t edits = 1 + below(4); edits > 0; --edits) {
      const std::size_t at = below(damaged.size() - 4);
      switch (below(4)) {
        case 0:
          damaged[at] = static_cast<std::uint8_t>(random());
          break;
        case 1:
          if (const std::size_t count = counts[below(3)];
              count + 2 <= damaged.size()) {
            putnumber(damaged, count, 0xFFFF, 2);
          }
          break;
        case 2:
          damaged[2] = 2;  // a classic file read as wide
          putnumber(damaged, at, 0xFFFFFFFFU, 4);
          break;
        default:
          damaged.resize(std::max(below(damaged.size()), std::size_t{1024}));
      }
    }
    check(damaged);
  }
}

TEST_F(NativeFormatTest, WideLayoutRoundTripsMoreThan65535AtomsAndBonds) {
  constexpr int count = 70000;
  tdrawing& d = drawing();
  for (int i = 0; i < count; ++i) {
    atom(6, 30.0 * (i % 300), 30.0 * (i / 300));
  }
  for (int i = 1; i < count; ++i) {
    bond(d.atoms.items(i - 1), d.atoms.items(i), 2);
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

  const bytes file = writenative(d);
  EXPECT_EQ(file[2], 2);
  std::unique_ptr<tdrawing> read = readback(file);
  ASSERT_EQ(read->bonds.count(), count + 1);
  EXPECT_EQ(bondfields(*read, read->bonds.items(count)),
            bondfields(d, d.bonds.items(count)));
  EXPECT_EQ(structurefields(*read, read->structures.items(0)),
            structurefields(d, d.structures.items(0)));
  EXPECT_EQ(writenative(*read), file);
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/symbol.h"
#include "io/native_format.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>

namespace molvane {
namespace {

using bytes = std::vector<std::uint8_t>;

constexpr std::size_t headersize = 568;

class NativeRecordsTest : public testing::tdrawingtest {
 protected:
  /// A small document: a charged ring with a side chain, a group and an
  /// arrow, on whole pixels.
  bytes sample() {
    tdrawing& d = drawing();
    d.settitle("Pyridinium");
    std::vector<tatm*> ring;
    for (int i = 0; i < 6; ++i) {
      ring.push_back(atom(i == 0 ? 7 : 6, 30 * i, (i % 2) * 20));
    }
    ring.front()->fcharge = 1;
    for (int i = 0; i < 6; ++i) {
      bond(ring[static_cast<std::size_t>(i)],
           ring[static_cast<std::size_t>((i + 1) % 6)], i % 2 == 0 ? 4 : 2);
    }
    bond(ring[3], atom(8, 90, 60), 2);
    auto group = std::make_unique<tStructure>();
    group->atoms.add(ring[0]);
    group->atoms.add(ring[1]);
    group->bonds.add(d.bonds.items(0));
    d.mergestructure(std::move(group));
    std::unique_ptr<tSymbol> arrow = makesymbol(102);
    tatm* tip = arrow->addatom(std::make_unique<tSXY>(245, 0));
    tatm* tail = arrow->addatom(std::make_unique<tSXY>(200, 0));
    arrow->addbond(std::make_unique<tbond>(tip, 0, tbondstyle::normal, 2, tail))
        ->chemical = 0;
    d.addsymbol(std::move(arrow));
    return writenative(d);
  }
};

void expectrefused(const treadresult& result) {
  EXPECT_EQ(result.drawing, nullptr);
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
}

TEST_F(NativeRecordsTest, RandomBytesAreNoDocument) {
  const bytes real = sample();
  for (const unsigned seed : {1U, 7U, 42U, 2026U, 31337U}) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    bytes noise(8192);
    std::generate(noise.begin(), noise.end(),
                  [&random] { return static_cast<std::uint8_t>(random()); });
    expectrefused(readnative(noise));
    // Behind a header this program wrote, random records are still refused.
    std::copy_n(real.begin(), headersize, noise.begin());
    expectrefused(readnative(noise));
    // Half of the records random, cut after them.
    bytes mixed = real;
    std::copy(noise.begin() + headersize + 2,
              noise.begin() + static_cast<long>(real.size() / 2),
              mixed.begin() + headersize + 2);
    expectrefused(readnative(std::span(mixed).first(real.size() / 2)));
  }
}

TEST_F(NativeRecordsTest, EveryCutOfADocumentIsRefusedOrASoundPart) {
  const bytes file = sample();
  const tdrawing& original = drawing();
  for (std::size_t size = 0; size < file.size(); ++size) {
    SCOPED_TRACE(size);
    treadresult result = readnative(std::span(file).first(size));
    if (result.drawing == nullptr) {
      EXPECT_FALSE(result.error.empty());
      EXPECT_LE(size, headersize + 2 + 346) << "a whole atom was read";
      continue;
    }
    const tdrawing& part = *result.drawing;
    // Files of older versions end before the later parts: a cut there
    // reads as a whole document of such a version.
    if (result.extent() == treadextent::whole) {
      EXPECT_EQ(part.atoms.count(), original.atoms.count());
      EXPECT_EQ(part.bonds.count(), original.bonds.count());
    }
    ASSERT_LE(part.atoms.count(), original.atoms.count());
    for (int i = 0; i < part.atoms.count(); ++i) {
      const tatm& read = *part.atoms.items(i);
      const tatm& written = *original.atoms.items(i);
      EXPECT_EQ(std::tuple(read.kind, read.element, read.fcharge),
                std::tuple(written.kind, written.element, written.fcharge));
    }
    ASSERT_LE(part.bonds.count(), original.bonds.count());
    for (int i = 0; i < part.bonds.count(); ++i) {
      const tbond* read = part.bonds.items(i);
      const tbond* written = original.bonds.items(i);
      EXPECT_EQ(std::tuple(read->order, part.positionof(read->atom1),
                           part.positionof(read->atom2)),
                std::tuple(written->order, original.positionof(written->atom1),
                           original.positionof(written->atom2)));
    }
    EXPECT_LE(part.structures.count(), 1);
    EXPECT_LE(part.symbols.count(), 1);
  }
  EXPECT_EQ(readnative(file).extent(), treadextent::whole);
}

TEST_F(NativeRecordsTest, HeadersOfOtherFilesAreRefused) {
  const bytes file = sample();
  struct {
    const char* what;
    std::size_t at;
    std::uint8_t value;
  } const cases[] = {
      {"version 0", 0, 0},
      {"version 0xFF96", 1, 0xFF},
      {"layout byte 9", 2, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bytes damaged = file;
    damaged[c.at] = c.value;
    if (c.at == 0) {
      damaged[1] = 0;
    }
    expectrefused(readnative(damaged));
  }
  bytes unended = file;
  std::fill_n(unended.begin() + 56, 96, 'x');
  expectrefused(readnative(unended));
}

}  // namespace
}  // namespace molvane

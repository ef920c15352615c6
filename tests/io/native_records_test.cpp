// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/native_format.h"
#include "native_sample.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>

namespace molvane {
namespace {

using bytes = std::vector<std::uint8_t>;

constexpr std::size_t headersize = 568;

class NativeRecordsTest : public testing::tnativesampletest {
 protected:
  bytes sample() {
    buildsample();
    return writenative(drawing());
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
    EXPECT_LE(part.structures.count(), original.structures.count());
    EXPECT_LE(part.symbols.count(), original.symbols.count());
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

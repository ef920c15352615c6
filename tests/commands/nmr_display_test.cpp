// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/nmr_display.h"

#include "model/atom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace molvane {
namespace {

TEST(NmrDisplay, MergesEqualPeaksIntoOneStickPerNucleus) {
  const std::vector<tpeakrow> rows{
      {nullptr, 1, 30.5, 7, 32, true},
      {nullptr, 2, 30.5, -7, 32, false},  // its symmetry twin
      {nullptr, 3, 30.5, 7, 31, true},    // same shift, another type
      {nullptr, 4, 140.0, 5, 30, true},   // no hydrogens
      {nullptr, 5, std::nullopt, 0, 33, true},
  };
  const tspectrum carbon = spectrumof(rows, 6);
  EXPECT_EQ(carbon.low, 0.0);
  EXPECT_EQ(carbon.high, 200.0);
  EXPECT_EQ(carbon.b, 1.0);
  ASSERT_EQ(carbon.lines.size(), 3u);
  EXPECT_EQ(carbon.lines[0].shift, 30.5);
  EXPECT_DOUBLE_EQ(carbon.lines[0].intensity, std::sqrt(2.0) * 1.987);
  EXPECT_DOUBLE_EQ(carbon.lines[1].intensity, 1.987);
  EXPECT_DOUBLE_EQ(carbon.lines[2].intensity, 0.25);

  // Protons count hydrogens: two CH2 peaks make 4, the quaternary none.
  const tspectrum proton = spectrumof(rows, 1);
  EXPECT_EQ(proton.high, 10.0);
  EXPECT_EQ(proton.b, 0.1);
  ASSERT_EQ(proton.lines.size(), 3u);
  EXPECT_EQ(proton.lines[0].intensity, 4.0);
  EXPECT_EQ(proton.lines[1].intensity, 1.0);
  EXPECT_EQ(proton.lines[2].intensity, 0.0);

  EXPECT_TRUE(spectrumof(rows, 9).lines.empty());
}

TEST(NmrDisplay, LabelsTheAtomsTheFilterChooses) {
  std::vector<tatm> atoms(5, tatm(6, 0, 0.0, 0.0));
  const std::vector<int> numbers{1, 2, 0, 9, 5};
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    atoms[i].number = static_cast<std::uint16_t>(numbers[i]);
  }
  const std::vector<tpeakrow> rows{
      {&atoms[0], 1, 21.04, 7, 33, true},
      {&atoms[1], 2, 21.04, -7, 33, false},
      {&atoms[2], 3, 50.0, 7, 30, true},  // numbers hidden from it
      {&atoms[3], 4, 60.0, 7, 30, true},  // a number past the rows
      {&atoms[4], 5, std::nullopt, 0, 30, true},
  };
  // Shifts at or below -999 ppm mean none.
  EXPECT_EQ(shiftlabeltext(-999.0, false), std::nullopt);
  EXPECT_EQ(shiftlabeltext(-998.0, false), "-998.0");
  auto texts = [&rows](tshiftfilter filter, int nucleus) {
    std::vector<std::string> found;
    for (const tatomnote& note : shiftlabelsof(rows, filter, nucleus)) {
      found.push_back(std::to_string(note.atom - rows[0].atom) + ":" +
                      note.text);
    }
    return found;
  };
  EXPECT_EQ(texts(tshiftfilter::all, 6),
            (std::vector<std::string>{"0:21.0", "1:21.0"}));
  EXPECT_EQ(texts(tshiftfilter::filtered, 6),
            (std::vector<std::string>{"0:21.0"}));
  EXPECT_EQ(texts(tshiftfilter::filtered, 1),
            (std::vector<std::string>{"0:21.04"}));
  EXPECT_TRUE(texts(tshiftfilter::none, 6).empty());
}

}  // namespace
}  // namespace molvane

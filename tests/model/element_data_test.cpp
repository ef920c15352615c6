// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/element_data.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace molvane {
namespace {

TEST(ElementData, IndicesOutsideATableGiveItsDefault) {
  // The ends of the range: R below the unnamed point, and the last element.
  EXPECT_EQ(symbolof(-1), "R");
  EXPECT_EQ(valenceof(-1), 16);
  EXPECT_EQ(colourof(103), 0xBFBFBFu);
  EXPECT_EQ(symbolof(104), "04");
  EXPECT_EQ(symbolof(108), "08");
  for (int element : {INT_MIN, -2, 109, INT_MAX}) {
    SCOPED_TRACE(element);
    EXPECT_EQ(symbolof(element), "");
  }
  for (int element : {INT_MIN, -2, 104, INT_MAX}) {
    SCOPED_TRACE(element);
    EXPECT_EQ(massof(element), 0.0f);
    EXPECT_EQ(valenceof(element), 0);
    EXPECT_EQ(radiusof(element), 0.0);
    EXPECT_EQ(electronegativityof(element), 0.0f);
    EXPECT_EQ(colourof(element), 0u);
  }
}

TEST(ElementData, BondEnergyIsTheFirstRecordOfThePairInEitherOrder) {
  EXPECT_EQ(bondenergyof(6, 1), 99000.0);
  EXPECT_EQ(bondenergyof(6, 26), 70000.0);
  // 257 and 262 must not wrap round to H and C in the 8-bit records.
  EXPECT_EQ(bondenergyof(257, 262), 70000.0);
  EXPECT_EQ(bondenergyof(-1, INT_MIN), 70000.0);

  const auto records = bondenergies();
  // No pair is listed twice, so each record is the one found, either way.
  for (const tbondenergyrecord& record : records) {
    SCOPED_TRACE(std::to_string(record.element1) + "-" +
                 std::to_string(record.element2));
    EXPECT_EQ(bondenergyof(record.element1, record.element2),
              record.energykcal * 1000.0);
    EXPECT_EQ(bondenergyof(record.element2, record.element1),
              record.energykcal * 1000.0);
  }
}

TEST(ElementData, SymbolsMapBackToTheirElements) {
  for (int element = 1; element <= lastelement; ++element) {
    SCOPED_TRACE(element);
    EXPECT_EQ(elementofsymbol(symbolof(element)), element);
  }
  for (std::string_view symbol :
       {"", "R", "D", "04", "08", "c", "CL", "Cl ", "Lr"}) {
    SCOPED_TRACE(symbol);
    EXPECT_EQ(elementofsymbol(symbol), 0);
  }
}

}  // namespace
}  // namespace molvane

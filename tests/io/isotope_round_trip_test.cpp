// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Isotopes and bracket hydrogens survive every format that can hold them
// (issue 29: the native document dropped the mass number, the CML copy gave
// a bracket atom its usual hydrogens back).
#include "document/drawing.h"
#include "io/document_files.h"
#include "io/smiles_format.h"
#include "model/atom.h"
#include "model/element_data.h"
#include "model/formula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace molvane {
namespace {

std::unique_ptr<tdrawing> fromsmiles(const std::string& smiles) {
  const std::string line = smiles + " x\n";
  treadresult read = readsmilesfile(
      std::span(reinterpret_cast<const std::uint8_t*>(line.data()),
                line.size()),
      defaultsettings());
  EXPECT_NE(read.drawing, nullptr) << smiles << ": " << read.error;
  return std::move(read.drawing);
}

std::string smilesof(const tdrawing& drawing) {
  std::string error;
  std::string text = writesmiles(drawing, error);
  EXPECT_EQ(error, "");
  return text;
}

TEST(IsotopeRoundTrip, EveryFormatKeepsMassNumbersAndHydrogens) {
  const char* molecules[] = {"[13CH4]",  "[13C]C", "C[CH]C",   "[2H]C",
                             "[15NH4+]", "[300U]", "OC[18OH]", "[CH2]=[14CH2]"};
  // The XYZ table has no place for them.
  const char* formats[] = {"a.mlv", "a.cml", "a.mdl",
                           "a.mol", "a.sdf", "a.smi"};
  for (const char* smiles : molecules) {
    std::unique_ptr<tdrawing> drawing = fromsmiles(smiles);
    ASSERT_NE(drawing, nullptr);
    const std::string hill = hillformula(*drawing);
    const std::string written = smilesof(*drawing);
    for (const char* name : formats) {
      const tformatrow& row = *formatofpath(name);
      SCOPED_TRACE(std::string(smiles) + " as " + std::string(row.name));
      const std::vector<std::uint8_t> bytes = row.write(*drawing);
      treadresult back = row.read(bytes, defaultsettings());
      ASSERT_NE(back.drawing, nullptr) << back.error;
      EXPECT_EQ(hillformula(*back.drawing), hill);
      EXPECT_EQ(smilesof(*back.drawing), written);
    }
  }
}

TEST(IsotopeRoundTrip, DrawingCopiesKeepTheMass) {
  std::unique_ptr<tdrawing> drawing = fromsmiles("[13C]C");
  ASSERT_NE(drawing, nullptr);
  std::unique_ptr<tdrawing> copy = drawing->clonedrawing();
  EXPECT_EQ(smilesof(*copy), "[13C]C");
  EXPECT_DOUBLE_EQ(copy->molmass(), drawing->molmass());
}

TEST(IsotopeRoundTrip, OneRangeOfMassNumbers) {
  struct tcase {
    int element;
    double mass;
    bool isotope;
  };
  const tcase cases[] = {{6, 13.0, true},
                         {6, 12.011, false},
                         {6, 12.0, false},
                         {1, 2.016, true},
                         {6, 300.0, true},
                         {6, 301.0, false},
                         {6, 0.0, false},
                         {6, -13.0, false},
                         {0, 13.0, false},
                         {-1, 13.0, false},
                         {lastelement + 1, 13.0, false},
                         {6, std::nan(""), false}};
  for (const tcase& c : cases) {
    SCOPED_TRACE(std::to_string(c.element) + " " + std::to_string(c.mass));
    EXPECT_EQ(isotopicmass(c.element, c.mass), c.isotope);
  }
  // A mass pushed past the range is written as the natural element, so
  // that every reader takes the file back.
  std::unique_ptr<tdrawing> drawing = fromsmiles("C");
  ASSERT_NE(drawing, nullptr);
  drawing->atoms.items(0)->mass = 320.0F;
  const tformatrow& molfile = *formatofpath("a.mol");
  treadresult back = molfile.read(molfile.write(*drawing), defaultsettings());
  ASSERT_NE(back.drawing, nullptr) << back.error;
  EXPECT_EQ(smilesof(*back.drawing), "C");
}

}  // namespace
}  // namespace molvane

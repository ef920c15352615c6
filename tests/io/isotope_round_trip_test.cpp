// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Isotopes, bracket hydrogens and stated nuclides survive every format that
// can hold them (issue 29: the native document dropped the mass number, the
// CML copy gave a bracket atom its usual hydrogens back; issue 31: [210Po],
// a nuclide of the element's usual mass, came back as natural polonium).
#include "chemistry/inchi_identifier.h"
#include "document/drawing.h"
#include "io/document_files.h"
#include "io/native_format.h"
#include "io/smiles_format.h"
#include "model/atom.h"
#include "model/element_data.h"
#include "model/formula.h"
#include "testing/smiles_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::fromsmiles;

std::string smilesof(const tdrawing& drawing) {
  std::string error;
  std::string text = writesmiles(drawing, error);
  EXPECT_EQ(error, "");
  return text;
}

TEST(IsotopeRoundTrip, EveryFormatAndCopyKeepsMassNumbersAndHydrogens) {
  struct tset {
    std::vector<const char*> molecules;
    std::vector<const char*> formats;
    bool verbatim;  ///< written back letter for letter
  };
  // The XYZ table has no place for them. Technetium 98 and 99: the
  // identifier library counts its shifts from 98, our table from 99.
  const tset sets[] = {
      {{"[13CH4]", "[13C]C", "C[CH]C", "[2H]C", "[15NH4+]", "[300U]",
        "OC[18OH]", "[CH2]=[14CH2]"},
       {"a.mlv", "a.cml", "a.mdl", "a.mol", "a.sdf", "a.smi"},
       false},
      {{"[210Po]", "[12CH4]", "[99Tc]", "[98Tc]", "[Po]", "[209Po]"},
       {"a.mlv", "a.cml", "a.mol", "a.sdf", "a.smi", "a.inchi"},
       true},
  };
  for (const tset& set : sets) {
    for (const char* smiles : set.molecules) {
      std::unique_ptr<tdrawing> drawing = fromsmiles(smiles);
      ASSERT_NE(drawing, nullptr);
      const std::string hill = hillformula(*drawing);
      const std::string written = smilesof(*drawing);
      EXPECT_TRUE(!set.verbatim || written == smiles) << written;
      std::unique_ptr<tdrawing> copy = drawing->clonedrawing();
      EXPECT_EQ(smilesof(*copy), written) << smiles;
      EXPECT_DOUBLE_EQ(copy->molmass(), drawing->molmass()) << smiles;
      for (const char* name : set.formats) {
        const tformatrow& row = *formatofpath(name);
        SCOPED_TRACE(std::string(smiles) + " as " + std::string(row.name));
        treadresult back = row.read(row.write(*drawing), defaultsettings());
        ASSERT_NE(back.drawing, nullptr) << back.error;
        EXPECT_EQ(hillformula(*back.drawing), hill);
        EXPECT_EQ(smilesof(*back.drawing), written);
      }
    }
  }
  // The keys other toolkits give.
  EXPECT_EQ(standardinchi(*fromsmiles("[210Po]")).inchi, "InChI=1S/Po/i1+1");
  EXPECT_EQ(standardinchi(*fromsmiles("[12CH4]")).inchi,
            "InChI=1S/CH4/h1H4/i1+0");
  EXPECT_EQ(standardinchi(*fromsmiles("[Po]")).inchi, "InChI=1S/Po");
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

TEST(StatedNuclide, EditingTheAtomForgetsIt) {
  std::unique_ptr<tdrawing> drawing = fromsmiles("[210Po]");
  ASSERT_NE(drawing, nullptr);
  tatm& atom = *drawing->atoms.items(0);
  atom.setelement(84, symbollabel);
  EXPECT_EQ(smilesof(*drawing), "[Po]");
  atom.setmassnumber(210);
  atom.addneutrons(1);
  EXPECT_EQ(nuclidemassnumber(atom), 211);
  atom.addneutrons(-1);
  EXPECT_EQ(nuclidemassnumber(atom), 0);
  atom.setmassnumber(0);
  atom.setmassnumber(301);
  EXPECT_FALSE(atom.statednuclide);
}

TEST(StatedNuclide, NativeBlockIsOptionalAndChecked) {
  const std::string tag = "NUCL";
  auto holdstag = [&tag](const std::vector<std::uint8_t>& bytes) {
    return std::search(bytes.begin(), bytes.end(), tag.begin(), tag.end()) !=
           bytes.end();
  };
  // Documents without a nuclide of the usual mass are written as before.
  EXPECT_FALSE(holdstag(writenative(*fromsmiles("[13CH4]"))));
  std::unique_ptr<tdrawing> drawing = fromsmiles("[210Po]");
  ASSERT_NE(drawing, nullptr);
  std::vector<std::uint8_t> bytes = writenative(*drawing);
  ASSERT_TRUE(holdstag(bytes));
  const auto end =
      std::search(bytes.begin(), bytes.end(), tag.begin(), tag.end());
  const std::size_t at = static_cast<std::size_t>(end - bytes.begin());
  // Cut before the block, cut inside it, or with a count that does not
  // match the atoms: the document reads whole with the natural element.
  std::vector<std::vector<std::uint8_t>> damaged = {
      {bytes.begin(), bytes.begin() + static_cast<long>(at)},
      {bytes.begin(), bytes.end() - 1}};
  damaged.push_back(bytes);
  damaged.back()[at + tag.size()] = 2;
  for (const std::vector<std::uint8_t>& file : damaged) {
    SCOPED_TRACE(file.size());
    treadresult back = readnative(file, defaultsettings());
    ASSERT_NE(back.drawing, nullptr) << back.error;
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(smilesof(*back.drawing), "[Po]");
  }
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A stated nuclide whose mass number is the element's usual one (210Po,
// 12C) stays stated through every format and through the native document
// (issue 31: [210Po] came back as natural polonium).
#include "chemistry/inchi_identifier.h"
#include "document/drawing.h"
#include "io/document_files.h"
#include "io/native_format.h"
#include "io/smiles_format.h"
#include "model/atom.h"
#include "testing/smiles_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace molvane {
namespace {

using testing::fromsmiles;

std::string smilesof(const tdrawing& drawing) {
  std::string error;
  return writesmiles(drawing, error) + error;
}

TEST(StatedNuclide, SurvivesEveryFormatAndCopy) {
  // Technetium 98 and 99: the identifier library counts its shifts from
  // 98, our table from 99.
  const char* molecules[] = {"[210Po]", "[12CH4]", "[99Tc]",
                             "[98Tc]",  "[Po]",    "[209Po]"};
  const char* formats[] = {"a.mlv", "a.cml", "a.mol",
                           "a.sdf", "a.smi", "a.inchi"};
  for (const char* smiles : molecules) {
    std::unique_ptr<tdrawing> drawing = fromsmiles(smiles);
    ASSERT_NE(drawing, nullptr);
    ASSERT_EQ(smilesof(*drawing), smiles);
    EXPECT_EQ(smilesof(*drawing->clonedrawing()), smiles);
    for (const char* name : formats) {
      const tformatrow& row = *formatofpath(name);
      SCOPED_TRACE(std::string(smiles) + " as " + std::string(row.name));
      treadresult back = row.read(row.write(*drawing), defaultsettings());
      ASSERT_NE(back.drawing, nullptr) << back.error;
      EXPECT_EQ(smilesof(*back.drawing), smiles);
    }
  }
  // The keys other toolkits give.
  EXPECT_EQ(standardinchi(*fromsmiles("[210Po]")).inchi, "InChI=1S/Po/i1+1");
  EXPECT_EQ(standardinchi(*fromsmiles("[12CH4]")).inchi,
            "InChI=1S/CH4/h1H4/i1+0");
  EXPECT_EQ(standardinchi(*fromsmiles("[Po]")).inchi, "InChI=1S/Po");
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

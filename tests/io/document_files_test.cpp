// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/document_files.h"

#include "chemistry/molecule_record.h"
#include "io/exchange_files.h"
#include "io/native_format.h"
#include "model/formula.h"
#include "support/atomic_file.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

TEST(DocumentNames, KeepTheFolderAndCutTheNameAtItsFirstDot) {
  struct tcase {
    const char* given;
    const char* native;
    const char* cml;
    const char* mdl;
  };
  const tcase cases[] = {
      {"/data/my.docs/water.mlv", "/data/my.docs/water.mlv",
       "/data/my.docs/water.xml", "/data/my.docs/water.mdl"},
      {"/data/Water.MLV", "/data/Water.MLV", "/data/Water.XML",
       "/data/Water.MDL"},
      {"/data/water.v2.mlv", "/data/water.mlv", "/data/water.xml",
       "/data/water.mdl"},
      {"/data/water", "/data/water.MLV", "/data/water.XML", "/data/water.MDL"},
      {"water.mol", "water.MLV", "water.XML", "water.MDL"},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.given);
    tdocumentnames names = documentnames(c.given);
    EXPECT_EQ(names.native, c.native);
    EXPECT_EQ(names.cml, c.cml);
    EXPECT_EQ(names.mdl, c.mdl);
  }
}

TEST(FileFormats, ExtensionsChooseTheFormatWhateverTheirCase) {
  EXPECT_EQ(formatofpath("a/b.MLV")->format, tfileformat::native);
  EXPECT_EQ(formatofpath("b.Mol")->format, tfileformat::mdl);
  EXPECT_EQ(formatofpath("b.cml")->format, tfileformat::cml);
  EXPECT_EQ(formatofpath("b.XML")->format, tfileformat::cml);
  EXPECT_EQ(formatofpath("b.mlv.txt"), nullptr);
  EXPECT_EQ(formatofpath("folder.mlv/file"), nullptr);
}

class SampleDocument : public testing::tdrawingtest {
 protected:
  /// What every format must keep: a benzene ring as the program builds it,
  /// a nitro group with charges, an N+ whose three bonds the charge rule
  /// would give a hydrogen, a triple bond, a delocalised one-and-a-half
  /// bond, and a label and an arrow that exchange files leave out.
  void buildsample() {
    std::vector<tatm*> ring = benzene(150, 150, true);
    drawing().addatom(std::make_unique<tLAtm>("nitro", 200, 40));
    tatm* n = atom(7, 210, 150, 0, hydrogenlabel);
    tatm* o1 = atom(8, 240, 150, 0, hydrogenlabel);
    tatm* o2 = atom(8, 210, 120, 0, hydrogenlabel);
    n->setcharge(1);
    o1->setcharge(-1);
    bond(ring[0], n);
    bond(n, o1);
    bond(n, o2, 4);
    tatm* c1 = atom(6, 120, 200, 0, hydrogenlabel);
    tatm* c2 = atom(6, 90, 200, 0, hydrogenlabel);
    tatm* o3 = atom(8, 60, 200, 0, hydrogenlabel);
    bond(ring[2], c1);
    bond(c1, c2, 6);
    bond(c2, o3, 3)->setdelocalised(true);
    tatm* ammonium = atom(7, 300, 300, 0, hydrogenlabel);
    ammonium->setcharge(1);
    for (int i = 0; i < 3; ++i) {
      bond(ammonium, atom(6, 270 + 30 * i, 330));
    }
    placesymbol(drawing(), 720, 300, 400);
  }
};

std::vector<const tatm*> chemicalatoms(const tdrawing& drawing) {
  std::vector<const tatm*> atoms;
  for (const tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      atoms.push_back(atom);
    }
  }
  return atoms;
}

/// Compares the chemistry of two drawings; exact compares bond kinds, else
/// the order the force field uses.
void expectsamechemistry(const tdrawing& original, const tdrawing& read,
                         bool exact) {
  EXPECT_EQ(hillformula(read), hillformula(original));
  std::vector<const tatm*> before = chemicalatoms(original);
  std::vector<const tatm*> after = chemicalatoms(read);
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE("atom " + std::to_string(i));
    EXPECT_EQ(after[i]->element, before[i]->element);
    EXPECT_EQ(after[i]->fcharge, before[i]->fcharge);
    EXPECT_EQ(after[i]->implicithydrogens(), before[i]->implicithydrogens());
  }
  // Symbol links are not chemistry; only the native format keeps them.
  const auto chemicalbonds = [](const tdrawing& drawing) {
    std::vector<const tbond*> bonds;
    for (const tbond* bond : drawing.bonds) {
      if (bond->chemical != 0 && bond->atom1->ischemical()) {
        bonds.push_back(bond);
      }
    }
    return bonds;
  };
  const std::vector<const tbond*> bondsbefore = chemicalbonds(original);
  const std::vector<const tbond*> bondsafter = chemicalbonds(read);
  ASSERT_EQ(bondsafter.size(), bondsbefore.size());
  for (std::size_t i = 0; i < bondsbefore.size(); ++i) {
    SCOPED_TRACE("bond " + std::to_string(i));
    const tbond* a = bondsbefore[i];
    const tbond* b = bondsafter[i];
    EXPECT_EQ(b->isdelocalised(), a->isdelocalised());
    EXPECT_EQ(exact ? b->kind() : b->ffkind(), exact ? a->kind() : a->ffkind());
  }
}

class EveryFormat : public SampleDocument,
                    public ::testing::WithParamInterface<tformatrow> {};

TEST_P(EveryFormat, ExportedFileOpensAgainWithItsChemistry) {
  const tformatrow& row = GetParam();
  if (row.format == tfileformat::inchi) {
    GTEST_SKIP() << "InChI names the molecule rather than copying it, and "
                    "the sample's delocalised C-O bond has no InChI; "
                    "inchi_format_test reads InChI back";
  }
  testing::ttemporaryfolder folder;
  buildsample();
  // Through the native format on both sides, as a saved document goes.
  treadresult native = readnative(writenative(drawing()));
  const std::filesystem::path path =
      folder.path() / ("out." + std::string(row.extensions.front()));
  ASSERT_EQ(exportdocument(testing::drawingof(native), path), "");
  treadresult read = loaddocument(path);
  treadresult again = readnative(writenative(testing::drawingof(read)));
  const tdrawing& back = testing::drawingof(again);
  // SMILES lists the atoms in its own order: the same molecule, counted.
  if (row.format == tfileformat::smiles) {
    EXPECT_EQ(hillformula(back), hillformula(drawing()));
    EXPECT_EQ(back.totalcharge(), drawing().totalcharge());
    EXPECT_EQ(chemicalview(back).bonds.size(),
              chemicalview(drawing()).bonds.size());
    return;
  }
  // The program's own layouts keep exact kinds; the others keep orders.
  const bool exact = row.name == "Molvane" || row.name == "XYZ table";
  expectsamechemistry(drawing(), back, exact);
}

TEST_F(SampleDocument, SavedCompanionsOpenAgain) {
  testing::ttemporaryfolder folder;
  const std::filesystem::path path = folder.path() / "nitro.mlv";
  // An empty drawing writes nothing and is no error.
  tsaveresult saved = savedocument(drawing(), path);
  EXPECT_FALSE(saved.written || std::filesystem::exists(path) ||
               saved.error != "");
  buildsample();
  ASSERT_TRUE(savedocument(drawing(), path).written);
  EXPECT_EQ(drawing().filename, path.string());
  for (const char* name : {"nitro.mdl", "nitro.xml"}) {
    SCOPED_TRACE(name);
    treadresult read = loaddocument(folder.path() / name);
    expectsamechemistry(drawing(), testing::drawingof(read), false);
  }
  // The companion is a standard molfile that names its scale.
  std::vector<std::uint8_t> companion;
  ASSERT_EQ(readwholefile(folder.path() / "nitro.mdl", companion, 1 << 20), "");
  EXPECT_EQ(exchangeformatof(companion, tfileformat::native), tfileformat::mdl);
  EXPECT_NE(testing::textof(companion).find(
                "\nMolvane 3D companion, 1.54 A per bond length\n"
                " 16 15  0  0  0  0  0  0  0  0999 V2000\n"),
            std::string::npos);
}

/// The rows that have a writer; reactions are only read.
std::vector<tformatrow> writableformats() {
  std::vector<tformatrow> rows;
  for (const tformatrow& row : fileformats()) {
    if (row.write != nullptr) {
      rows.push_back(row);
    }
  }
  return rows;
}

INSTANTIATE_TEST_SUITE_P(FormatTable, EveryFormat,
                         ::testing::ValuesIn(writableformats()),
                         [](const ::testing::TestParamInfo<tformatrow>& row) {
                           return std::string(row.param.extensions.front());
                         });

TEST(EveryReader, BadLinesGiveAnErrorNamingTheLineAndNoDrawing) {
  constexpr auto mdl = tfileformat::mdl;
  constexpr auto cml = tfileformat::cml;
  constexpr auto xyz = tfileformat::xyz;
  const std::string v3000 =
      "\n\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n";
  const std::string atoms =
      "    0.0000    0.0000    0.0000 C   0  0\n"
      "    1.5000    0.0000    0.0000 C   0  0\n";
  const std::string molfile =
      "t\n\n\n  2  1  0  0  0  0  0  0  0  0999 V2000\n" + atoms;
  const std::string twoatoms =
      "t\n\n\n  2  0  0  0  0  0  0  0  0  0999 V2000\n" + atoms;
  const struct {
    tfileformat format;
    std::string file;
    const char* error;
  } cases[] = {
      {mdl, molfile + "  1  3  1  0\n", "line 7: bond to atom 3 of 2"},
      {mdl, molfile + "  2  2  1  0\n", "line 7: bond from atom 2 to itself"},
      {mdl, molfile + "  1  2 11  0\n", "line 7: unknown bond type 11"},
      {mdl,
       "t\n\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
       "    0.0000    0.0000    0.0000 Xy  0  0\n",
       "line 5: unknown element symbol \"Xy\""},
      {mdl, "t\n\n\n  2  1\n    1.2.3    0.0000    0.0000 C\n",
       "line 4: 2 atoms and 1 bonds announced, but only 1 lines follow"},
      {mdl, "t\n\n\n  1  0\n    1.2.3    0.0000    0.0000 C\n",
       "line 5: atom line not understood: \"    1.2.3    0.0000    0.0000 "
       "C\""},
      {mdl, "t\n\n\nabc\n", "line 4: counts line not understood: \"abc\""},
      {mdl, "t\n\n", "line 3: the record ends before its counts line"},
      {mdl, twoatoms + "M  CHG  1   5  -1\n", "line 7: charge on atom 5 of 2"},
      {mdl, twoatoms + "M  CHG  1   1  40\n", "line 7: charge 40"},
      {mdl, twoatoms + "M  RAD  1   1   9\n", "line 7: radical 9"},
      {mdl, twoatoms + "M  CHG  x\n",
       "line 7: property line not understood: \"M  CHG  x\""},
      {mdl, "OLD.MDL\n\n\n2 1 0 0 0\n0 0 0 C 0 0\n1 0 0 C 0 0\n1 2 5 0 0 0\n",
       "line 7: bond order 5"},
      {mdl, "\r\n\r\n\r\n", "the file holds no structure"},
      {mdl, v3000 + "M  V30 COUNTS 1 0 0 0 0\n",
       "line 6: the V3000 table has no \"M  END\""},
      {mdl,
       v3000 + "M  V30 COUNTS 2 0 0 0 0\nM  V30 BEGIN ATOM\n"
               "M  V30 1 C 0 0 0 0\nM  V30 END ATOM\nM  END\n",
       "line 9: the atom block holds 1 atoms, the counts say 2"},
      {mdl,
       v3000 + "M  V30 COUNTS 1 1 0 0 0\nM  V30 BEGIN ATOM\n"
               "M  V30 1 C 0 0 0 0\nM  V30 END ATOM\nM  V30 BEGIN BOND\n"
               "M  V30 1 1 1 9\nM  V30 END BOND\nM  END\n",
       "line 11: bond to atom 9, which the atom block does not hold"},
      {mdl, v3000 + "M  V30 COUNTS 1 0 0 0 0\nC 0 0 0\nM  END\n",
       "line 7: line does not start with \"M  V30 \": \"C 0 0 0\""},
      {cml, "<molecule>\n<atomArray>\n<atom id=\"a1\"\n</molecule>",
       "line 4: not well-formed XML: Error parsing start element tag"},
      {cml,
       "<molecule><atomArray>\n<atom id=\"a1\" elementType=\"C\"/>\n"
       "</atomArray><bondArray>\n<bond atomRefs2=\"a1 a9\"/>\n"
       "</bondArray></molecule>",
       "line 4: bond to atom \"a9\", which the molecule does not hold"},
      {cml, "<molecule>\n<atom id=\"a1\"/>\n<atom id=\"a1\"/>\n</molecule>",
       "line 3: atom id \"a1\" given twice"},
      {cml, "<molecule>\n<atom id=\"a1\" elementType=\"Qq\"/></molecule>",
       "line 2: unknown element symbol \"Qq\""},
      {cml,
       "<molecule>\n<atom id=\"a1\"/><atom id=\"a2\"/>\n"
       "<bond atomRefs2=\"a1 a2\" order=\"7\"/></molecule>",
       "line 3: bond order \"7\""},
      {cml,
       "<molecule>\n<atom id=\"a1\"/>\n<bond atomRefs2=\"a1 a1\"/></molecule>",
       "line 3: bond from atom \"a1\" to itself"},
      {cml, "<molecule>\n<atom id=\"a1\" x2=\"1,5\" y2=\"0\"/></molecule>",
       "line 2: coordinates not understood"},
      {cml, "<molecule>\n<atom id=\"a1\" formalCharge=\"+40\"/></molecule>",
       "line 2: charge \"+40\""},
      {cml,
       "<molecule>\n<atomArray atomID=\"a1 a2\" elementType=\"C\"/></molecule>",
       "line 2: the atom array lists 2 atoms but 1 values of elementType"},
      {cml, "<cml><list/></cml>", "the file holds no molecule"},
      {xyz, "", "the file is empty"},
      {xyz, "two\nx\n", "line 1: atom count expected, found \"two\""},
      {xyz, "3\ntitle\nC 0 0 0\n",
       "line 1: 3 atoms announced, but only 1 lines follow"},
      {xyz, "2\ntitle\nC 0 0 0\nC 1.5 0\n",
       "line 4: atom line not understood: \"C 1.5 0\""},
      {xyz, "1\ntitle\nXq 0 0 0\n", "line 3: unknown element symbol \"Xq\""},
      {xyz, "2\ntitle\nC 0 0 0\n# only a comment\n",
       "line 4: the file ends after 1 of 2 atoms"},
      {xyz, "1 1\n0 0 0\n  6  0 0 0 0\n0 1 2 0\nC\n",
       "line 4: bond to atom 1 of 0..0"},
      {xyz, "2 1\n0 0 0\n  6  0 0 0 0\n  6  0 1 0 0\n0 1 9 0\n",
       "line 5: bonding 9"},
      {xyz, "1 0\n0 0 0\n200  0 0 0 0\n", "line 3: atomic number 200"},
      {xyz, "1 0\nx y z\n  6  0 0 0 0\n",
       "line 2: origin not understood: \"x y z\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    treadresult result =
        formatrow(c.format).read(testing::bytesof(c.file), defaultsettings());
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.drawing, nullptr);
  }
}

}  // namespace
}  // namespace molvane

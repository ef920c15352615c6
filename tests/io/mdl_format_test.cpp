// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/mdl_format.h"

#include "model/formula.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace molvane {
namespace {

using MdlFormatTest = testing::tdrawingtest;
using testing::bytesof;
using testing::molatom;
using testing::molbond;
using testing::molfiletext;
using testing::textof;

treadresult readtext(std::string_view text) { return readmdl(bytesof(text)); }

TEST_F(MdlFormatTest, CompanionIsAStandardMolfileThatNamesItsScale) {
  drawing().filename = "/somewhere/Test.MLV";
  tatm* c = atom(6, 100, 200);
  tatm* o = atom(8, 130, 200);
  o->setcharge(-1);
  bond(c, o);
  EXPECT_EQ(textof(writemdl(drawing())),
            "Test.MDL\n"
            "  Molvane3          2D\n"
            "Molvane 3D companion, 1.54 A per bond length\n"
            "  2  1  0  0  0  0  0  0  0  0999 V2000\n"
            "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0"
            "  0  0\n"
            "    1.5400    0.0000    0.0000 O   0  5  0  0  0  2  0  0  0  0"
            "  0  0\n"
            "  1  2  1  0  0  0  0\n"
            "M  CHG  1   2  -1\n"
            "M  END\n");

  // The layout of earlier versions: free-format lines, y downwards.
  treadresult old = readtext(
      "Test.MDL\n\n\n"
      "2 1 0 0 0\n"
      " 0.00000  0.00000  0.00000  C 0  0  0  1 0\n"
      " 1.54000  1.54000  0.00000  O 0 -1  0  1 0\n"
      "1 2  1 0 0 0\n");
  const tatm& first = *testing::drawingof(old).atoms.items(0);
  const tatm& second = *old.drawing->atoms.items(1);
  EXPECT_EQ(second.fcharge, -1);
  EXPECT_NEAR(second.x - first.x, 30.0, 1e-4);
  EXPECT_NEAR(second.y - first.y, 30.0, 1e-4);
}

TEST_F(MdlFormatTest, CompanionLeavesOutLabelsAndReadsBackAtItsScale) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 0);
  tatm* c = atom(7, 60, 0);
  drawing().addatom(std::make_unique<tLAtm>("note", 0, 60));
  tatm* d = atom(6, 90, 0);
  bond(a, b, 4)->setdelocalised(true);
  bond(b, c, 3);
  bond(c, d, 2);
  c->setcharge(1);
  std::string text = textof(writemdl(drawing()));
  EXPECT_NE(text.find("\n  4  3  0  0  0  0  0  0  0  0999 V2000\n"),
            std::string::npos)
      << text;
  // The label atom stands between c and d in the drawing, not in the file;
  // both delocalised kinds are aromatic, as other programs read them.
  EXPECT_NE(text.find("\n  1  2  4  0  0  0  0\n  2  3  4  0  0  0  0\n"
                      "  3  4  1  0  0  0  0\n"),
            std::string::npos)
      << text;

  treadresult back = readmdl(writemdl(drawing()));
  const tdrawing& read = testing::drawingof(back);
  // Read at the scale its comment names, whatever the mean bond: a chain
  // drawn at twice the bond length comes back twice as long.
  EXPECT_NEAR(read.atoms.items(1)->x - read.atoms.items(0)->x, 30.0, 1e-4);
  EXPECT_NEAR(read.atoms.items(1)->y, read.atoms.items(0)->y, 1e-9);
  d->x = 150;
  treadresult stretched = readmdl(writemdl(drawing()));
  const tAtoms& longer = testing::drawingof(stretched).atoms;
  EXPECT_NEAR(longer.items(3)->x - longer.items(2)->x, 90.0, 1e-3);
  // Without the comment the same file is fitted to bonds of length L.
  std::string plain = textof(writemdl(drawing()));
  plain.replace(plain.find("Molvane 3D"), 10, "Other tool");
  treadresult fitted = readtext(plain);
  const tAtoms& plainatoms = testing::drawingof(fitted).atoms;
  EXPECT_LT(plainatoms.items(3)->x - plainatoms.items(2)->x, 89.0);
}

TEST_F(MdlFormatTest, CompanionFilesOfEarlierVersionsStayReadable) {
  // No kind field; one file puts the charge after "0", one in place of it.
  treadresult written =
      readmdl(testing::corpusfile("mdl", "old_companion.mdl"));
  const tdrawing& read = testing::drawingof(written);
  EXPECT_EQ(read.atoms.items(1)->fcharge, 1);
  EXPECT_EQ(read.atoms.items(2)->fcharge, -1);
  EXPECT_EQ(read.bonds.items(1)->order, 4);
  // No charge rule for the program's own files: N+ keeps its own valence.
  EXPECT_EQ(read.atoms.items(1)->implicithydrogens(), 0);
}

TEST_F(MdlFormatTest, ChargesAndRadicalsSetTheHydrogens) {
  struct tcase {
    const char* what;
    std::string file;
    int hydrogens;  // of the first atom
  };
  const std::string methyl = molatom("C", 1.5);
  const tcase cases[] = {
      {"ammonium", molfiletext({molatom("N", 0, 0, 3)}, {}), 4},
      {"quaternary N+",
       molfiletext(
           {molatom("N", 0, 0, 3), methyl, methyl, methyl, methyl},
           {molbond(1, 2), molbond(1, 3), molbond(1, 4), molbond(1, 5)}),
       0},
      {"methoxide by M  CHG",
       molfiletext({molatom("O"), methyl}, {molbond(1, 2)},
                   "M  CHG  1   1  -1\n"),
       0},
      {"borohydride", molfiletext({molatom("B", 0, 0, 5)}, {}), 4},
      {"sodium ion", molfiletext({molatom("Na", 0, 0, 3)}, {}), 0},
      {"doublet radical",
       molfiletext({molatom("C")}, {}, "M  RAD  1   1   2\n"), 3},
      {"triplet carbene",
       molfiletext({molatom("C")}, {}, "M  RAD  1   1   3\n"), 2},
      {"radical from charge code 4", molfiletext({molatom("C", 0, 0, 4)}, {}),
       3},
      {"valence field 15", molfiletext({molatom("C", 0, 0, 0, 15)}, {}), 0},
      {"valence field 2", molfiletext({molatom("C", 0, 0, 0, 2)}, {}), 2},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.what);
    treadresult result = readtext(c.file);
    EXPECT_EQ(testing::drawingof(result).atoms.items(0)->implicithydrogens(),
              c.hydrogens);
  }
}

TEST_F(MdlFormatTest, PropertyLinesOverrideTheAtomBlock) {
  // Charge codes say +3 and -1; the M  CHG lines replace all of them, and
  // two lines add up rather than replace each other.
  const std::string file = molfiletext(
      {molatom("N", 0, 0, 1), molatom("O", 1.5, 0, 5), molatom("C", 3)},
      {molbond(1, 2), molbond(2, 3)},
      "M  CHG  1   1   1\nM  CHG  1   3  -1\nM  ISO  1   3  13\n");
  treadresult result = readtext(file);
  const tdrawing& read = testing::drawingof(result);
  EXPECT_EQ(read.atoms.items(1)->fcharge, 0);
  EXPECT_EQ(read.atoms.items(2)->fcharge, -1);
  EXPECT_FLOAT_EQ(read.atoms.items(2)->mass, 13.0F);
}

TEST_F(MdlFormatTest, PropertyLinesOtherToolkitsWriteKeepTheMolecule) {
  // Each line is read as far as the drawing can hold it; the rest is said
  // in a notice and the molecule stays. Mass number 0 is the natural
  // mixture, as common toolkits write it.
  struct tcase {
    std::string properties;
    const char* notice;  ///< "" when nothing needs saying
    float carbonmass;    ///< of the second atom
    int carboncharge;
  };
  const tcase table[] = {
      {"M  ISO  1   2   0\n", "", 12.011F, 0},
      {"M  ISO  8   2  13\n", "\"M  ISO\" announces 8 entries but holds 1",
       13.0F, 0},
      {"M  CHG  9   2   1\n", "announces 9 entries but holds 1", 12.011F, 1},
      {"M  CHG  0\nM  RAD  0\n", "", 12.011F, 0},
      {"M  CHG\n", "property line without a count skipped", 12.011F, 0},
      {"M  ISO  1   2 999\n", "line 10: mass number 999 ignored", 12.011F, 0},
      {"M  ALS   1  2 F C   N   \n", "\"M  ALS\" (atom lists)", 12.011F, 0},
      {"M  STY  1   1 SUP\nM  SAL   1  1   3\nM  SMT   1 OH\n",
       "\"M  STY\" (groups), \"M  SAL\", \"M  SMT\"", 12.011F, 0},
      {"V    3 hydroxyl\n", "\"V\" (atom values)", 12.011F, 0},
  };
  for (const tcase& row : table) {
    SCOPED_TRACE(row.properties);
    treadresult result =
        readtext(molfiletext({molatom("C"), molatom("C", 1.5), molatom("O", 3)},
                             {molbond(1, 2), molbond(2, 3)}, row.properties));
    const tatm* carbon = testing::drawingof(result).atoms.items(1);
    EXPECT_NEAR(carbon->mass, row.carbonmass, 0.01F);
    EXPECT_EQ(carbon->fcharge, row.carboncharge);
    std::string said;
    for (const std::string& notice : result.notices) {
      said += notice + "\n";
    }
    if (*row.notice == '\0') {
      EXPECT_EQ(said.find("line 10"), std::string::npos) << said;
    } else {
      EXPECT_NE(said.find(row.notice), std::string::npos) << said;
    }
  }
  // V3000 and CML say the natural mixture with 0 too.
  treadresult v3000 = readtext(
      "t\n  test\n\n  0  0  0     0  0            999 V3000\n"
      "M  V30 BEGIN CTAB\nM  V30 COUNTS 1 0 0 0 0\nM  V30 BEGIN ATOM\n"
      "M  V30 1 C 0 0 0 0 MASS=0\nM  V30 END ATOM\nM  V30 END CTAB\n"
      "M  END\n");
  EXPECT_NEAR(testing::drawingof(v3000).atoms.items(0)->mass, 12.011F, 0.01F);
  // A file that ends without "M  END" still holds its molecule.
  std::string unended =
      molfiletext({molatom("C"), molatom("O", 1.5)}, {molbond(1, 2)});
  unended.resize(unended.size() - std::string("M  END\n").size());
  treadresult cut = readtext(unended);
  EXPECT_EQ(testing::drawingof(cut).atoms.count(), 2);
}

TEST_F(MdlFormatTest, BondTypesAndStereoBecomeKindsAndStyles) {
  treadresult result =
      readtext(molfiletext({molatom("C"), molatom("C", 1.5), molatom("C", 3),
                            molatom("C", 4.5), molatom("C", 6)},
                           {molbond(1, 2, 4), molbond(2, 3, 2),
                            molbond(3, 4, 1, 1), molbond(4, 5, 1, 6)}));
  const tdrawing& read = testing::drawingof(result);
  EXPECT_EQ(read.bonds.items(0)->order, 103);
  EXPECT_EQ(read.bonds.items(1)->order, 4);
  EXPECT_EQ(read.bonds.items(2)->style, tbondstyle::wedge);
  EXPECT_EQ(read.bonds.items(3)->style, tbondstyle::hashed);
}

TEST_F(MdlFormatTest, HundredsOfAtomsRunTheirNumbersTogether) {
  std::vector<std::string> atoms;
  std::vector<std::string> bonds;
  for (int i = 1; i <= 120; ++i) {
    atoms.push_back(molatom("C", 1.5 * i));
    if (i > 1) {
      bonds.push_back(molbond(i - 1, i));
    }
  }
  std::string file = molfiletext(atoms, bonds);
  ASSERT_NE(file.find("\n100101  1"), std::string::npos);
  EXPECT_EQ(testing::outcome(readtext(file)), "C120H242");
}

TEST_F(MdlFormatTest, V3000TablesReadWithContinuedLinesAndWriteLargeDrawings) {
  treadresult result = readmdl(testing::corpusfile("mdl", "v3000.mol"));
  const tdrawing& read = testing::drawingof(result);
  EXPECT_EQ(read.atoms.items(1)->fcharge, -1);
  EXPECT_FLOAT_EQ(read.atoms.items(1)->mass, 17.0F);
  EXPECT_EQ(read.bonds.items(1)->style, tbondstyle::hashed);
  EXPECT_EQ(hillformula(read), "C2H2O");
  // Drawings too large for the V2000 counts are written as V3000.
  tatm* previous = nullptr;
  for (int i = 0; i < 1200; ++i) {
    tatm* next = atom(6, 30.0 * (i % 40), 30.0 * (i / 40));
    if (previous != nullptr && i % 40 != 0) {
      bond(previous, next);
    }
    previous = next;
  }
  const std::vector<std::uint8_t> file = writemolfile(drawing());
  EXPECT_NE(textof(file).find("V3000"), std::string::npos);
  treadresult back = readmdl(file);
  EXPECT_EQ(testing::drawingof(back).bonds.count(), drawing().bonds.count());
}

TEST_F(MdlFormatTest, SdFilesGoOnAfterABadRecord) {
  const std::vector<std::string> two = {molatom("O"), molatom("C", 1.5)};
  std::string file = molfiletext(two, {molbond(1, 2)}) +
                     "> <ID>\none\n\n$$$$\n" +
                     molfiletext(two, {molbond(1, 9)}) + "$$$$\n\n$$$$\n" +
                     molfiletext({molatom("N")}, {}) + "$$$$\n";
  std::vector<treadresult> records = readmdlrecords(bytesof(file));
  ASSERT_EQ(records.size(), 3U);
  EXPECT_EQ(records[1].error, "record 2, line 19: bond to atom 9 of 2");
  EXPECT_EQ(testing::outcome(records[2]), "H3N");
}

TEST_F(MdlFormatTest, MolfileWriterKeepsChargesAromaticityAndWedges) {
  drawing().settitle("nitrobenzene");
  // A regular hexagon with bonds of L = 30, so the scale comes back exactly.
  std::vector<tatm*> ring = benzene(150, 150, true);
  tatm* n = atom(7, 210, 150);
  tatm* o1 = atom(8, 240, 150);
  tatm* o2 = atom(8, 210, 120);
  n->setcharge(1);
  o1->setcharge(-1);
  bond(ring[0], n)->style = tbondstyle::wedge;
  bond(n, o1);
  bond(n, o2, 4);
  tatm* d = atom(1, ring[4]->x - 15, ring[4]->y - 15 * std::sqrt(3.0), 0,
                 symbollabel);
  d->symbol = "D";
  d->mass = 2.016F;
  bond(ring[4], d);

  std::string text = textof(writemolfile(drawing()));
  EXPECT_TRUE(text.starts_with("nitrobenzene\n"));
  EXPECT_NE(text.find("\n 10 10  0  0  0  0  0  0  0  0999 V2000\n"),
            std::string::npos);
  EXPECT_NE(text.find("M  CHG  2   7   1   8  -1\n"), std::string::npos);
  EXPECT_TRUE(textof(writesdfile(drawing())).ends_with("M  END\n$$$$\n"));

  treadresult back = readmdl(writemolfile(drawing()));
  const tdrawing& read = testing::drawingof(back);
  // The chemistry comes back as the exchange round trips check; the wedge
  // and the deuterium label are the molfile's own.
  EXPECT_EQ(read.bonds.items(6)->style, tbondstyle::wedge);
  EXPECT_EQ(read.atoms.items(9)->symbol, "D");
  // Turned twice, the wedge's neighbours keep their sides.
  EXPECT_NEAR(read.atoms.items(8)->y - read.atoms.items(6)->y, -30.0, 1e-3);
}

TEST_F(MdlFormatTest, ValenceFieldKeepsHydrogensTheChargeWouldChange) {
  // Drawn as N+ with three bonds, the program gives it no hydrogen; the
  // charge rule would give it one, so the writer says so in the file (the
  // format-table round trip reads it back).
  tatm* n = atom(7, 0, 0);
  n->setcharge(1);
  for (int i = 0; i < 3; ++i) {
    bond(n, atom(6, 30 * i, 30));
  }
  ASSERT_EQ(n->implicithydrogens(), 0);
  std::string text = textof(writemolfile(drawing()));
  EXPECT_NE(text.find(" N   0  3  0  0  0 15"), std::string::npos) << text;
}

}  // namespace
}  // namespace molvane

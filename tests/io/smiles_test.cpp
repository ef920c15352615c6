// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/record_of_drawing.h"
#include "chemistry/stereo_perception.h"
#include "io/document_files.h"
#include "io/smiles_format.h"
#include "io/smiles_writer.h"
#include "model/formula.h"
#include "support/atomic_file.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace molvane {
namespace {

using SmilesTest = testing::tdrawingtest;

/// SMILES written back from what the text was read into, with the stereo
/// the text stated.
std::string rewritten(const std::string& smiles) {
  tsmilesrecord parsed = parsesmiles(smiles);
  EXPECT_EQ(parsed.error, "") << smiles;
  std::string error;
  std::string text = smilesofrecord(parsed.record, parsed.stereo, error);
  EXPECT_EQ(error, "") << smiles;
  return text;
}

int hydrogensof(const tmoleculerecord& record) {
  int total = 0;
  for (const tatomentry& atom : record.atoms) {
    total += atom.element == 1 ? 0 : atom.hydrogens;
  }
  return total;
}

int doublebondsof(const tmoleculerecord& record) {
  int count = 0;
  for (const tbondentry& bond : record.bonds) {
    count += bond.kind == 4 ? 1 : 0;
  }
  return count;
}

TEST(Smiles, ReadsAndWritesBackWhatItReads) {
  struct tcase {
    const char* input;
    const char* output;
  };
  const tcase table[] = {
      {"CC(=O)O", "CC(=O)O"},
      {"C#N", "C#N"},
      {"OCC(CO)(CO)CO", "OCC(CO)(CO)CO"},
      {"[NH4+].[Cl-]", "[NH4+].[Cl-]"},
      {"[13CH4]", "[13CH4]"},
      {"[O-][N+](=O)C", "[O-][N+](=O)C"},
      {"[Fe+2]", "[Fe+2]"},
      {"[Fe++]", "[Fe+2]"},
      {"C1CC1", "C1CC1"},
      {"C%12CC%12", "C1CC1"},
      {"C1CC1C1CC1", "C1CC1C1CC1"},
      {"C12C3C4C1C5C2C3C45", "C12C3C4C1C1C2C3C41"},
      {"C1CC2CCC1CC2", "C1CC2CCC1CC2"},
      {"c1ccccc1", "C1=CC=CC=C1"},
      {"c1cc[nH]c1", "C=1C=CNC1"},
      {"CS(=O)(=O)O", "CS(=O)(=O)O"},
      {"[H][H]", "[H][H]"},
      {"[2H]C", "[2H]C"},
      {"*C", "*C"},
      {"C[C@@H](N)C(=O)O", "C[C@@H](N)C(=O)O"},
      {"[C@H](F)(Cl)Br", "F[C@@H](Cl)Br"},
      {"F[C@TH2H](Cl)Br", "F[C@@H](Cl)Br"},
      {"F[C@]1(Cl)CCC1Br", "F[C@]1(Cl)CCC1Br"},
      {"C[S@@](=O)CC", "C[S@@](=O)CC"},
      {"C1CCC[C@@H]2CCCC[C@H]12", "C1CCC[C@@H]2CCCC[C@H]12"},
      {"F/C=C/F", "F/C=C/F"},
      {"F/C=C\\F", "F/C=C\\F"},
      {"C(/F)=C/F", "F/C=C\\F"},
      {"F/C=C/C=C/F", "F/C=C/C=C/F"},
      {"CC ethane", "CC"},
  };
  for (const tcase& row : table) {
    EXPECT_EQ(rewritten(row.input), row.output) << row.input;
  }
  EXPECT_EQ(parsesmiles("CCO  ethyl alcohol ").record.title, "ethyl alcohol");
}

TEST(Smiles, ImpliesHydrogensAndKekulisesAromaticRings) {
  struct tcase {
    const char* smiles;
    int hydrogens;
    int doublebonds;
  };
  const tcase table[] = {
      {"c1ccccc1", 6, 3},
      {"c1ccncc1", 5, 3},
      {"c1ccoc1", 4, 2},
      {"c1cc[nH]c1", 5, 2},
      {"Cn1cccc1", 7, 2},
      {"c1ccc2ccccc2c1", 8, 5},
      {"c1ccc2cccc2cc1", 8, 5},  // azulene: odd rings
      {"c1ccc2c(c1)[nH]c1ccccc12", 9, 6},
      {"c1cc[cH-]c1", 5, 2},
      {"c1cc[cH+]ccc1", 7, 3},
      {"C[n+]1ccccc1", 8, 3},
      {"O=c1cccc[nH]1", 5, 3},
      {"c1ccccc1c1ccccc1", 10, 6},
      {"[se]1cccc1", 4, 2},
      {"OP(O)(O)=O", 3, 1},
      {"CS(C)=O", 6, 1},
      {"ClCBr", 2, 0},
  };
  for (const tcase& row : table) {
    tsmilesrecord parsed = parsesmiles(row.smiles);
    ASSERT_EQ(parsed.error, "") << row.smiles;
    EXPECT_EQ(hydrogensof(parsed.record), row.hydrogens) << row.smiles;
    EXPECT_EQ(doublebondsof(parsed.record), row.doublebonds) << row.smiles;
  }
}

TEST(Smiles, RefusesHostileTextInOneLine) {
  struct tcase {
    std::string smiles;
    const char* reason;
  };
  const tcase table[] = {
      {"", "no atoms"},
      {"C1CC", "ring bond 1 at atom 1 is not closed"},
      {"C(C", "is not closed"},
      {"CC)", "')' without '('"},
      {"C()C", "empty branch"},
      {"C(=)C", "empty branch"},
      {"C==C", "two bond symbols"},
      {"=C", "no atom before it"},
      {"C=", "ends with a bond"},
      {"C..C", "'.' has no atom"},
      {"(C)", "branch has no atom"},
      {"1CC1", "no atom before it"},
      {"C11", "joins an atom to itself"},
      {"C12CC12", "already bonded"},
      {"C=1CC-1", "two different bond types"},
      {"C%1C", "two digits"},
      {"Xy", "unexpected 'X' at position 1"},
      {"[Xy]", "unknown element"},
      {"[C", "not closed"},
      {"[C+10]", "charge out of range"},
      {"[1234C]", "isotope number too long"},
      {"[C@SP1](F)(Cl)(Br)I", "only tetrahedral"},
      {"C$C", "quadruple"},
      {"c1cccc1", "cannot be given alternating double bonds"},
      {"c1ccnc1", "cannot be given alternating double bonds"},
      {"Cc", "atom 2 cannot be given alternating"},
      {std::string(10000, '(') + "C", "branch has no atom"},
      {"C" + std::string(10000, '(') + "C", "cannot open a branch"},
      // Not SMILES, though each bracket pairs up.
      {"C((C))", "a branch cannot open a branch at position 3"},
      {"C((((C))))", "a branch cannot open a branch"},
      {"C(1CC1)", "a ring bond number cannot open a branch at position 3"},
      {"C(=1CC1)", "a ring bond number cannot open a branch"},
      {"C(C.)C", "'.' at the end of a branch at position 5"},
      {"[Og]", "element 118 (Og) is not supported at position 1"},
      {"C[Rf]", "element 104 (Rf) is not supported"},
      {"[13Ts+]", "element 117 (Ts) is not supported"},
      {std::string(300000, 'C'), "more than 250000 atoms"},
  };
  for (const tcase& row : table) {
    tsmilesrecord parsed = parsesmiles(row.smiles);
    EXPECT_NE(parsed.error.find(row.reason), std::string::npos)
        << row.smiles.substr(0, 40) << " gave: " << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
  }
}

TEST(Smiles, LargeInputStaysLinear) {
  std::string nested = "C";
  for (int i = 0; i < 10000; ++i) {
    nested += "(C";
  }
  nested += std::string(10000, ')');
  std::string chain;
  for (int i = 0; i < 3000; ++i) {
    chain += "C1CC1";
  }
  const auto start = std::chrono::steady_clock::now();
  tsmilesrecord branches = parsesmiles(nested);
  tsmilesrecord rings = parsesmiles(chain);
  const std::chrono::duration<double> spent =
      std::chrono::steady_clock::now() - start;
  EXPECT_EQ(branches.error, "");
  EXPECT_EQ(branches.record.atoms.size(), 10001U);
  EXPECT_EQ(rings.error, "");
  EXPECT_LT(spent.count(), 2.0);
  std::string error;
  EXPECT_EQ(smilesofrecord(branches.record, branches.stereo, error),
            std::string(10001, 'C'));
}

TEST(Smiles, StatesTetrahedralAndDoubleBondStereo) {
  tsmilesrecord centre = parsesmiles("N[C@@H](C)C(=O)O");
  ASSERT_EQ(centre.stereo.centres.size(), 1U);
  EXPECT_EQ(centre.stereo.centres[0].centre, 1);
  EXPECT_EQ(centre.stereo.centres[0].neighbours,
            (std::array<int, 4>{0, -1, 2, 3}));
  EXPECT_FALSE(centre.stereo.centres[0].anticlockwise);
  // A ring bond takes the place of its digit, not of the ring's closure.
  tsmilesrecord ring = parsesmiles("[C@]12(F)CC1C2");
  ASSERT_EQ(ring.stereo.centres.size(), 1U);
  EXPECT_EQ(ring.stereo.centres[0].neighbours,
            (std::array<int, 4>{3, 4, 1, 2}));
  tsmilesrecord trans = parsesmiles("F/C=C/F");
  ASSERT_EQ(trans.stereo.doublebonds.size(), 1U);
  EXPECT_FALSE(trans.stereo.doublebonds[0].cis);
  tsmilesrecord unmarked = parsesmiles("F/C=CF");
  EXPECT_TRUE(unmarked.stereo.empty());
  tsmilesrecord toofew = parsesmiles("[C@H2](F)Cl");
  EXPECT_TRUE(toofew.stereo.empty());
  EXPECT_EQ(toofew.record.notices.size(), 1U);
}

TEST_F(SmilesTest, ReadsStereoOffWedgesAndCoordinates) {
  // Bromochlorofluoromethane, drawn and mirrored, wedged and hashed.
  auto draw = [this](double mirror, tbondstyle style) {
    session().newdrawing();
    tatm* c = atom(6, 100, 100);
    bond(c, atom(9, 100 - 26 * mirror, 115));
    bond(c, atom(17, 100 + 26 * mirror, 115));
    tbond* wedge = bond(c, atom(35, 100, 70));
    wedge->style = style;
    wedge->wideend = wedge->atom1 == c ? 2 : 1;
    std::string error;
    std::string smiles = writesmiles(drawing(), error);
    EXPECT_EQ(error, "");
    return smiles;
  };
  const std::string wedged = draw(1.0, tbondstyle::wedge);
  EXPECT_NE(wedged.find('@'), std::string::npos) << wedged;
  EXPECT_NE(draw(-1.0, tbondstyle::wedge), wedged);
  EXPECT_NE(draw(1.0, tbondstyle::hashed), wedged);
  EXPECT_EQ(draw(-1.0, tbondstyle::hashed), wedged);
  EXPECT_EQ(draw(1.0, tbondstyle::normal).find('@'), std::string::npos);

  // 1,2-difluoroethene drawn trans and cis; in a small ring nothing.
  auto ethene = [this](double side) {
    session().newdrawing();
    tatm* a = atom(6, 100, 100);
    tatm* b = atom(6, 130, 100);
    bond(a, b, 4);
    bond(a, atom(9, 85, 126));
    bond(b, atom(9, 145, 100 + 26 * side));
    std::string error;
    const trecordstereo read =
        parsesmiles(writesmiles(drawing(), error)).stereo;
    EXPECT_EQ(read.doublebonds.size(), 1U);
    return !read.doublebonds.empty() && read.doublebonds[0].cis;
  };
  EXPECT_FALSE(ethene(-1.0));
  EXPECT_TRUE(ethene(1.0));
  // In depth: seen from F, Cl Br I run anticlockwise; a mirror turns them.
  tmoleculerecord tetrahedron = parsesmiles("FC(Cl)(Br)I").record;
  const double places[5][3] = {{0, 0, 1},
                               {0, 0, 0},
                               {0.94, 0, -0.33},
                               {-0.47, 0.82, -0.33},
                               {-0.47, -0.82, -0.33}};
  const auto place = [&tetrahedron, &places](int mirror) {
    for (std::size_t i = 0; i < 5; ++i) {
      tetrahedron.atoms[i].x = places[i][0];
      tetrahedron.atoms[i].y = places[i][1] * mirror;
      tetrahedron.atoms[i].z = places[i][2];
    }
  };
  // The SMILES leaves the centre open, and the coordinates never state it;
  // a centre stated, or taken as drawn, is read from them.
  place(1);
  EXPECT_TRUE(perceivestereo(tetrahedron).centres.empty());
  for (tstereomark mark : {tstereomark::asdrawn, tstereomark::stated}) {
    tetrahedron.atoms[1].stereomark = mark;
    for (int mirror : {1, -1}) {
      place(mirror);
      const trecordstereo seen = perceivestereo(tetrahedron);
      ASSERT_EQ(seen.centres.size(), 1U);
      EXPECT_EQ(seen.centres[0].neighbours, (std::array<int, 4>{0, 2, 3, 4}));
      EXPECT_EQ(seen.centres[0].anticlockwise, mirror == 1);
    }
  }
  tmoleculerecord ring = parsesmiles("C1=CCCCC1").record;
  for (std::size_t i = 0; i < ring.atoms.size(); ++i) {
    ring.atoms[i].x = std::cos(static_cast<double>(i));
    ring.atoms[i].y = std::sin(static_cast<double>(i));
  }
  EXPECT_TRUE(perceivestereo(ring).empty());
}

TEST_F(SmilesTest, FilesReadLaidOutAndWriteBack) {
  const auto bytes = testing::bytesof(
      "# made by hand\nc1ccccc1O phenol\n\nCC(=O)[O-]\nC1CC\n");
  treadresult first = readsmilesfile(bytes);
  EXPECT_EQ(testing::drawingof(first).title(), "phenol");
  EXPECT_EQ(testing::outcome(first), "C6H6O");
  EXPECT_EQ(first.notices.back(),
            "the file holds 3 records; the first was read");
  std::vector<treadresult> all = readsmilesrecords(bytes);
  ASSERT_EQ(all.size(), 3U);
  EXPECT_EQ(testing::outcome(all[1]), "C2H3O2");
  EXPECT_EQ(all[2].error, "line 5: ring bond 1 at atom 1 is not closed");
  // Too many bonds are drawn as written, with a word, as other files are.
  // A positive charge widens the valence: oxonium, nitro and ammonium are
  // sound, an O+ with four bonds is not.
  const std::vector<std::string> none;
  const struct {
    const char* smiles;
    std::vector<std::string> notices;
  } valences[] = {
      {"C(C)(C)(C)(C)C", {"atom 1 (C) has more bonds than its valence allows"}},
      {"C[O+](C)(C)C", {"atom 2 (O) has more bonds than its valence allows"}},
      {"C[O+](C)C", none},
      {"C[N+](=O)[O-]", none},
      {"C[N+](C)(C)C", none},
      {"[C-]#[O+]", none},
      {"C[NH3+]", none},
      {"F[B-](F)(F)F", none},
  };
  for (const auto& row : valences) {
    SCOPED_TRACE(row.smiles);
    treadresult read = readsmilesfile(testing::bytesof(row.smiles));
    testing::drawingof(read);
    EXPECT_EQ(read.notices, row.notices);
  }
  treadresult empty = readsmilesfile(testing::bytesof("\n# nothing\n"));
  EXPECT_EQ(testing::drawingof(empty).atoms.count(), 0);
  EXPECT_EQ(empty.notices,
            std::vector<std::string>{"the file holds no SMILES"});

  EXPECT_EQ(testing::textof(writesmilesfile(*first.drawing)),
            "OC1=CC=CC=C1 phenol\n");
  // Nothing to say is an error, not an empty file.
  testing::ttemporaryfolder folder;
  session().newdrawing();
  EXPECT_NE(exportdocument(drawing(), folder.path() / "empty.smi"), "");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "empty.smi"));
  EXPECT_EQ(recordofdrawing(*first.drawing).atoms.size(), 7U);
  // Opened from a file, the lines are read one at a time with the same
  // result; an empty list still opens as an empty drawing.
  const std::filesystem::path list = folder.path() / "list.smi";
  ASSERT_EQ(writefileatomically(list, bytes), "");
  treadresult opened = loaddocument(list, defaultsettings());
  EXPECT_EQ(testing::drawingof(opened).title(), "phenol");
  EXPECT_EQ(testing::outcome(opened), "C6H6O");
  EXPECT_EQ(opened.notices, first.notices);
  const std::filesystem::path blank = folder.path() / "blank.smi";
  ASSERT_EQ(writefileatomically(blank, testing::bytesof("\n# nothing\n")), "");
  EXPECT_EQ(loaddocument(blank, defaultsettings()).notices, empty.notices);
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/record_layout.h"
#include "chemistry/record_of_drawing.h"
#include "chemistry/stereo_perception.h"
#include "document/drawing.h"
#include "io/cml_format.h"
#include "io/mdl_format.h"
#include "io/native_format.h"
#include "io/smiles_format.h"
#include "io/smiles_writer.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace molvane {
namespace {

/// Parity of every centre, by atom: the same for any neighbour order.
std::map<int, int> paritiesof(const trecordstereo& stereo) {
  std::map<int, int> parities;
  for (const ttetrahedralstereo& centre : stereo.centres) {
    parities[centre.centre] = parityof(centre);
  }
  return parities;
}

std::unique_ptr<tdrawing> drawingof(const std::string& smiles) {
  treadresult read = readsmilesfile(testing::bytesof(smiles + "\n"));
  testing::drawingof(read);
  return std::move(read.drawing);
}

std::string smilesof(const tdrawing& drawing) {
  std::string error;
  return writesmiles(drawing, error);
}

std::string molfileof(const tdrawing& drawing) {
  const std::vector<std::uint8_t> bytes = writemolfile(drawing);
  return {bytes.begin(), bytes.end()};
}

// Wedges the layout places are read back as the centres the SMILES
// stated, and ring double bonds keep their geometry: several centres, a
// ring-only pair (issue 28: the writer dropped it), a spiro centre, the
// 26-membered ring whose centre came back inverted (issue 28), and both
// decalins.
TEST(StereoMarks, WedgesOfALayoutGiveBackTheStatedCentres) {
  const char* const molecules[] = {
      "C[C@H]1CC[C@@H](C)CC1",
      "C[C@H]1CC[C@H](O)CC1",
      "OC[C@H]1O[C@@H](O)[C@H](O)[C@@H](O)[C@@H]1O",
      "C[C@H]1CC[C@]2(CC1)CCOC2",
      "C[C@H]1CC2(C1)C[C@@H](C)C2",
      "N#C[C@@H]1CC[C@H]2C[C@@H]1CN2Cc1ccccc1",
      "C2CCCCCCCCCCC(=O)N[C@@H](CSSCC\\C=C\\2)C(=O)O",
      "C[C@@H]1C/C=C\\CCCCC[C@H](O)C1",
      // Fusion atoms whose ring neighbours only the other fusion atom
      // tells apart.
      "C1CC[C@@H]2CCCC[C@H]2C1",
      "C1CC[C@H]2CCCC[C@H]2C1",
      // Bridged centres the layout draws with two neighbours in a line: the
      // wedge goes on a bond that shows them (they were dropped).
      "CC(C)[C@H]1[C@@H]2C[C@@H](CN3C(c4ccccc4)=CCC[C@H]23)[C@@H]2CCCCN21",
  };
  for (const char* smiles : molecules) {
    SCOPED_TRACE(smiles);
    tsmilesrecord parsed = parsesmiles(smiles);
    ASSERT_EQ(parsed.error, "");
    tmoleculerecord laid = parsed.record;
    ASSERT_EQ(layoutrecord(laid, parsed.stereo), "");
    const trecordstereo seen = perceivestereo(laid);
    EXPECT_EQ(paritiesof(seen), paritiesof(parsed.stereo));
    ASSERT_EQ(seen.doublebonds.size(), parsed.stereo.doublebonds.size());
    for (std::size_t k = 0; k < seen.doublebonds.size(); ++k) {
      EXPECT_EQ(seen.doublebonds[k].cis, parsed.stereo.doublebonds[k].cis);
    }
  }
}

// What SMILES leaves open stays open in every writer, whatever the layout
// shows: no @ or / \ for an open centre or double bond, "either" in the
// molfile for imines, amidines and thioamides (issue 28).
TEST(StereoMarks, OpenStereoIsNeverWrittenAsStated) {
  for (const char* smiles : {"CC(O)CC", "CN=C(O)C", "CN=C(S)C", "CC(N)=[NH+]C",
                             "CC=CC", "C1CCCCCC=CCCCC1"}) {
    SCOPED_TRACE(smiles);
    auto drawing = drawingof(smiles);
    const std::string written = smilesof(*drawing);
    EXPECT_EQ(written.find_first_of("@/\\"), std::string::npos) << written;
    EXPECT_TRUE(perceivestereo(recordofdrawing(*drawing)).empty());
  }
  auto imine = drawingof("CN=C(O)C");
  const std::string molfile = molfileof(*imine);
  EXPECT_NE(molfile.find("  2  3  2  3"), std::string::npos) << molfile;
  treadresult back = readmdl(testing::bytesof(molfile));
  EXPECT_EQ(smilesof(testing::drawingof(back)).find_first_of("/\\"),
            std::string::npos);
}

TEST(StereoMarks, MolfileParityAndEitherBondsSetTheMarks) {
  // Atom 2 has parity 3 and atom 5 parity 1; bond 3-4 is "either".
  const std::string molfile =
      "\n  test\n\n"
      "  6  5  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    1.0000    0.5000    0.0000 C   0  0  3  0  0  0  0  0  0  0  0  0\n"
      "    2.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    3.0000    0.5000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    4.0000    0.0000    0.0000 C   0  0  1  0  0  0  0  0  0  0  0  0\n"
      "    1.0000    1.5000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "  1  2  1  0\n  2  3  1  0\n  3  4  2  3\n  4  5  1  0\n  2  6  1  0\n"
      "M  END\n";
  treadresult read = readmdl(testing::bytesof(molfile));
  const tdrawing& drawing = testing::drawingof(read);
  EXPECT_EQ(drawing.atoms.items(1)->stereomark, tstereomark::unstated);
  EXPECT_EQ(drawing.atoms.items(4)->stereomark, tstereomark::stated);
  EXPECT_EQ(drawing.bonds.items(2)->stereomark, tstereomark::unstated);
  EXPECT_EQ(drawing.bonds.items(0)->stereomark, tstereomark::asdrawn);
  // Written back, the double bond is "either" again.
  EXPECT_NE(molfileof(drawing).find("  3  4  2  3"), std::string::npos);
}

TEST(StereoMarks, CmlStatesParityAndDoubleBondGeometry) {
  const std::string smiles = "C[C@H](O)/C=C/[C@@H](F)CC";
  auto drawing = drawingof(smiles);
  const std::vector<std::uint8_t> bytes = writecml(*drawing);
  const std::string text(bytes.begin(), bytes.end());
  // Both centres carry a parity.
  const std::size_t first = text.find("<atomParity");
  ASSERT_NE(first, std::string::npos) << text;
  EXPECT_NE(text.find("<atomParity", first + 1), std::string::npos);
  EXPECT_NE(text.find("\">T</bondStereo>"), std::string::npos);
  treadresult back = readcml(bytes);
  EXPECT_EQ(smilesof(testing::drawingof(back)), smilesof(*drawing));
  EXPECT_EQ(back.drawing->atoms.items(1)->stereomark, tstereomark::stated);
}

// Native documents keep the marks in a block after everything older
// readers read; a document without it reads as drawn.
TEST(StereoMarks, NativeDocumentsKeepTheMarks) {
  auto drawing = drawingof("C[C@H](O)/C=C/CC(C)N");
  const std::vector<std::uint8_t> bytes = writenative(*drawing);
  treadresult back = readnative(bytes);
  ASSERT_EQ(testing::drawingof(back).atoms.count(), drawing->atoms.count());
  for (int i = 0; i < drawing->atoms.count(); ++i) {
    EXPECT_EQ(back.drawing->atoms.items(i)->stereomark,
              drawing->atoms.items(i)->stereomark)
        << i;
  }
  for (int i = 0; i < drawing->bonds.count(); ++i) {
    EXPECT_EQ(back.drawing->bonds.items(i)->stereomark,
              drawing->bonds.items(i)->stereomark)
        << i;
  }
  EXPECT_EQ(drawing->atoms.items(1)->stereomark, tstereomark::stated);
  EXPECT_EQ(drawing->atoms.items(6)->stereomark, tstereomark::unstated);
  EXPECT_EQ(smilesof(*back.drawing), smilesof(*drawing));
  // The same file cut before the block, as an older build wrote it.
  const std::vector<std::uint8_t> plain(
      bytes.begin(), bytes.end() - 4 - 2 - drawing->atoms.count() - 2 -
                         drawing->bonds.count());
  treadresult old = readnative(plain);
  EXPECT_FALSE(old.cutshort);
  for (const tatm* atom : testing::drawingof(old).atoms) {
    EXPECT_EQ(atom->stereomark, tstereomark::asdrawn);
  }
  // Undo copies carry the marks.
  auto copy = drawing->clonedrawing();
  EXPECT_EQ(copy->atoms.items(6)->stereomark, tstereomark::unstated);
  EXPECT_EQ(copy->bonds.items(3)->stereomark, tstereomark::stated);
}

// An edit that changes an atom's neighbourhood drops the marks there and
// only there.
TEST(StereoMarks, EditsDropTheMarksOfWhatTheyChange) {
  auto drawing = drawingof("C[C@H](O)/C=C/CC(C)N");
  tatm* centre = drawing->atoms.items(1);
  tatm* open = drawing->atoms.items(6);
  tbond* doublebond = drawing->bonds.items(3);
  // A hydrogen made explicit changes nothing.
  drawing->addbond(
      std::make_unique<tbond>(centre, 0, tbondstyle::normal, 2,
                              drawing->addatom(std::make_unique<tatm>(
                                  1, 0, centre->x, centre->y + 20, 0.0))));
  EXPECT_EQ(centre->stereomark, tstereomark::stated);
  drawing->addbond(
      std::make_unique<tbond>(open, 0, tbondstyle::normal, 2,
                              drawing->addatom(std::make_unique<tatm>(
                                  6, 0, open->x, open->y + 20, 0.0))));
  EXPECT_EQ(open->stereomark, tstereomark::asdrawn);
  EXPECT_EQ(centre->stereomark, tstereomark::stated);
  EXPECT_EQ(doublebond->stereomark, tstereomark::stated);
  // Another element next to the centre, a bond gone at the double bond.
  drawing->atoms.items(2)->findbonds();
  drawing->atoms.items(2)->changeelement(16, 0);
  EXPECT_EQ(centre->stereomark, tstereomark::asdrawn);
  EXPECT_EQ(doublebond->stereomark, tstereomark::stated);
  drawing->removebond(drawing->bonds.items(4));
  EXPECT_EQ(doublebond->stereomark, tstereomark::asdrawn);
}

// Hostile drawings give a drawing and a notice, never a crash or a hang.
TEST(StereoMarks, ImpossibleWedgesAreReportedNotRead) {
  using testing::molatom;
  using testing::molbond;
  // A wedge between two hydrogens.
  const std::string hydrogens = testing::molfiletext(
      {molatom("H"), molatom("H", 1)}, {molbond(1, 2, 1, 1)});
  // Every neighbour of a centre raised: no side is below.
  const std::string contradictory =
      testing::molfiletext({molatom("C"), molatom("F", 1), molatom("Cl", -1),
                            molatom("Br", 0, 1), molatom("I", 0, -1)},
                           {molbond(1, 2, 1, 1), molbond(1, 3, 1, 1),
                            molbond(1, 4, 1, 1), molbond(1, 5, 1, 1)});
  // A ring-fusion atom with four ring bonds whose rings are alike.
  const std::string fused = testing::molfiletext(
      {molatom("C"), molatom("C", 1), molatom("C", 1, 1), molatom("C", 0, 1),
       molatom("C", -1), molatom("C", -1, -1), molatom("C", 0, -1)},
      {molbond(1, 2, 1, 1), molbond(2, 3), molbond(3, 4), molbond(4, 1, 1, 1),
       molbond(1, 5, 1, 6), molbond(5, 6), molbond(6, 7), molbond(7, 1, 1, 6)});
  for (const std::string& file : {hydrogens, contradictory, fused}) {
    treadresult read = readmdl(testing::bytesof(file));
    smilesof(testing::drawingof(read));
    molfileof(*read.drawing);
    EXPECT_FALSE(read.notices.empty()) << file;
  }
}

}  // namespace
}  // namespace molvane

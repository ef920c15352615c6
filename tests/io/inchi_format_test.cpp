// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/inchi_format.h"

#include "chemistry/inchi_identifier.h"
#include "io/mdl_format.h"
#include "io/smiles_format.h"
#include "support/text_lines.h"
#include "testing/read_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

namespace molvane {
namespace {

std::span<const std::uint8_t> bytesof(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

struct tpublished {
  const char* smiles;
  const char* key;
};

// Keys as the public databases give them (each checked against a second
// toolkit): stereocentres, double bonds, charges, isotopes, and the same
// skeletons with their stereo left open.
constexpr tpublished publishedkeys[] = {
    {"C[C@@H](C(=O)O)N", "QNAYBMKLOCPYGJ-REOHCLBHSA-N"},  // L-alanine
    {"C[C@H](C(=O)O)N", "QNAYBMKLOCPYGJ-UWTATZPHSA-N"},   // D-alanine
    {"CC(C(=O)O)N", "QNAYBMKLOCPYGJ-UHFFFAOYSA-N"},
    {"F[C@H](Cl)Br", "YNKZSBSRKWVMEZ-SFOWXEAESA-N"},
    {"CCO", "LFQSCWFLJHTTHZ-UHFFFAOYSA-N"},
    {"c1ccccc1", "UHOVQNZJYSORNB-UHFFFAOYSA-N"},
    {"C/C=C/C", "IAQRGUVFOMOMEM-ONEGZZNKSA-N"},  // (E)-but-2-ene
    {"C/C=C\\C", "IAQRGUVFOMOMEM-ARJAWSKDSA-N"},
    {"CC=CC", "IAQRGUVFOMOMEM-UHFFFAOYSA-N"},
    {"CC(=O)[O-]", "QTBSBXVTEAMEQO-UHFFFAOYSA-M"},
    {"C[NH3+]", "BAVYZALUXZFZLV-UHFFFAOYSA-O"},
    {"[2H]C([2H])([2H])O", "OKKJLVBELUTLKV-FIBGUPNXSA-N"},
    {"[H+]", "GPRLSGONYQIRFK-UHFFFAOYSA-N"},  // a bare proton, not H2+
};

TEST(Inchi, DrawingsAndRecordsGiveThePublishedKeys) {
  for (const tpublished& molecule : publishedkeys) {
    SCOPED_TRACE(molecule.smiles);
    // Laid out: the stereo reaches the library as wedges and geometry.
    treadresult drawn = readsmilesline(1, molecule.smiles);
    tinchiresult fromdrawing = standardinchi(testing::drawingof(drawn));
    EXPECT_EQ(fromdrawing.key, molecule.key) << fromdrawing.message;
    EXPECT_TRUE(fromdrawing.inchi.starts_with("InChI=1S/"));
    // Without coordinates: the stereo goes as parities.
    tsmilesrecord parsed = parsesmiles(molecule.smiles);
    tinchiresult fromrecord = standardinchi(parsed.record, parsed.stereo);
    EXPECT_EQ(fromrecord.inchi, fromdrawing.inchi) << fromrecord.message;
  }
}

TEST(Inchi, InchiLinesReadBackToTheSameInchi) {
  const std::string text =
      "# amino acids and an alkene\n"
      "InChI=1S/C3H7NO2/c1-2(4)3(5)6/h2H,4H2,1H3,(H,5,6)/t2-/m0/s1 "
      "L-alanine\n"
      "\n"
      "InChI=1S/C4H8/c1-3-4-2/h3-4H,1-2H3/b4-3+\n"
      "InChI=1S/C2H4O2/c1-2(3)4/h1H3,(H,3,4)/p-1\n"
      "InChI=1S/CH4O/c1-2/h2H,1H3/i1D3\n"
      "InChI=1S/C6H12O6/c7-1-2-3(8)4(9)5(10)6(11)12-2/h2-11H,1H2/"
      "t2-,3-,4+,5-,6+/m1/s1\n";
  std::vector<treadresult> records = readinchirecords(bytesof(text));
  const std::span<const std::uint8_t> bytes = bytesof(text);
  trecordlines lines(bytes);
  int number = 0;
  std::string_view line;
  for (std::size_t i = 0; i < records.size(); ++i) {
    ASSERT_TRUE(lines.next(number, line));
    const std::string inchi(splitwords(line)[0]);
    SCOPED_TRACE(inchi);
    ASSERT_NE(records[i].drawing, nullptr) << records[i].error;
    std::vector<std::uint8_t> written = writeinchifile(*records[i].drawing);
    // The line comes back whole: the InChI, then its title.
    EXPECT_EQ(std::string(written.begin(), written.end()),
              std::string(line) + "\n");
  }
  EXPECT_FALSE(lines.next(number, line));
  EXPECT_EQ(records[0].drawing->title(), "L-alanine");
}

TEST(Inchi, DamagedLinesNameTheirLine) {
  const char* damaged[] = {
      "C1=CC=CC=C1",                // SMILES, not an InChI
      "InChI=",                     // nothing after the prefix
      "InChI=1S/C2H6O/c1-2-9/h3H",  // a bond to an atom it has not got
      "InChI=1S/Xq2/c1-2",          // no such element
  };
  for (const char* line : damaged) {
    SCOPED_TRACE(line);
    treadresult result = readinchiline(7, line);
    EXPECT_EQ(result.drawing, nullptr);
    EXPECT_TRUE(result.error.starts_with("line 7: ")) << result.error;
  }
  treadresult empty = readinchifile(bytesof("# nothing here\n\n"));
  EXPECT_EQ(empty.error, "the file holds no InChI");
}

TEST(Inchi, WhatTheLibraryCannotDescribeGetsAMessage) {
  tmoleculerecord chain;
  for (int i = 0; i < largestinchiatoms + 1; ++i) {
    chain.atoms.push_back({});
    if (i > 0) {
      chain.bonds.push_back({i - 1, i});
    }
  }
  tinchiresult large = standardinchi(chain);
  EXPECT_EQ(large.inchi, "");
  EXPECT_EQ(large.message,
            "too many atoms for InChI (1025, the limit is 1024)");

  chain.atoms.resize(3);
  chain.bonds.resize(2);
  chain.atoms[2].element = -1;
  EXPECT_EQ(standardinchi(chain).message,
            "InChI cannot describe pseudo atoms (R groups, \"*\")");
  EXPECT_EQ(standardinchi(tmoleculerecord{}).message, "no atoms for InChI");
}

TEST(Inchi, HydrogenIsotopeAliasesAndRefusedAromaticBonds) {
  using testing::molatom;
  using testing::molbond;
  using testing::molfiletext;
  // A hexagon with Kekulé or aromatic bonds and a seventh atom on its first.
  std::vector<std::string> ring, kekule, aromatic;
  for (int i = 0; i < 6; ++i) {
    const double angle = (90.0 - 60.0 * i) * std::numbers::pi / 180.0;
    ring.push_back(molatom("C", 1.4 * std::cos(angle), 1.4 * std::sin(angle)));
    kekule.push_back(molbond(i + 1, (i + 1) % 6 + 1, 2 - i % 2));
    aromatic.push_back(molbond(i + 1, (i + 1) % 6 + 1, 4));
  }
  kekule.push_back(molbond(1, 7));
  aromatic.push_back(molbond(1, 7));
  std::vector<std::string> starred = ring, toluene = ring;
  starred.push_back(molatom("*", 0, 2.8));
  toluene.push_back(molatom("C", 0, 2.8));
  struct tcase {
    std::string file;
    const char* inchi;
  };
  const tcase cases[] = {
      // A "*" atom named D or T is a hydrogen isotope, alone or written
      // with the atom that carries it.
      {molfiletext(starred, kekule, "A    7\nD\n"),
       "InChI=1S/C6H6/c1-2-4-6-5-3-1/h1-6H/i1D"},
      {molfiletext(starred, kekule, "A    7\nT\n"),
       "InChI=1S/C6H6/c1-2-4-6-5-3-1/h1-6H/i1T"},
      {molfiletext({molatom("O", 0, 1), molatom("C"), molatom("*", 1, -0.5),
                    molatom("N", -1, -0.5)},
                   {molbond(1, 2, 2), molbond(2, 3), molbond(2, 4)},
                   "A    3\nND2\n"),
       "InChI=1S/CH4N2O/c2-1(3)4/h(H4,2,3,4)/i/hD2"},
      {molfiletext({molatom("*"), molatom("C", 1, 0.5), molatom("C", 2),
                    molatom("S", 3, 0.5)},
                   {molbond(2, 1), molbond(3, 2), molbond(4, 3)},
                   "A    1\nDS\n"),
       "InChI=1S/C2H6S2/c3-1-2-4/h3-4H,1-2H2/i/hD"},
      // Aromatic bonds where a substituent leaves the library no room to
      // place the double bonds itself: toluene, not a failure.
      {molfiletext(toluene, aromatic),
       "InChI=1S/C7H8/c1-7-5-3-2-4-6-7/h2-6H,1H3"},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.file);
    treadresult read = readmdl(bytesof(c.file));
    tinchiresult result = standardinchi(testing::drawingof(read));
    EXPECT_EQ(result.inchi, c.inchi) << result.message;
  }
  // Mobile hydrogens of an aromatic record the library takes as it is stay
  // in its answer (pyridin-2-one drawn aromatic keeps the /h layer of its
  // tautomers rather than one fixed form).
  tsmilesrecord pyridone = parsesmiles("O=c1cccc[nH]1");
  tinchiresult mobile = standardinchi(pyridone.record, pyridone.stereo);
  EXPECT_EQ(mobile.inchi, "InChI=1S/C5H5NO/c7-5-3-1-2-4-6-5/h1-4H,(H,6,7)")
      << mobile.message;
}

TEST(Inchi, ThreadsShareTheLibrarySafely) {
  const auto work = [](std::string* key) {
    tsmilesrecord parsed = parsesmiles("C[C@@H](C(=O)O)N");
    for (int i = 0; i < 40; ++i) {
      std::string now = standardinchi(parsed.record, parsed.stereo).key;
      if (i > 0 && now != *key) {
        *key = "changed";
        return;
      }
      *key = now;
    }
  };
  std::string first;
  std::string second;
  std::thread one(work, &first);
  std::thread two(work, &second);
  one.join();
  two.join();
  EXPECT_EQ(first, "QNAYBMKLOCPYGJ-REOHCLBHSA-N");
  EXPECT_EQ(second, first);
}

}  // namespace
}  // namespace molvane

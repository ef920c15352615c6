// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/record_layout.h"

#include "chemistry/stereo_drawing.h"
#include "io/cml_format.h"
#include "io/mdl_format.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace molvane {
namespace {

/// A record of carbons (or the given elements) joined by single bonds.
tmoleculerecord molecule(std::size_t atoms,
                         std::initializer_list<std::pair<int, int>> bonds) {
  tmoleculerecord record;
  record.atoms.resize(atoms);
  for (auto [a, b] : bonds) {
    record.bonds.push_back({a, b});
  }
  return record;
}

tmoleculerecord chain(int length) {
  tmoleculerecord record;
  record.atoms.resize(static_cast<std::size_t>(length));
  for (int i = 1; i < length; ++i) {
    record.bonds.push_back({i - 1, i});
  }
  return record;
}

tmoleculerecord ring(int size) {
  tmoleculerecord record = chain(size);
  record.bonds.push_back({size - 1, 0});
  return record;
}

/// Rings of six fused in a row, as in the acenes.
tmoleculerecord acene(int rings) {
  tmoleculerecord record = ring(6);
  for (int r = 1; r < rings; ++r) {
    // The new ring shares the last ring's bond between atoms p and q.
    int p = r == 1 ? 2 : 4 * r - 1;
    int q = r == 1 ? 3 : 4 * r;
    int first = static_cast<int>(record.atoms.size());
    record.atoms.resize(record.atoms.size() + 4);
    record.bonds.push_back({p, first});
    record.bonds.push_back({first, first + 1});
    record.bonds.push_back({first + 1, first + 2});
    record.bonds.push_back({first + 2, first + 3});
    record.bonds.push_back({first + 3, q});
  }
  return record;
}

double distance(const tatomentry& a, const tatomentry& b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

double lengthof(const tmoleculerecord& record, const tbondentry& bond) {
  return distance(record.atoms[static_cast<std::size_t>(bond.atom1)],
                  record.atoms[static_cast<std::size_t>(bond.atom2)]);
}

/// The layout is flat, bonds are within 10 % of their mean (about 1.5)
/// and no two atoms come closer than half a bond.
void expectclean(const tmoleculerecord& record, const std::string& name) {
  double total = 0.0;
  for (const tbondentry& bond : record.bonds) {
    total += lengthof(record, bond);
  }
  double mean = total / static_cast<double>(record.bonds.size());
  EXPECT_NEAR(mean, 1.5, 0.01) << name;
  for (const tbondentry& bond : record.bonds) {
    EXPECT_NEAR(lengthof(record, bond), mean, 0.1 * mean)
        << name << ": bond " << bond.atom1 + 1 << "-" << bond.atom2 + 1;
  }
  for (std::size_t i = 0; i < record.atoms.size(); ++i) {
    EXPECT_EQ(record.atoms[i].z, 0.0) << name;
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_GT(distance(record.atoms[i], record.atoms[j]), 0.5 * mean)
          << name << ": atoms " << j + 1 << " and " << i + 1;
    }
  }
}

TEST(RecordLayoutTest, ShapesComeOutCleanAndFlat) {
  tmoleculerecord naphthalene = acene(2);
  for (int i : {0, 2, 4, 6, 9}) {
    naphthalene.bonds[static_cast<std::size_t>(i)].kind = 4;
  }
  tmoleculerecord steroid = molecule(
      17, {{0, 1},   {1, 2},  {2, 3},   {3, 4},   {4, 9},   {9, 0},   {4, 5},
           {5, 6},   {6, 7},  {7, 8},   {8, 9},   {8, 10},  {10, 11}, {11, 12},
           {12, 13}, {13, 7}, {12, 16}, {16, 15}, {15, 14}, {14, 13}});
  // Spiro[5.4]decane: a five-ring hung on atom 0 of a six-ring.
  tmoleculerecord spiro = ring(6);
  spiro.atoms.resize(10);
  for (auto [a, b] : {std::pair{0, 6}, {6, 7}, {7, 8}, {8, 9}, {9, 0}}) {
    spiro.bonds.push_back({a, b});
  }
  tmoleculerecord salt = molecule(3, {{0, 1}});
  salt.atoms[0].element = 11;
  salt.atoms[1].element = 17;
  salt.atoms[2].element = 26;
  salt.atoms[2].charge = 99;
  const std::vector<std::pair<std::string, tmoleculerecord>> cases{
      {"benzene", ring(6)}, {"naphthalene", naphthalene},
      {"steroid", steroid}, {"macrocycle", ring(18)},
      {"spiro", spiro},     {"chain", chain(40)},
      {"salt", salt},
  };
  for (auto [name, record] : cases) {
    ASSERT_EQ(layoutrecord(record, {}), "") << name;
    expectclean(record, name);
  }
}

/// Alanine: N, the centre, methyl, carboxyl carbon and its two oxygens.
tmoleculerecord alanine() {
  tmoleculerecord record =
      molecule(6, {{0, 1}, {1, 2}, {1, 3}, {3, 4}, {3, 5}});
  record.atoms[0].element = 7;
  record.atoms[4].element = 8;
  record.atoms[5].element = 8;
  record.bonds[3].kind = 4;
  return record;
}

TEST(RecordLayoutTest, WedgesShowEachStatedCentre) {
  // 2,3-Dihydroxybutane with explicit hydrogens on the centres: two
  // neighbouring centres, each with a hydrogen to carry its wedge.
  tmoleculerecord diol =
      molecule(8, {{0, 1}, {1, 2}, {2, 3}, {1, 4}, {2, 5}, {1, 6}, {2, 7}});
  diol.atoms[4].element = diol.atoms[5].element = 8;
  diol.atoms[6].element = diol.atoms[7].element = 1;
  // Methylcyclohexane's ring carbon, bonded to two ring atoms and a methyl.
  tmoleculerecord ringed = ring(6);
  ringed.atoms.resize(7);
  ringed.bonds.push_back({0, 6});
  struct tcase {
    std::string name;
    tmoleculerecord record;
    std::vector<ttetrahedralstereo> centres;
  };
  std::vector<tcase> cases;
  for (bool sense : {true, false}) {
    cases.push_back({"alanine", alanine(), {{1, {0, -1, 2, 3}, sense}}});
    cases.push_back(
        {"alanine, hydrogen first", alanine(), {{1, {-1, 3, 0, 2}, sense}}});
    cases.push_back(
        {"diol", diol, {{1, {0, 4, 6, 2}, sense}, {2, {1, 7, 5, 3}, !sense}}});
    cases.push_back({"ring", ringed, {{0, {1, -1, 5, 6}, sense}}});
  }
  for (tcase& c : cases) {
    trecordstereo stereo;
    stereo.centres = c.centres;
    ASSERT_EQ(layoutrecord(c.record, stereo), "") << c.name;
    int wedged = 0;
    for (const tbondentry& bond : c.record.bonds) {
      if (bond.style == tbondstyle::wedge || bond.style == tbondstyle::hashed) {
        ++wedged;
        // The narrow end sits at a centre.
        int narrow = bond.wideend == 2 ? bond.atom1 : bond.atom2;
        EXPECT_TRUE(std::any_of(
            c.centres.begin(), c.centres.end(),
            [narrow](const auto& centre) { return centre.centre == narrow; }))
            << c.name;
      }
    }
    EXPECT_EQ(wedged, static_cast<int>(c.centres.size())) << c.name;
    for (const ttetrahedralstereo& centre : c.centres) {
      EXPECT_EQ(drawnsense(c.record, centre), centre.anticlockwise) << c.name;
    }
    EXPECT_TRUE(c.record.notices.empty()) << c.name;
  }
}

TEST(RecordLayoutTest, DoubleBondsKeepTheirStatedGeometry) {
  // Hex-3-ene, and 4-methylhept-3-ene whose branch crowds the bond.
  tmoleculerecord hexene = chain(6);
  hexene.bonds[2].kind = 4;
  tmoleculerecord branched = chain(7);
  branched.bonds[2].kind = 4;
  branched.atoms.resize(8);
  branched.bonds.push_back({3, 7});
  // Too long for the library: the quick pattern's zigzag gets turned.
  tmoleculerecord longchain = chain(400);
  longchain.bonds[200].kind = 4;
  // Cyclohexene's double bond cannot turn: nothing to fix, no notice.
  tmoleculerecord ringed = ring(6);
  ringed.bonds[0].kind = 4;
  for (bool cis : {true, false}) {
    for (auto [name, record, stated] :
         {std::tuple{"hexene", hexene, tdoublebondstereo{2, 1, 4, cis}},
          std::tuple{"branched", branched, tdoublebondstereo{2, 1, 7, cis}},
          std::tuple{"branched, chain", branched,
                     tdoublebondstereo{2, 1, 4, cis}},
          std::tuple{"long chain", longchain,
                     tdoublebondstereo{200, 199, 202, cis}}}) {
      trecordstereo stereo;
      stereo.doublebonds.push_back(stated);
      ASSERT_EQ(layoutrecord(record, stereo), "") << name;
      EXPECT_EQ(drawncis(record, stated), cis) << name << " cis " << cis;
      EXPECT_LE(record.notices.size(), 1u) << name;
      expectclean(record, name);
    }
  }
  trecordstereo stereo;
  stereo.doublebonds.push_back({0, 5, 2, false});
  ASSERT_EQ(layoutrecord(ringed, stereo), "");
  ASSERT_EQ(ringed.notices.size(), 1u);
  EXPECT_EQ(ringed.notices[0],
            "the double bond between atoms 1 and 2 cannot "
            "be drawn with its stated geometry");
}

TEST(RecordLayoutTest, LargeAndOddInputsAreLaidOut) {
  // A ring too long for the library, many fused rings, a crowded atom,
  // lone atoms, nothing at all and a long chain.
  tmoleculerecord star = molecule(13, {});
  for (int i = 1; i < 13; ++i) {
    star.bonds.push_back({0, i});
  }
  tmoleculerecord ions = molecule(200, {});
  const std::vector<std::pair<std::string, tmoleculerecord>> cases{
      {"ring of 1 000", ring(1000)},   {"1 000 fused rings", acene(1000)},
      {"crowded atom", star},          {"lone atoms", ions},
      {"no atoms", tmoleculerecord{}}, {"10 000 atoms", chain(10000)}};
  for (auto [name, record] : cases) {
    ASSERT_EQ(layoutrecord(record, {}), "") << name;
    for (const tbondentry& bond : record.bonds) {
      const double length = lengthof(record, bond);
      ASSERT_TRUE(std::isfinite(length) && length > 0.1) << name;
    }
    for (std::size_t i = 1; i < record.atoms.size() && record.bonds.empty();
         ++i) {
      // Lone atoms stand apart.
      ASSERT_GT(distance(record.atoms[i - 1], record.atoms[i]), 1.0) << name;
    }
  }
  // The tree and polygon pattern keeps a chain with rings hung on it
  // regular.
  {
    const std::string name = "chain with rings";
    tmoleculerecord record = chain(2000);
    for (int i = 0; i < 300; ++i) {
      record.atoms.insert(record.atoms.end(), 5, tatomentry{});
      int first = static_cast<int>(record.atoms.size()) - 5;
      record.bonds.push_back({i * 6, first});
      for (int k = 0; k < 4; ++k) {
        record.bonds.push_back({first + k, first + k + 1});
      }
      record.bonds.push_back({first + 4, i * 6});
    }
    ASSERT_EQ(layoutrecord(record, {}), "");
    ASSERT_EQ(record.notices.size(), 1u) << name;
    expectclean(record, name);
  }
  // Rings fused in a row become polygons side by side.
  tmoleculerecord fused = acene(60);
  ASSERT_EQ(layoutrecord(fused, {}), "");
  expectclean(fused, "fused rings");
}

using RecordLayoutReadingTest = testing::tdrawingtest;

TEST_F(RecordLayoutReadingTest, FilesWithoutCoordinatesAreLaidOut) {
  // Benzene with every atom at the origin.
  std::vector<std::string> atoms(6, testing::molatom("C"));
  std::vector<std::string> bonds;
  for (int i = 0; i < 6; ++i) {
    bonds.push_back(testing::molbond(i + 1, (i + 1) % 6 + 1, 1 + i % 2));
  }
  const std::string molfile = testing::molfiletext(atoms, bonds);
  const std::string cml =
      "<cml><molecule id=\"m\"><atomArray><atom id=\"a1\" elementType=\"C\"/>"
      "<atom id=\"a2\" elementType=\"O\"/><atom id=\"a3\" elementType=\"N\"/>"
      "</atomArray><bondArray><bond atomRefs2=\"a1 a2\" order=\"1\"/>"
      "<bond atomRefs2=\"a1 a3\" order=\"1\"/></bondArray></molecule></cml>";
  for (const treadresult& result :
       {readmdl(testing::bytesof(molfile)), readcml(testing::bytesof(cml))}) {
    const tAtoms& placed = testing::drawingof(result).atoms;
    EXPECT_NE(std::find(result.notices.begin(), result.notices.end(),
                        "the structure had no coordinates; laid out in 2D"),
              result.notices.end());
    for (int i = 0; i < placed.count(); ++i) {
      for (int j = 0; j < i; ++j) {
        EXPECT_GT(std::hypot(placed.items(i)->x - placed.items(j)->x,
                             placed.items(i)->y - placed.items(j)->y),
                  10.0);
      }
    }
  }
}

}  // namespace
}  // namespace molvane

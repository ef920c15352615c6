// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/carbon_model.h"
#include "nmr/database_files.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "support/atomic_file.h"
#include "testing/smiles_drawing.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace molvane {
namespace {

/// Each (atom, shift) of expected is predicted within tolerance.
void expectshifts(const std::vector<tatomshift>& shifts,
                  const std::vector<std::pair<int, double>>& expected,
                  double tolerance) {
  for (auto [index, shift] : expected) {
    SCOPED_TRACE(index);
    auto found = std::find_if(
        shifts.begin(), shifts.end(),
        [&, atom = index](const tatomshift& s) { return s.atomindex == atom; });
    ASSERT_NE(found, shifts.end());
    EXPECT_NE(found->level, 0);
    EXPECT_NEAR(found->shift, shift, tolerance);
  }
}

/// A molecule as SMILES and the shifts of one nucleus it should get.
struct tsmilescase {
  const char* smiles;
  int nucleus;
  std::vector<std::pair<int, double>> shifts;
  double tolerance;
};

class ShippedDatabases : public testing::tdrawingtest {
 protected:
  /// Predicts each case with the shipped database of its nucleus; calls
  /// also(drawing) after each prediction. Skips without shipped databases.
  template <typename F>
  void expectcases(const std::vector<tsmilescase>& cases, F also) {
    if (!std::filesystem::exists(shippeddatabasefolder() / "nmr13.pks")) {
      GTEST_SKIP() << "no shipped databases in " << shippeddatabasefolder();
    }
    tsilentmessages silent;
    tsilentprogress steps;
    for (const tsmilescase& each : cases) {
      SCOPED_TRACE(std::string(each.smiles) + " nucleus " +
                   std::to_string(each.nucleus));
      std::unique_ptr<tdrawing> drawing = testing::fromsmiles(each.smiles);
      ASSERT_NE(drawing, nullptr);
      auto db = opendatabase(folder.path(), each.nucleus, silent, steps);
      ASSERT_GT(db->totalcount(), 0);
      expectshifts(predictshifts(*drawing, db), each.shifts, each.tolerance);
      also(*drawing);
    }
  }

  testing::ttemporaryfolder folder;
};

// The shipped databases predict these within twice their cross-validated
// error: 7 ppm for carbon, 0.45 ppm for hydrogen, 3 ppm for fluorine.
TEST_F(ShippedDatabases, PredictTextbookMolecules) {
  expectcases(
      {
          {"CCO", 1, {{0, 1.24}, {1, 3.71}}, 0.45},
          {"CC(=O)C", 1, {{0, 2.17}}, 0.45},
          {"Cc1ccccc1",
           6,
           {{1, 137.9}, {2, 129.1}, {3, 128.3}, {4, 125.4}, {0, 21.5}},
           7.0},
          {"Cc1ccccc1", 1, {{2, 7.17}, {4, 7.15}, {0, 2.35}}, 0.45},
          {"Fc1ccccc1",
           6,
           {{1, 163.0}, {2, 115.5}, {3, 130.1}, {4, 124.2}},
           7.0},
          {"Fc1ccccc1", 9, {{0, -113.1}}, 3.0},
      },
      [](const tdrawing&) {});
}

// Common laboratory compounds, whose shifts the shipped databases hold as
// textbook entries. Values: the solvents from H. E. Gottlieb, V. Kotlyar,
// A. Nudelman, J. Org. Chem. 1997, 62, 7512-7515, Table 2 (13C) and Table 1
// (1H); the rest from the 13C and 1H tables of E. Pretsch, P. Buhlmann,
// M. Badertscher, Structure Determination of Organic Compounds, 4th ed.,
// Springer 2009; all in CDCl3. Atoms are numbered in SMILES order. The two
// N-methyls of DMF share one environment here, so each is 2.6 ppm from
// their mean.
TEST_F(ShippedDatabases, PredictEverydayCompounds) {
  expectcases(
      {
          {"CO", 6, {{0, 50.41}}, 0.5},
          {"CC#N", 6, {{0, 1.89}, {1, 116.43}}, 0.5},
          {"CC(=O)O", 6, {{0, 20.81}, {1, 175.99}}, 0.5},
          {"CCO", 6, {{0, 18.41}, {1, 58.28}}, 0.5},
          {"CC(=O)C", 6, {{0, 30.92}, {1, 207.07}}, 0.5},
          {"CN(C)C=O", 6, {{0, 36.50}, {2, 31.39}, {3, 162.62}}, 3.0},
          {"CCN(CC)CC", 1, {{0, 1.03}, {1, 2.53}}, 0.05},
          // Pretsch: an aldehyde, a ring ketone and the para carbons that the
          // substituent four bonds away decides.
          {"CC=O", 6, {{0, 31.2}, {1, 200.5}}, 0.5},
          {"CC=O", 1, {{1, 9.80}}, 0.05},
          {"O=C1CCCCC1", 6, {{1, 211.9}, {2, 42.0}, {3, 27.1}, {4, 25.1}}, 0.5},
          {"Nc1ccccc1", 6, {{1, 146.4}, {4, 118.5}}, 0.5},
          {"O=[N+]([O-])c1ccccc1", 6, {{3, 148.3}, {6, 134.7}}, 0.5},
          {"O=[N+]([O-])c1ccccc1", 1, {{4, 8.23}}, 0.05},
          // Ring strain: cyclopropane is far upfield of every open chain.
          {"C1CC1", 6, {{0, -2.8}}, 0.5},
          {"C1CC1", 1, {{0, 0.22}}, 0.05},
          {"C1CCC1", 6, {{0, 22.4}}, 0.5},
      },
      [](const tdrawing&) {});
}

// Bromides and iodides: the first group are textbook entries (the iodides'
// carbons far upfield), the others have none and are predicted from their
// chlorine analogues. Values from the 13C and 1H tables of Pretsch,
// Buhlmann and Badertscher (as above), in CDCl3; SMILES atom order.
TEST_F(ShippedDatabases, PredictBromidesAndIodides) {
  expectcases(
      {
          {"CI", 6, {{0, -20.7}}, 0.5},
          {"Ic1ccccc1", 6, {{1, 94.4}, {2, 137.4}}, 0.5},
          {"CC(C)(C)Br", 6, {{0, 36.4}, {1, 62.5}}, 0.5},
          {"CCCCBr", 6, {{0, 13.2}, {1, 21.4}, {2, 34.8}, {3, 33.4}}, 2.5},
          {"CCCCI", 6, {{0, 13.0}, {1, 23.7}, {2, 35.5}, {3, 6.7}}, 2.5},
          {"Cc1ccc(Br)cc1", 6, {{1, 136.7}, {3, 131.2}, {4, 119.1}}, 2.5},
          {"BrCc1ccccc1", 6, {{1, 33.5}, {2, 137.8}}, 2.5},
          {"CCCCBr", 1, {{3, 3.41}}, 0.2},
          {"BrCc1ccccc1", 1, {{1, 4.50}}, 0.2},
      },
      // The chlorine stands in only inside the predictor.
      [](const tdrawing& drawing) {
        for (const tatm* atom : drawing.atoms) {
          EXPECT_NE(atom->element, 17);
        }
      });
}

TEST_F(ShippedDatabases, CarbonDatabasesReadFromFilesUseTheShippedModel) {
  std::filesystem::path file = shippeddatabasefolder() / carbonmodelfilename;
  if (!std::filesystem::exists(file)) {
    GTEST_SKIP() << "no shipped carbon model " << file;
  }
  tcarbonmodel model;
  EXPECT_EQ(readcarbonmodel(file, model), "");
  EXPECT_FALSE(model.empty());
  tsilentmessages silent;
  tsilentprogress steps;
  auto db = std::dynamic_pointer_cast<tpeakdb>(
      opendatabase(folder.path(), 6, silent, steps));
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(db->carbonmodel(), shippedcarbonmodel().get());
  EXPECT_EQ(tpeakdb(6).carbonmodel(), nullptr);
}

// A database the user has is never overwritten; a copy the program
// installed follows the shipped database as it improves until the user
// teaches it, and from then on it is the user's.
TEST_F(ShippedDatabases, InstallingReplacesOnlyUntaughtCopies) {
  const auto shipped = folder.path() / "shipped";
  const auto data = folder.path() / "data";
  std::filesystem::create_directories(shipped);
  std::filesystem::create_directories(data);
  auto write = [](const std::filesystem::path& path,
                  const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(writefileatomically(path, bytes), "");
  };
  auto installed = [&](const char* name) {
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(readwholefile(data / name, bytes, 100), "");
    return bytes;
  };
  const std::vector<std::uint8_t> theirs = {4, 5};
  write(shipped / "nmr13.pks", {1, 2, 3});
  write(shipped / "nmr01.pks", {1, 2, 3});
  write(data / "nmr13.pks", theirs);
  const std::vector<std::string> copied = {"nmr01.pks"};
  EXPECT_EQ(installshippeddatabases(data, shipped), copied);
  EXPECT_EQ(installed("nmr13.pks"), theirs);
  EXPECT_EQ(installed("nmr01.pks"), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(installshippeddatabases(data, shipped).empty());

  write(shipped / "nmr01.pks", {1, 2, 4});
  EXPECT_EQ(installshippeddatabases(data, shipped), copied);
  EXPECT_EQ(installed("nmr01.pks"), (std::vector<std::uint8_t>{1, 2, 4}));

  const std::vector<std::uint8_t> taught = {1, 2, 4, 9};
  write(data / "nmr01.pks", taught);
  write(shipped / "nmr01.pks", {5, 6});
  EXPECT_TRUE(installshippeddatabases(data, shipped).empty());
  EXPECT_EQ(installed("nmr01.pks"), taught);
  EXPECT_EQ(installed("nmr13.pks"), theirs);
}

}  // namespace
}  // namespace molvane

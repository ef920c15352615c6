// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/exchange_files.h"
#include "io/smiles_format.h"
#include "nmr/carbon_model.h"
#include "nmr/database_files.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "support/atomic_file.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace molvane {
namespace {

std::unique_ptr<tdrawing> molecule(const std::string& atoms,
                                   const std::string& bonds, int natoms,
                                   int nbonds) {
  std::string text = "m\n  test\n\n";
  auto pad = [](int value) {
    std::string s = std::to_string(value);
    return std::string(3 - s.size(), ' ') + s;
  };
  text += pad(natoms) + pad(nbonds) + "  0  0  0  0  0  0  0  0999 V2000\n" +
          atoms + bonds + "M  END\n";
  treadresult result = readmdlfile(testing::bytesof(text));
  EXPECT_EQ(result.error, "");
  return std::move(result.drawing);
}

std::string atomline(const char* element, double x, double y) {
  char line[80];
  std::snprintf(line, sizeof line,
                "%10.4f%10.4f%10.4f %-3s 0  0  0  0  0  0  0  0  0  0  0  0\n",
                x, y, 0.0, element);
  return line;
}

std::string bondline(int a, int b, int order) {
  char line[40];
  std::snprintf(line, sizeof line, "%3d%3d%3d  0\n", a, b, order);
  return line;
}

/// Benzene with substituent element on atom 1 (none for "").
std::unique_ptr<tdrawing> benzenewith(const char* substituent) {
  std::string atoms;
  std::string bonds;
  for (int i = 0; i < 6; ++i) {
    atoms += atomline("C", 1.4 * std::cos(i * 1.0471976),
                      1.4 * std::sin(i * 1.0471976));
    bonds += bondline(i + 1, (i + 1) % 6 + 1, i % 2 == 0 ? 2 : 1);
  }
  atoms += atomline(substituent, 2.9, 0.0);
  bonds += bondline(1, 7, 1);
  return molecule(atoms, bonds, 7, 7);
}

// The shipped databases predict these within twice their cross-validated
// error: 7 ppm for carbon, 0.45 ppm for hydrogen, 3 ppm for fluorine.
double tolerance(int nucleus) {
  return nucleus == 6 ? 7.0 : nucleus == 1 ? 0.45 : 3.0;
}

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
  /// also(drawing) after each prediction.
  template <typename F>
  void expectcases(const std::vector<tsmilescase>& cases, F also) {
    tsilentmessages silent;
    tsilentprogress steps;
    for (const tsmilescase& each : cases) {
      SCOPED_TRACE(std::string(each.smiles) + " nucleus " +
                   std::to_string(each.nucleus));
      treadresult read =
          readsmilesfile(testing::bytesof(std::string(each.smiles) + "\n"));
      ASSERT_NE(read.drawing, nullptr) << read.error;
      expectshifts(
          predictshifts(*read.drawing, opendatabase(folder.path(), each.nucleus,
                                                    silent, steps)),
          each.shifts, each.tolerance);
      also(*read.drawing);
    }
  }

  testing::ttemporaryfolder folder;
};

TEST_F(ShippedDatabases, PredictTextbookMolecules) {
  if (!std::filesystem::exists(shippeddatabasefolder() / "nmr13.pks")) {
    GTEST_SKIP() << "no shipped databases in " << shippeddatabasefolder();
  }
  auto ethanol = molecule(
      atomline("C", 0, 0) + atomline("C", 1.3, 0.75) + atomline("O", 2.6, 0),
      bondline(1, 2, 1) + bondline(2, 3, 1), 3, 2);
  auto acetone =
      molecule(atomline("C", 0, 0) + atomline("C", 1.3, 0.75) +
                   atomline("C", 2.6, 0) + atomline("O", 1.3, 2.25),
               bondline(1, 2, 1) + bondline(2, 3, 1) + bondline(2, 4, 2), 4, 3);
  auto toluene = benzenewith("C");
  auto fluorobenzene = benzenewith("F");
  const struct {
    const char* name;
    tdrawing* drawing;
    int nucleus;
    std::vector<std::pair<int, double>> shifts;
  } cases[] = {
      {"ethanol", ethanol.get(), 6, {{0, 18.4}, {1, 58.3}}},
      {"ethanol", ethanol.get(), 1, {{0, 1.24}, {1, 3.71}}},
      {"acetone", acetone.get(), 6, {{0, 30.8}, {1, 206.7}}},
      {"acetone", acetone.get(), 1, {{0, 2.17}}},
      {"toluene",
       toluene.get(),
       6,
       {{0, 137.9}, {1, 129.1}, {2, 128.3}, {3, 125.4}, {6, 21.5}}},
      {"toluene", toluene.get(), 1, {{1, 7.17}, {3, 7.15}, {6, 2.35}}},
      {"fluorobenzene",
       fluorobenzene.get(),
       6,
       {{0, 163.0}, {1, 115.5}, {2, 130.1}, {3, 124.2}}},
      {"fluorobenzene", fluorobenzene.get(), 9, {{6, -113.1}}},
  };
  tsilentmessages silent;
  tsilentprogress steps;
  for (const auto& each : cases) {
    SCOPED_TRACE(std::string(each.name) + " nucleus " +
                 std::to_string(each.nucleus));
    auto db = opendatabase(folder.path(), each.nucleus, silent, steps);
    ASSERT_GT(db->totalcount(), 0);
    expectshifts(predictshifts(*each.drawing, db), each.shifts,
                 tolerance(each.nucleus));
  }
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
  if (!std::filesystem::exists(shippeddatabasefolder() / "nmr13.pks")) {
    GTEST_SKIP() << "no shipped databases in " << shippeddatabasefolder();
  }
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
  if (!std::filesystem::exists(shippeddatabasefolder() / "nmr13.pks")) {
    GTEST_SKIP() << "no shipped databases in " << shippeddatabasefolder();
  }
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

TEST_F(ShippedDatabases, InstallingNeverOverwritesATaughtDatabase) {
  const auto shipped = folder.path() / "shipped";
  const auto data = folder.path() / "data";
  std::filesystem::create_directories(shipped);
  std::filesystem::create_directories(data);
  const std::vector<std::uint8_t> ours = {1, 2, 3};
  const std::vector<std::uint8_t> theirs = {4, 5};
  ASSERT_EQ(writefileatomically(shipped / "nmr13.pks", ours), "");
  ASSERT_EQ(writefileatomically(shipped / "nmr01.pks", ours), "");
  ASSERT_EQ(writefileatomically(data / "nmr13.pks", theirs), "");
  EXPECT_EQ(installshippeddatabases(data, shipped),
            std::vector<std::string>{"nmr01.pks"});
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(readwholefile(data / "nmr13.pks", bytes, 100), "");
  EXPECT_EQ(bytes, theirs);
  ASSERT_EQ(readwholefile(data / "nmr01.pks", bytes, 100), "");
  EXPECT_EQ(bytes, ours);
  EXPECT_TRUE(installshippeddatabases(data, shipped).empty());
}

// A copy the program installed follows the shipped database as it improves
// until the user teaches it; from then on it is the user's.
TEST_F(ShippedDatabases, InstallingReplacesOnlyUntaughtCopies) {
  const auto shipped = folder.path() / "shipped";
  const auto data = folder.path() / "data";
  std::filesystem::create_directories(shipped);
  auto ship = [&](const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(writefileatomically(shipped / "nmr13.pks", bytes), "");
  };
  auto installed = [&] {
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(readwholefile(data / "nmr13.pks", bytes, 100), "");
    return bytes;
  };
  const std::vector<std::string> copied = {"nmr13.pks"};
  ship({1, 2, 3});
  EXPECT_EQ(installshippeddatabases(data, shipped), copied);
  ship({1, 2, 4});
  EXPECT_EQ(installshippeddatabases(data, shipped), copied);
  EXPECT_EQ(installed(), (std::vector<std::uint8_t>{1, 2, 4}));

  const std::vector<std::uint8_t> taught = {1, 2, 4, 9};
  ASSERT_EQ(writefileatomically(data / "nmr13.pks", taught), "");
  ship({5, 6});
  EXPECT_TRUE(installshippeddatabases(data, shipped).empty());
  EXPECT_EQ(installed(), taught);
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/exchange_files.h"
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

class ShippedDatabases : public testing::tdrawingtest {
 protected:
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
    std::vector<tatomshift> shifts = predictshifts(*each.drawing, db);
    for (auto [index, expected] : each.shifts) {
      SCOPED_TRACE(index);
      auto found = std::find_if(
          shifts.begin(), shifts.end(),
          [&](const tatomshift& s) { return s.atomindex == index; });
      ASSERT_NE(found, shifts.end());
      EXPECT_NE(found->level, 0);
      EXPECT_NEAR(found->shift, expected, tolerance(each.nucleus));
    }
  }
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

}  // namespace
}  // namespace molvane

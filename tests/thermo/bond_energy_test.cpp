// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/bond_energy.h"

#include "document/drawing.h"
#include "document/session.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <vector>

namespace molvane {
namespace {

TBondEnergy entry(double key, float energy, float sphere = 1.0F) {
  TBondEnergy e;
  e.key = key;
  e.energy = energy;
  e.spheres[0] = sphere;
  return e;
}

std::vector<float> energies(const tbondenergies& table) {
  std::vector<float> result;
  for (const auto& e : table.entries()) {
    result.push_back(e->energy);
  }
  return result;
}

TEST(BondEnergy, RecordIsFortyLittleEndianBytes) {
  TBondEnergy e = entry(2.0, 1.5F);
  e.spheres[6] = -2.0F;
  const tbondenergyrecord expected = {0x00, 0x00, 0xC0, 0x3F,  // energy 1.5
                                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0x40,                    // key 2.0
                                      0x00, 0x00, 0x80, 0x3F,  // sphere 0: 1.0
                                      0,    0,    0,    0,    0,    0,    0,
                                      0,    0,    0,    0,    0,    0,    0,
                                      0,    0,    0,    0,    0,    0,    0x00,
                                      0x00, 0x00, 0xC0};  // sphere 6: -2.0
  EXPECT_EQ(e.torecord(), expected);
  const TBondEnergy back(expected);
  EXPECT_TRUE(back.isidentical(e));
  EXPECT_EQ(back.energy, 1.5F);
}

TEST(BondEnergy, InsertionKeepsKeysAscendingAndReplacesIdenticalEntries) {
  tbondenergies table;
  table.addenergy(entry(10.0, -1.0F));
  EXPECT_EQ(table.count(), 0) << "a non-positive energy starts no table";
  table.addenergy(entry(10.0, 1.0F));
  table.addenergy(entry(5.0, 2.0F));         // front
  table.addenergy(entry(20.0, 3.0F));        // end
  table.addenergy(entry(10.0, 4.0F, 2.0F));  // equal key: before it
  table.addenergy(entry(15.0, 5.0F));        // between
  EXPECT_EQ(energies(table), (std::vector<float>{2, 4, 1, 5, 3}));
  // The identical entry stands before the last of its key; it is found
  // anyway and only its energy changes (issue 16).
  table.addenergy(entry(10.0, 6.0F, 2.0F));
  table.addenergy(entry(10.0, 7.0F));
  EXPECT_EQ(energies(table), (std::vector<float>{2, 6, 7, 5, 3}));
}

TEST(BondEnergy, KeyCombinesTheEndsAndTheBondOrder) {
  tsessionguard guard;
  tdrawing& drawing = *session().drawing();
  tatm* a = drawing.addatom(std::make_unique<tatm>(6, 0, 0.0, 0.0));
  tatm* b = drawing.addatom(std::make_unique<tatm>(8, 0, 30.0, 0.0));
  tbond* bond =
      drawing.addbond(std::make_unique<tbond>(a, 0, tbondstyle::normal, 2, b));
  for (const int kind : {2, 4}) {
    SCOPED_TRACE(kind);
    bond->setkind(kind);
    const TBondEnergy made(*bond, 83.0F);
    const double k1 = atomenvironment(*a).key();
    const double k2 = atomenvironment(*b).key();
    EXPECT_DOUBLE_EQ(made.key, k1 * k2 / (k1 + k2) + 1000.0 * bond->ffkind());
    EXPECT_EQ(made.energy, 83.0F);
    // Neither end has an atom two bonds away: that sphere is 0.
    EXPECT_EQ(made.spheres[2], 0.0F);
    EXPECT_GT(made.spheres[1], 0.0F);
  }
}

TEST(BondEnergy, FileRoundTripAndRefusals) {
  testing::ttemporaryfolder folder;
  tbondenergies table;
  EXPECT_EQ(table.loadenergies(folder.path() / bondenergyfilename), "");
  EXPECT_EQ(table.count(), 0);
  table.addenergy(entry(1.0, 1.0F));
  table.addenergy(entry(2.0, 2.0F));
  ASSERT_EQ(table.saveenergies(), "");
  tbondenergies again;
  ASSERT_EQ(again.loadenergies(table.filename), "");
  EXPECT_EQ(energies(again), energies(table));

  const auto bad = folder.path() / "bad.dat";
  std::vector<std::uint8_t> bytes = writebondenergies(table);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    std::vector<std::uint8_t> bytes;
    std::string error;
  } cases[] = {
      {{bytes.begin(), bytes.end() - 1},
       "The bond energy file ends inside a record (79 bytes)."},
      {[&] {
         auto copy = bytes;
         const auto record = entry(1.0, nan).torecord();
         std::copy(record.begin(), record.end(), copy.begin() + 40);
         return copy;
       }(),
       "Record 2 of the bond energy file holds a value that is not a number."},
  };
  const std::vector<std::uint8_t> huge(
      (largestbondenergytable + 1) * bondenergyrecordsize, 0);
  EXPECT_EQ(readbondenergies(huge, table),
            "The bond energy file holds more than 100000 records.");
  EXPECT_EQ(table.count(), 2) << "a refused file leaves the table";
  for (const auto& each : cases) {
    std::ofstream(bad, std::ios::binary)
        .write(reinterpret_cast<const char*>(each.bytes.data()),
               static_cast<std::streamsize>(each.bytes.size()));
    tbondenergies refused;
    EXPECT_EQ(refused.loadenergies(bad), each.error);
    EXPECT_EQ(refused.count(), 0);
    // Nothing may overwrite the refused file.
    EXPECT_EQ(refused.saveenergies(), "The bond energy table has no file.");
  }
}

}  // namespace
}  // namespace molvane

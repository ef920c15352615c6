// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/nmr_shifts.h"

#include "nmr/peak_database.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

class NmrShifts : public testing::tdrawingtest {
 protected:
  /// A fresh database file of nucleus in the test's folder.
  std::shared_ptr<tpeakdb> database(int nucleus) {
    path_ = (folder_.path() / "nmr.pks").string();
    return std::make_shared<tpeakdb>(path_, nucleus);
  }

  /// Propane: its two end carbons are equivalent.
  std::vector<tatm*> propane() {
    tatm* a = atom(6, 100, 100);
    tatm* b = atom(6, 126, 115);
    tatm* c = atom(6, 152, 100);
    bond(a, b);
    bond(b, c);
    return {a, b, c};
  }

  std::uintmax_t filesize() const { return std::filesystem::file_size(path_); }

  testing::ttemporaryfolder folder_;
  std::string path_;
};

TEST_F(NmrShifts, TeachingKeepsTheShiftAndCancelTakesBackOnlyWhatFollowedOk) {
  recordmessages();
  propane();
  tnmrshifts shifts(database(6));
  shifts.build(drawing());
  ASSERT_EQ(shifts.rows().size(), 3u);
  EXPECT_EQ(filesize(), 88u);

  // 12.1 and 12.3 are averaged by the window; the core stores 12.2.
  ASSERT_TRUE(shifts.addshift(0, 12.2));
  EXPECT_EQ(shifts.entrycount(), 1);
  EXPECT_DOUBLE_EQ(shifts.rows()[0].shift.value_or(0.0), 12.2);
  EXPECT_EQ(shifts.rows()[0].level, 7);
  // The equivalent end carbon takes the same shift.
  EXPECT_DOUBLE_EQ(shifts.rows()[2].shift.value_or(0.0), 12.2);
  EXPECT_EQ(shifts.predictrow(0), 7);
  shifts.accept();
  EXPECT_EQ(filesize(), 88u + 32u);

  // After OK: one shift replaced, one entry new; Cancel restores the first
  // and removes the second, and writes nothing.
  ASSERT_TRUE(shifts.addshift(0, 15.0));
  ASSERT_TRUE(shifts.addshift(1, 16.3));
  EXPECT_EQ(shifts.entrycount(), 2);
  shifts.cancel();
  EXPECT_EQ(shifts.entrycount(), 1);
  EXPECT_DOUBLE_EQ(shifts.rows()[0].shift.value_or(0.0), 12.2);
  EXPECT_NE(shifts.rows()[1].level, 7);
  EXPECT_EQ(filesize(), 88u + 32u);
}

TEST_F(NmrShifts, RefusesRowsAndShiftsItCannotStore) {
  propane();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct trow {
    int nucleus;
    int row;
    double shift;
  };
  // Protons are stored to 0.01 ppm in 16 bits, other nuclei to 0.1 ppm.
  const std::vector<trow> table{{6, -1, 20.0}, {6, 3, 20.0},   {6, 0, 3276.8},
                                {6, 0, nan},   {6, 0, -999.0}, {1, 0, 120.0},
                                {1, 0, -100.0}};
  for (const trow& row : table) {
    SCOPED_TRACE(std::to_string(row.nucleus) + " row " +
                 std::to_string(row.row) + " " + std::to_string(row.shift));
    tnmrshifts shifts(database(row.nucleus));
    shifts.build(drawing());
    EXPECT_FALSE(shifts.addshift(row.row, row.shift));
    EXPECT_EQ(shifts.entrycount(), 0);
    EXPECT_EQ(shifts.additioncount(), 0);
  }
  tnmrshifts unbuilt(database(6));
  EXPECT_FALSE(unbuilt.addshift(0, 20.0));
  EXPECT_EQ(unbuilt.predictrow(0), 0);

  // A list of a drawing that Undo or New replaced names no atoms.
  tnmrshifts lapsed(database(6));
  lapsed.build(drawing());
  session().newdrawing();
  EXPECT_FALSE(lapsed.built());
  EXPECT_TRUE(lapsed.rows().empty());
  EXPECT_FALSE(lapsed.addshift(0, 20.0));
  lapsed.deleteall();
}

TEST_F(NmrShifts, LabelsTheDrawingAndDeletesOneEntryOrAllOfIt) {
  propane();
  tnmrshifts shifts(database(6));
  shifts.build(drawing());
  ASSERT_TRUE(shifts.addshift(0, 15.0));
  ASSERT_TRUE(shifts.addshift(1, 16.3));
  // The second end carbon is a symmetry duplicate of the first.
  EXPECT_EQ(shifts.shiftlabels(tshiftfilter::all).size(), 3u);
  const std::vector<tatomnote> filtered =
      shifts.shiftlabels(tshiftfilter::filtered);
  ASSERT_EQ(filtered.size(), 2u);
  EXPECT_EQ(filtered[0].text, "15.0");
  EXPECT_EQ(shifts.spectrum().lines.size(), 2u);

  shifts.deleterow(1);
  EXPECT_EQ(shifts.entrycount(), 1);
  EXPECT_EQ(shifts.additioncount(), 1);
  EXPECT_NE(shifts.rows()[1].level, 7);
  // Cancel no longer knows the deleted entry and leaves the list alone.
  ASSERT_TRUE(shifts.addshift(1, 16.3));
  shifts.deleteall();
  EXPECT_EQ(shifts.entrycount(), 0);
  EXPECT_EQ(shifts.additioncount(), 0);

  // Save DB writes even an unchanged database.
  shifts.savedatabase();
  EXPECT_EQ(filesize(), 88u);
}

TEST_F(NmrShifts, SaysWhyTheToolCannotOpen) {
  struct trow {
    const char* name;
    int nucleus;
    std::vector<int> elements;
    std::string problem;
  };
  const std::string e2 = "E2 -- No Nucleus Selected";
  const std::string e3 = "E3-- Drawing contains no NMR nuclei";
  const std::string e4 = "E4 -- Drawing contains pseudoatoms";
  const std::vector<trow> table{
      {"no nucleus", 0, {6}, e2},
      {"an empty drawing", 6, {}, e3},
      {"no atom of the nucleus", 9, {6, 8}, e3},
      {"pseudoatoms alone", 6, {-1}, e3},
      {"a pseudoatom among carbons", 6, {6, -1}, e4},
      {"carbons", 6, {6, 8}, ""},
      {"hydrogens on carbon", 1, {6}, ""},
      {"no hydrogens anywhere", 1, {9, 9}, e3},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.name);
    tdrawing drawing;
    tatm* previous = nullptr;
    for (int element : row.elements) {
      tatm* atom = drawing.addatom(std::make_unique<tatm>(element, 0, 0, 0));
      if (previous != nullptr && element > 0 && previous->element > 0) {
        drawing.addbond(
            std::make_unique<tbond>(previous, 0, tbondstyle::normal, 2, atom));
      }
      previous = atom;
    }
    EXPECT_EQ(nmropenproblem(drawing, row.nucleus), row.problem);
  }
}

TEST_F(NmrShifts, DiscoRunsCyclesAndLeavesTheDrawingAlone) {
  std::vector<tatm*> carbons = propane();
  tnmrshifts shifts(database(6));
  shifts.build(drawing());
  ASSERT_TRUE(shifts.addshift(1, 16.3));
  const double x = carbons[1]->x;
  std::vector<std::string> status;
  const int cycles = shifts.disco(
      1, [&status](const std::string& text) { status.push_back(text); });
  EXPECT_TRUE(cycles >= 1 && cycles <= 11) << cycles;
  ASSERT_EQ(status.size(), static_cast<std::size_t>(cycles));
  EXPECT_EQ(status[0].rfind("Cycle=1 Var=", 0), 0u) << status[0];
  EXPECT_EQ(drawing().bonds.count(), 2);
  EXPECT_EQ(carbons[1]->x, x);
  EXPECT_EQ(shifts.disco(7, {}), 0);
}

}  // namespace
}  // namespace molvane

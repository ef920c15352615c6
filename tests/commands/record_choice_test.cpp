// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/record_choice.h"

#include "commands/file_commands.h"
#include "commands/import_document.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/formula.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace molvane {
namespace {

/// A molfile of a chain of count atoms of element symbol, 1.5 Å apart.
std::string chain(const std::string& title, const std::string& symbol,
                  int count) {
  char counts[64];
  std::snprintf(counts, sizeof counts,
                "%3d%3d  0  0  0  0  0  0  0  0999 V2000\n", count, count - 1);
  std::string text = title + "\n\n\n" + counts;
  for (int i = 0; i < count; ++i) {
    char line[80];
    std::snprintf(line, sizeof line, "%10.4f%10.4f%10.4f %-3s 0  0\n", 1.5 * i,
                  0.0, 0.0, symbol.c_str());
    text += line;
  }
  for (int i = 1; i < count; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "%3d%3d  1  0\n", i, i + 1);
    text += line;
  }
  return text + "M  END\n$$$$\n";
}

class RecordChoice : public testing::tdrawingtest {
 protected:
  void SetUp() override {
    recordmessages();
    path_ = folder_.path() / "three.sdf";
    std::ofstream(path_) << chain("ethane", "C", 2) << chain("propane", "C", 3)
                         << "broken\n\n\n  9  9\nM  END\n$$$$\n"
                         << chain("peroxide", "O", 2);
  }

  testing::ttemporaryfolder folder_;
  std::filesystem::path path_;
};

TEST_F(RecordChoice, ReadsTheChosenRecordOrAllSideBySide) {
  EXPECT_EQ(hillformula(*loadrecords(path_, {}).drawing), "C2H6");
  treadresult second = loadrecords(path_, {1, false});
  ASSERT_NE(second.drawing, nullptr) << second.error;
  EXPECT_EQ(hillformula(*second.drawing), "C3H8");
  EXPECT_EQ(second.drawing->title(), "propane");

  EXPECT_EQ(loadrecords(path_, {2, false}).error,
            "\"" + path_.string() +
                "\": record 3, line 24: 9 atoms and 9 bonds announced, but "
                "only 1 lines follow");
  EXPECT_EQ(loadrecords(path_, {7, false}).error,
            "\"" + path_.string() + "\": the file holds no record 8");

  treadresult all = loadrecords(path_, {0, true});
  ASSERT_NE(all.drawing, nullptr) << all.error;
  EXPECT_EQ(hillformula(*all.drawing), "C5H16O2");
  EXPECT_EQ(all.drawing->structures.count(), 3);
  ASSERT_EQ(all.notices.size(), 1U);
  EXPECT_NE(all.notices[0].find("record 3, line 24"), std::string::npos);
  // Left to right in file order, apart from one another.
  double right = -1e9;
  for (const tStructure* part : all.drawing->structures) {
    double left = 1e9;
    double end = -1e9;
    for (const tatm* atom : part->atoms) {
      left = std::min(left, atom->x);
      end = std::max(end, atom->x);
    }
    EXPECT_GT(left, right + session().settings.bondlength);
    right = end;
  }
}

TEST_F(RecordChoice, OpenAndImportTakeTheChosenRecord) {
  ASSERT_EQ(opendocument(path_, {3, false}), treadextent::whole);
  EXPECT_EQ(hillformula(drawing()), "H2O2");
  EXPECT_EQ(drawing().filename, path_.string());
  ASSERT_TRUE(importdocument(path_, {1, false}));
  EXPECT_EQ(hillformula(drawing()), "C3H10O2");
  EXPECT_FALSE(importdocument(path_, {2, false}));
  EXPECT_EQ(hillformula(drawing()), "C3H10O2");
}

}  // namespace
}  // namespace molvane

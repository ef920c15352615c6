// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/record_choice.h"

#include "commands/file_commands.h"
#include "commands/import_document.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/mdl_format.h"
#include "model/formula.h"
#include "testing/smiles_drawing.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace molvane {
namespace {

/// The SD record of a SMILES molecule under title.
std::string record(const std::string& title, const std::string& smiles) {
  std::unique_ptr<tdrawing> molecule = testing::fromsmiles(smiles);
  molecule->settitle(title);
  return testing::textof(writesdfile(*molecule));
}

class RecordChoice : public testing::tdrawingtest {
 protected:
  void SetUp() override {
    recordmessages();
    path_ = folder_.path() / "three.sdf";
    std::ofstream(path_) << record("ethane", "CC") << record("propane", "CCC")
                         << "broken\n\n\n  9  9\nM  END\n$$$$\n"
                         << record("peroxide", "OO");
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

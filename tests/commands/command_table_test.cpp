// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/command_table.h"

#include "commands/command_codes.h"
#include "commands/group_commands.h"
#include "commands/link_atoms.h"
#include "commands/molecule_commands.h"
#include "document/drawing.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <map>

namespace molvane {
namespace {

TEST(CommandTable, FamiliesStandInOneRunEachInMenuOrder) {
  int previous = -1;
  std::map<int, int> rowsofcode;
  for (const tcommandrow& row : commandrows()) {
    const int family = static_cast<int>(row.family);
    EXPECT_GE(family, previous) << row.code;
    previous = family;
    ++rowsofcode[row.code];
    EXPECT_EQ(row.handler == nullptr, row.family == tcommandfamily::elements)
        << row.code;
    EXPECT_FALSE(row.caption.empty()) << row.code;
  }
  for (const auto& [code, rows] : rowsofcode) {
    EXPECT_EQ(rows, code == 511 ? 2 : 1) << code;
    EXPECT_GT(code, 0);
    EXPECT_LE(code, 65535);
  }
  EXPECT_EQ(commandrows(tcommandfamily::elements).size(), 103u);
  EXPECT_EQ(commandrows(tcommandfamily::addring).size(), 10u);
  EXPECT_EQ(commandrows(tcommandfamily::hydrides).size(), 30u);
}

// Documents, scripts and the command line store these numbers.
TEST(CommandTable, CodesKeepTheirNumbersAndParameters) {
  struct tcase {
    tcommandfamily family;
    int parameter;
    int code;
  };
  // Rows of each family and the codes on either side of a gap in the numbers.
  const tcase cases[] = {
      {tcommandfamily::addring, 3, 151},
      {tcommandfamily::addring, 10, 158},
      {tcommandfamily::fusering, 6, 204},
      {tcommandfamily::joinring, 10, 408},
      {tcommandfamily::addchain, 10, 509},
      {tcommandfamily::branchchain, 9, 519},
      {tcommandfamily::branchchain, 10, 531},
      {tcommandfamily::hydrides, 19, 639},
      {tcommandfamily::hydrides, 20, 646},
      {tcommandfamily::elements, 103, 903},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(familycode(c.family, c.parameter), c.code);
    const tcommandrow* row = findcommand(c.code);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->family, c.family);
    EXPECT_EQ(row->parameter, c.parameter);
  }
  EXPECT_EQ(familycode(tcommandfamily::addring, 11), 0);
  EXPECT_EQ(elementcommand(0), 0);
  EXPECT_EQ(elementcommand(104), 0);
  EXPECT_EQ(elementofcommand(817), 17);
  EXPECT_EQ(elementofcommand(800), 0);
  EXPECT_EQ(elementofcommand(904), 0);  // deuterium is a Branch command
  for (int code : {0, 160, 209, 800, 905}) {
    EXPECT_EQ(findcommand(code), nullptr) << code;
  }
  // The first row of the shared code is the Branch menu's.
  EXPECT_EQ(findcommand(511)->caption, "Bond");
}

class CommandContextTest : public testing::tdrawingtest {};

TEST_F(CommandContextTest, HandlersBuildInTheDrawingTheyAreGiven) {
  tdrawing other;
  tlinkpicks picks;
  tcommandcontext context{other, session().settings, session().messages(),
                          picks};
  const tcommandrow& arrow = *findcommand(720);
  arrow.handler(context, arrow, {50, 50});
  EXPECT_EQ(other.symbols.count(), 1);
  EXPECT_EQ(drawing().symbols.count(), 0);
}

// Every building family takes its drawing and messages from the context,
// never from the session's current drawing.
TEST_F(CommandContextTest, BuildingRowsActOnlyOnTheContext) {
  testing::trecordingmessages told;
  tdrawing other;
  tlinkpicks picks;
  tcommandcontext context{other, session().settings, told, picks};
  auto run = [&](int code, double x, double y) {
    const tcommandrow* row = findcommand(code);
    ASSERT_NE(row, nullptr) << code;
    row->handler(context, *row, {x, y});
  };

  run(511, 0, 0);  // Branch/"Bond" on an empty drawing
  EXPECT_EQ(told.informs.size(), 1u);
  run(familycode(tcommandfamily::addring, 6), 100, 100);
  run(familycode(tcommandfamily::addchain, 4), 300, 100);
  run(familycode(tcommandfamily::fusering, 5), 130, 100);
  run(familycode(tcommandfamily::branchring, 6), 100, 20);
  run(familycode(tcommandfamily::joinring, 5), 340, 60);
  run(511, 300, 140);
  run(grouprows().front().code, 200, 200);
  run(moleculerows().front().code, 500, 500);
  run(hydriderows().front().code, 600, 500);
  const int atoms = other.atoms.count();
  const int bonds = other.bonds.count();
  run(linkatomscommand, 500, 500);
  run(linkatomscommand, 600, 500);
  EXPECT_EQ(other.bonds.count(), bonds + 1);
  run(textlabelcommand, 50, 400);
  EXPECT_EQ(other.atoms.count(), atoms + 1);

  EXPECT_GT(atoms, 30);
  EXPECT_EQ(told.informs.size(), 1u);
  EXPECT_EQ(drawing().atoms.count(), 0);
  EXPECT_EQ(drawing().bonds.count(), 0);
  EXPECT_EQ(drawing().structures.count(), 0);
}

}  // namespace
}  // namespace molvane

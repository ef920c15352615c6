// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/command_names.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace molvane {
namespace {

// The status bar said "Command: 6" for Ring/Add/"&6".
TEST(CommandNames, NameCommandsAsTheUserKnowsThem) {
  const std::pair<int, const char*> names[] = {
      {154, "Ring 6"},         {159, "Ring 6 Boat"}, {204, "Fuse Ring 6"},
      {308, "Branch Ring 10"}, {401, "Join Ring 3"}, {701, "Benzene"},
      {704, "Phenyl"},         {585, "Add NO2"},     {525, "NO2"},
      {620, "AHn CH4"},        {571, "Add CH4"},     {511, "Bond"},
      {509, "10-Decane"},      {524, "Link Atoms"},  {817, "Cl"},
      {720, "Arrow"}};
  for (const auto& [code, name] : names) {
    SCOPED_TRACE(code);
    EXPECT_EQ(commandname(code), name);
  }
  // No command, a hidden code and one past the tables.
  for (int code : {0, 499, 1000}) {
    EXPECT_EQ(commandname(code), "");
  }
}

TEST(CommandNames, EveryItemHasANameOfItsOwn) {
  std::map<std::string, int> seen;
  for (int list = 0; list <= static_cast<int>(tcommandmenu::symbols); ++list) {
    for (const tcommanditem& item :
         commanditems(static_cast<tcommandmenu>(list))) {
      SCOPED_TRACE(item.caption);
      const std::string name = commandname(item.code);
      EXPECT_FALSE(name.empty());
      EXPECT_EQ(name.find('&'), std::string::npos);
      // Branch/"Bond" and Chain/Branch/"&1-Methyl" share one code.
      const auto [found, added] = seen.emplace(name, item.code);
      EXPECT_EQ(found->second, item.code) << name;
    }
  }
  // The Add AHn items carry their Tags in their codes.
  const auto hydrides = commanditems(tcommandmenu::hydrides);
  ASSERT_EQ(hydrides.size(), 30U);
  for (int tag = 0; tag < 30; ++tag) {
    EXPECT_EQ(hydrides[static_cast<std::size_t>(tag)].code,
              tag < 20 ? 620 + tag : 646 + tag - 20);
  }
}

}  // namespace
}  // namespace molvane

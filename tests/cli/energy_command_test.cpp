// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"
#include "cli_files.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace molvane {
namespace {

using EnergyCommand = tclifiles;

constexpr const char* ethane = R"(ethane
  test

  8  7  0  0  0  0  0  0  0  0999 V2000
   -0.7650    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
    0.7650    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
   -1.1650    1.0300    0.0000 H   0  0  0  0  0  0  0  0  0  0  0  0
   -1.1650   -0.5150    0.8920 H   0  0  0  0  0  0  0  0  0  0  0  0
   -1.1650   -0.5150   -0.8920 H   0  0  0  0  0  0  0  0  0  0  0  0
    1.1650   -1.0300    0.0000 H   0  0  0  0  0  0  0  0  0  0  0  0
    1.1650    0.5150    0.8920 H   0  0  0  0  0  0  0  0  0  0  0  0
    1.1650    0.5150   -0.8920 H   0  0  0  0  0  0  0  0  0  0  0  0
  1  2  1  0
  1  3  1  0
  1  4  1  0
  1  5  1  0
  2  6  1  0
  2  7  1  0
  2  8  1  0
M  END
$$$$
)";

TEST_F(EnergyCommand, ReportsTheTotalAndTheTermCounts) {
  const std::string path = write("ethane.sdf", ethane);
  const tclioutcome outcome = runclicommand({{}, true}, {"energy", path});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  for (const char* part :
       {"\"stretches\": 7", "\"bends\": 12", "\"torsions\": 9",
        "\"planarity\": 0", "\"nonbonded\": 0", "\"energykcal\": "}) {
    EXPECT_NE(outcome.output.find(part), std::string::npos)
        << part << " in " << outcome.output;
  }
}

TEST_F(EnergyCommand, RefusesWhatItCannotModel) {
  EXPECT_EQ(runclicommand({}, {"energy"}).error, "usage: energy IN");
  const std::string empty =
      write("empty.sdf",
            "empty\n  test\n\n  0  0  0  0  0  0  0  0  0  "
            "0999 V2000\nM  END\n$$$$\n");
  const tclioutcome outcome = runclicommand({}, {"energy", empty});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_FALSE(outcome.error.empty());
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"
#include "cli_files.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace molvane {
namespace {

constexpr const char* acetone = R"(acetone
  test

  4  3  0  0  0  0  0  0  0  0999 V2000
    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
    1.2990    0.7500    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
    2.5981    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
    1.2990    2.2500    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0
  1  2  1  0
  2  3  1  0
  2  4  2  0
M  END
> <Spectrum 13C 0>
30.8;0.0Q;0|206.7;0.0S;1|30.8;0.0Q;2|

> <Spectrum 13C 1>
31.0;0.0Q;0|

> <Program>
1:Spartan

> <Spectrum 1H 2>
2.17;0.0;0|2.17;0.0;2|

$$$$
)";

using NmrCommands = tclifiles;

TEST_F(NmrCommands, BuildThenPredictEveryRecord) {
  const std::string sd = write("two.sdf", std::string(acetone) + acetone);
  const std::string db = (folder.path() / "nmr13.pks").string();
  tclioutcome built =
      runclicommand({{}, true}, {"nmrdb", "build", "--nucleus", "13C", sd, db});
  ASSERT_EQ(built.error, "");
  EXPECT_NE(built.output.find("\"molecules\": 2"), std::string::npos);

  tclioutcome predicted =
      runclicommand({{}, true}, {"nmr", sd, "--nucleus", "13C", "--db", db});
  ASSERT_EQ(predicted.error, "");
  // The calculated spectrum (key 1) is left out: the methyls stay at 30.8.
  const std::string record = R"({"atoms":[{"index":0,"shift":30.8,"level":7},)"
                             R"({"index":1,"shift":206.7,"level":7},)"
                             R"({"index":2,"shift":30.8,"level":7}]})";
  EXPECT_EQ(predicted.output, "[" + record + "," + record + "]\n");

  const std::string one = write("acetone.mol", acetone);
  tclioutcome hydrogen =
      runclicommand({}, {"nmr", one, "--nucleus", "19F", "--db", db});
  EXPECT_EQ(hydrogen.error, "");
  EXPECT_EQ(hydrogen.output, "");
}

TEST_F(NmrCommands, BadArgumentsAreUserErrors) {
  const std::string one = write("acetone.mol", acetone);
  const std::string damaged = write("damaged.pks", "19");
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{"nmr", one}, "usage: nmr FILE"},
      {{"nmr", one, "--nucleus", "2H"}, "unknown nucleus \"2H\""},
      {{"nmr", one, "--nucleus", "13C", "--db", "missing.pks"},
       "no database file missing.pks"},
      {{"nmr", one, "--nucleus", "13C", "--db", damaged}, "File Read Error: "},
      {{"nmrdb", "build", "--nucleus", "15N", one, "out.pks"},
       "builds 1H, 13C and 19F"},
      {{"nmrdb", "build", "--nucleus", "1H", one, "out.pks", "--entries",
        "4800"},
       "at most 4799 entries"},
      {{"nmrdb", "build", "--nucleus", "19F", one, "out.pks"},
       "no measured F-19 shifts"},
      {{"nmrdb", "model", "out.fit"}, "usage: nmrdb model"},
      {{"nmrdb", "model", one, "out.fit"}, "too few measured C-13 shifts"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.message);
    tclioutcome outcome = runclicommand({}, each.arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.error.find(each.message), std::string::npos)
        << outcome.error;
  }
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace molvane {
namespace {

/// Ethane with its C-C bond pulled to 2 Å and one hydrogen eclipsed.
constexpr const char* stretched = R"(ethane
  test

  8  7  0  0  0  0  0  0  0  0999 V2000
   -1.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
    1.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
   -1.4000    1.0300    0.0000 H   0  0  0  0  0  0  0  0  0  0  0  0
   -1.4000   -0.5150    0.8920 H   0  0  0  0  0  0  0  0  0  0  0  0
   -1.4000   -0.5150   -0.8920 H   0  0  0  0  0  0  0  0  0  0  0  0
    1.4000    1.0300    0.0000 H   0  0  0  0  0  0  0  0  0  0  0  0
    1.4000    0.5150    0.8920 H   0  0  0  0  0  0  0  0  0  0  0  0
    1.4000    0.5150   -0.8920 H   0  0  0  0  0  0  0  0  0  0  0  0
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

TEST(OptimizeCommand, RelaxesWritesAndRefusesBadOptions) {
  tsessionguard guard;
  testing::ttemporaryfolder folder;
  const std::string in = (folder.path() / "in.sdf").string();
  const std::string out = (folder.path() / "out.sdf").string();
  std::ofstream(in) << stretched;

  tclioutcome outcome = runclicommand(
      {{}, true}, {"optimize", in, out, "--seed", "4", "--tolerance", "3"});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  for (const char* key : {"\"startkcal\": ", "\"finalkcal\": ", "\"sweeps\": ",
                          "\"seconds\": ", "\"converged\": true"}) {
    EXPECT_NE(outcome.output.find(key), std::string::npos) << key;
  }
  std::stringstream written;
  written << std::ifstream(out).rdbuf();
  EXPECT_EQ(written.str().find("nan"), std::string::npos);
  // The energy of what was written is the final energy reported.
  const tclioutcome energy = runclicommand({{}, true}, {"energy", out});
  const auto final = outcome.output.substr(outcome.output.find("finalkcal"));
  const auto kcal = energy.output.substr(energy.output.find("energykcal") + 13);
  EXPECT_NEAR(std::stod(final.substr(12)), std::stod(kcal), 0.01);
  EXPECT_LT(std::stod(final.substr(12)), 1.0);

  outcome = runclicommand(
      {}, {"optimize", in, out, "--method", "random", "--max-seconds", "0.05"});
  EXPECT_EQ(outcome.status, 0) << outcome.error;

  for (const auto& bad :
       {std::vector<std::string>{"optimize", in},
        std::vector<std::string>{"optimize", in, out, "--method", "fast"},
        std::vector<std::string>{"optimize", in, out, "--jump", "0"},
        std::vector<std::string>{"optimize", in, out, "--temp", "nan"},
        std::vector<std::string>{"optimize", in, out, "--seed"}}) {
    outcome = runclicommand({}, bad);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_FALSE(outcome.error.empty());
  }
}

}  // namespace
}  // namespace molvane

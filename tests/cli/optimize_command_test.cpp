// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

namespace molvane {
namespace {

/// Water with both bonds pulled to 1.3 Å.
constexpr const char* stretched = R"(water
  test

  3  2  0  0  0  0  0  0  0  0999 V2000
    0.0000    0.0000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0
    1.3000    0.0000    0.0000 H   0  0  0  0  0  0  0  0  0  0  0  0
   -0.4000    1.2000    0.1000 H   0  0  0  0  0  0  0  0  0  0  0  0
  1  2  1  0
  1  3  1  0
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

  for (const auto& [option, value] : {std::pair{"--method", "fast"},
                                      {"--jump", "0"},
                                      {"--temp", "nan"},
                                      {"--seed", "-1"},
                                      {"--max-seconds", "x"}}) {
    outcome = runclicommand({}, {"optimize", in, out, option, value});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_FALSE(outcome.error.empty());
  }
}

}  // namespace
}  // namespace molvane

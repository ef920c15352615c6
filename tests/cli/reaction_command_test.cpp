// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "support/atomic_file.h"
#include "testing/test_session.h"
#include "testing/thermo_species.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace molvane {
namespace {

class ReactionCommand : public ::testing::Test {
 protected:
  /// H2 + C2H4 -> C2H6, with or without the arrow, saved as a document.
  std::string hydrogenation(bool witharrow) {
    testing::addspecies("H2", 0.0);
    testing::addspecies("C2H4", 6.0);
    if (witharrow) {
      testing::addarrow(12.0);
    }
    testing::addspecies("C2H6", 18.0);
    const auto path = folder.path() / "hydrogenation.mlv";
    EXPECT_EQ(exportdocument(*session().drawing(), path), "");
    return path.string();
  }

  tsessionguard guard;
  testing::ttemporaryfolder folder;
};

TEST_F(ReactionCommand, BalancesAndAnalysesADrawnReaction) {
  const std::string path = hydrogenation(true);
  tclioutcome outcome =
      runclicommand({}, {"reaction", path, "--T", "298", "--optimize"});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  for (const char* line :
       {"reactant H2 1.0000\n", "reactant C2H4 1.0000\n",
        "product C2H6 1.0000\n", "Balanced Exothermic, Spontaneous\n", "dH -",
        "dS -", "logK "}) {
    EXPECT_NE(outcome.output.find(line), std::string::npos)
        << line << " in " << outcome.output;
  }
  outcome = runclicommand({{}, true}, {"reaction", path, "--reference", "2"});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  for (const char* part :
       {"\"roles\": [\"reactant\", \"reactant\", \"product\"]",
        "\"amounts\": [1.0000, 1.0000, 1.0000]", "\"balanced\": true",
        "\"deltaHkcal\": -"}) {
    EXPECT_NE(outcome.output.find(part), std::string::npos)
        << part << " in " << outcome.output;
  }
}

// Issue 16: molecules read without hydrogen atoms counted only their drawn
// atoms, and the hydrogenation came out at +160 kcal/mol.
TEST_F(ReactionCommand, ReactionFileWithoutHydrogenAtoms) {
  const std::string counts = "  2  1  0  0  0  0  0  0  0  0999 V2000\n";
  const auto molecule = [&](const char* name, const char* element,
                            const char* x, const char* kind) {
    return "$MOL\n" + std::string(name) + "\n\n\n" + counts + "    0.0000" +
           "    0.0000    0.0000 " + element + "   0  0\n" + x +
           "    0.0000    0.0000 " + element + "   0  0\n" + "  1  2" + kind +
           "  0  0  0  0\nM  END\n";
  };
  const std::string rxn = "$RXN\nhydrogenation\n\n\n  2  1\n" +
                          molecule("hydrogen", "H", "    0.7400", "  1") +
                          molecule("ethene", "C", "    1.3400", "  2") +
                          molecule("ethane", "C", "    1.5400", "  1");
  const auto path = folder.path() / "hydrogenation.rxn";
  ASSERT_EQ(writefileatomically(path, testing::bytesof(rxn)), "");
  const tclioutcome outcome = runclicommand(
      {{}, true}, {"reaction", path.string(), "--T", "298.15", "--optimize"});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  EXPECT_NE(outcome.output.find("\"balanced\": true"), std::string::npos)
      << outcome.output;
  const std::string key = "\"deltaHkcal\": ";
  const std::size_t at = outcome.output.find(key);
  ASSERT_NE(at, std::string::npos) << outcome.output;
  // -136 kJ/mol (NIST Chemistry WebBook, 298.15 K) is -32.6 kcal/mol.
  const double enthalpy =
      std::strtod(outcome.output.c_str() + at + key.size(), nullptr);
  EXPECT_NEAR(enthalpy, -32.6, 0.25 * 32.6) << outcome.output;
}

TEST_F(ReactionCommand, RefusesBadInputWithOneLine) {
  const std::string path = hydrogenation(true);
  const struct {
    std::vector<std::string> arguments;
    std::string error;
  } cases[] = {
      {{"reaction"},
       "usage: reaction IN [--T K] [--P ATM] [--optimize] [--reference N]"},
      {{"reaction", path, "--T", "-1"},
       "--T needs a temperature from 0 to 1000000 K, not \"-1\""},
      {{"reaction", path, "--P", "0"},
       "--P needs a pressure from 0.01 to 1000000 atm, not \"0\""},
      {{"reaction", path, "--reference", "x"},
       "--reference needs a structure number of 1 or more, not \"x\""},
      {{"reaction", path, "--reference", "4"},
       "--reference 4: the drawing has 3 structures"},
      {{"reaction", path, "--T"}, "--T needs a value"},
  };
  for (const auto& each : cases) {
    const tclioutcome outcome = runclicommand({}, each.arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.error, each.error);
  }
  session().newdrawing();
  const std::string noarrow = hydrogenation(false);
  EXPECT_EQ(runclicommand({}, {"reaction", noarrow}).error,
            "Please add an arrow ");
}

}  // namespace
}  // namespace molvane

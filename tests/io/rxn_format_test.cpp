// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/rxn_format.h"

#include "document/symbol.h"
#include "io/document_files.h"
#include "model/formula.h"
#include "support/atomic_file.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace molvane {
namespace {

using RxnFormatTest = testing::tdrawingtest;
using testing::bytesof;

/// The Hill formulas of the structures left of the arrow's tail and right
/// of its tip; every structure must be on one side, on the arrow's line.
struct tsides {
  std::vector<std::string> left;
  std::vector<std::string> right;
};

tsides sidesof(tdrawing& drawing) {
  tsides sides;
  EXPECT_EQ(drawing.symbols.count(), 1);
  tSymbol* arrow = drawing.symbols.first();
  EXPECT_EQ(arrow->fragtype, arrowtype);
  const double tip = arrow->atoms.items(0)->x;
  const double tail = arrow->atoms.items(1)->x;
  const double line = arrow->atoms.items(0)->y;
  for (tStructure* structure : drawing.structures) {
    if (structure->fragtype != fragmenttype) {
      continue;
    }
    double left = 1e300, right = -1e300, top = 1e300, bottom = -1e300;
    for (const tatm* atom : structure->atoms) {
      left = std::min(left, atom->x);
      right = std::max(right, atom->x);
      top = std::min(top, atom->y);
      bottom = std::max(bottom, atom->y);
    }
    EXPECT_NEAR((top + bottom) / 2, line, 1e-9);
    std::string formula = hillformula(*structure);
    if (right < tail) {
      sides.left.push_back(formula);
    } else {
      EXPECT_GT(left, tip) << formula << " overlaps the arrow";
      sides.right.push_back(formula);
    }
  }
  return sides;
}

using tformulas = std::vector<std::string>;

/// Longest over shortest chemical bond: one scale serves every molecule.
double bondratio(const tdrawing& drawing) {
  double longest = 0.0, shortest = 1e300;
  for (const tbond* bond : drawing.bonds) {
    if (bond->chemical != 0) {
      const double length = bond->atom1->distance(*bond->atom2);
      longest = std::max(longest, length);
      shortest = std::min(shortest, length);
    }
  }
  return longest / shortest;
}

TEST_F(RxnFormatTest, MoleculesStandLeftAndRightOfOneArrow) {
  const struct {
    const char* seed;
    const char* title;
    tformulas left, right;
    double ratio;
    std::vector<std::string> notices;
  } cases[] = {
      {"hydrogenation.rxn",
       "hydrogenation",
       {"C2H4", "H2"},
       {"C2H6"},
       1.54 / 0.74,
       {}},
      // V3000, with a continued atom line.
      {"ammonia_v3000.rxn", "ammonia", {"N2", "H2"}, {"H3N"}, 1.1 / 0.74, {}},
      // CR LF line ends, charges from property lines, the agent left out.
      {"ozone_agent.rxn",
       "ozone",
       {"O3"},
       {"O2"},
       std::hypot(1.2, 0.7) / 1.2,
       {"1 agent left out of the reaction"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seed);
    treadresult result = readrxn(testing::corpusfile("rxn", c.seed));
    EXPECT_EQ(testing::drawingof(result).title(), c.title);
    EXPECT_EQ(result.notices, c.notices);
    tsides sides = sidesof(*result.drawing);
    EXPECT_EQ(sides.left, c.left);
    EXPECT_EQ(sides.right, c.right);
    EXPECT_NEAR(bondratio(*result.drawing), c.ratio, 1e-9);
  }
}

TEST_F(RxnFormatTest, ReactionFilesOpenByExtensionAndByContent) {
  testing::ttemporaryfolder folder;
  std::vector<std::uint8_t> bytes =
      testing::corpusfile("rxn", "hydrogenation.rxn");
  // A reaction saved under a molfile's name is still read as a reaction,
  // and a molfile saved as ".rxn" as a molfile.
  const std::string molfile =
      "t\n\n\n  1  0  0  0  0  0            999 V2000\n"
      "    0.0000    0.0000    0.0000 O   0  0\nM  END\n";
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    int symbols;
  } cases[] = {{"h.RXN", bytes, 1},
               {"h.mol", bytes, 1},
               {"water.rxn", bytesof(molfile), 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(writefileatomically(folder.path() / c.name, c.bytes), "");
    treadresult read = loaddocument(folder.path() / c.name);
    EXPECT_EQ(testing::drawingof(read).symbols.count(), c.symbols);
  }
  EXPECT_NE(exportdocument(drawing(), folder.path() / "out.rxn"), "");
}

TEST(RxnFormat, DamagedFilesGiveAnErrorNamingThePlace) {
  const std::string ethene =
      "$MOL\nethene\n\n\n  2  1  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.0000 C   0  0\n"
      "    1.3000    0.0000    0.0000 C   0  0\n"
      "  1  2  2  0\nM  END\n";
  const std::string header = "$RXN\nname\n\n\n";
  const std::string v3000 = "$RXN V3000\n\n\n\nM  V30 COUNTS 1 0\n";
  const std::string table =
      "M  V30 BEGIN CTAB\nM  V30 COUNTS 1 0 0 0 0\nM  V30 BEGIN ATOM\n"
      "M  V30 1 C 0 0 0 0\nM  V30 END ATOM\n";
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {"RXN\n", "line 1: a reaction file starts with \"$RXN\", not \"RXN\""},
      {"$RXN\nname\n\n", "line 3: the file ends before its counts line"},
      {header + "  a  1\n" + ethene,
       "line 5: counts line not understood: \"  a  1\""},
      // Counts far beyond the molecules present allocate nothing.
      {header + "999999999999 1\n" + ethene + ethene,
       "line 5: 999 reactants, 999 products and 999 agents announced, but the "
       "file holds 2 reactants, 0 products"},
      {"$RXN V3000\n\n\n\nM  V30 COUNTS 9223372036854775807 1\n",
       "line 5: 9223372036854775807 reactants, 1 product announced, but the "
       "file holds 0 reactants, 0 products"},
      {header + "  1  1\n" + ethene,
       "line 5: 1 reactant, 1 product announced, but the file holds 1 "
       "reactant, 0 products"},
      {header + "  0  0\n",
       "the reaction holds neither reactants nor products"},
      {header + "  2  0\n" + ethene + ethene.substr(0, 60),
       "reactant 2, line 19: 2 atoms and 1 bonds announced, but only 1 "
       "lines follow"},
      {v3000 + "M  V30 BEGIN REACTANT\n" + table + "M  V30 END REACTANT\n",
       "line 7: the connection table has no \"END CTAB\""},
      {v3000 + table + "M  V30 END CTAB\n",
       "line 6: a connection table outside the reactant and product blocks"},
      {v3000 + "M  V30 BEGIN REACTANT\n" + table + "M  V30 END CTAB\n",
       "line 6: the reactant block has no END"},
      {"$RXN V3000\n\n\n\nM  V30 BEGIN PRODUCT\n" + table +
           "M  V30 END CTAB\nM  V30 END PRODUCT\nM  END\n",
       "line 13: the reaction has no COUNTS line"},
      {v3000 + "M  V30 BEGIN REACTANT\nM  V30 BEGIN CTAB\nM  V30 COUNTS 1 0 0 "
               "0 0\nM  V30 BEGIN ATOM\nM  V30 1 Qq 0 0 0 0\nM  V30 END ATOM"
               "\nM  V30 END CTAB\nM  V30 END REACTANT\n",
       "reactant 1, line 10: unknown element symbol \"Qq\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    treadresult result = readrxn(bytesof(c.text));
    EXPECT_EQ(result.drawing, nullptr);
    EXPECT_EQ(result.error, c.error);
  }
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/learned_tables.h"

#include "document/drawing.h"
#include "nmr/database_builder.h"
#include "nmr/nmr_graph.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "testing/smiles_drawing.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

using testing::fromsmiles;

tnmrgraph graphof(const std::string& smiles) {
  return tnmrgraph::fromstructure(*fromsmiles(smiles));
}

/// A sample whose terms are the base key and the given alpha keys (each its
/// own detailed key, with plain key 1000 + key).
tincrementsample sample(std::uint64_t base, std::vector<std::uint64_t> alpha,
                        double shift) {
  tincrementsample s;
  s.terms.fixed.push_back(base);
  for (std::uint64_t key : alpha) {
    s.terms.alpha.emplace_back(key, 1000 + key);
  }
  s.shift = shift;
  return s;
}

TEST(LearnedTables, IncrementsFitAnAdditiveModel) {
  // Base 1 at 1.0; alpha 10 adds 2.0 and alpha 11 adds 0.5, both common;
  // alpha 12 is seen once, so its plain key 1012 takes its place, pulled
  // towards nothing by the ridge.
  std::vector<tincrementsample> samples;
  for (int i = 0; i < 200; ++i) {
    samples.push_back(sample(1, {}, 1.0));
    samples.push_back(sample(1, {10}, 3.0));
    samples.push_back(sample(1, {10, 11}, 3.5));
  }
  samples.push_back(sample(1, {12}, 1.7));
  tincrementtable table = tincrementtable::fit(samples, 5);
  const struct {
    std::vector<std::uint64_t> fixed;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> alpha;
    double shift;
    int level;
  } cases[] = {
      {{1}, {{10, 1010}, {11, 1011}}, 3.5, -1},
      {{1}, {{11, 1011}, {11, 1011}}, 2.0, -1},
      {{1}, {{99, 1012}}, 1.35, -1},    // unknown detail: its plain key
      {{1, 77}, {}, 1.0, -1},           // unknown single term adds nothing
      {{2}, {{10, 1010}}, noshift, 0},  // unknown base
      {{1}, {{98, 1098}}, noshift, 0},  // unknown alpha substituent
      {{}, {}, noshift, 0},
  };
  for (const auto& each : cases) {
    tprediction p = table.predict({each.fixed, each.alpha});
    EXPECT_EQ(p.level, each.level);
    EXPECT_NEAR(p.shift, each.shift, 0.05);
  }
  EXPECT_EQ(table.increments().size(), 4U);  // 1, 10, 11, 1012
}

TEST(LearnedTables, ShiftClassesAndTerms) {
  const struct {
    const char* smiles;
    int atom;
    int nucleus;
    int c;
  } cases[] = {
      {"CC(F)(F)F", 2, 9, fluorineclass},
      {"CC(F)(F)F", 2, 6, 3},  // carbon nuclei keep their classes
      {"CCO", 0, 1, protonsp3class},
      {"C1CC1", 0, 1, protonsp3class},
      {"c1ccccc1C", 0, 1, 4},
      {"CC(C)(C)C", 1, 1, 3},  // no hydrogen
      {"C=C", 0, 1, 2},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.smiles);
    tnmrgraph graph = graphof(each.smiles);
    EXPECT_EQ(shiftclass(graph, each.atom, each.nucleus), each.c);
  }
  // The three fluorines of a CF3 group share their type at every depth; a
  // CF3 on an sp3 carbon and one on an aryl ring differ from the second
  // sphere on, an aryl fluoride and the CF3 from the first.
  tnmrgraph ethane = graphof("CC(F)(F)F");
  tnmrgraph toluene = graphof("c1ccccc1C(F)(F)F");
  tnmrgraph aryl = graphof("c1ccccc1F");
  EXPECT_EQ(fluorinekeys(ethane, 2), fluorinekeys(ethane, 4));
  EXPECT_EQ(fluorinekeys(ethane, 2)[0], fluorinekeys(toluene, 7)[0]);
  EXPECT_NE(fluorinekeys(ethane, 2)[2], fluorinekeys(toluene, 7)[2]);
  EXPECT_NE(fluorinekeys(aryl, 6)[0], fluorinekeys(toluene, 7)[0]);
  // Three- and four-membered rings add a ring term of their own (after the
  // base and the two beta terms of the ring atoms), five-membered ones none.
  std::vector<tincrementterms> rings(3);
  ASSERT_TRUE(protonterms(graphof("C1CC1"), 0, rings[0]));
  ASSERT_TRUE(protonterms(graphof("C1CCC1"), 0, rings[1]));
  ASSERT_TRUE(protonterms(graphof("C1CCCC1"), 0, rings[2]));
  EXPECT_EQ(rings[0].fixed.size(), 4U);
  EXPECT_EQ(rings[1].fixed.size(), 4U);
  EXPECT_EQ(rings[2].fixed.size(), 3U);
  EXPECT_NE(rings[0].fixed.back(), rings[1].fixed.back());
  EXPECT_FALSE(fluorineterms(graphof("CC"), 0, rings[0]));
}

TEST(LearnedTables, FluorineTypesNeedSupportAndTheDeepestWins) {
  tnmrgraph ethane = graphof("CC(F)(F)F");
  tnmrgraph propane = graphof("CCC(F)(F)F");
  std::vector<tfluorinesample> samples = {
      {fluorinekeys(ethane, 2), -62.0},
      {fluorinekeys(ethane, 3), -64.0},
      {fluorinekeys(propane, 3), -67.0},
  };
  tfluorinetable table = tfluorinetable::fit(samples, 2);
  tprediction same = table.predict(ethane, 4);
  EXPECT_DOUBLE_EQ(same.shift, -63.0);
  EXPECT_EQ(same.level, -fluorinedepth);
  // Propane's CF3 was seen once: only its type by elements and
  // hybridisation (a CF3 on an sp3 carbon, as ethane's) is known.
  tprediction shallow = table.predict(propane, 3);
  EXPECT_DOUBLE_EQ(shallow.shift, -64.0);
  EXPECT_EQ(shallow.level, -1);
  EXPECT_EQ(table.predict(graphof("c1ccccc1F"), 6).level, 0);
}

// The builder fits the tables to the molecules it is given (cross-validation
// refits them per fold); the shipped ones know textbook values.
TEST(LearnedTables,
     BuilderFitsItsOwnTablesAndTheShippedOnesKnowTextbookValues) {
  std::vector<ttrainingmolecule> molecules;
  for (const char* smiles : {"CC(F)(F)F", "CCC(F)(F)F"}) {
    molecules.push_back({fromsmiles(smiles), {{2, -70.0}}});
  }
  std::vector<const ttrainingmolecule*> all = {&molecules[0], &molecules[1]};
  std::unique_ptr<tpeakdb> db = builddatabase(all, 9, 100);
  EXPECT_NE(&db->learned(), shippedtables().get());
  EXPECT_FALSE(db->learned().fluorineincrements.increments().empty());
  EXPECT_EQ(&tpeakdb(9).learned(), shippedtables().get());

  tnmrgraph toluene = graphof("c1ccccc1C(F)(F)F");
  EXPECT_NEAR(shippedtables()->fluorine.predict(toluene, 7).shift, -63.0, 2.0);
  // The increments alone are rough (they only back up shallow matches):
  // ethanol's CH2 and toluene's CH3 within 0.3 ppm.
  const struct {
    const char* smiles;
    int atom;
    double shift;
  } protons[] = {{"CCO", 1, 3.69}, {"Cc1ccccc1", 0, 2.35}};
  for (const auto& each : protons) {
    tincrementterms terms;
    ASSERT_TRUE(protonterms(graphof(each.smiles), each.atom, terms));
    EXPECT_NEAR(shippedtables()->proton.predict(terms).shift, each.shift, 0.3);
  }
}

TEST(LearnedTables, SourceListsEveryTableInKeyOrder) {
  tlearnedtables tables;
  tables.fluorine = tfluorinetable({{0x20, -63.72}, {0x10, 1.5}});
  tables.proton = tincrementtable({{0xABCDEF, 0.25}});
  std::string source = tablesource(tables);
  std::size_t low = source.find("    {0x0000000000000010ULL, 1.5000},\n");
  std::size_t high = source.find("    {0x0000000000000020ULL, -63.7200},\n");
  ASSERT_NE(low, std::string::npos);
  ASSERT_NE(high, std::string::npos);
  EXPECT_LT(low, high);
  EXPECT_NE(source.find("const tshippedterm fluorineincrements[] = {\n};"),
            std::string::npos);
  EXPECT_NE(source.find("{0x0000000000abcdefULL, 0.2500}"), std::string::npos);
  EXPECT_NE(source.find("// clang-format off"), std::string::npos);
}

// Unusual fluorines and protons drawn every way get a shift in range or
// none, and explicit hydrogens take their carbon's shift.
TEST(LearnedTables, PredictUnusualAtomsSafely) {
  const struct {
    const char* smiles;
    int nucleus;
  } cases[] = {
      {"[F-]", 9},
      {"F", 9},
      {"F[B-](F)(F)F", 9},
      {"FS(F)(F)(F)(F)F", 9},
      {"FF", 9},
      {"C", 1},
      {"[CH3+]", 1},
      {"C1CC1", 1},
      {"[H]C([H])([H])C(F)(F)F", 1},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.smiles);
    auto drawing = fromsmiles(each.smiles);
    auto db = std::make_shared<tpeakdb>(each.nucleus);
    for (const tatomshift& shift : predictshifts(*drawing, db)) {
      if (shift.level != 0) {
        EXPECT_GT(shift.shift, each.nucleus == 9 ? -500.0 : -5.0);
        EXPECT_LT(shift.shift, each.nucleus == 9 ? 500.0 : 20.0);
      }
    }
  }
  auto drawn = fromsmiles("[H]C([H])([H])C(F)(F)F");
  auto db = std::make_shared<tpeakdb>(1);
  std::vector<tatomshift> shifts = predictshifts(*drawn, db);
  ASSERT_GE(shifts.size(), 2U);
  EXPECT_NE(shifts.front().level, 0);
  for (const tatomshift& shift : shifts) {
    EXPECT_DOUBLE_EQ(shift.shift, shifts.front().shift);
  }
}

}  // namespace
}  // namespace molvane

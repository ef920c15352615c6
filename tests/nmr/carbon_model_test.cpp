// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/carbon_model.h"

#include "document/drawing.h"
#include "nmr/carbon_correction.h"
#include "nmr/carbon_features.h"
#include "nmr/carbon_training.h"
#include "nmr/database_builder.h"
#include "nmr/nmr_graph.h"
#include "nmr/peak_database.h"
#include "testing/smiles_drawing.h"

#include <gtest/gtest.h>

#include <string>

namespace molvane {
namespace {

using testing::fromsmiles;

/// Cyclic alkane of size carbons.
std::unique_ptr<tdrawing> ring(int size) {
  return fromsmiles("C1" +
                    std::string(static_cast<std::size_t>(size - 1), 'C') + "1");
}

tcarbonfeatures featuresof(const tdrawing& drawing, int atom) {
  return carbonfeatures(tnmrgraph::fromstructure(drawing), atom);
}

/// A model fitted to forty copies of one carbon of graph with shift.
tcarbonmodel modelknowing(const tnmrgraph& graph, int atom, double shift) {
  tcarbonsample sample{carbonfeatures(graph, atom), shift};
  return tcarbonmodel::fit(std::vector<tcarbonsample>(40, sample));
}

TEST(CarbonFeatures, RingsAndKindsOfCarbon) {
  const struct {
    const char* name;
    std::unique_ptr<tdrawing> drawing;
    int atom;
    int ring;
  } cases[] = {
      {"cyclopropane", ring(3), 0, 3},
      {"cyclobutane", ring(4), 2, 4},
      {"oxolane", fromsmiles("O1CCCC1"), 1, 5},
      {"decalin bridgehead", fromsmiles("C12CCCCC1CCCC2"), 0, 6},
      {"propane", fromsmiles("CCC"), 1, 0},
      {"cyclononane, too large", ring(9), 0, 0},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.name);
    tcarbonfeatures features = featuresof(*each.drawing, each.atom);
    EXPECT_NE(features.centre, 0U);
    EXPECT_EQ(features.ring, each.ring);
  }

  // A carbonyl carbon and an alkene carbon with the same substituents are
  // different kinds; atoms that are not carbon, or not there, are none.
  auto acetone = fromsmiles("CC(C)=O");
  auto isobutene = fromsmiles("CC(C)=C");
  EXPECT_NE(featuresof(*acetone, 1).centre, featuresof(*isobutene, 1).centre);
  EXPECT_EQ(featuresof(*acetone, 0).keys.size(),
            featuresof(*isobutene, 0).keys.size());
  EXPECT_EQ(featuresof(*acetone, 3).centre, 0U);
  EXPECT_EQ(featuresof(*acetone, 9).centre, 0U);
}

/// Samples of one kind of carbon whose shift is 20 + 5 per key 1 - 3 per
/// key 2; key 3 sits on three samples only.
std::vector<tcarbonsample> additive(std::uint32_t centre, int count) {
  std::vector<tcarbonsample> samples;
  for (int i = 0; i < count; ++i) {
    tcarbonsample sample;
    sample.features.centre = centre;
    int ones = i % 3;
    int twos = (i / 3) % 4;
    sample.features.keys.insert(sample.features.keys.end(), ones, 1U);
    sample.features.keys.insert(sample.features.keys.end(), twos, 2U);
    if (i < 3) {
      sample.features.keys.push_back(3U);
    }
    sample.shift = 20.0 + 5.0 * ones - 3.0 * twos;
    samples.push_back(sample);
  }
  return samples;
}

TEST(CarbonModel, FitsIncrementsAndIgnoresOutliersAndRareKinds) {
  std::vector<tcarbonsample> samples = additive(0x100, 240);
  samples[5].shift += 150.0;  // a misassigned atom
  std::vector<tcarbonsample> rare = additive(0x200, 10);
  samples.insert(samples.end(), rare.begin(), rare.end());
  tcarbonmodel model = tcarbonmodel::fit(samples);

  tcarbonfeatures probe{0x100, 0, {1U, 1U, 2U, 3U}};
  ASSERT_TRUE(model.knows(probe));
  EXPECT_NEAR(model.predict(probe), 27.0, 0.3);
  EXPECT_FALSE(model.knows({0x200, 0, {}}));
  EXPECT_FALSE(model.knows({0, 0, {}}));
}

TEST(CarbonModel, TextRoundTripAndDamagedTables) {
  tcarbonmodel model = tcarbonmodel::fit(additive(0x100, 120));
  model.setshare(3, 1, 0.25);
  model.setshare(9, 1, 0.5);  // no such class: ignored
  tcarbonmodel copy;
  ASSERT_EQ(copy.fromtext(model.text()), "");
  tcarbonfeatures probe{0x100, 0, {1U, 2U, 2U}};
  EXPECT_NEAR(copy.predict(probe), model.predict(probe), 1e-3);
  EXPECT_DOUBLE_EQ(copy.share(3, 1), 0.25);
  EXPECT_DOUBLE_EQ(copy.share(9, 1), 0.0);

  const std::string header = "molvane carbon shift model 1\n";
  const struct {
    std::string text;
    const char* message;
  } damaged[] = {
      {"", "not a carbon shift model"},
      {header + "centre 256 nan 0\n", "line 2: expected \"centre"},
      {header + "centre 256 1.0 99999999\n", "line 2: expected \"centre"},
      {header + "centre 256 1.0 5\n1 2.0\n", "line 2: more increments"},
      {header + "centre 256 1.0 1\n1 x\n", "line 3: expected \"KEY"},
      {header + "centre 256 1 0\ncentre 256 1 0\n", "line 3: expected"},
      {header + "shares 2 0 0 0 0 0 0 0 1.5\n", "line 2: expected \"shares"},
      {header + "shares 5 0 0 0 0 0 0 0 0\n", "line 2: expected \"shares"},
  };
  for (const auto& each : damaged) {
    SCOPED_TRACE(each.text);
    tcarbonmodel read = model;
    std::string problem = read.fromtext(each.text);
    EXPECT_NE(problem.find(each.message), std::string::npos) << problem;
    EXPECT_TRUE(read.empty());
  }
}

// Found by fuzzing (issue 29): a base too long for a fixed line buffer was
// cut short on writing, so the table did not read back.
TEST(CarbonModel, HugeValuesReadBackFromTheirText) {
  const std::string text = "molvane carbon shift model 1\ncentre 2 " +
                           std::string(80, '6') + " 1\n7 -1e40\n";
  tcarbonmodel model;
  ASSERT_EQ(model.fromtext(text), "");
  tcarbonmodel copy;
  ASSERT_EQ(copy.fromtext(model.text()), "");
  EXPECT_EQ(copy.text(), model.text());
}

TEST(CarbonModel, RefinesByShareOfTheMatchLevel) {
  auto butane = fromsmiles("CCCC");
  tnmrgraph graph = tnmrgraph::fromstructure(*butane);
  tcarbonmodel model = modelknowing(graph, 1, 25.0);
  model.setshare(3, 1, 0.5);
  model.setshare(3, 7, 0.0);
  const tprediction current{21.0, 1};

  EXPECT_NEAR(refinecarbon(model, graph, 1, 1, current).shift, 23.0, 1e-3);
  EXPECT_EQ(refinecarbon(model, graph, 1, 1, current).level, 1);
  EXPECT_EQ(refinecarbon(model, graph, 1, 7, {21.0, 7}).shift, 21.0);
  tprediction alone = refinecarbon(model, graph, 1, 0, {});
  EXPECT_NEAR(alone.shift, 25.0, 1e-3);
  EXPECT_EQ(alone.level, -1);
  // A kind of carbon the model never saw keeps what it had.
  EXPECT_EQ(refinecarbon(model, graph, 0, 1, current).shift, 21.0);
}

// A match that stops short of closing a small ring has missed its strain:
// the model takes its shallow-match share there, but not in a six-ring or
// once the match reaches round the ring.
TEST(CarbonModel, SmallRingsLeanOnTheModelUntilTheMatchClosesThem) {
  for (int size : {5, 6}) {
    SCOPED_TRACE(size);
    auto cycle = ring(size);
    tnmrgraph graph = tnmrgraph::fromstructure(*cycle);
    tcarbonmodel model = modelknowing(graph, 0, 25.0);
    model.setshare(3, 1, 0.5);
    model.setshare(3, 4, 0.0);
    model.setshare(3, 6, 0.0);
    EXPECT_NEAR(refinecarbon(model, graph, 0, 4, {21.0, 4}).shift,
                size == 5 ? 23.0 : 21.0, 1e-3);
    EXPECT_NEAR(refinecarbon(model, graph, 0, 6, {21.0, 6}).shift, 21.0, 1e-3);
  }
}

// A database far too small for these chains leaves their carbons with
// shallow matches; the model trained beside it puts them right.
TEST(CarbonModel, TrainedModelCorrectsShallowMatches) {
  const struct {
    const char* smiles;
    std::vector<tassignedshift> shifts;
  } kinds[] = {
      {"CCCO", {{0, 10.3}, {1, 26.0}, {2, 64.2}}},
      {"CCCC", {{0, 13.4}, {1, 25.2}, {2, 25.2}, {3, 13.4}}},
      {"CCCN", {{0, 11.5}, {1, 27.3}, {2, 44.5}}},
      {"CCCF", {{0, 9.2}, {1, 24.0}, {2, 85.0}}},
  };
  std::vector<ttrainingmolecule> molecules;
  for (int copy = 0; copy < 40; ++copy) {
    for (const auto& kind : kinds) {
      molecules.push_back({fromsmiles(kind.smiles), kind.shifts});
    }
  }
  std::vector<const ttrainingmolecule*> all;
  for (const ttrainingmolecule& molecule : molecules) {
    all.push_back(&molecule);
  }
  constexpr int capacity = 2;
  std::shared_ptr<tpeakdb> db = builddatabase(all, 6, capacity);
  tshifterrors alone = evaluatedatabase(db, all, false);
  db->setcarbonmodel(
      std::make_shared<tcarbonmodel>(traincarbonmodel(all, capacity)));
  tshifterrors refined = evaluatedatabase(db, all, false);
  EXPECT_GT(alone.mae(), 1.0);
  EXPECT_LT(refined.mae(), 0.5 * alone.mae());
  EXPECT_EQ(refined.predicted, refined.atoms);
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/group_editor_commands.h"

#include "model/atom.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace molvane {
namespace {

class GroupEditorCommands : public testing::tdrawingtest {
 protected:
  /// C1 - C2 - C3, bent at C2, selected as one group.
  tStructure& buildpropane() {
    c1_ = atom(6, 100, 100);
    c2_ = atom(6, 130, 100);
    c3_ = atom(6, 150, 130);
    bond(c1_, c2_);
    bond(c2_, c3_);
    for (tatm* each : drawing().atoms) {
      each->commit();
    }
    return *selectrectangle(drawing(), 0, 0, 300, 300);
  }

  std::vector<TXYZ> positions() const {
    std::vector<TXYZ> all;
    for (const tatm* each : drawing().atoms) {
      all.push_back({each->x, each->y, each->z});
    }
    return all;
  }

  tatm* c1_ = nullptr;
  tatm* c2_ = nullptr;
  tatm* c3_ = nullptr;
};

TEST_F(GroupEditorCommands, SliderDragsEndAtTheirLastPosition) {
  tStructure& group = buildpropane();
  const tgrouppivot pivot{c2_, group.bonds.items(0)};
  for (tslidermode mode :
       {tslidermode::atom, tslidermode::rotate, tslidermode::zoom}) {
    SCOPED_TRACE(static_cast<int>(mode));
    tgroupslider slider;
    slider.mode = mode;
    slider.finefactor = 0.5;
    slider.slide(drawing(), group, pivot, 1, 10);
    const std::vector<TXYZ> once = positions();
    for (int position : {40, -20, 10}) {
      slider.slide(drawing(), group, pivot, 1, position);
    }
    const std::vector<TXYZ> again = positions();
    for (std::size_t i = 0; i < once.size(); ++i) {
      EXPECT_NEAR(again[i].x, once[i].x, 1e-9) << i;
      EXPECT_NEAR(again[i].y, once[i].y, 1e-9) << i;
      EXPECT_NEAR(again[i].z, once[i].z, 1e-9) << i;
    }
    EXPECT_EQ(drawing().mark, 1);
    slider.release(drawing(), group);
    EXPECT_EQ(drawing().mark, 0);
    EXPECT_EQ(c1_->x0, c1_->x);
  }
}

TEST_F(GroupEditorCommands, BondSliderStepsAddUpAcrossReleases) {
  tStructure& group = buildpropane();
  tgroupslider slider;
  slider.mode = tslidermode::bond;
  // The pivot bond C1-C2 lies along x: C3 turns about it, y towards z.
  const tgrouppivot pivot{nullptr, group.bonds.items(0)};
  slider.slide(drawing(), group, pivot, 1, 10);
  slider.slide(drawing(), group, pivot, 1, 25);
  slider.release(drawing(), group);
  EXPECT_EQ(slider.lastbondangle, 0);
  slider.slide(drawing(), group, pivot, 1, 10);
  const double degrees =
      std::atan2(c3_->z, c3_->y - 100.0) * 180.0 / std::numbers::pi;
  EXPECT_NEAR(degrees, 35.0, 1e-9);
  EXPECT_NEAR(std::hypot(c3_->y - 100.0, c3_->z), 30.0, 1e-9);
}

TEST_F(GroupEditorCommands, OneAtomGroupSurvivesEveryTransform) {
  tatm* lone = atom(8, 50, 60);
  lone->commit();
  tStructure* group = selectrectangle(drawing(), 0, 0, 100, 100);
  ASSERT_NE(group, nullptr);
  const tgrouppivot pivot{lone, nullptr};
  for (tslidermode mode : {tslidermode::atom, tslidermode::bond,
                           tslidermode::rotate, tslidermode::zoom}) {
    tgroupslider slider;
    slider.mode = mode;
    slider.slide(drawing(), *group, pivot, 1, 30);
    slider.release(drawing(), *group);
    turngroup(drawing(), *group, mode, pivot, 3, 45, 1.0);
  }
  zoomgroup(drawing(), *group, 1.5);
  invertgroup(drawing(), *group);
  reflectgroup(drawing(), *group, 1);
  EXPECT_DOUBLE_EQ(lone->x, 50.0);
  EXPECT_DOUBLE_EQ(lone->y, 60.0);
  EXPECT_DOUBLE_EQ(lone->z, 0.0);
}

TEST_F(GroupEditorCommands, RectangleFindsTheStructureItHoldsOrMakesOne) {
  tStructure& group = buildpropane();
  EXPECT_EQ(drawing().structures.count(), 1);
  EXPECT_EQ(selectrectangle(drawing(), 0, 0, 300, 300), &group);
  // Edges do not count: an atom on the border stays out.
  tStructure* part = selectrectangle(drawing(), 0, 0, 150, 200);
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->atoms.count(), 2);
  EXPECT_EQ(part->bonds.count(), 1);
  EXPECT_EQ(drawing().structures.count(), 2);
  EXPECT_EQ(selectrectangle(drawing(), 400, 400, 500, 500), nullptr);
  EXPECT_EQ(nearestgroup(drawing(), 100, 100), part);
}

TEST_F(GroupEditorCommands, CloneLandsRightOfTheDrawingStandingAlone) {
  buildpropane();
  atom(6, 200, 100);  // outside the part
  bond(c3_, drawing().atoms.items(3));
  tStructure* part = selectrectangle(drawing(), 0, 0, 160, 200);
  ASSERT_EQ(part->atoms.count(), 3);
  drawing().calcbounds();
  const int right = drawing().bbox[1];
  const int hydrogens = c3_->implicithydrogens();
  tStructure* copy = clonegroup(drawing(), *part);
  EXPECT_EQ(copy->atoms.minx(), right + 10);
  EXPECT_EQ(copy->atoms.count(), 3);
  EXPECT_EQ(copy->bonds.count(), 2);
  EXPECT_EQ(drawing().atoms.count(), 7);
  // C3's copy lost its bond to the fourth carbon: one more hydrogen.
  EXPECT_EQ(copy->atoms.items(2)->implicithydrogens(), hydrogens + 1);
}

TEST_F(GroupEditorCommands, NumberTwiceClearsAndEachNumberingCounts) {
  tStructure& group = buildpropane();
  tatm* oxygen = atom(8, 300, 300);
  oxygen->number = 7;
  struct tcase {
    tnumbering numbering;
    int nmrelement;
    std::vector<int> numbers;
  };
  const tcase cases[] = {{tnumbering::drawing, 0, {1, 2, 3}},
                         {tnumbering::group, 0, {8, 9, 10}},
                         {tnumbering::nmr, 6, {1, 2, 3}},
                         {tnumbering::nmr, 1, {1, 2, 3}},
                         {tnumbering::nmr, 7, {0, 0, 0}}};
  for (const tcase& entry : cases) {
    SCOPED_TRACE(static_cast<int>(entry.numbering));
    numbergroup(drawing(), group, entry.numbering, entry.nmrelement);
    EXPECT_EQ(std::vector<int>({c1_->number, c2_->number, c3_->number}),
              entry.numbers);
    if (entry.numbers[0] != 0) {
      numbergroup(drawing(), group, entry.numbering, entry.nmrelement);
      EXPECT_EQ(group.atoms.maxnumber(), 0);
    }
  }
  numberbyhand(group, *c3_);
  numberbyhand(group, *c1_);
  numberbyhand(group, *c3_);
  EXPECT_EQ(c1_->number, 1);
  EXPECT_EQ(c3_->number, 0);
  EXPECT_EQ(oxygen->number, 7);
}

TEST_F(GroupEditorCommands, FuseDeleteAndLinesKeepTheListsSound) {
  tStructure& group = buildpropane();
  tStructure* part = selectrectangle(drawing(), 0, 0, 140, 200);
  tStructure* fused = fusegroup(drawing(), &group);
  // The part lies wholly inside the fused group and goes with it.
  EXPECT_EQ(drawing().structures.count(), 1);
  EXPECT_FALSE(drawing().structures.contains(part));
  EXPECT_EQ(fused->bonds.count(), 2);
  fused = setgroupringstyle(drawing(), fused, 1);
  EXPECT_EQ(fused->ringstyle, 6);
  EXPECT_EQ(fused->bonds.items(0)->style, tbondstyle::plain);
  for (int expected : {2, 3, 4, 1}) {
    cyclegrouplines(*fused);
    EXPECT_EQ(fused->bonds.items(1)->width, expected);
  }
  tatm* outside = atom(6, 400, 400);
  deletegroup(drawing(), fused);
  EXPECT_EQ(drawing().structures.count(), 0);
  EXPECT_EQ(drawing().atoms.count(), 1);
  EXPECT_EQ(drawing().atoms.items(0), outside);
  EXPECT_EQ(drawing().bonds.count(), 0);
}

TEST_F(GroupEditorCommands, HydrogensChangeOnlyTheGroup) {
  tStructure& group = buildpropane();
  tatm* other = atom(6, 400, 400);
  EXPECT_EQ(addgrouphydrogens(drawing(), group), 8);
  EXPECT_EQ(group.atoms.count(), 11);
  EXPECT_EQ(other->implicithydrogens(), 4);
  EXPECT_EQ(removegrouphydrogens(drawing(), group), 8);
  EXPECT_EQ(drawing().atoms.count(), 4);
}

TEST_F(GroupEditorCommands, SavedColoursComeBackAndNewAtomsTakeNone) {
  tStructure& group = buildpropane();
  tbond* marked = group.bonds.items(0);
  marked->colour = 0xFF0000;
  tsavedcolours colours;
  colours.save(drawing());
  colourstructures(drawing(), dimmedcolour);
  tStructure* copy = clonegroup(drawing(), group);
  setgroupcolour(*copy, groupcolour);
  colours.restore(drawing());
  EXPECT_EQ(marked->colour, 0xFF0000U);
  EXPECT_EQ(c1_->colour, 0U);
  EXPECT_EQ(copy->bonds.items(0)->colour, 0U);
}

TEST_F(GroupEditorCommands, RingStylePicturesShowTheStylesTheyGive) {
  for (int picture : {1, 2, 3}) {
    SCOPED_TRACE(picture);
    const std::unique_ptr<tdrawing> sample = ringstylesample(picture, 20, 20);
    ASSERT_EQ(sample->structures.count(), 1);
    const tStructure& ring = *sample->structures.items(0);
    EXPECT_EQ(ring.atoms.count(), 6);
    EXPECT_EQ(ring.ringstyle, std::vector<int>({6, 0, 7})[picture - 1]);
    EXPECT_EQ(ring.bonds.items(0)->style,
              picture == 1 ? tbondstyle::plain : tbondstyle::normal);
  }
}

}  // namespace
}  // namespace molvane

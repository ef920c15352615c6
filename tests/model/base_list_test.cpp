// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing.h"
#include "model/atom.h"
#include "model/base_object.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

struct titem : tbaseobject {};

class BaseList : public ::testing::Test {
 protected:
  titem a, b, c, d;
};

TEST_F(BaseList, ItemsOutsideTheListAreNullAndAddItemDeduplicates) {
  tBaseList<titem> list;
  EXPECT_EQ(list.items(0), nullptr);
  EXPECT_TRUE(list.additem(&a));
  EXPECT_FALSE(list.additem(&a));
  list.add(&b);
  EXPECT_EQ(list.items(-1), nullptr);
  EXPECT_EQ(list.items(2), nullptr);
  EXPECT_EQ(list.items(1), &b);
}

TEST_F(BaseList, AddListAppendsOnlyMissingItemsInTheOtherOrder) {
  tBaseList<titem> list;
  list.add(&a);
  list.add(&b);
  tBaseList<titem> other;
  for (titem* item : {&d, &b, &c, &a, &d}) {
    other.add(item);
  }
  list.addlist(other);
  EXPECT_EQ(list.all(), (std::vector<titem*>{&a, &b, &d, &c}));
}

TEST_F(BaseList, IntersectsNeedsACommonItem) {
  tBaseList<titem> mine;
  tBaseList<titem> other;
  mine.add(&a);
  mine.add(&b);
  EXPECT_FALSE(other.intersects(mine));
  other.add(&c);
  EXPECT_FALSE(mine.intersects(other));
  other.add(&b);
  EXPECT_TRUE(mine.intersects(other));
}

// The drawing owns its atoms; a view of them that goes away, or is
// cleared, must not take the atoms with it (ASan reports a double free).
TEST_F(BaseList, DestroyingAListLeavesItsItemsAlive) {
  tdrawing drawing;
  tatm* carbon = drawing.addatom(std::make_unique<tatm>(6, 1, 10.0, 20.0));
  {
    tAtoms view;
    view.add(carbon);
    tAtoms copy = view;
    copy.clear();
  }
  EXPECT_EQ(drawing.atoms.first(), carbon);
  carbon->setxyz(1.0, 2.0, 3.0);
}

// Indexes over a list rebuild on reorders() and extend on changes(), so
// every operation that is not a plain append must count as a reorder.
TEST_F(BaseList, CountersTellAppendsFromReorders) {
  struct tcase {
    std::string name;
    std::function<void(tBaseList<titem>&)> change;
    int changes;
    int reorders;
  };
  const std::vector<tcase> cases = {
      {"add", [this](auto& l) { l.add(&d); }, 1, 0},
      {"additem held", [this](auto& l) { l.additem(&a); }, 0, 0},
      {"setitem", [this](auto& l) { l.setitem(0, &d); }, 1, 1},
      {"insert", [this](auto& l) { l.insert(0, &d); }, 1, 1},
      {"remove", [this](auto& l) { l.remove(&b); }, 1, 1},
      {"remove absent", [this](auto& l) { l.remove(&d); }, 0, 0},
      {"sort", [](auto& l) { l.sort(std::less<const titem*>()); }, 1, 1},
      {"clear", [](auto& l) { l.clear(); }, 1, 1},
  };
  for (const tcase& test : cases) {
    SCOPED_TRACE(test.name);
    tBaseList<titem> list;
    for (titem* item : {&a, &b, &c}) {
      list.add(item);
    }
    const auto changes = list.changes();
    const auto reorders = list.reorders();
    test.change(list);
    EXPECT_EQ(list.changes() - changes, static_cast<unsigned>(test.changes));
    EXPECT_EQ(list.reorders() - reorders, static_cast<unsigned>(test.reorders));
  }
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/command_codes.h"
#include "commands/dispatcher.h"
#include "commands/group_commands.h"
#include "commands/key_edits.h"
#include "commands/ring_commands.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace molvane {
namespace {

using DoubleBondSidesTest = testing::tdrawingtest;

/// How far the other neighbours of a bond's ends lie on the side of its
/// second line, in pixels: positive when the line is drawn towards them,
/// which for a ring bond is the inside of the ring.
double towardsneighbours(const tdrawing& drawing, tbond& bond) {
  bond.calcoffsets();
  const double sx = bond.side * bond.offx;
  const double sy = bond.side * bond.offy;
  const double length = std::hypot(sx, sy);
  double sum = 0.0;
  for (const tatm* end : {bond.atom1, bond.atom2}) {
    for (const tbond* each : drawing.bondsof(end)) {
      const tatm* other = each->other(end);
      if (each != &bond) {
        sum += ((other->x - end->x) * sx + (other->y - end->y) * sy) / length;
      }
    }
  }
  return sum;
}

/// One building step: a command code at the click, or an edit key.
struct tstep {
  int code = 0;
  char key = 0;
};

std::vector<tstep> steps() {
  std::vector<tstep> all;
  for (int code = firstaddringcommand; code <= lastaddringcommand; ++code) {
    all.push_back({code});
  }
  for (int first :
       {firstfuseringcommand, firstbranchringcommand, firstjoinringcommand}) {
    for (int code = first; code < first + 8; ++code) {
      all.push_back({code});
    }
  }
  for (int code :
       {boatcommand, chaircommand, addbenzenecommand, fusebenzenecommand,
        branchphenylcommand, oxocommand, iminocommand, methylenecommand,
        thioxocommand, isobutanecommand, isopentanecommand}) {
    all.push_back({code});
  }
  for (int code = ethylenecommand; code <= allenecommand; ++code) {
    all.push_back({code});
  }
  for (const tgrouprow& row : grouprows()) {
    all.push_back({row.code});
  }
  all.push_back({0, '2'});
  all.push_back({0, '4'});
  return all;
}

enum class tstart { ethane, ring, fusedring };

/// Ethane from (100, 100) to (130, 100), or a six-ring round (115, 130)
/// built clockwise, or one fused above the bond of ethane, which runs
/// anticlockwise.
void prepare(tstart start) {
  tdrawing& drawing = *session().drawing();
  if (start == tstart::ring) {
    addring(115, 130, 6);
    return;
  }
  tatm* first = drawing.addatom(std::make_unique<tatm>(6, nolabel, 100, 100));
  tatm* second = drawing.addatom(std::make_unique<tatm>(6, nolabel, 130, 100));
  drawing.addbond(std::make_unique<tbond>(first, 0, normalstyle, 2, second));
  if (start == tstart::fusedring) {
    fusering(115, 70, 6);
  }
}

// Issue 13: a fused benzene or a phenyl branch lying on the far side of its
// bond had the second lines of its double bonds outside the ring.
TEST_F(DoubleBondSidesTest, SecondLinesLieTowardsTheBondsNeighbours) {
  // Clicks on both sides of the start's bond and beyond both of its ends.
  const std::pair<double, double> clicks[] = {
      {115, 130}, {115, 70}, {160, 110}, {70, 90}};
  // 3D building puckers rings, whose bonds then have no side on the screen
  // that all their neighbours share; there only ethane is a start.
  const std::pair<tstart, bool> starts[] = {{tstart::ethane, false},
                                            {tstart::ethane, true},
                                            {tstart::ring, false},
                                            {tstart::fusedring, false}};
  for (const auto& [start, deep] : starts) {
    for (const tstep& step : steps()) {
      for (const auto& [x, y] : clicks) {
        SCOPED_TRACE(
            std::to_string(step.code) + " key " + std::to_string(step.key) +
            " at " + std::to_string(x) + "," + std::to_string(y) + " start " +
            std::to_string(static_cast<int>(start)) + (deep ? " in 3D" : ""));
        session().newdrawing();
        session().settings.build3d = deep;
        prepare(start);
        if (step.key != 0) {
          runkeyedit(step.key, x, y);
        } else {
          tcommandstate state;
          runcommand(x, y, step.code, state);
        }
        for (tbond* each : drawing().bonds) {
          const int kind = each->kind();
          if ((kind != 3 && kind != 4) || each->style != normalstyle) {
            continue;
          }
          // Substituents trans across the bond give no side to prefer.
          const double towards = towardsneighbours(drawing(), *each);
          if (std::abs(towards) > 1.0) {
            EXPECT_GT(towards, 0.0) << "bond " << drawing().bondposition(each);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/command_codes.h"
#include "commands/command_table.h"
#include "commands/dispatcher.h"
#include "commands/group_commands.h"
#include "commands/key_edits.h"
#include "commands/ring_commands.h"
#include "model/bond.h"
#include "testing/command_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace molvane {
namespace {

using DoubleBondSidesTest = testing::tcommandtest;

/// How far the other neighbours of a bond's ends lie on the side of its
/// second line, in pixels: positive when the line is drawn towards them,
/// which for a ring bond is the inside of the ring.
double towardsneighbours(const tdrawing& drawing, tbond& bond) {
  bond.calcoffsets();
  const double sx = bond.side * bond.offx;
  const double sy = bond.side * bond.offy;
  double sum = 0.0;
  for (const tatm* end : {bond.atom1, bond.atom2}) {
    for (const tbond* each : drawing.bondsof(end)) {
      const tatm* other = each->other(end);
      if (each != &bond) {
        sum += (other->x - end->x) * sx + (other->y - end->y) * sy;
      }
    }
  }
  return sum / std::hypot(sx, sy);
}

// A fused benzene or a phenyl branch lying on the far side of its
// bond had the second lines of its double bonds outside the ring. Every
// ring, chain and group command runs on ethane, flat and in 3D, and on a
// six-ring fused above it (whose bonds were made with side 1, outside);
// "2" and "4" are the bond keys. 3D rings pucker, and then no side of a
// bond on the screen holds all its neighbours.
TEST_F(DoubleBondSidesTest, SecondLinesLieTowardsTheBondsNeighbours) {
  std::vector<int> codes = {
      boatcommand,        chaircommand,       oxocommand,
      iminocommand,       thioxocommand,      methylenecommand,
      isobutanecommand,   isopentanecommand,  addbenzenecommand,
      fusebenzenecommand, branchphenylcommand};
  codes.insert(codes.end(), {'2', '4'});
  for (int n = 3; n <= 10; ++n) {  // ring sizes
    codes.insert(codes.end(), {familycode(tcommandfamily::addring, n),
                               familycode(tcommandfamily::fusering, n),
                               familycode(tcommandfamily::branchring, n),
                               familycode(tcommandfamily::joinring, n)});
  }
  for (int code = ethylenecommand; code <= allenecommand; ++code) {
    codes.push_back(code);
  }
  for (const tgrouprow& row : grouprows()) {
    codes.push_back(row.code);
  }
  const double clicks[][2] = {{115, 130}, {115, 70}, {160, 110}, {70, 90}};
  for (const int start : {0, 1, 2}) {
    for (const int code : codes) {
      for (const auto& [x, y] : clicks) {
        SCOPED_TRACE(::testing::Message()
                     << code << " at " << x << "," << y << " from " << start);
        session().newdrawing();
        session().settings.build3d = start == 1;
        bond(atom(6, 100, 100), atom(6, 130, 100));
        if (start == 2) {
          fusering(context(), 115, 70, 6);
        }
        tcommandstate state;
        if (code < 100 ? runkeyedit(static_cast<char>(code), x, y)
                       : runcommand(x, y, code, state).snapshot) {
          for (tbond* each : drawing().bonds) {
            const int kind = each->kind();
            // Trans substituents give no side to prefer.
            if ((kind == 3 || kind == 4) && each->style == tbondstyle::normal &&
                std::abs(towardsneighbours(drawing(), *each)) > 1.0) {
              EXPECT_GT(towardsneighbours(drawing(), *each), 0.0)
                  << "bond " << drawing().bondposition(each);
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "io/smiles_format.h"
#include "model/atom.h"
#include "model/bond.h"
#include "support/atomic_file.h"
#include "testing/read_checks.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace molvane {
namespace {

/// The atoms of a smallest ring through bond, found by walking out from
/// both ends at once; empty when the bond is in no ring.
std::vector<const tatm*> smallestring(const tdrawing& drawing,
                                      const tbond& bond) {
  std::map<const tatm*, const tatm*> parent{{bond.atom1, nullptr}};
  std::deque<const tatm*> queue{bond.atom1};
  while (!queue.empty()) {
    const tatm* atom = queue.front();
    queue.pop_front();
    for (const tbond* each : drawing.bondsof(atom)) {
      const tatm* other = each->other(atom);
      if (each == &bond || other == nullptr || parent.count(other) > 0) {
        continue;
      }
      parent[other] = atom;
      if (other == bond.atom2) {
        std::vector<const tatm*> ring;
        for (const tatm* at = other; at != nullptr; at = parent[at]) {
          ring.push_back(at);
        }
        return ring;
      }
      queue.push_back(other);
    }
  }
  return {};
}

/// Counts the ring double bonds of a drawing and fails for each whose
/// second line is drawn away from its ring's centre.
int checkringbonds(tdrawing& drawing) {
  int checked = 0;
  for (tbond* bond : drawing.bonds) {
    const int kind = bond->kind();
    if ((kind != 3 && kind != 4) || bond->style != tbondstyle::normal ||
        bond->atom1 == nullptr || bond->atom2 == nullptr) {
      continue;
    }
    const std::vector<const tatm*> ring = smallestring(drawing, *bond);
    if (ring.size() < 3 || ring.size() > 12) {
      continue;
    }
    double cx = 0.0;
    double cy = 0.0;
    for (const tatm* atom : ring) {
      cx += atom->x / static_cast<double>(ring.size());
      cy += atom->y / static_cast<double>(ring.size());
    }
    bond->calcoffsets();
    // Atoms on one point (a file without coordinates) give no side.
    if (bond->offx == 0 && bond->offy == 0) {
      continue;
    }
    const double mx = (bond->atom1->x + bond->atom2->x) / 2.0;
    const double my = (bond->atom1->y + bond->atom2->y) / 2.0;
    EXPECT_GT(bond->side * (bond->offx * (cx - mx) + bond->offy * (cy - my)),
              0.0)
        << "bond " << bond->atom1->ownerposition() << "-"
        << bond->atom2->ownerposition();
    ++checked;
  }
  return checked;
}

// Issue #30: structures read from SMILES and files drew the second line of
// ring double bonds on the side of the bond's first atom, often outside.
TEST(RingSecondLines, SmilesRingsDrawTheirSecondLinesInside) {
  const char* cases[] = {
      "O=C(/C=C/c1ccccc1)c1ccc(Cl)cc1",  // the chalcone of the issue
      "Clc1ccccc1",
      "c1ccc2ccccc2c1",  // a fusion: each line in its ring
      "C1=CCC=C1",
      "O=C1C=CC(=O)C=C1",
      "Cn1cnc2c1c(=O)n(C)c(=O)n2C",
  };
  for (const char* smiles : cases) {
    SCOPED_TRACE(smiles);
    treadresult read = readsmilesline(1, smiles);
    EXPECT_GT(checkringbonds(testing::drawingof(read)), 0);
  }
}

TEST(RingSecondLines, ThirdPartyFilesDrawTheirSecondLinesInside) {
  const std::filesystem::path shared(MOLVANE_SHARED_DATA);
  if (!std::filesystem::exists(shared / "molecules") ||
      !std::filesystem::exists(shared / "corpus")) {
    GTEST_SKIP() << "the shared molecules and corpus are not at " << shared;
  }
  const std::set<std::string> extensions = {".mol", ".mdl", ".sdf",
                                            ".sd",  ".cml", ".xml"};
  int checked = 0;
  for (const char* folder : {"molecules", "corpus"}) {
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(shared / folder)) {
      if (extensions.count(entry.path().extension().string()) == 0) {
        continue;
      }
      SCOPED_TRACE(entry.path().string());
      std::vector<std::uint8_t> bytes;
      ASSERT_EQ(readwholefile(entry.path(), bytes, 1 << 24), "");
      const tformatrow* row = formatofpath(entry.path());
      for (treadresult& read : readexchangerecords(
               bytes, row != nullptr ? row->format : tfileformat::mdl)) {
        if (read.drawing != nullptr) {
          checked += checkringbonds(*read.drawing);
        }
      }
    }
  }
  EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace molvane

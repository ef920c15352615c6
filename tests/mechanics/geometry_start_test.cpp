// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/hydrogens.h"
#include "chemistry/stereo_lift.h"
#include "document/drawing.h"
#include "io/mdl_format.h"
#include "io/smiles_format.h"
#include "mechanics/distance_geometry.h"
#include "mechanics/embedding.h"
#include "mechanics/force_field.h"
#include "mechanics/optimizer.h"
#include "model/atom.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace molvane {
namespace {

std::unique_ptr<tdrawing> fromsmiles(const std::string& smiles) {
  treadresult read = readsmilesfile(testing::bytesof(smiles + "\n"));
  EXPECT_EQ(read.error, "") << smiles;
  return std::move(read.drawing);
}

struct tmolecule {
  const char* name;
  const char* smiles;
  std::size_t centres;
  std::size_t doublebonds;
};

// Molecules whose starts are hard to get right: fused and bridged rings,
// a spiro centre, double bonds in rings.
const tmolecule hard[] = {
    {"cholesterol",
     "C[C@H](CCCC(C)C)[C@H]1CC[C@@H]2[C@@]1(CC[C@H]3[C@H]2CC=C4[C@@]3(CC[C@@H]"
     "(C4)O)C)C",
     8, 0},
    {"trans-decalin", "C1CC[C@@H]2CCCC[C@H]2C1", 2, 0},
    {"cis-cyclooctene", "C1CC/C=C\\CCC1", 0, 0},
    {"trans-cyclodecene", "C1CCC/C=C/CCCC1", 0, 1},
    {"spiro centre", "C[C@@H]1CC[C@]2(C1)CCOC2", 2, 0},
    {"camphor", "CC1(C)[C@@H]2CC[C@@]1(C)C(=O)C2", 2, 0},
};

TEST(GeometryStart, StartsAreClashFreeAndHoldWhatTheDrawingStates) {
  for (const tmolecule& each : hard) {
    SCOPED_TRACE(each.name);
    std::unique_ptr<tdrawing> drawing = fromsmiles(each.smiles);
    ASSERT_NE(drawing, nullptr);
    const tstereopreparation stereo = preparestereo(*drawing);
    EXPECT_GE(stereo.stated.centres.size(), each.centres);
    EXPECT_GE(stereo.stated.doublebonds.size(), each.doublebonds);
    addhydrogens3d(*drawing);
    markstereo(*drawing, stereo.stated);
    for (std::uint64_t seed : {1u, 2u, 3u}) {
      SCOPED_TRACE("seed " + std::to_string(seed));
      std::vector<tatm*> atoms;
      tgeometrystart start;
      {
        tforcefield field(*drawing);
        ASSERT_EQ(field.setupforcefield(), "");
        atoms = field.atoms();
        start = buildgeometrystart(field, stereo.stated, seed);
      }
      ASSERT_EQ(start.xyz.size(), 3 * atoms.size());
      EXPECT_EQ(start.clashes, 0);
      EXPECT_EQ(start.wrongstereo, 0);
      for (std::size_t i = 0; i < atoms.size(); ++i) {
        atoms[i]->x = start.xyz[3 * i];
        atoms[i]->y = start.xyz[3 * i + 1];
        atoms[i]->z = start.xyz[3 * i + 2];
      }
      // Judged again from the drawing, not from the start's own counts.
      EXPECT_EQ(countclashes(*drawing), 0);
      EXPECT_EQ(unheldstereo(stereo.stated, true), 0);
    }
  }
}

TEST(GeometryStart, EmbedKeepsRingDoubleBondsAndBridgesAndIsRepeatable) {
  for (const tmolecule& each : hard) {
    SCOPED_TRACE(each.name);
    std::unique_ptr<tdrawing> first = fromsmiles(each.smiles);
    std::unique_ptr<tdrawing> second = fromsmiles(each.smiles);
    ASSERT_NE(first, nullptr);
    const tstatedstereo wanted = statedstereo(*first);
    const tembedresult result = embedmolecule(*first, {3, 7, {}, {}});
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.startclashes, 0);
    EXPECT_EQ(result.unheld, 0);
    EXPECT_EQ(unheldstereo(wanted, true), 0);
    EXPECT_EQ(countclashes(*first), 0);
    // The same seed builds the same model.
    ASSERT_EQ(embedmolecule(*second, {3, 7, {}, {}}).error, "");
    ASSERT_EQ(first->atoms.count(), second->atoms.count());
    for (int i = 0; i < first->atoms.count(); ++i) {
      EXPECT_DOUBLE_EQ(first->atoms.items(i)->z, second->atoms.items(i)->z);
    }
  }
}

// A single conformer must keep every centre whose hydrogen was implicit in
// the drawing: the restraints name the hydrogen once it is added, or a
// start may put it beside the other three and the relaxation turns the
// centre over.
TEST(GeometryStart, OneConformerKeepsCentresWithAddedHydrogens) {
  for (const char* smiles :
       {"CO[C@@H]1[C@@H](c2ccccc2)Oc2c(ccc3occc23)[C@@H]1OC",
        "C=C[C@H]1CC[C@H]2[C@@H]3CC[C@H]4C[C@@H](O)CC[C@]4(CO)[C@H]3CC[C@]"
        "12C"}) {
    SCOPED_TRACE(smiles);
    for (std::uint64_t seed : {1u, 2u, 3u}) {
      std::unique_ptr<tdrawing> drawing = fromsmiles(smiles);
      ASSERT_NE(drawing, nullptr);
      const tembedresult result = embedmolecule(*drawing, {1, seed, {}, {}});
      ASSERT_EQ(result.error, "");
      EXPECT_EQ(result.unheld, 0) << "seed " << seed;
    }
  }
}

TEST(GeometryStart, MolfileOfAModelStatesItsStereoToAFlatReader) {
  for (const tmolecule& each : hard) {
    if (each.centres == 0) {
      continue;
    }
    SCOPED_TRACE(each.name);
    std::unique_ptr<tdrawing> drawing = fromsmiles(each.smiles);
    ASSERT_NE(drawing, nullptr);
    ASSERT_EQ(embedmolecule(*drawing, {1, 1, {}, {}}).error, "");
    const tstatedstereo model = statedstereo(*drawing);
    ASSERT_GE(model.centres.size(), each.centres);
    // What a reader of flat drawings sees: the picture and its wedges.
    const std::vector<std::uint8_t> written = writemolfile(*drawing);
    std::string text(written.begin(), written.end());
    std::size_t line = 0;
    const int atoms = drawing->atoms.count();
    for (std::size_t at = 0, n = 0; at < text.size() && n < 4u + atoms;
         at = text.find('\n', at) + 1, ++n) {
      line = at;
      if (n >= 4) {
        text.replace(line + 20, 10, "    0.0000");
      }
    }
    treadresult read = readmdl(testing::bytesof(text));
    ASSERT_NE(read.drawing, nullptr) << read.error << "\n" << text;
    tdrawing& flat = *read.drawing;
    ASSERT_EQ(flat.atoms.count(), drawing->atoms.count());
    const tstatedstereo seen = statedstereo(flat);
    ASSERT_EQ(seen.centres.size(), model.centres.size());
    // Each centre the flat reader sees, in the model's own atoms, is one
    // the model holds.
    for (const tstatedcentre& centre : seen.centres) {
      tstatedcentre inmodel = centre;
      inmodel.centre = drawing->atoms.items(flat.atoms.indexof(centre.centre));
      for (tatm*& neighbour : inmodel.neighbours) {
        if (neighbour != nullptr) {
          neighbour = drawing->atoms.items(flat.atoms.indexof(neighbour));
        }
      }
      EXPECT_EQ(holds(inmodel), 1);
    }
  }
}

TEST(GeometryStart, AddHs3DAndTheOptimiserPassOnTheLiftsWarnings) {
  // A wedge between two hydrogens states no centre.
  const std::string block =
      "\n     test\n\n"
      "  3  2  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.0000 C   0  0\n"
      "    1.5000    0.0000    0.0000 O   0  0\n"
      "    1.5000    1.5000    0.0000 H   0  0\n"
      "  1  2  1  0\n  2  3  1  1\nM  END\n";
  for (bool optimise : {false, true}) {
    SCOPED_TRACE(optimise ? "optimiser" : "Add Hs 3D");
    treadresult read = readmdl(testing::bytesof(block));
    ASSERT_NE(read.drawing, nullptr);
    std::string warning;
    if (optimise) {
      toptimizer optimizer(*read.drawing);
      optimizer.settings.maxseconds = 0.2;
      ASSERT_EQ(optimizer.runoptimizer(toptimizermethod::refine), "");
      warning = optimizer.state().warning;
    } else {
      EXPECT_GT(addhydrogens3d(*read.drawing, warning), 0);
    }
    EXPECT_NE(warning.find("states no centre"), std::string::npos) << warning;
  }
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing.h"
#include "io/smiles_format.h"
#include "mechanics/embedding.h"
#include "mechanics/molecular_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace molvane {
namespace {

struct treference {
  const char* name;
  const char* smiles;
  double debye;  ///< measured, gas phase
  bool fitted;   ///< one of the ten the lone-pair weights were fitted to
};

// Gas-phase dipole moments from the CRC Handbook of Chemistry and Physics,
// "Dipole Moments" table (caffeine: an estimate for the free molecule).
constexpr treference references[] = {
    {"water", "O", 1.85, true},
    {"ammonia", "N", 1.47, true},
    {"hydrogen cyanide", "C#N", 2.98, true},
    {"pyridine", "c1ccncc1", 2.22, true},
    {"acetone", "CC(C)=O", 2.88, true},
    {"methanol", "CO", 1.70, true},
    {"chloromethane", "CCl", 1.87, true},
    {"acetonitrile", "CC#N", 3.92, true},
    {"formaldehyde", "C=O", 2.33, true},
    {"fluorobenzene", "Fc1ccccc1", 1.60, true},
    {"ethanol", "CCO", 1.69, false},
    {"acetaldehyde", "CC=O", 2.75, false},
    {"methylamine", "CN", 1.31, false},
    {"chlorobenzene", "Clc1ccccc1", 1.69, false},
    {"benzonitrile", "N#Cc1ccccc1", 4.18, false},
};

// Issue #30: the dipoles of the charges alone were far too low where lone
// pairs make the moment (pyridine 0.74 D, HCN 1.06 D, ammonia 0.73 D).
// Relaxed models of the fitted molecules come within 0.4 D of their
// measured moments; those left out of the fit within 0.75 D.
TEST(DipoleReference, RelaxedModelsComeNearTheirMeasuredMoments) {
  double squares = 0.0;
  for (const treference& reference : references) {
    SCOPED_TRACE(reference.name);
    treadresult read = readsmilesline(1, reference.smiles);
    ASSERT_NE(read.drawing, nullptr) << read.error;
    tdrawing& drawing = *read.drawing;
    ASSERT_EQ(embedmolecule(drawing).error, "");
    const double debye = moleculardata(drawing).dipole.debye;
    EXPECT_NEAR(debye, reference.debye, reference.fitted ? 0.4 : 0.75);
    squares += (debye - reference.debye) * (debye - reference.debye);
  }
  EXPECT_LT(std::sqrt(squares / std::size(references)), 0.3);
}

}  // namespace
}  // namespace molvane

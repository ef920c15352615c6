// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/drawing.h"
#include "io/smiles_format.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace molvane::testing {

/// The drawing one SMILES line reads as, atoms in SMILES order; a line the
/// reader refuses fails the test and gives null.
inline std::unique_ptr<tdrawing> fromsmiles(const std::string& smiles) {
  treadresult read = readsmilesfile(bytesof(smiles + "\n"));
  EXPECT_EQ(read.error, "") << smiles;
  return std::move(read.drawing);
}

}  // namespace molvane::testing

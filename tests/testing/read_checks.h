// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"
#include "model/formula.h"
#include "support/number_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace molvane::testing {

/// The drawing a read gave. A read that gave none fails the test with its
/// error and ends it, as a fatal assertion would.
inline tdrawing& drawingof(const treadresult& result) {
  if (result.drawing == nullptr) {
    ADD_FAILURE() << "the read gave no drawing: " << result.error;
    throw std::runtime_error("the read gave no drawing");
  }
  return *result.drawing;
}
/// A temporary result would take its drawing with it.
tdrawing& drawingof(const treadresult&& result) = delete;

/// The Hill formula of a record that was read, else its error.
inline std::string outcome(const treadresult& result) {
  return result.drawing != nullptr ? hillformula(*result.drawing)
                                   : result.error;
}

/// Writes text to path as it is, byte for byte, and gives the path back.
inline std::filesystem::path writetext(const std::filesystem::path& path,
                                       const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path;
}

/// A V2000 atom line at (x, y, 0) with a charge code and a valence field.
inline std::string molatom(std::string symbol, double x = 0.0, double y = 0.0,
                           int chargecode = 0, int valence = 0) {
  symbol.resize(3, ' ');
  return formatfixed(x, 4, 10) + formatfixed(y, 4, 10) +
         formatfixed(0.0, 4, 10) + " " + symbol + " 0" +
         formatinteger(chargecode, 3) + "  0  0  0" +
         formatinteger(valence, 3) + "\n";
}

/// A V2000 bond line.
inline std::string molbond(int a, int b, int type = 1, int stereo = 0) {
  return formatinteger(a, 3) + formatinteger(b, 3) + formatinteger(type, 3) +
         formatinteger(stereo, 3) + "\n";
}

/// A V2000 molfile: three header lines, counts, the atom and bond lines,
/// the property lines and M  END.
inline std::string molfiletext(const std::vector<std::string>& atoms,
                               const std::vector<std::string>& bonds,
                               const std::string& properties = "") {
  std::string text = "title\n  test\n\n" +
                     formatinteger(static_cast<long>(atoms.size()), 3) +
                     formatinteger(static_cast<long>(bonds.size()), 3) +
                     "  0  0  0  0  0  0  0  0999 V2000\n";
  for (const std::string& line : atoms) {
    text += line;
  }
  for (const std::string& line : bonds) {
    text += line;
  }
  return text + properties + "M  END\n";
}

}  // namespace molvane::testing

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace molvane {

/// A fresh session and a temporary folder to write input files into.
class tclifiles : public ::testing::Test {
 protected:
  /// Writes text to name in the folder; returns the file's path.
  std::string write(const std::string& name, const std::string& text) {
    const auto path = folder.path() / name;
    std::ofstream(path) << text;
    return path.string();
  }

  tsessionguard guard;
  testing::ttemporaryfolder folder;
};

}  // namespace molvane

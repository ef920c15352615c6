// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/test_session.h"

#include <memory>
#include <random>
#include <system_error>

namespace molvane::testing {

tatm* tdrawingtest::atom(int element, double x, double y, double z,
                         int labelmode) const {
  return drawing().addatom(std::make_unique<tatm>(element, labelmode, x, y, z));
}

tbond* tdrawingtest::bond(tatm* a, tatm* b, int kind) const {
  return drawing().addbond(std::make_unique<tbond>(a, 0, 1, kind, b));
}

ttemporaryfolder::ttemporaryfolder() {
  std::random_device entropy;
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info != nullptr ? info->name() : "test";
  path_ = std::filesystem::temp_directory_path() /
          ("molvane-" + name + "-" + std::to_string(entropy()));
  std::filesystem::create_directories(path_);
}

ttemporaryfolder::~ttemporaryfolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace molvane::testing

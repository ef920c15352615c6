// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/test_session.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <numbers>
#include <random>
#include <system_error>

namespace molvane::testing {

tatm* tdrawingtest::atom(int element, double x, double y, double z,
                         int labelmode) const {
  return drawing().addatom(std::make_unique<tatm>(element, labelmode, x, y, z));
}

tbond* tdrawingtest::bond(tatm* a, tatm* b, int kind) const {
  return drawing().addbond(
      std::make_unique<tbond>(a, 0, tbondstyle::normal, kind, b));
}

std::vector<tatm*> tdrawingtest::benzene(double cx, double cy,
                                         bool delocalised) const {
  std::vector<tatm*> ring;
  for (int i = 0; i < 6; ++i) {
    const double angle = i * std::numbers::pi / 3.0;
    ring.push_back(
        atom(6, cx + 30 * std::cos(angle), cy + 30 * std::sin(angle)));
  }
  for (std::size_t i = 0; i < 6; ++i) {
    bond(ring[i], ring[(i + 1) % 6], i % 2 == 0 ? 4 : 2)
        ->setdelocalised(delocalised);
  }
  return ring;
}

trecordingmessages& tdrawingtest::recordmessages() {
  session().setmessages(&recorded_);
  return recorded_;
}

double angleat(const tatm& centre, const tatm& a, const tatm& b) {
  const double cosine = ((a.x - centre.x) * (b.x - centre.x) +
                         (a.y - centre.y) * (b.y - centre.y) +
                         (a.z - centre.z) * (b.z - centre.z)) /
                        (centre.distance(a) * centre.distance(b));
  return std::acos(std::clamp(cosine, -1.0, 1.0)) * 180.0 / std::numbers::pi;
}

double torsionat(const tatm& a, const tatm& b, const tatm& c, const tatm& d) {
  const auto minus = [](const tatm& p, const tatm& q) {
    return std::array<double, 3>{p.x - q.x, p.y - q.y, p.z - q.z};
  };
  const auto cross = [](const auto& u, const auto& v) {
    return std::array<double, 3>{u[1] * v[2] - u[2] * v[1],
                                 u[2] * v[0] - u[0] * v[2],
                                 u[0] * v[1] - u[1] * v[0]};
  };
  const auto dot = [](const auto& u, const auto& v) {
    return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
  };
  const auto b1 = minus(b, a), b2 = minus(c, b), b3 = minus(d, c);
  const auto n2 = cross(b2, b3);
  return std::atan2(std::sqrt(dot(b2, b2)) * dot(b1, n2),
                    dot(cross(b1, b2), n2)) *
         180.0 / std::numbers::pi;
}

double heading(const tatm& a, const tatm& b) {
  const double angle =
      std::atan2(b.y - a.y, b.x - a.x) * 180.0 / std::numbers::pi;
  return angle < -1e-9 ? angle + 360.0 : angle;
}

std::vector<std::filesystem::path> corpusfiles(std::string_view format) {
  const std::filesystem::path folder =
      std::filesystem::path(MOLVANE_FUZZ_CORPUS) / format;
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  EXPECT_FALSE(files.empty()) << "no corpus files in " << folder;
  return files;
}

std::vector<std::uint8_t> corpusfile(std::string_view format,
                                     std::string_view name) {
  const std::filesystem::path path =
      std::filesystem::path(MOLVANE_FUZZ_CORPUS) / format / name;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "missing corpus file " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

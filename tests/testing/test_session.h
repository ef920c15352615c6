// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/drawing.h"
#include "document/messages.h"
#include "document/session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace molvane::testing {

/// Keeps every message core code sends, and answers confirmations.
class trecordingmessages final : public tmessages {
 public:
  void inform(const std::string& text) override { informs.push_back(text); }
  void warn(const std::string& text) override { warnings.push_back(text); }
  void error(const std::string& text) override { errors.push_back(text); }
  bool confirm(const std::string& text) override {
    confirmations.push_back(text);
    return answer;
  }

  std::vector<std::string> informs;
  std::vector<std::string> warnings;
  std::vector<std::string> errors;
  std::vector<std::string> confirmations;
  bool answer = true;
};

/// A fresh session per test, with helpers that build atoms and bonds in the
/// current drawing.
class tdrawingtest : public ::testing::Test {
 protected:
  tdrawing& drawing() const { return *session().drawing(); }
  tatm* atom(int element, double x, double y, double z = 0.0,
             int labelmode = 0) const;
  tbond* bond(tatm* a, tatm* b, int kind = 2) const;
  /// Six carbons 30 apart round (cx, cy), the first at angle 0, joined by
  /// bonds of kinds 4, 2, 4, 2, 4, 2 as the program builds benzene.
  std::vector<tatm*> benzene(double cx, double cy, bool delocalised) const;
  /// Sends the session's messages to a recorder for the rest of the test.
  trecordingmessages& recordmessages();

  trecordingmessages recorded_;  // declared first: outlives the session
  tsessionguard guard;
};

/// The angle a-centre-b in degrees.
double angleat(const tatm& centre, const tatm& a, const tatm& b);
/// The torsion a-b-c-d in degrees, -180 to 180.
double torsionat(const tatm& a, const tatm& b, const tatm& c, const tatm& d);
/// The screen direction from a to b in degrees, 0 <= angle < 360, y down.
double heading(const tatm& a, const tatm& b);

inline std::vector<std::uint8_t> bytesof(std::string_view text) {
  return {text.begin(), text.end()};
}

inline std::string textof(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

/// The seed files of the fuzz corpus of one format (fuzz/corpus/<format>/),
/// sorted by name; a missing or empty folder fails the test.
std::vector<std::filesystem::path> corpusfiles(std::string_view format);
/// The bytes of fuzz/corpus/<format>/<name>; a missing file fails the test.
std::vector<std::uint8_t> corpusfile(std::string_view format,
                                     std::string_view name);

/// A new empty folder for the files of one test, removed by the caller's
/// scope guard.
class ttemporaryfolder {
 public:
  ttemporaryfolder();
  ~ttemporaryfolder();
  ttemporaryfolder(const ttemporaryfolder&) = delete;
  ttemporaryfolder& operator=(const ttemporaryfolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace molvane::testing

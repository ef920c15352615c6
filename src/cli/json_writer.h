// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace molvane {

/// Builds one flat JSON object, member by member, in the order given.
class tjsonobject {
 public:
  void addtext(std::string_view key, std::string_view value);
  void addinteger(std::string_view key, long value);
  /// value written with a fixed number of decimals.
  void addreal(std::string_view key, double value, int decimals);
  void addboolean(std::string_view key, bool value);
  /// An array of texts.
  void addtexts(std::string_view key, const std::vector<std::string>& values);
  /// An array of reals, each with a fixed number of decimals.
  void addreals(std::string_view key, const std::vector<double>& values,
                int decimals);
  std::string text() const;

 private:
  void addkey(std::string_view key);
  std::string members_;
};

/// The text as a JSON string literal, quotes included.
std::string jsonquoted(std::string_view text);

}  // namespace molvane

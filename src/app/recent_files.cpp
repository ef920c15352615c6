// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recent_files.h"

#include "support/atomic_file.h"

#include <algorithm>
#include <cctype>

namespace molvane {

namespace {

std::string uppercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  });
  return text;
}

constexpr std::size_t largestrecents = std::size_t{64} * 1024;

}  // namespace

bool trecentfiles::add(const std::string& name) {
  if (name.empty()) {
    return false;
  }
  // Whole names are compared: "A.MLV" is not the same document as
  // "/home/BA.MLV" although the one contains the other.
  const std::string key = uppercase(name);
  for (const std::string& entry : names_) {
    if (uppercase(entry) == key) {
      return false;
    }
  }
  if (names_.size() >= mostrecentfiles) {
    names_.erase(names_.begin());
  }
  names_.push_back(name);
  return true;
}

void trecentfiles::load(const std::filesystem::path& file) {
  names_.clear();
  std::vector<std::uint8_t> bytes;
  if (!readwholefile(file, bytes, largestrecents).empty()) {
    return;
  }
  std::string line;
  auto take = [this, &line] {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.empty()) {
      add(line);
    }
    line.clear();
  };
  for (std::uint8_t byte : bytes) {
    if (byte == '\n') {
      take();
    } else {
      line.push_back(static_cast<char>(byte));
    }
  }
  take();
}

std::string trecentfiles::save(const std::filesystem::path& file) const {
  std::vector<std::uint8_t> bytes;
  for (const std::string& name : names_) {
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.push_back('\n');
  }
  return writefileatomically(file, bytes);
}

std::string trecentfiles::captionof(const std::string& name) {
  return uppercase(std::filesystem::path(name).filename().string());
}

}  // namespace molvane

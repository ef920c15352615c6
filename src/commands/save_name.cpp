// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/save_name.h"

#include "io/document_files.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace molvane {

bool isuntitledname(const std::filesystem::path& filename) {
  const std::string name = filename.filename().string();
  const std::string untitled = untitledname;
  return name.empty() ||
         std::equal(name.begin(), name.end(), untitled.begin(), untitled.end(),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) == b;
                    });
}

std::filesystem::path saveasname(const std::filesystem::path& filename,
                                 const std::filesystem::path& folder) {
  std::filesystem::path start = filename;
  if (isuntitledname(filename)) {
    start = folder / untitledname;
  } else if (filename.is_relative()) {
    start = folder / filename.filename();
  }
  return documentnames(start).native;
}

}  // namespace molvane

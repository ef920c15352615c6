// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/save_name.h"

#include "io/document_files.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

// Save As of an opened "x.mol" proposed "x.mol", asked to replace
// it, then wrote "x.MLV".
TEST(SaveAsName, ProposesTheDocumentTheSaveWrites) {
  const std::filesystem::path folder = "/data";
  const std::pair<const char*, const char*> cases[] = {
      {"/docs/x.mol", "/docs/x.MLV"},
      {"/docs/x.sdf.xml", "/docs/x.MLV"},
      {"/docs/x.mlv", "/docs/x.mlv"},
      {"/docs/x.Mlv", "/docs/x.Mlv"},
      {"/docs/noextension", "/docs/noextension.MLV"},
      {"y.cml", "/data/y.MLV"},
      {"untitled.mlv", "/data/untitled.mlv"},
      {"/docs/UNTITLED.MLV", "/data/untitled.mlv"},
      {"", "/data/untitled.mlv"}};
  for (const auto& [filename, proposed] : cases) {
    SCOPED_TRACE(filename);
    const std::filesystem::path name = saveasname(filename, folder);
    EXPECT_EQ(name, std::filesystem::path(proposed));
    EXPECT_EQ(documentnames(name).native, name);
  }
}

}  // namespace
}  // namespace molvane

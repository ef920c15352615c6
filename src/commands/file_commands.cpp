// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/file_commands.h"

#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"

#include <utility>

namespace molvane {

bool opendocument(const std::filesystem::path& path) {
  treadresult result = loaddocument(path);
  if (!result.error.empty() || result.drawing == nullptr) {
    session().messages().error(filereaderror);
    return false;
  }
  for (const std::string& notice : result.notices) {
    session().messages().warn(notice);
  }
  result.drawing->filename = path.string();
  result.drawing->saved = true;
  session().setdrawing(std::move(result.drawing));
  session().resetsnapshots();
  session().repaint();
  return true;
}

bool savecurrentdocument(const std::filesystem::path& path) {
  tsaveresult result = savedocument(*session().drawing(), path);
  if (!result.error.empty()) {
    session().messages().error(invalidfilename);
  }
  for (const std::string& notice : result.notices) {
    session().messages().warn(notice);
  }
  return result.written;
}

}  // namespace molvane

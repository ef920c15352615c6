// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/file_commands.h"

#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"

#include <utility>

namespace molvane {

std::unique_ptr<tdrawing> readforcommand(const std::filesystem::path& path) {
  treadresult result = loaddocument(path);
  if (!result.error.empty() || result.drawing == nullptr) {
    session().messages().error(filereaderror);
    return nullptr;
  }
  for (const std::string& notice : result.notices) {
    session().messages().warn(notice);
  }
  return std::move(result.drawing);
}

bool opendocument(const std::filesystem::path& path) {
  std::unique_ptr<tdrawing> drawing = readforcommand(path);
  if (drawing == nullptr) {
    return false;
  }
  drawing->filename = path.string();
  drawing->saved = true;
  session().setdrawing(std::move(drawing));
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

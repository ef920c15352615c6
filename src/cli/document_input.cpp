// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/document_input.h"

#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"

#include <utility>

namespace molvane {

std::string openinput(const std::string& path) {
  return adoptinput(path, loaddocument(path, session().settings));
}

std::string adoptinput(const std::string& path, treadresult result) {
  const treadextent extent = result.extent();
  if (extent == treadextent::nothing) {
    return std::string(filereaderror) + ": " + result.error;
  }
  if (extent == treadextent::partial) {
    session().messages().warn(std::string(filereaderror) + ": \"" + path +
                              "\" is cut short or damaged; only its first "
                              "part was read");
  }
  for (const std::string& notice : result.notices) {
    session().messages().warn(notice);
  }
  session().setdrawing(std::move(result.drawing));
  session().resetsnapshots();
  return "";
}

}  // namespace molvane

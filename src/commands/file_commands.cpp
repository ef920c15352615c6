// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/file_commands.h"

#include "commands/save_name.h"
#include "document/drawing.h"
#include "document/session.h"
#include "document/symbol.h"
#include "io/document_files.h"

#include <string>
#include <utility>

namespace molvane {

treadresult readforcommand(const std::filesystem::path& path,
                           trecordchoice choice) {
  treadresult result = loadrecords(path, choice);
  const treadextent extent = result.extent();
  if (extent == treadextent::nothing) {
    session().messages().errordetail(filereaderror, result.error);
    result.drawing = nullptr;
    return result;
  }
  if (extent == treadextent::partial) {
    session().messages().warn(filereaderror);
  }
  for (const std::string& notice : result.notices) {
    session().messages().warn(notice);
  }
  return result;
}

bool hasunsavedwork(const tdrawing& drawing) {
  return !drawing.saved &&
         (drawing.atoms.count() > 0 || drawing.symbols.count() > 0);
}

tsaveanswer asktosaveunsavedwork() {
  const tdrawing& drawing = *session().drawing();
  if (!hasunsavedwork(drawing)) {
    return tsaveanswer::discard;
  }
  const std::string name =
      std::filesystem::path(drawing.filename).filename().string();
  return session().messages().asktosave("Save changes to " + name + "?");
}

bool mayreplacedrawing() {
  return !hasunsavedwork(*session().drawing()) ||
         session().messages().confirm(replacedrawing);
}

treadextent opendocument(const std::filesystem::path& path,
                         trecordchoice choice) {
  treadresult result = readforcommand(path, choice);
  const treadextent extent = result.extent();
  if (extent == treadextent::nothing) {
    return extent;
  }
  tdrawing& drawing = *result.drawing;
  if (extent == treadextent::whole) {
    drawing.filename = path.string();
    drawing.saved = true;
  } else {
    drawing.filename = untitledname;
    drawing.saved = false;
  }
  session().setdrawing(std::move(result.drawing));
  session().resetsnapshots();
  session().repaint();
  return extent;
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

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/label_commands.h"

#include "commands/command_codes.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/number_text.h"

#include <memory>

namespace molvane {

namespace {

// Greek small delta in UTF-8, as label texts are stored.
constexpr const char* deltaplus = "\xCE\xB4+";
constexpr const char* deltaminus = "\xCE\xB4-";

}  // namespace

tLAtm* addlabel(double x, double y, int code) {
  tdrawing& drawing = *session().drawing();
  std::unique_ptr<tLAtm> label;
  switch (code) {
    case textlabelcommand:
      label = std::make_unique<tLAtm>("Text", x, y);
      break;
    case formulalabelcommand:
      label = tLAtm::highlightedlabel("Formula", x, y);
      break;
    case pluslabelcommand:
      label = std::make_unique<tLAtm>("+", x, y);
      break;
    case temperaturelabelcommand:
      label = std::make_unique<tLAtm>(
          formatfixed(drawing.temperature, 0) + " K", x, y);
      break;
    case deltapluscommand:
      label = std::make_unique<tLAtm>(deltaplus, x, y);
      break;
    case deltaminuscommand:
      label = std::make_unique<tLAtm>(deltaminus, x, y);
      break;
    default:
      return nullptr;
  }
  return static_cast<tLAtm*>(drawing.addatom(std::move(label)));
}

bool editsnewlabel(int code) {
  return code == textlabelcommand || code == formulalabelcommand ||
         code == temperaturelabelcommand;
}

}  // namespace molvane

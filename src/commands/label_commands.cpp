// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/label_commands.h"

#include "commands/command_codes.h"
#include "commands/command_table.h"
#include "document/drawing.h"
#include "support/number_text.h"

#include <memory>

namespace molvane {

namespace {

// Greek small delta in UTF-8, as label texts are stored.
constexpr const char* deltaplus = "\xCE\xB4+";
constexpr const char* deltaminus = "\xCE\xB4-";

}  // namespace

std::unique_ptr<tLAtm> makelabel(int code, double x, double y,
                                 double temperature) {
  switch (code) {
    case textlabelcommand:
      return std::make_unique<tLAtm>("Text", x, y);
    case formulalabelcommand:
      return tLAtm::highlightedlabel("Formula", x, y);
    case pluslabelcommand:
      return std::make_unique<tLAtm>("+", x, y);
    case temperaturelabelcommand:
      return std::make_unique<tLAtm>(formatfixed(temperature, 0) + " K", x, y);
    case deltapluscommand:
      return std::make_unique<tLAtm>(deltaplus, x, y);
    case deltaminuscommand:
      return std::make_unique<tLAtm>(deltaminus, x, y);
    default:
      return nullptr;
  }
}

tLAtm* addlabel(tcommandcontext& context, double x, double y, int code) {
  tdrawing& drawing = context.drawing;
  std::unique_ptr<tLAtm> label = makelabel(code, x, y, drawing.temperature);
  if (label == nullptr) {
    return nullptr;
  }
  return static_cast<tLAtm*>(drawing.addatom(std::move(label)));
}

bool editsnewlabel(int code) {
  return code == textlabelcommand || code == formulalabelcommand ||
         code == temperaturelabelcommand;
}

}  // namespace molvane

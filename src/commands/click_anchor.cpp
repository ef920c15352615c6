// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/click_anchor.h"

#include "commands/command_table.h"
#include "document/drawing.h"
#include "document/messages.h"

namespace molvane {

tatm* nearestatom(const tdrawing& drawing, double x, double y) {
  return drawing.nearestatom(nullptr, x, y);
}

tatm* clickanchor(tcommandcontext& context, double x, double y,
                  const char* emptymessage) {
  tatm* anchor = nearestatom(context.drawing, x, y);
  if (anchor == nullptr) {
    context.messages.inform(emptymessage);
  }
  return anchor;
}

}  // namespace molvane

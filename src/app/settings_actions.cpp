// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_actions.h"

#include "app/tool_host.h"
#include "app/window_dialogs.h"
#include "commands/drawing_settings.h"
#include "document/drawing.h"
#include "document/session.h"
#include "qt/font_mapping.h"

#include <QFont>
#include <QMainWindow>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

namespace molvane {

tsettingsactions::tsettingsactions(ttoolhost& host,
                                   std::filesystem::path datafolder)
    : host_(host), datafolder_(std::move(datafolder)) {
  const tdefaultsload loaded = loaddefaults(datafolder_);
  defaults_ = loaded.record;
  loaderror_ = loaded.error;
  defaults_.applyto(session().settings);
}

void tsettingsactions::opendialog() {
  host_.dialogs().settings(&host_.hostwindow(), *this);
  savedefaults();
  host_.repaintdrawing();
}

void tsettingsactions::choosefont(QWidget* parent) {
  fontrecord& record = session().settings.labelfont;
  const std::optional<QFont> font =
      host_.dialogs().font(parent, qtfontof(record, true));
  if (!font) {
    return;
  }
  record = fontrecordof(*font, record);
  savedefaults();
  host_.repaintdrawing();
}

void tsettingsactions::setlinewidth(int index) {
  applylinewidth(*session().drawing(), session().settings, index);
  savedefaults();
  host_.repaintdrawing();
}

void tsettingsactions::setscale(int index) {
  // The list runs from 40 to 200 per cent of the standard 30 pixels.
  const int bondlength = 12 + 6 * std::clamp(index, 0, 8);
  applybondlength(*session().drawing(), session().settings, bondlength);
  savedefaults();
  host_.keepdrawinginview();
  host_.repaintdrawing();
}

void tsettingsactions::setjump(int index) {
  applyjump(session().settings, index);
  defaults_.takefrom(session().settings);
}

void tsettingsactions::setdoublebond(int index) {
  constexpr std::array<int, 8> spacings{2, 3, 4, 5, 6, 7, 8, 10};
  applydoublebondspacing(
      *session().drawing(), session().settings,
      spacings[static_cast<std::size_t>(std::clamp(index, 0, 7))]);
  savedefaults();
  host_.repaintdrawing();
}

void tsettingsactions::setcolourlabels(bool on) {
  session().settings.colourlabels = on;
  savedefaults();
  host_.repaintdrawing();
}

void tsettingsactions::setsmoothscreen(bool on) {
  session().settings.smoothscreen = on;
  savedefaults();
  host_.repaintdrawing();
}

void tsettingsactions::setnmr(int index) {
  constexpr std::array<int, 6> nuclei{0, 1, 6, 7, 9, 15};
  const auto nucleus = static_cast<std::uint8_t>(
      nuclei[static_cast<std::size_t>(std::clamp(index, 0, 5))]);
  const bool changed = nucleus != session().settings.nmrnucleus;
  session().settings.nmrnucleus = nucleus;
  savedefaults();
  if (changed && nucleuschanged) {
    nucleuschanged();
  }
}

void tsettingsactions::savedefaults() {
  defaults_.takefrom(session().settings);
  const std::string problem = molvane::savedefaults(datafolder_, defaults_);
  if (!problem.empty()) {
    session().messages().warn(problem);
  }
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/settings_file.h"

#include <QPoint>

#include <optional>

class QWidget;

namespace molvane {

class ttoolhost;

/// Where a tool window goes when the user has not placed it yet: beside the
/// main window where the screen has room, else inside the drawing area
/// against its far side, never over the middle of the model; and below any
/// other tool window already open there while the screen has room.
QPoint besidemainwindow(ttoolhost& host, const QWidget& tool);

/// Opens a tool window where the user last left it, else beside the main
/// window, and keeps the place the user moves it to in one entry of the
/// settings file.
class ttoolplacement {
 public:
  using tkept = std::optional<tpaletteplace> tsettingsfile::*;

  ttoolplacement(ttoolhost& host, tkept kept) : host_(host), kept_(kept) {}

  /// Moves the tool to its place; called as it is shown.
  void place(QWidget& tool);
  /// Keeps the tool's place if the user moved it since it was placed;
  /// called as it is hidden.
  void keep(const QWidget& tool);

 private:
  ttoolhost& host_;
  tkept kept_;
  /// Where the tool was put when it was last shown.
  QPoint placed_;
};

}  // namespace molvane

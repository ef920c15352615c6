// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QToolButton;

namespace molvane {

class ttoolhost;

/// "Add Symbol": a palette of the arrows, arcs, triangle and text labels
/// the next click in the drawing creates. Choosing one hands its command
/// code to the main window and hides the palette.
class TSymbolTool final : public QWidget {
 public:
  explicit TSymbolTool(ttoolhost& window);

  /// Shows the palette against the right edge of the screen.
  void showpalette();
  /// The button of an image ("SingleArrow", "AddText", ...); null for an
  /// unknown name.
  QToolButton* image(const QString& name) const;

 private:
  ttoolhost& window_;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/view_commands.h"

#include <QElapsedTimer>
#include <QWidget>

#include <optional>

namespace molvane {

class TMolvane3D;

/// The client area of the main window: shows the window's buffer and the
/// rubber band, and hands mouse and keys to the window. In the 3D draw
/// modes it also turns the model with the middle button (or Alt and the
/// left button) and zooms with the wheel.
class tdrawingview final : public QWidget {
 public:
  explicit tdrawingview(TMolvane3D& window);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  /// In a 3D draw mode the wheel zooms; the turns of one wheel gesture
  /// make one undo step.
  void wheelEvent(QWheelEvent* event) override;

 private:
  TMolvane3D& window_;
  /// The key whose press this view saw; a release is acted on only then, so
  /// the letter of a shortcut such as Ctrl+S never edits the drawing.
  int pressedkey_ = 0;
  quint32 pressedscancode_ = 0;
  Qt::KeyboardModifiers pressedmodifiers_;
  /// A turn of the 3D view by the middle button, or by the left one with
  /// Alt, while it lasts.
  std::optional<tviewdrag> turn_;
  Qt::MouseButton turnbutton_ = Qt::NoButton;
  /// Since the last wheel turn that zoomed.
  QElapsedTimer lastzoom_;
};

}  // namespace molvane

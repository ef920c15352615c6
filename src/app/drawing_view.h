// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace molvane {

class TMolvane3D;

/// The client area of the main window: shows the window's buffer and the
/// rubber band, and hands mouse and keys to the window.
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

 private:
  TMolvane3D& window_;
  /// The key whose press this view saw; a release is acted on only then, so
  /// the letter of a shortcut such as Ctrl+S never edits the drawing.
  int pressedkey_ = 0;
  Qt::KeyboardModifiers pressedmodifiers_;
};

}  // namespace molvane

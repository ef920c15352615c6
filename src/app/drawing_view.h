// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/view_transform.h"

#include <QPoint>
#include <QWidget>

#include <optional>

class QImage;
class QMenu;

namespace molvane {

class TMolvane3D;
class tatm;
struct tbox;

/// The client area of the main window: shows the window's buffer and the
/// rubber band, and hands mouse and keys to the window in drawing
/// coordinates. It owns the view: the wheel zooms about the pointer,
/// Shift with the wheel pans, the middle button pans the 2D drawing and
/// turns a 3D one (so does Alt with the left button). None of this changes
/// the drawing.
class tdrawingview final : public QWidget {
 public:
  explicit tdrawingview(TMolvane3D& window);

  const tviewtransform& viewtransform() const { return view_; }
  /// Paints the current drawing into buffer as the view shows it.
  void render(QImage& buffer);
  /// Adds "Zoom In", "Zoom Out" and "Fit to Window" to menu; their
  /// shortcuts work in the editors' modes too.
  void buildmenu(QMenu& menu);

  /// Zoom about the middle of the view by one step of the keys.
  void zoomin();
  void zoomout();
  /// Zooms and pans so that the whole drawing fills the view.
  void fittowindow();
  /// For a document just opened or imported: not turned, fitted and
  /// centred, enlarged at most largestfitzoom times.
  void showwhole();
  /// For a 3D model just built or changed: fitted and centred as showwhole
  /// does, the turn kept.
  void fitmodel();
  /// For a 3D model just built or changed: turned so that no atom hides
  /// another, then fitted. In the 3D draw modes the view turns; in the 2D
  /// mode, which draws the model's own x and y, the model itself is turned
  /// rigidly, so its shape is kept.
  void showmodel();
  /// For a drawing that a command moved or scaled: panned back into view.
  void keepinview();
  /// For a new drawing: zoom 1, no pan, no turn.
  void resetview();
  /// Where the view shows atom (a label or symbol point too), in its
  /// pixels.
  QPoint windowpointof(const tatm& atom) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  enum class tdrag { none, turn, pan };

  /// What the drawing covers as the view shows it (turned, unzoomed);
  /// none without atoms.
  std::optional<tbox> shownextent() const;
  /// The drawing point a click at point means to the commands.
  QPoint clickat(QPoint point) const;
  /// The drawing point under point, for drags.
  QPoint drawingat(QPoint point) const;
  void zoomby(double factor, QPoint about);

  TMolvane3D& window_;
  tviewtransform view_;
  /// The key whose press this view saw; a release is acted on only then, so
  /// the letter of a shortcut such as Ctrl+S never edits the drawing.
  int pressedkey_ = 0;
  quint32 pressedscancode_ = 0;
  Qt::KeyboardModifiers pressedmodifiers_;
  /// A turn or pan of the view by a mouse button, while it lasts.
  tdrag drag_ = tdrag::none;
  Qt::MouseButton dragbutton_ = Qt::NoButton;
  QPoint dragfrom_;
};

}  // namespace molvane

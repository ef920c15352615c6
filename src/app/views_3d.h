// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tool_placement.h"

#include <QLabel>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>
#include <span>

class QAction;
class QCheckBox;
class QPushButton;
class QRadioButton;

namespace molvane {

class tdrawing;

class ttoolhost;

/// One draw-mode handler of the main window: its name, the mode it sets
/// and what the picture of the mode shows.
struct tdrawmodehandler {
  const char* name;
  int mode;
  const char* picture;
};

/// The draw-mode handlers, `Normal1Click` to `BWSpheres1Click`.
std::span<const tdrawmodehandler> drawmodehandlers();

/// The modes of the pictures Image1 .. Image15, in that order.
inline constexpr std::array<int, 15> picturemodes{
    0, 12, 7, 13, 11, 19, 17, 18, 16, 9, 15, 8, 5, 10, 14};

/// Width and height of each picture in pixels.
inline constexpr int picturewidth = 104;
inline constexpr int pictureheight = 80;

/// The sample molecule painted in draw mode as a picture of the given
/// size, through the program's own painter. Needs a running
/// QGuiApplication.
QPixmap drawmodepicture(int mode, int width, int height);

/// A drawing painted through the program's own painter into a white
/// picture of the given size, shrunk to fit and centred.
QPixmap drawingpicture(tdrawing& drawing, int width, int height);

/// A picture that answers a click: it goes blank while the mouse is
/// pressed on it and calls onclick when the mouse is released over it.
class tmodepicture final : public QLabel {
 public:
  tmodepicture(int mode, QWidget* parent);
  int mode() const { return mode_; }
  /// Whether the picture is blank because it is being pressed.
  bool pressed() const { return pressed_; }
  std::function<void()> onclick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int mode_;
  QPixmap picture_;
  bool pressed_ = false;
};

/// The "3D Views" window: pictures of the draw modes to choose from, the
/// choice between the normal view and the stereo pair, and the 3D build
/// switch, which follows the main window's "3D DrawMode" item.
class TFunctions3D final : public QWidget {
 public:
  /// build3d is the main window's "3D DrawMode" item.
  TFunctions3D(ttoolhost& window, QAction& build3d);

  /// The picture Image1 .. Image15 (index 1 .. 15); null otherwise.
  tmodepicture* picture(int index) const;
  QRadioButton& normalbutton() const { return *normal_; }
  QRadioButton& stereobutton() const { return *stereo_; }
  QCheckBox& build3dbox() const { return *build3dbox_; }
  QPushButton& donebutton() const { return *done_; }

  /// A picture was clicked: its mode becomes the drawing's, in the view the
  /// radio buttons choose.
  void Image1Click(int mode);
  /// Applies the normal view or the stereo pair.
  void RadioGroup1Click();
  /// "Done": hides the window.
  void Button6Click();

 protected:
  /// Opens where the user last left the window, else beside the drawing,
  /// with the picture of the drawing's mode framed.
  void showEvent(QShowEvent* event) override;
  /// Keeps the place the user moved the window to in the settings file.
  void hideEvent(QHideEvent* event) override;

 private:
  /// Frames the picture of the drawing's draw mode, and only that one.
  void showcurrentmode();

  ttoolhost& window_;
  std::array<tmodepicture*, picturemodes.size()> pictures_{};
  QRadioButton* normal_ = nullptr;
  QRadioButton* stereo_ = nullptr;
  QCheckBox* build3dbox_ = nullptr;
  QPushButton* done_ = nullptr;
  ttoolplacement placement_;
};

}  // namespace molvane

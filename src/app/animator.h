// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/animation.h"

#include <QList>
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace molvane {

class ttoolhost;

/// Milliseconds between two frames: 30 frames a second.
inline constexpr int animationframeinterval = 33;

/// The animator window: turns the model frame by frame (spin, roll, rock
/// or wag) at a chosen speed, on a timer of the event loop so that the
/// program answers between frames. While it runs, the main window shows
/// the animation menu instead of its own.
class TAnimator final : public QWidget {
 public:
  /// showviews opens the "3D Views" window, which the animator's menu
  /// offers.
  TAnimator(ttoolhost& window, std::function<void()> showviews);
  ~TAnimator() override;

  /// Shows the window and starts the motion chosen in it.
  void open();
  /// Starts motion afresh (a new centre, the swing at 0); a drawing of two
  /// atoms or fewer does not move.
  void choosemotion(tmotion motion);
  void choosespeed(tanimationspeed speed);
  /// The fine step control, -10 .. 10.
  void setfinestep(int position);
  /// "Stop": the main menu comes back, the window hides and the drawing is
  /// repainted.
  void Button1Click();
  /// One frame: turns the model and repaints.
  void frame();

  const tanimation& animation() const { return animation_; }
  /// Whether frames are being shown.
  bool running() const;
  QLabel& speedlabel() const { return *speedlabel_; }
  QSpinBox& finestep() const { return *updown_; }
  QPushButton& stopbutton() const { return *stop_; }
  QRadioButton& speedbutton(tanimationspeed speed) const;
  QRadioButton& motionbutton(tmotion motion) const;
  /// The items of the animation menu, in menu order.
  const QList<QAction*>& menuactions() const { return animationactions_; }

 protected:
  void showEvent(QShowEvent* event) override;
  /// Hiding the window, by "Stop" or by closing it, ends the motion.
  void hideEvent(QHideEvent* event) override;

 private:
  void buildanimationmenu();
  void showanimationmenu();
  void restoremainmenu();
  void showspeed();

  ttoolhost& window_;
  std::function<void()> showviews_;
  tanimation animation_;
  QTimer* timer_ = nullptr;
  QLabel* speedlabel_ = nullptr;
  QSpinBox* updown_ = nullptr;
  QPushButton* stop_ = nullptr;
  std::array<QRadioButton*, 3> speeds_{};
  std::array<QRadioButton*, 4> motions_{};
  QList<QAction*> animationactions_;
  /// The main menu's items while the animation menu stands in their place.
  QList<QAction*> mainactions_;
  bool menuswapped_ = false;
};

}  // namespace molvane

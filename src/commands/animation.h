// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

namespace molvane {

class tdrawing;

/// How fast the model turns: 9, 3 or 1 degrees per frame.
enum class tanimationspeed { fast, medium, slow };

/// Spin and roll turn on about the vertical and the horizontal screen
/// axis; rock and wag swing about the same axes between -60 and +60
/// degrees.
enum class tmotion { spin, roll, rock, wag };

/// The stepping of the animator, one frame at a time: the speed with its
/// fine adjustment, the motion, the swing of the oscillating motions and
/// the centre the model turns about.
class tanimation {
 public:
  /// The fine adjustment's range.
  static constexpr int slowestfinestep = -10;
  static constexpr int fastestfinestep = 10;
  /// Where rock and wag turn back, in degrees either side.
  static constexpr double swinglimit = 60.0;

  /// Sets the base step and puts the fine adjustment back to 0.
  void setspeed(tanimationspeed speed);
  tanimationspeed speed() const { return speed_; }
  /// Adds position times 0.6 (fast), 0.2 (medium) or 0.1 (slow) degrees to
  /// the base step; positions outside -10 .. 10 are clamped. The slowest
  /// position of the slow speed stands still.
  void setfinestep(int position);
  int finestep() const { return finestep_; }
  /// Degrees per frame, never negative.
  double step() const { return step_; }
  /// Ten times the step, rounded: what the animator's speed label shows.
  int speedlabel() const;

  /// Starts motion on the drawing: takes the centre of its chemical atoms
  /// and begins the swing at 0 degrees, turning forwards. False, and not
  /// running, when the drawing has two chemical atoms or fewer.
  bool start(tmotion motion, const tdrawing& drawing);
  void stop() { running_ = false; }
  bool running() const { return running_; }
  tmotion motion() const { return motion_; }
  /// The angle turned since the start: the swing of rock and wag.
  double angle() const { return angle_; }
  /// +1 while the angle grows, -1 while it shrinks.
  int direction() const { return direction_; }

  /// One frame: turns the drawing's chemical atoms by the step about the
  /// centre taken at the start (taken again when the drawing was replaced
  /// or gained or lost atoms); a swinging motion turns back once its angle
  /// has reached 60 degrees either way. False, with nothing moved, when not
  /// running or when the drawing has two chemical atoms or fewer.
  bool advance(tdrawing& drawing);

 private:
  void takecentre(const tdrawing& drawing);

  tanimationspeed speed_ = tanimationspeed::medium;
  int finestep_ = 0;
  double step_ = 3.0;
  tmotion motion_ = tmotion::wag;
  bool running_ = false;
  double angle_ = 0.0;
  int direction_ = 1;
  TXYZ centre_;
  /// The drawing the centre belongs to, and its count of chemical atoms.
  const tdrawing* drawing_ = nullptr;
  int atoms_ = 0;
};

}  // namespace molvane

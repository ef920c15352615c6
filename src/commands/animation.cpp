// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/animation.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/rotation.h"

#include <algorithm>
#include <cmath>

namespace molvane {

namespace {

/// Fewer atoms than this show no motion worth a repaint.
constexpr int fewestatoms = 3;

double basestepof(tanimationspeed speed) {
  switch (speed) {
    case tanimationspeed::fast:
      return 9.0;
    case tanimationspeed::medium:
      return 3.0;
    case tanimationspeed::slow:
      break;
  }
  return 1.0;
}

double finefactorof(tanimationspeed speed) {
  switch (speed) {
    case tanimationspeed::fast:
      return 0.6;
    case tanimationspeed::medium:
      return 0.2;
    case tanimationspeed::slow:
      break;
  }
  return 0.1;
}

bool swings(tmotion motion) {
  return motion == tmotion::rock || motion == tmotion::wag;
}

int axisof(tmotion motion) {
  return motion == tmotion::spin || motion == tmotion::wag ? yaxis : xaxis;
}

bool hasenoughatoms(const tdrawing& drawing) {
  return drawing.atoms.countchemical() >= fewestatoms;
}

}  // namespace

void tanimation::setspeed(tanimationspeed speed) {
  speed_ = speed;
  setfinestep(0);
}

void tanimation::setfinestep(int position) {
  finestep_ = std::clamp(position, slowestfinestep, fastestfinestep);
  step_ = std::max(0.0, finestep_ * finefactorof(speed_) + basestepof(speed_));
}

int tanimation::speedlabel() const { return roundhalfeven(10.0 * step_); }

bool tanimation::start(tmotion motion, const tdrawing& drawing) {
  motion_ = motion;
  angle_ = 0.0;
  direction_ = 1;
  running_ = hasenoughatoms(drawing);
  if (running_) {
    takecentre(drawing);
  }
  return running_;
}

void tanimation::takecentre(const tdrawing& drawing) {
  centre_ = drawing.atoms.centroid3();
  drawing_ = &drawing;
  atoms_ = drawing.atoms.countchemical();
}

bool tanimation::advance(tdrawing& drawing) {
  if (!running_ || !hasenoughatoms(drawing)) {
    return false;
  }
  if (&drawing != drawing_ || drawing.atoms.countchemical() != atoms_) {
    takecentre(drawing);
  }
  const double turn = direction_ * step_;
  drawing.atoms.rotate(rotationmatrix(axisof(motion_), turn), centre_.x,
                       centre_.y, centre_.z);
  // The turned positions become the reference positions that scaling and
  // the group editor start from.
  for (tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      atom->commit();
    }
  }
  angle_ += turn;
  if (!swings(motion_)) {
    angle_ = std::fmod(angle_, 360.0);
  } else {
    // Turning back by the sign of the angle, rather than by flipping the
    // direction, keeps a swing from sticking at its end when the speed
    // changes there.
    if (angle_ >= swinglimit) {
      direction_ = -1;
    } else if (angle_ <= -swinglimit) {
      direction_ = 1;
    }
  }
  return true;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/animator.h"

#include "app/tool_host.h"
#include "app/views_3d.h"
#include "document/drawing.h"
#include "document/session.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace molvane {

namespace {

constexpr std::array<tanimationspeed, 3> speedorder{
    tanimationspeed::fast, tanimationspeed::medium, tanimationspeed::slow};
constexpr std::array<tmotion, 4> motionorder{tmotion::spin, tmotion::roll,
                                             tmotion::rock, tmotion::wag};

std::size_t indexof(tanimationspeed speed) {
  return static_cast<std::size_t>(
      std::find(speedorder.begin(), speedorder.end(), speed) -
      speedorder.begin());
}

std::size_t indexof(tmotion motion) {
  return static_cast<std::size_t>(
      std::find(motionorder.begin(), motionorder.end(), motion) -
      motionorder.begin());
}

}  // namespace

TAnimator::TAnimator(ttoolhost& window, std::function<void()> showviews)
    : QWidget(&window.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      window_(window),
      showviews_(std::move(showviews)) {
  setWindowTitle(QStringLiteral("3D Animator"));
  timer_ = new QTimer(this);
  timer_->setInterval(animationframeinterval);
  connect(timer_, &QTimer::timeout, this, [this] { frame(); });

  auto* layout = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout;
  layout->addLayout(groups);

  auto* speedgroup = new QGroupBox(QStringLiteral("Speed"), this);
  speedgroup->setObjectName(QStringLiteral("SpeedGroup"));
  auto* speedlayout = new QVBoxLayout(speedgroup);
  const std::array<const char*, 3> speednames{"Fast", "Medium", "Slow"};
  for (std::size_t i = 0; i < speeds_.size(); ++i) {
    speeds_[i] = new QRadioButton(QString::fromUtf8(speednames[i]), speedgroup);
    speedlayout->addWidget(speeds_[i]);
    connect(speeds_[i], &QRadioButton::clicked, this,
            [this, speed = speedorder[i]] { choosespeed(speed); });
  }
  groups->addWidget(speedgroup);

  auto* modegroup = new QGroupBox(QStringLiteral("Mode"), this);
  modegroup->setObjectName(QStringLiteral("ModeGroup"));
  auto* modelayout = new QVBoxLayout(modegroup);
  const std::array<const char*, 4> motionnames{"Spin", "Roll", "Rock", "Wag"};
  for (std::size_t i = 0; i < motions_.size(); ++i) {
    motions_[i] =
        new QRadioButton(QString::fromUtf8(motionnames[i]), modegroup);
    modelayout->addWidget(motions_[i]);
    connect(motions_[i], &QRadioButton::clicked, this,
            [this, motion = motionorder[i]] { choosemotion(motion); });
  }
  groups->addWidget(modegroup);

  auto* steprow = new QHBoxLayout;
  layout->addLayout(steprow);
  updown_ = new QSpinBox(this);
  updown_->setObjectName(QStringLiteral("UpDown1"));
  updown_->setRange(tanimation::slowestfinestep, tanimation::fastestfinestep);
  updown_->setValue(0);
  steprow->addWidget(updown_);
  connect(updown_, &QSpinBox::valueChanged, this,
          [this](int position) { setfinestep(position); });
  speedlabel_ = new QLabel(this);
  speedlabel_->setObjectName(QStringLiteral("lblSpeed"));
  steprow->addWidget(speedlabel_);
  steprow->addStretch();
  stop_ = new QPushButton(QStringLiteral("Stop"), this);
  stop_->setObjectName(QStringLiteral("Button1"));
  steprow->addWidget(stop_);
  connect(stop_, &QPushButton::clicked, this, [this] { Button1Click(); });

  speeds_[indexof(animation_.speed())]->setChecked(true);
  motions_[indexof(animation_.motion())]->setChecked(true);
  showspeed();
  buildanimationmenu();
}

TAnimator::~TAnimator() {
  // The main window is being taken down around us; leave its menu alone.
  timer_->stop();
}

void TAnimator::buildanimationmenu() {
  auto add = [this](const char* caption, auto handler) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    connect(action, &QAction::triggered, this, handler);
    animationactions_.append(action);
  };
  add("STOP", [this] { Button1Click(); });
  add("S&pin", [this] { choosemotion(tmotion::spin); });
  add("&Tumble", [this] { choosemotion(tmotion::roll); });
  add("&Rock", [this] { choosemotion(tmotion::rock); });
  add("Wag", [this] { choosemotion(tmotion::wag); });
  add("&3D Views ...", [this] { showviews_(); });
  auto* speedmenu = new QMenu(QStringLiteral("Speed"), this);
  const std::array<const char*, 3> speednames{"Fast", "Medium", "Slow"};
  for (std::size_t i = 0; i < speednames.size(); ++i) {
    QAction* action = speedmenu->addAction(QString::fromUtf8(speednames[i]));
    connect(action, &QAction::triggered, this,
            [this, speed = speedorder[i]] { choosespeed(speed); });
  }
  animationactions_.append(speedmenu->menuAction());
}

void TAnimator::showanimationmenu() {
  if (menuswapped_) {
    return;
  }
  QMenuBar& bar = *window_.hostwindow().menuBar();
  mainactions_ = bar.actions();
  for (QAction* action : mainactions_) {
    bar.removeAction(action);
  }
  bar.addActions(animationactions_);
  menuswapped_ = true;
}

void TAnimator::restoremainmenu() {
  if (!menuswapped_) {
    return;
  }
  QMenuBar& bar = *window_.hostwindow().menuBar();
  for (QAction* action : animationactions_) {
    bar.removeAction(action);
  }
  bar.addActions(mainactions_);
  mainactions_.clear();
  menuswapped_ = false;
}

void TAnimator::showspeed() {
  speedlabel_->setText(QString::number(animation_.speedlabel()));
}

void TAnimator::open() {
  show();
  raise();
  choosemotion(motionorder[static_cast<std::size_t>(
      std::find_if(
          motions_.begin(), motions_.end(),
          [](const QRadioButton* button) { return button->isChecked(); }) -
      motions_.begin())]);
}

void TAnimator::choosemotion(tmotion motion) {
  QRadioButton* button = motions_[indexof(motion)];
  {
    const QSignalBlocker blocker(button);
    button->setChecked(true);
  }
  if (animation_.start(motion, *session().drawing())) {
    showanimationmenu();
    timer_->start();
  } else {
    timer_->stop();
    restoremainmenu();
  }
}

void TAnimator::choosespeed(tanimationspeed speed) {
  animation_.setspeed(speed);
  {
    const QSignalBlocker blocker(updown_);
    updown_->setValue(0);
  }
  QRadioButton* button = speeds_[indexof(speed)];
  const QSignalBlocker blocker(button);
  button->setChecked(true);
  showspeed();
}

void TAnimator::setfinestep(int position) {
  animation_.setfinestep(position);
  if (updown_->value() != animation_.finestep()) {
    const QSignalBlocker blocker(updown_);
    updown_->setValue(animation_.finestep());
  }
  showspeed();
}

void TAnimator::frame() {
  if (!isVisible() || !animation_.advance(*session().drawing())) {
    // The window went away, or the drawing no longer has atoms to turn.
    timer_->stop();
    animation_.stop();
    restoremainmenu();
    return;
  }
  window_.repaintdrawing();
}

bool TAnimator::running() const { return timer_->isActive(); }

QRadioButton& TAnimator::speedbutton(tanimationspeed speed) const {
  return *speeds_[indexof(speed)];
}

QRadioButton& TAnimator::motionbutton(tmotion motion) const {
  return *motions_[indexof(motion)];
}

void TAnimator::Button1Click() {
  restoremainmenu();
  hide();
  window_.repaintdrawing();
}

void TAnimator::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  const QWidget& area = window_.hostwindow();
  const QPoint centre = area.mapToGlobal(area.rect().center());
  move(centre - QPoint(width() / 2, height() / 2));
}

void TAnimator::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  timer_->stop();
  animation_.stop();
  restoremainmenu();
}

}  // namespace molvane

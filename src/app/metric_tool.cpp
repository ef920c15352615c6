// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/metric_tool.h"

#include "app/tool_host.h"
#include "app/tool_placement.h"
#include "document/drawing.h"
#include "document/session.h"
#include "render/measure_painter.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace molvane {

namespace {

constexpr int helpcontext = 113;
constexpr std::array<const char*, 6> geometryitems{
    "Bond Length", "Bond Angle",  "Torsion Angle",
    "Distance",    "Bond Energy", ""};
constexpr std::array<const char*, 6> nmritems{"Shift", "J1CH", "J1CC",
                                              "J3HH",  "J3CH", "J3CC"};

}  // namespace

TMetricTool::TMetricTool(ttoolhost& host)
    : QWidget(&host.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      host_(host) {
  setObjectName(QStringLiteral("MetricTool"));
  setWindowTitle(QStringLiteral("Measurements"));
  auto* outer = new QVBoxLayout(this);

  auto* modebox = new QGroupBox(this);
  auto* modelayout = new QHBoxLayout(modebox);
  mode_ = new QButtonGroup(modebox);
  for (int i = 0; i < 2; ++i) {
    auto* button = new QRadioButton(
        i == 0 ? QStringLiteral("Geometry") : QStringLiteral("NMR"), modebox);
    mode_->addButton(button, i);
    modelayout->addWidget(button);
  }
  mode_->button(0)->setChecked(true);
  // Nothing measures NMR couplings yet.
  mode_->button(1)->setEnabled(false);
  outer->addWidget(modebox);

  auto* kindbox = new QGroupBox(this);
  auto* kindlayout = new QVBoxLayout(kindbox);
  kind_ = new QButtonGroup(kindbox);
  for (int i = 0; i < static_cast<int>(geometryitems.size()); ++i) {
    auto* button = new QRadioButton(kindbox);
    kind_->addButton(button, i);
    kindlayout->addWidget(button);
    sixth_ = button;
  }
  kind_->button(0)->setChecked(true);
  outer->addWidget(kindbox);
  choosemode(0);
  connect(mode_, &QButtonGroup::idClicked, this,
          [this](int id) { choosemode(id); });
  connect(kind_, &QButtonGroup::idClicked, this, [this] { clearmarks(); });

  auto* buttons = new QHBoxLayout;
  ok_ = makebutton(*this, "Button2", "Ok", "");
  QPushButton* help = makebutton(*this, "Button1", "Help", "");
  buttons->addWidget(ok_);
  buttons->addWidget(help);
  outer->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, [this] { hide(); });
  connect(help, &QPushButton::clicked, this,
          [this] { host_.showhelp(helpcontext); });
}

void TMetricTool::choosemode(int mode) {
  const auto& items = mode == 0 ? geometryitems : nmritems;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    kind_->button(i)->setText(
        QString::fromUtf8(items.at(static_cast<std::size_t>(i))));
  }
  sixth_->setVisible(mode == 1);
}

void TMetricTool::open() {
  host_.choosecommand(0);
  clearmarks();
  const std::array<bool, measurekinds> available =
      availablemeasurements(*session().drawing());
  for (int i = 0; i < measurekinds; ++i) {
    kind_->button(i)->setEnabled(available.at(static_cast<std::size_t>(i)));
  }
  // A kind the drawing has nothing for cannot stay chosen.
  if (!kind_->checkedButton()->isEnabled()) {
    for (QAbstractButton* button : kind_->buttons()) {
      if (button->isEnabled()) {
        button->setChecked(true);
        break;
      }
    }
  }
  host_.seteditormode(teditormode::measure);
  host_.setoverlaypainter([this](tcanvas& canvas) {
    if (shown_ && measured_.get() == session().drawing()) {
      drawmeasurement(*shown_, canvas, *session().drawing());
    }
  });
  // Beside the drawing, as the optimizer's window.
  adjustSize();
  move(besidemainwindow(host_, *this));
  show();
  raise();
}

void TMetricTool::measure(QPoint point) {
  tdrawing& drawing = *session().drawing();
  if (measured_.get() != &drawing) {
    // Undo, Open or New since the last click: nothing of the old drawing
    // is kept.
    distance_ = {};
  }
  measured_.set(&drawing);
  const int kind = kind_->checkedId();
  shown_.reset();
  if (mode_->checkedId() == 0 && kind >= 0 && kind < measurekinds &&
      kind_->checkedButton()->isEnabled()) {
    shown_ = measureat(drawing, static_cast<tmeasurekind>(kind), point.x(),
                       point.y(), distance_);
  }
  host_.repaintdrawing();
}

void TMetricTool::clearmarks() {
  shown_.reset();
  distance_ = {};
  measured_.clear();
}

void TMetricTool::hideEvent(QHideEvent* event) {
  clearmarks();
  host_.setoverlaypainter({});
  if (host_.editormode() == teditormode::measure) {
    host_.returntodrawingmode();
  } else {
    host_.repaintdrawing();
  }
  QWidget::hideEvent(event);
}

}  // namespace molvane

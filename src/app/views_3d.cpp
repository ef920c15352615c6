// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/views_3d.h"

#include "app/tool_host.h"
#include "commands/sample_molecule.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/settings_file.h"
#include "qt/picture_export.h"
#include "render/paint_3d.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cstdint>
#include <memory>
#include <string>

namespace molvane {

namespace {

constexpr std::array<tdrawmodehandler, 15> handlers{{
    {"Normal1Click", 0, "ordinary 2D-style drawing"},
    {"ColorBallsText1Click", 5, "colour balls with labels"},
    {"Rods1Click", 7, "rods"},
    {"ColorBallsRods1Click", 8, "small colour balls and rods"},
    {"ColorBalls1Click", 9, "colour balls"},
    {"ColorSpheres1Click", 10, "shaded colour spheres"},
    {"CirclesRods1Click", 11, "white circles and rods"},
    {"Lines1Click", 12, "black lines"},
    {"CirclesText1Click", 13, "white circles with labels"},
    {"ColorSpheresText1Click", 14, "shaded colour spheres with labels"},
    {"ColorBallsBonds1Click", 15, "colour balls and bonds"},
    {"BWSpheresRods1Click", 16, "shaded white spheres and rods"},
    {"BWSpheresText1Click", 17, "shaded white spheres with labels"},
    {"BWSpheresBonds1Click", 18, "shaded white spheres and grey bonds"},
    {"BWSpheres1Click", 19, "shaded white spheres"},
}};

constexpr int picturecolumns = 5;
/// Frame width of the picture of the mode in use.
constexpr int chosenframe = 3;
/// Where the sample molecule is built; the picture is cropped to it.
constexpr double samplecentre = 200.0;

QString describe(int mode) {
  for (const tdrawmodehandler& handler : handlers) {
    if (handler.mode == mode) {
      return QString::fromUtf8(handler.picture);
    }
  }
  return {};
}

}  // namespace

std::span<const tdrawmodehandler> drawmodehandlers() { return handlers; }

QPixmap drawmodepicture(int mode, int width, int height) {
  const std::unique_ptr<tdrawing> sample =
      samplemolecule(samplecentre, samplecentre);
  sample->drawmode = static_cast<std::uint8_t>(mode);
  return drawingpicture(*sample, width, height);
}

QPixmap drawingpicture(tdrawing& drawing, int width, int height) {
  QPixmap picture(width, height);
  picture.fill(Qt::white);
  tpictureoptions options;
  options.antialiased = true;
  std::string problem;
  const QImage image = paintpicture(drawing, options, problem);
  if (image.isNull()) {
    return picture;
  }
  const QImage fitted = image.width() > width || image.height() > height
                            ? image.scaled(width, height, Qt::KeepAspectRatio,
                                           Qt::SmoothTransformation)
                            : image;
  QPainter painter(&picture);
  painter.drawImage((width - fitted.width()) / 2,
                    (height - fitted.height()) / 2, fitted);
  return picture;
}

tmodepicture::tmodepicture(int mode, QWidget* parent)
    : QLabel(parent),
      mode_(mode),
      picture_(drawmodepicture(mode, picturewidth, pictureheight)) {
  setFixedSize(picturewidth, pictureheight);
  setPixmap(picture_);
  setToolTip(describe(mode));
  setFrameShape(QFrame::Box);
  setCursor(Qt::PointingHandCursor);
}

void tmodepicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  pressed_ = true;
  setPixmap(QPixmap());
}

void tmodepicture::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) {
    return;
  }
  pressed_ = false;
  setPixmap(picture_);
  if (rect().contains(event->position().toPoint()) && onclick) {
    onclick();
  }
}

TFunctions3D::TFunctions3D(ttoolhost& window, QAction& build3d)
    : QWidget(&window.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      window_(window),
      placement_(window, &tsettingsfile::views3dplace) {
  setWindowTitle(QStringLiteral("3D Views"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  for (std::size_t i = 0; i < picturemodes.size(); ++i) {
    auto* picture = new tmodepicture(picturemodes[i], this);
    picture->setObjectName(QStringLiteral("Image%1").arg(i + 1));
    picture->onclick = [this, mode = picturemodes[i]] { Image1Click(mode); };
    const int index = static_cast<int>(i);
    grid->addWidget(picture, index / picturecolumns, index % picturecolumns);
    pictures_[i] = picture;
  }

  auto* controls = new QHBoxLayout;
  layout->addLayout(controls);
  auto* group = new QGroupBox(QStringLiteral("View"), this);
  group->setObjectName(QStringLiteral("RadioGroup1"));
  auto* choices = new QHBoxLayout(group);
  normal_ = new QRadioButton(QStringLiteral("Normal"), group);
  stereo_ = new QRadioButton(QStringLiteral("Stereo Pair"), group);
  normal_->setChecked(true);
  choices->addWidget(normal_);
  choices->addWidget(stereo_);
  controls->addWidget(group);
  connect(normal_, &QRadioButton::clicked, this,
          [this] { RadioGroup1Click(); });
  connect(stereo_, &QRadioButton::clicked, this,
          [this] { RadioGroup1Click(); });

  build3dbox_ = new QCheckBox(QStringLiteral("3D DrawMode"), this);
  build3dbox_->setChecked(build3d.isChecked());
  controls->addWidget(build3dbox_);
  connect(build3dbox_, &QCheckBox::toggled, &build3d,
          [&build3d](bool on) { build3d.setChecked(on); });
  connect(&build3d, &QAction::toggled, build3dbox_, [this](bool on) {
    const QSignalBlocker blocker(build3dbox_);
    build3dbox_->setChecked(on);
  });

  controls->addStretch();
  done_ = new QPushButton(QStringLiteral("Done"), this);
  done_->setObjectName(QStringLiteral("Button6"));
  controls->addWidget(done_);
  connect(done_, &QPushButton::clicked, this, [this] { Button6Click(); });
}

tmodepicture* TFunctions3D::picture(int index) const {
  if (index < 1 || index > static_cast<int>(pictures_.size())) {
    return nullptr;
  }
  return pictures_[static_cast<std::size_t>(index - 1)];
}

void TFunctions3D::Image1Click(int mode) {
  session().drawing()->setdrawmode(static_cast<std::uint8_t>(mode));
  RadioGroup1Click();
  // Another way of drawing covers another extent: the model is fitted anew.
  window_.fitmodel();
}

void TFunctions3D::RadioGroup1Click() {
  tdrawing& drawing = *session().drawing();
  const int mode = stereo_->isChecked() ? stereoviewof(drawing.drawmode)
                                        : normalviewof(drawing.drawmode);
  drawing.setdrawmode(static_cast<std::uint8_t>(mode));
  showcurrentmode();
  window_.repaintdrawing();
}

void TFunctions3D::showcurrentmode() {
  const int current = normalviewof(session().drawing()->drawmode);
  for (tmodepicture* picture : pictures_) {
    const bool chosen = picture->mode() == current;
    picture->setLineWidth(chosen ? chosenframe : 1);
    picture->setFrameShadow(chosen ? QFrame::Sunken : QFrame::Plain);
    picture->setFrameShape(chosen ? QFrame::Panel : QFrame::Box);
  }
}

void TFunctions3D::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  // A palette the user moved opens where it was left next time.
  placement_.keep(*this);
}

void TFunctions3D::Button6Click() { hide(); }

void TFunctions3D::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  {
    // The choice shows the drawing's view without applying it again.
    const QSignalBlocker normalblocker(normal_);
    const QSignalBlocker stereoblocker(stereo_);
    (isstereopair(session().drawing()->drawmode) ? stereo_ : normal_)
        ->setChecked(true);
  }
  showcurrentmode();
  placement_.place(*this);
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/group_editor.h"

#include "app/tool_host.h"
#include "app/views_3d.h"
#include "app/window_dialogs.h"
#include "document/drawing.h"
#include "document/session.h"
#include "mechanics/optimizer.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/font.h"
#include "qt/font_mapping.h"
#include "qt/text_conversion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <optional>

namespace molvane {

namespace {

constexpr int sliderwidth = 20;
constexpr int screentop = 5;
constexpr int picturesize = 40;

struct ttagbutton {
  const char* caption;
  int tag;
  const char* hint;
};

constexpr ttagbutton tagbuttons[] = {
    {"Clone", 1, "Copy the group to the right of the drawing"},
    {"Delete", 2, "Delete the group"},
    {"Font", 3, "Font of the group's labels"},
    {"Fuse", 4, "Make the group one structure"},
    {"Number", 5, "Number the group's atoms, or clear the numbers"},
    {"Add Hs", 6, "Add hydrogens in 3D"},
    {"Remove Hs", 7, "Remove explicit hydrogens"},
    {"Line", 8, "Next line width for the group's bonds"},
    {"Invert", 9, "Invert through the group's centre"},
    {"Left-Right", 10, "Reflect left to right"},
    {"Up-Down", 11, "Reflect top to bottom"},
    {"In-Out", 12, "Reflect front to back"},
};

constexpr int turntags[] = {180, 90, 45, 30, 5, 1, -1, -5, -30, -45, -90};
constexpr int zoomtags[] = {150, 125, 110, 90, 75, 50};

QString degreescaption(int degrees) {
  return QStringLiteral("%1%2\u00B0")
      .arg(degrees > 0 ? QStringLiteral("+") : QString())
      .arg(degrees);
}

}  // namespace

TGroupEditor::TGroupEditor(ttoolhost& window)
    : QWidget(&window.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      window_(window) {
  setObjectName(QStringLiteral("GroupEditor"));
  setWindowTitle(QStringLiteral("Group Editor"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  const char* sliderhints[] = {"Rotate, pivot or zoom the group",
                               "Turn the group", "Tilt the group"};
  for (int i = 0; i < 3; ++i) {
    auto* bar = new QScrollBar(Qt::Vertical, this);
    bar->setObjectName(QStringLiteral("ScrollBar%1").arg(i + 1));
    bar->setToolTip(QString::fromUtf8(sliderhints[i]));
    bar->setFixedWidth(sliderwidth);
    layout->addWidget(bar);
    sliders_.at(static_cast<std::size_t>(i)) = bar;
    const int index = i + 1;
    connect(bar, &QScrollBar::valueChanged, this, [this, bar, index](int at) {
      if (resting_) {
        return;
      }
      slide(index, at);
      // Clicks on the arrows and the track end their scroll at once; a
      // drag of the thumb ends when it is let go.
      if (!bar->isSliderDown()) {
        endslide(index);
      }
    });
    connect(bar, &QScrollBar::sliderReleased, this,
            [this, index] { endslide(index); });
  }

  auto* column = new QVBoxLayout;
  layout->addLayout(column);
  auto* choices = new QHBoxLayout;
  column->addLayout(choices);
  auto radiogroup = [this, choices](const char* name, const char* title,
                                    const QStringList& items) {
    auto* box = new QGroupBox(QString::fromUtf8(title), this);
    box->setObjectName(QString::fromLatin1(name));
    auto* inner = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
      auto* button = new QRadioButton(items[i], box);
      button->setFocusPolicy(Qt::NoFocus);
      group->addButton(button, i);
      inner->addWidget(button);
    }
    choices->addWidget(box);
    return group;
  };
  slidergroup_ = radiogroup("RadioGroup1", "Sliders",
                            {QStringLiteral("Atom"), QStringLiteral("Bond"),
                             QStringLiteral("Rotate"), QStringLiteral("Zoom")});
  numbering_ = radiogroup("RadioGroup2", "Numbering",
                          {QStringLiteral("Drawing"), QStringLiteral("Group"),
                           QStringLiteral("User"), QStringLiteral("NMR")});
  slidergroup_->button(2)->setChecked(true);
  numbering_->button(1)->setChecked(true);
  connect(slidergroup_, &QButtonGroup::idClicked, this,
          [this](int index) { setslidermode(index); });
  fine_ = new QCheckBox(QStringLiteral("Fine"), this);
  fine_->setObjectName(QStringLiteral("CheckBox1"));
  fine_->setFocusPolicy(Qt::NoFocus);
  column->addWidget(fine_);
  connect(fine_, &QCheckBox::toggled, this, [this](bool on) { setfine(on); });

  auto* buttons = new QWidget(this);
  buildbuttons(*buttons);
  column->addWidget(buttons);

  pages_ = new QTabWidget(this);
  pages_->addTab(turnpage(3), QStringLiteral("Rotate"));
  pages_->addTab(turnpage(2), QStringLiteral("Turn"));
  pages_->addTab(turnpage(1), QStringLiteral("Tilt"));
  pages_->addTab(zoompage(), QStringLiteral("Zoom"));
  pages_->addTab(ringstylepage(), QStringLiteral("Ring Style"));
  column->addWidget(pages_);

  auto* bottom = new QHBoxLayout;
  optimize_ = makebutton(*this, "OptimizeButton", "Optimize..",
                         "Optimize the group's geometry");
  QPushButton* propertiesbutton =
      makebutton(*this, "PropertiesButton", "Properties..",
                 "Formula, weight and charge of the group");
  QPushButton* donebutton = makebutton(*this, "DoneButton", "Done", "");
  for (QPushButton* each : {optimize_, propertiesbutton, donebutton}) {
    bottom->addWidget(each);
  }
  column->addLayout(bottom);
  connect(optimize_, &QPushButton::clicked, this, [this] { optimize(); });
  connect(propertiesbutton, &QPushButton::clicked, this,
          [this] { properties(); });
  connect(donebutton, &QPushButton::clicked, this, [this] { done(); });
}

TGroupEditor::~TGroupEditor() = default;

void TGroupEditor::buildbuttons(QWidget& page) {
  auto* grid = new QGridLayout(&page);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(2);
  int index = 0;
  for (const ttagbutton& entry : tagbuttons) {
    const QByteArray name = QStringLiteral("%1Button")
                                .arg(QString::fromUtf8(entry.caption))
                                .remove(QLatin1Char(' '))
                                .toLatin1();
    QPushButton* button =
        makebutton(page, name.constData(), entry.caption, entry.hint);
    button->setProperty("tag", entry.tag);
    grid->addWidget(button, index / 3, index % 3);
    connect(button, &QPushButton::clicked, this,
            [this, tag = entry.tag] { runtag(tag); });
    ++index;
  }
}

QWidget* TGroupEditor::turnpage(int axis) {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  grid->setSpacing(2);
  int index = 0;
  for (int degrees : turntags) {
    QPushButton* button =
        makebutton(*page, "", degreescaption(degrees).toUtf8().constData(), "");
    button->setProperty("tag", degrees);
    grid->addWidget(button, index / 4, index % 4);
    connect(button, &QPushButton::clicked, this,
            [this, axis, degrees] { turn(axis, degrees); });
    ++index;
  }
  return page;
}

QWidget* TGroupEditor::zoompage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  grid->setSpacing(2);
  int index = 0;
  for (int percent : zoomtags) {
    QPushButton* button = makebutton(
        *page, "", QStringLiteral("%1%").arg(percent).toUtf8().constData(), "");
    button->setProperty("tag", percent);
    grid->addWidget(button, index / 3, index % 3);
    connect(button, &QPushButton::clicked, this,
            [this, percent] { zoom(percent); });
    ++index;
  }
  return page;
}

QWidget* TGroupEditor::ringstylepage() {
  auto* page = new QWidget(this);
  auto* row = new QHBoxLayout(page);
  const char* hints[] = {"Fuse, then one circle in plain rings",
                         "Plain ring bonds",
                         "Fuse, then a circle inside the bonds"};
  int picture = 1;
  for (const char* hint : hints) {
    const QByteArray name =
        QStringLiteral("RingStyle%1").arg(picture).toLatin1();
    QPushButton* button = makebutton(*page, name.constData(), "", hint);
    const std::unique_ptr<tdrawing> sample =
        ringstylesample(picture, picturesize / 2.0, picturesize / 2.0);
    button->setIcon(drawingpicture(*sample, picturesize, picturesize));
    button->setIconSize(QSize(picturesize, picturesize));
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this,
            [this, picture] { ringstyle(picture); });
    ++picture;
  }
  return page;
}

tStructure* TGroupEditor::group() const { return editor_.group(); }

tatm* TGroupEditor::pivotatom() const { return editor_.pivotatom(); }

tbond* TGroupEditor::pivotbond() const { return editor_.pivotbond(); }

void TGroupEditor::follow(tgroupoutcome outcome) {
  if (outcome == tgroupoutcome::none) {
    return;
  }
  if (outcome == tgroupoutcome::edited || outcome == tgroupoutcome::closed) {
    window_.markmodified();
  }
  window_.repaintdrawing();
  if (outcome == tgroupoutcome::closed) {
    done();
  }
}

void TGroupEditor::showeditor() {
  if (editor_.open()) {
    slidergroup_->button(2)->setChecked(true);
    numbering_->button(1)->setChecked(true);
    fine_->setChecked(false);
    setslidermode(2);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      adjustSize();
      const QRect area = screen->availableGeometry();
      move(area.right() + 1 - frameGeometry().width(), area.top() + screentop);
    }
  }
  window_.seteditormode(teditormode::groupeditor);
  show();
  raise();
}

void TGroupEditor::openon(tStructure* structure) {
  if (structure == nullptr ||
      !session().drawing()->structures.contains(structure)) {
    return;
  }
  showeditor();
  select(*structure);
}

void TGroupEditor::openat(QPoint point) {
  showeditor();
  pickat(point);
}

void TGroupEditor::selectinside(QRect band) {
  tdrawing& drawing = *session().drawing();
  if (drawing.atoms.empty()) {
    return;
  }
  tStructure* structure = selectrectangle(drawing, band.left(), band.top(),
                                          band.right(), band.bottom());
  if (structure == nullptr) {
    return;
  }
  showeditor();
  editor_.select(*structure, true);
  window_.repaintdrawing();
}

void TGroupEditor::select(tStructure& structure) {
  editor_.select(structure);
  window_.repaintdrawing();
}

void TGroupEditor::pickat(QPoint point) {
  const tgrouppick pick = editor_.pickat(
      point.x(), point.y(), static_cast<tnumbering>(numbering_->checkedId()));
  QWidget& view = window_.drawingarea();
  if (pick.atom != nullptr) {
    QCursor::setPos(view.mapToGlobal(window_.windowpointof(*pick.atom)));
  } else if (pick.bond != nullptr) {
    const QPoint a = window_.windowpointof(*pick.bond->atom1);
    const QPoint b = window_.windowpointof(*pick.bond->atom2);
    QCursor::setPos(view.mapToGlobal((a + b) / 2));
  }
  follow(pick.outcome);
}

void TGroupEditor::dragstart(QPoint point) {
  if (!optimizing()) {
    follow(editor_.dragstart(point.x(), point.y()));
  }
}

void TGroupEditor::dragmove(QPoint point) {
  follow(editor_.dragmove(point.x(), point.y()));
}

void TGroupEditor::dragend(QPoint) { follow(editor_.dragend()); }

void TGroupEditor::runtag(int tag) {
  if (optimizing()) {
    return;
  }
  std::optional<fontrecord> font;
  if (tag == 3 && group() != nullptr) {
    const fontrecord start = session().settings.labelfont;
    if (const std::optional<QFont> chosen =
            window_.dialogs().font(this, qtfontof(start, true))) {
      font = fontrecordof(*chosen, start);
    }
  }
  follow(editor_.runtag(tag, static_cast<tnumbering>(numbering_->checkedId()),
                        font));
}

void TGroupEditor::turn(int axis, int degrees) {
  if (!optimizing()) {
    follow(editor_.turn(axis, degrees));
  }
}

void TGroupEditor::movegroup(tdrawingmove move, bool big) {
  if (!optimizing()) {
    follow(editor_.movegroup(move, big));
  }
}

void TGroupEditor::zoom(int percent) {
  if (!optimizing()) {
    follow(editor_.zoom(percent));
  }
}

void TGroupEditor::ringstyle(int picture) {
  if (!optimizing()) {
    follow(editor_.ringstyle(picture));
  }
}

void TGroupEditor::optimize() {
  if (optimizer_ != nullptr) {
    optimizer_->requeststop();
    return;
  }
  tStructure* structure = group();
  if (structure == nullptr) {
    return;
  }
  editor_.snapshot();
  window_.markmodified();
  optimizer_ = std::make_unique<toptimizer>(*session().drawing());
  toptimizer& optimizer = *optimizer_;
  optimizer.hooks.processmessages = [] { QCoreApplication::processEvents(); };
  optimizer.hooks.show = [this](const toptimizerstate&) {
    window_.repaintdrawing();
  };
  // The run holds pointers into the drawing: nothing else may edit it
  // until the run returns. The button stops it.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    child->setEnabled(child == optimize_);
  }
  optimize_->setText(QStringLiteral("STOP"));
  window_.setbusy(true);
  const std::string problem =
      optimizer.runoptimizer(toptimizermethod::normal, structure);
  optimizer_.reset();
  window_.setbusy(false);
  optimize_->setText(QStringLiteral("Optimize.."));
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    child->setEnabled(true);
  }
  setslidermode(slidergroup_->checkedId());
  if (!problem.empty()) {
    session().messages().error(problem);
  }
  editor_.takereference();
  window_.repaintdrawing();
}

void TGroupEditor::properties() {
  if (tStructure* structure = group()) {
    window_.showproperties(*structure);
  }
}

void TGroupEditor::done() {
  if (optimizing()) {
    return;
  }
  editor_.done();
  closeeditor(*this, window_, {teditormode::groupeditor});
}

void TGroupEditor::closeEvent(QCloseEvent* event) {
  if (optimizing()) {
    optimizer_->requeststop();
    event->ignore();
    return;
  }
  done();
  event->accept();
}

void TGroupEditor::setslidermode(int index) {
  if (index < 0) {
    return;
  }
  editor_.setslidermode(static_cast<tslidermode>(index));
  resetsliders();
}

void TGroupEditor::setfine(bool fine) {
  editor_.setfine(fine);
  resetsliders();
}

void TGroupEditor::resetsliders() {
  const tsliderrange range =
      sliderrange(editor_.slider().mode, fine_->isChecked());
  resting_ = true;
  for (QScrollBar* bar : sliders_) {
    bar->setRange(-range.limit, range.limit);
    bar->setValue(0);
    bar->setEnabled(range.allsliders || bar == sliders_[0]);
  }
  resting_ = false;
}

void TGroupEditor::slide(int index, int position) {
  if (optimizing()) {
    return;
  }
  const tgroupoutcome outcome = editor_.slide(index, position);
  if (outcome != tgroupoutcome::none) {
    follow(outcome);
    QCoreApplication::processEvents();
  }
}

void TGroupEditor::endslide(int index) {
  editor_.endslide();
  resting_ = true;
  slider(index).setValue(0);
  resting_ = false;
  window_.repaintdrawing();
}

}  // namespace molvane

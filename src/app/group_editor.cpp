// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/group_editor.h"

#include "app/tool_host.h"
#include "app/views_3d.h"
#include "app/window_dialogs.h"
#include "commands/click_anchor.h"
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

tStructure* TGroupEditor::group() const {
  tStructure* structure = group_.get();
  if (structure == nullptr ||
      !session().drawing()->structures.contains(structure)) {
    return nullptr;
  }
  return structure;
}

tatm* TGroupEditor::pivotatom() const {
  tStructure* structure = group();
  tatm* atom = pivotatom_.get();
  return structure != nullptr && structure->hasatom(atom) ? atom : nullptr;
}

tbond* TGroupEditor::pivotbond() const {
  tStructure* structure = group();
  tbond* bond = pivotbond_.get();
  return structure != nullptr && structure->bonds.contains(bond) ? bond
                                                                 : nullptr;
}

tgrouppivot TGroupEditor::pivot() const { return {pivotatom(), pivotbond()}; }

void TGroupEditor::showeditor() {
  if (!opened_) {
    opened_ = true;
    tdrawing& drawing = *session().drawing();
    saveddrawmode_ = drawing.drawmode;
    modeserial_ = session().drawingserial();
    drawing.setdrawmode(
        static_cast<std::uint8_t>(groupdrawmode(drawing.drawmode)));
    keepcolours();
    colourstructures(drawing, dimmedcolour);
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
  select(*structure);
  pivotatom_.set(structure->atoms.items(0));
}

void TGroupEditor::select(tStructure& structure) {
  tdrawing& drawing = *session().drawing();
  group_.set(&structure);
  pivotbond_.set(structure.bonds.items(0));
  if (slidergroup_->checkedId() == 0) {
    pivotatom_.set(structure.atoms.items(0));
  }
  takegroupreference(drawing, structure);
  keepcolours();
  colours_.restore(drawing);
  highlight();
  window_.repaintdrawing();
}

void TGroupEditor::keepcolours() {
  const std::uint64_t serial = session().drawingserial();
  if (!coloured_ || colourserial_ != serial) {
    colours_.save(*session().drawing());
    colourserial_ = serial;
    coloured_ = true;
  }
}

void TGroupEditor::highlight() {
  if (tStructure* structure = group()) {
    setgroupcolour(*structure, groupcolour);
  }
}

void TGroupEditor::pickat(QPoint point) {
  tdrawing& drawing = *session().drawing();
  tStructure* structure = group();
  const double x = point.x();
  const double y = point.y();
  const int numbering = numbering_->checkedId();
  if (numbering == static_cast<int>(tnumbering::user)) {
    if (structure == nullptr) {
      return;
    }
    if (tatm* atom = structure->nearestatom(nullptr, x, y)) {
      snapshot();
      numberbyhand(*structure, *atom);
      window_.markmodified();
      window_.repaintdrawing();
    }
    return;
  }
  QWidget& view = window_.drawingarea();
  switch (static_cast<tslidermode>(slidergroup_->checkedId())) {
    case tslidermode::atom:
      if (structure == nullptr) {
        session().messages().warn(nogroupmessage);
        return;
      }
      if (tatm* atom = structure->nearestatom(nullptr, x, y)) {
        pivotatom_.set(atom);
        QCursor::setPos(view.mapToGlobal(window_.windowpointof(*atom)));
      }
      return;
    case tslidermode::bond:
      if (structure == nullptr) {
        session().messages().warn(nogroupmessage);
        return;
      }
      if (tbond* bond = nearestbond(*structure, x, y)) {
        pivotbond_.set(bond);
        const QPoint a = window_.windowpointof(*bond->atom1);
        const QPoint b = window_.windowpointof(*bond->atom2);
        QCursor::setPos(view.mapToGlobal((a + b) / 2));
      } else {
        session().messages().warn(nobondstoselectmessage);
      }
      return;
    case tslidermode::rotate:
    case tslidermode::zoom:
      if (tStructure* nearest = nearestgroup(drawing, x, y)) {
        select(*nearest);
      }
      return;
  }
}

void TGroupEditor::dragstart(QPoint point) {
  tStructure* structure = group();
  if (structure == nullptr || optimizing()) {
    return;
  }
  pressed_ = true;
  dragged_ = false;
  // The group's centre keeps its distance from the pointer.
  const TXYZ centre = groupcentre(*structure);
  dragoffset_ = {centre.x - point.x(), centre.y - point.y(), 0.0};
  highlight();
  window_.repaintdrawing();
}

void TGroupEditor::dragmove(QPoint point) {
  tStructure* structure = group();
  if (!pressed_ || structure == nullptr) {
    return;
  }
  if (!dragged_) {
    // One undo copy for the whole drag.
    snapshot();
    window_.markmodified();
    dragged_ = true;
  }
  movegroupto(*session().drawing(), *structure, point.x() + dragoffset_.x,
              point.y() + dragoffset_.y);
  window_.repaintdrawing();
}

void TGroupEditor::dragend(QPoint) {
  if (tStructure* structure = group(); pressed_ && structure != nullptr) {
    takegroupreference(*session().drawing(), *structure);
    window_.repaintdrawing();
  }
  pressed_ = false;
  dragged_ = false;
}

void TGroupEditor::snapshot() {
  // The copy keeps the drawing as it is outside the editor: no dimmed
  // colours, its own draw mode.
  tdrawing& drawing = *session().drawing();
  const std::uint8_t shown = drawing.drawmode;
  keepcolours();
  colours_.restore(drawing);
  drawing.setdrawmode(static_cast<std::uint8_t>(saveddrawmode_));
  session().takeundosnapshot();
  drawing.setdrawmode(shown);
  highlight();
}

void TGroupEditor::edit(
    const std::function<void(tdrawing&, tStructure&)>& change) {
  tStructure* structure = group();
  if (structure == nullptr || optimizing()) {
    return;
  }
  snapshot();
  change(*session().drawing(), *structure);
  window_.markmodified();
  highlight();
  window_.repaintdrawing();
}

void TGroupEditor::runtag(int tag) {
  if (group() == nullptr && tag == 9) {
    session().messages().warn(nogroupmessage);
    return;
  }
  switch (tag) {
    case 1:
      edit([](tdrawing& drawing, tStructure& structure) {
        clonegroup(drawing, structure);
      });
      break;
    case 2:
      if (group() == nullptr) {
        return;
      }
      edit([this](tdrawing& drawing, tStructure& structure) {
        group_.clear();
        deletegroup(drawing, &structure);
      });
      done();
      break;
    case 3: {
      if (group() == nullptr) {
        return;
      }
      const fontrecord start = session().settings.labelfont;
      const std::optional<QFont> chosen =
          window_.dialogs().font(this, qtfontof(start, true));
      if (chosen) {
        edit([&chosen, &start](tdrawing&, tStructure& structure) {
          setgroupfont(structure, fontrecordof(*chosen, start));
        });
      }
      break;
    }
    case 4:
      edit([this](tdrawing& drawing, tStructure& structure) {
        if (tStructure* fused = fusegroup(drawing, &structure)) {
          group_.set(fused);
          pivotbond_.set(fused->bonds.items(0));
        }
      });
      break;
    case 5: {
      const auto numbering = static_cast<tnumbering>(numbering_->checkedId());
      edit([numbering](tdrawing& drawing, tStructure& structure) {
        numbergroup(drawing, structure, numbering,
                    session().settings.nmrnucleus);
      });
      break;
    }
    case 6:
      edit([](tdrawing& drawing, tStructure& structure) {
        addgrouphydrogens(drawing, structure);
      });
      break;
    case 7:
      edit([](tdrawing& drawing, tStructure& structure) {
        removegrouphydrogens(drawing, structure);
      });
      break;
    case 8:
      edit(
          [](tdrawing&, tStructure& structure) { cyclegrouplines(structure); });
      break;
    case 9:
      edit([](tdrawing& drawing, tStructure& structure) {
        invertgroup(drawing, structure);
      });
      break;
    case 10:
    case 11:
    case 12:
      edit([axis = tag - 9](tdrawing& drawing, tStructure& structure) {
        reflectgroup(drawing, structure, axis);
      });
      break;
    default:
      break;
  }
}

void TGroupEditor::turn(int axis, int degrees) {
  const auto mode = static_cast<tslidermode>(slidergroup_->checkedId());
  const tgrouppivot around = pivot();
  const double factor = slider_.finefactor;
  edit([=](tdrawing& drawing, tStructure& structure) {
    turngroup(drawing, structure, mode, around, axis, degrees, factor);
  });
}

void TGroupEditor::movegroup(tdrawingmove move, bool big) {
  edit([move, big](tdrawing& drawing, tStructure& structure) {
    movedrawing(structure, session().settings, move, big);
    takegroupreference(drawing, structure);
  });
}

void TGroupEditor::zoom(int percent) {
  if (group() == nullptr) {
    session().messages().warn(nogroupmessage);
    return;
  }
  edit([percent](tdrawing& drawing, tStructure& structure) {
    zoomgroup(drawing, structure, percent * 0.01);
  });
}

void TGroupEditor::ringstyle(int picture) {
  edit([this, picture](tdrawing& drawing, tStructure& structure) {
    tStructure* styled = setgroupringstyle(drawing, &structure, picture);
    if (styled != &structure) {
      group_.set(styled);
      pivotbond_.set(styled->bonds.items(0));
    }
  });
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
  tdrawing& drawing = *session().drawing();
  snapshot();
  window_.markmodified();
  optimizer_ = std::make_unique<toptimizer>(drawing);
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
  const std::string problem = optimizer.runoptimizer(normalmethod, structure);
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
  if (tStructure* optimized = group()) {
    takegroupreference(drawing, *optimized);
  }
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
  // A drawing that replaced the one the editor opened on (Open, New,
  // Undo) has its own draw mode and colours.
  tdrawing& drawing = *session().drawing();
  const std::uint64_t serial = session().drawingserial();
  if (opened_ && modeserial_ == serial) {
    drawing.setdrawmode(static_cast<std::uint8_t>(saveddrawmode_));
  }
  if (coloured_ && colourserial_ == serial) {
    colours_.restore(drawing);
  }
  opened_ = false;
  coloured_ = false;
  group_.clear();
  pivotatom_.clear();
  pivotbond_.clear();
  pressed_ = false;
  dragged_ = false;
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
  slider_.mode = static_cast<tslidermode>(index);
  if (slider_.mode == tslidermode::atom) {
    if (tStructure* structure = group()) {
      pivotatom_.set(structure->atoms.items(0));
    }
  }
  resetsliders();
}

void TGroupEditor::setfine(bool fine) {
  slider_.finefactor = fine ? 0.5 : 1.0;
  resetsliders();
}

void TGroupEditor::resetsliders() {
  const tsliderrange range = sliderrange(slider_.mode, fine_->isChecked());
  resting_ = true;
  for (QScrollBar* bar : sliders_) {
    bar->setRange(-range.limit, range.limit);
    bar->setValue(0);
    bar->setEnabled(range.allsliders || bar == sliders_[0]);
  }
  resting_ = false;
}

void TGroupEditor::slide(int index, int position) {
  tStructure* structure = group();
  if (structure == nullptr || optimizing()) {
    return;
  }
  if (!sliding_) {
    // One undo copy for the whole scroll.
    snapshot();
    window_.markmodified();
    sliding_ = true;
  }
  slider_.slide(*session().drawing(), *structure, pivot(), index, position);
  highlight();
  window_.repaintdrawing();
  QCoreApplication::processEvents();
}

void TGroupEditor::endslide(int index) {
  if (tStructure* structure = group(); structure != nullptr && sliding_) {
    slider_.release(*session().drawing(), *structure);
  }
  sliding_ = false;
  resting_ = true;
  slider(index).setValue(0);
  resting_ = false;
  window_.repaintdrawing();
}

}  // namespace molvane

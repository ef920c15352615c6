// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/periodic_table.h"

#include "app/atom_tool.h"
#include "app/editor_windows.h"
#include "app/tool_host.h"
#include "app/window_dialogs.h"
#include "commands/click_anchor.h"
#include "commands/command_table.h"
#include "commands/dispatcher.h"
#include "commands/editor_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/element_data.h"
#include "model/font.h"
#include "qt/font_mapping.h"
#include "qt/qt_canvas.h"
#include "qt/text_conversion.h"

#include <QCloseEvent>
#include <QCursor>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <optional>
#include <utility>

namespace molvane {

namespace {

constexpr int w = elementcellsize;
constexpr int h = elementcellsize;
/// The lanthanides and actinides sit apart below the table.
constexpr int apartx = 11;
constexpr int aparty = 8;
constexpr int columns = 18;
/// Height of `Edit1`, which the cells move below in the atom editor.
constexpr int editheight = 22;
constexpr int fontbuttonwidth = 60;
constexpr QSize donesize(60, 22);
constexpr int donex = 4;

struct trow {
  int first;
  int last;
  int x;  ///< x = (Z + x) cells, plus the offset
  int offsetx;
  int y;  ///< y = y cells, plus the offset
  int offsety;
};

constexpr trow rows[] = {
    {1, 1, -1, 0, 0, 0},
    {2, 2, 15, 0, 0, 0},
    {3, 4, -3, 0, 1, 0},
    {5, 10, 7, 0, 1, 0},
    {11, 12, -11, 0, 2, 0},
    {13, 18, -1, 0, 2, 0},
    {19, 36, -19, 0, 3, 0},
    {37, 54, -37, 0, 4, 0},
    {55, 57, -55, 0, 5, 0},
    {72, 86, -69, 0, 5, 0},
    {87, 89, -87, 0, 6, 0},
    {58, 71, -55, apartx, 6, aparty},
    {90, 103, -87, apartx, 7, aparty},
};

struct tgroup {
  int first;
  int last;
  tcolour colour;
};

constexpr tcolour alkalicolour = 0xFFFF77;
constexpr tcolour noblegascolour = 0xFFFFFF;
constexpr tcolour metalcolour = 0xC0C0C0;
constexpr tcolour innercolour = 0x77FF77;
constexpr tcolour nonmetalcolour = 0x77FFFF;

constexpr tgroup groups[] = {
    {1, 1, alkalicolour},     {3, 4, alkalicolour},
    {11, 12, alkalicolour},   {19, 20, alkalicolour},
    {37, 38, alkalicolour},   {55, 56, alkalicolour},
    {87, 89, alkalicolour},   {2, 2, noblegascolour},
    {10, 10, noblegascolour}, {18, 18, noblegascolour},
    {36, 36, noblegascolour}, {54, 54, noblegascolour},
    {86, 86, noblegascolour}, {13, 13, metalcolour},
    {21, 32, metalcolour},    {39, 51, metalcolour},
    {57, 57, metalcolour},    {72, 84, metalcolour},
    {58, 71, innercolour},    {90, 103, innercolour},
};

}  // namespace

QPoint cellposition(int z) {
  for (const trow& row : rows) {
    if (z >= row.first && z <= row.last) {
      return {(z + row.x) * w + row.offsetx, row.y * h + row.offsety};
    }
  }
  return {};
}

tcolour cellcolour(int z) {
  for (const tgroup& group : groups) {
    if (z >= group.first && z <= group.last) {
      return group.colour;
    }
  }
  return nonmetalcolour;
}

telement::telement(int z, QWidget* parent, std::function<void(int)> chosen)
    : QLabel(qtstring(writtensymbolof(z)), parent),
      Z(z),
      yoffset(cellposition(z).y()),
      chosen_(std::move(chosen)) {
  setObjectName(QStringLiteral("element%1").arg(z));
  setAlignment(Qt::AlignCenter);
  setFont(qtfontof(fontrecord::standard(), true));
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  setbackground(cellcolour(z));
  settopbase(0);
}

void telement::settopbase(int pixels) {
  topbase = pixels;
  setGeometry(cellposition(Z).x(), yoffset + topbase, w, h);
}

void telement::enterEvent(QEnterEvent* event) {
  setbackground(hovercellcolour);
  QLabel::enterEvent(event);
}

void telement::leaveEvent(QEvent* event) {
  setbackground(cellcolour(Z));
  QLabel::leaveEvent(event);
}

void telement::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && chosen_) {
    chosen_(Z);
  }
}

void telement::setbackground(tcolour colour) {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, qtcolourof(colour));
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
}

TPeriodicTable::TPeriodicTable(ttoolhost& window)
    : QWidget(&window.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      window_(window) {
  setObjectName(QStringLiteral("PeriodicTable"));
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setMaxLength(static_cast<int>(longestlabeltext));
  bfont_ = new QPushButton(QStringLiteral("Font"), this);
  bfont_->setObjectName(QStringLiteral("bFont"));
  bfont_->setToolTip(QStringLiteral("Change font"));
  bdone_ = new QPushButton(QStringLiteral("Done"), this);
  bdone_->setObjectName(QStringLiteral("bDone"));
  for (int z = 1; z <= lastelement; ++z) {
    cells_[static_cast<std::size_t>(z - 1)] =
        new telement(z, this, [this](int chosen) { chooseelement(chosen); });
  }
  atomtool_ = new TAtomTool(*this, &window.hostwindow());
  connect(edit1_, &QLineEdit::textEdited, this, [this] { changed(); });
  connect(edit1_, &QLineEdit::returnPressed, this, [this] { done(); });
  connect(bfont_, &QPushButton::clicked, this, [this] { choosefont(); });
  connect(bdone_, &QPushButton::clicked, this, [this] { done(); });
  layoutplain();
  move(1, 1);
}

tatm* TPeriodicTable::editatom() const {
  tatm* atom = editatom_.get();
  if (atom == nullptr || session().drawing()->positionof(atom) < 0) {
    return nullptr;
  }
  return atom;
}

telement* TPeriodicTable::cell(int z) const {
  if (z < 1 || z > lastelement) {
    return nullptr;
  }
  return cells_[static_cast<std::size_t>(z - 1)];
}

void TPeriodicTable::openadd() {
  tablemode_ = ttablemode::add;
  layoutplain();
  show();
  raise();
  window_.seteditormode(teditormode::atomtool);
}

void TPeriodicTable::openbranch() {
  const tAtoms& atoms = session().drawing()->atoms;
  const bool branchable =
      std::any_of(atoms.begin(), atoms.end(),
                  [](const tatm* atom) { return atom->ischemical(); });
  if (branchable) {
    tablemode_ = ttablemode::branch;
  } else if (tablemode_ == ttablemode::edit) {
    // No atom is being edited any more: a click adds the element.
    tablemode_ = ttablemode::add;
  }
  layoutplain();
  show();
  raise();
  window_.seteditormode(teditormode::atomtool);
}

void TPeriodicTable::openeditor(tatm* atom) {
  if (atom == nullptr || !atom->ischemical() ||
      session().drawing()->positionof(atom) < 0) {
    return;
  }
  if (tatm* previous = editatom(); previous != nullptr && previous != atom) {
    previous->colour = 0;
  }
  editatom_.set(atom);
  step_.restart();
  atom->colour = editcolour;
  tablemode_ = ttablemode::edit;
  layouteditor();
  showsymbol();
  QWidget& view = window_.drawingarea();
  QCursor::setPos(view.mapToGlobal(window_.windowpointof(*atom)));
  // The two windows keep clear of the atom's half of the main window.
  const QRect frame = window_.hostwindow().frameGeometry();
  const int right = frame.right() + 1;
  if (window_.windowpointof(*atom).x() < view.width() / 2) {
    move(right - frameGeometry().width(), frame.top());
    atomtool_->move(frame.left(), frame.top());
  } else {
    move(frame.left(), frame.top());
    atomtool_->move(right - atomtool_->frameGeometry().width(), frame.top());
  }
  show();
  atomtool_->show();
  raise();
  atomtool_->raise();
  window_.seteditormode(teditormode::atomeditor);
  window_.repaintdrawing();
}

void TPeriodicTable::chooseelement(int z) {
  window_.choosecommand(elementcommand(z));
  if (tablemode_ != ttablemode::edit) {
    return;
  }
  if (tatm* atom = editatom()) {
    beforechange();
    setatomelement(*atom, z);
    showsymbol();
    window_.repaintdrawing();
  }
}

void TPeriodicTable::applytag(int tag) {
  tatm* atom = editatom();
  if (atom == nullptr) {
    return;
  }
  if (tag == cloneatomtag) {
    // The copy is a step of its own, and so are the changes made to it.
    atom->colour = 0;
    if (tatm* copy = cloneatom(*atom)) {
      copy->colour = editcolour;
      editatom_.set(copy);
      step_.restart();
      showsymbol();
      window_.markmodified();
    } else {
      atom->colour = editcolour;
    }
  } else if (tag == deleteatomtag) {
    editatom_.clear();
    deleteatom(atom);
    window_.markmodified();
    finish();
  } else if (tag >= hideatomtag && tag < cloneatomtag) {
    beforechange();
    applyatomtag(*atom, tag);
    if (tag == deuteriumtag) {
      showsymbol();
    }
  }
  window_.repaintdrawing();
}

void TPeriodicTable::done() {
  if (tablemode_ == ttablemode::edit) {
    settext();
  }
  finish();
}

void TPeriodicTable::choosefont() {
  tatm* atom = editatom();
  if (atom == nullptr) {
    return;
  }
  const fontrecord start = session().drawing()->getfontrecord(atom->fontindex);
  hide();
  const std::optional<QFont> chosen =
      window_.dialogs().font(&window_.hostwindow(), qtfontof(start, true));
  atom = editatom();
  if (chosen && atom != nullptr) {
    beforechange();
    atom->setfont(fontrecordof(*chosen, start));
  }
  window_.repaintdrawing();
  show();
}

void TPeriodicTable::pickat(QPoint point) {
  tatm* nearest = nearestatom(*session().drawing(), point.x(), point.y());
  if (nearest == nullptr || !nearest->ischemical()) {
    return;
  }
  if (tatm* previous = editatom()) {
    previous->colour = 0;
  }
  editatom_.set(nearest);
  step_.restart();
  nearest->colour = editcolour;
  showsymbol();
  window_.repaintdrawing();
}

void TPeriodicTable::dragstart(QPoint) { dragged_ = false; }

void TPeriodicTable::dragmove(QPoint point) {
  tatm* atom = editatom();
  if (atom == nullptr) {
    return;
  }
  if (!dragged_) {
    // One undo copy for the whole drag.
    session().takeundosnapshot("Move Atom");
    window_.markmodified();
    dragged_ = true;
  }
  atom->dragtocursor(point.x(), point.y());
  atom->colour = editcolour;
  window_.repaintdrawing();
}

void TPeriodicTable::dragend(QPoint) {
  tatm* atom = editatom();
  if (dragged_ && atom != nullptr) {
    finishatomdrag(*atom);
    window_.repaintdrawing();
  }
  dragged_ = false;
}

void TPeriodicTable::runtool(QPoint point) {
  const int code = window_.commandcode();
  if (code == 0) {
    return;
  }
  if (tablemode_ == ttablemode::edit) {
    const tatomtoolresult result =
        runatomtool(point.x(), point.y(), code, tatomtoolmode::choose);
    tatm* atom = editatom();
    if (result.element != 0 && atom != nullptr) {
      beforechange();
      setatomelement(*atom, result.element);
      showsymbol();
      window_.repaintdrawing();
    }
    return;
  }
  const tatomtoolresult result =
      runatomtool(point.x(), point.y(), code,
                  tablemode_ == ttablemode::add ? tatomtoolmode::add
                                                : tatomtoolmode::branch);
  if (result.snapshot) {
    window_.markmodified();
  }
}

void TPeriodicTable::closeEvent(QCloseEvent* event) {
  finish();
  event->accept();
}

void TPeriodicTable::layoutplain() {
  setWindowTitle(QStringLiteral("Periodic Table"));
  edit1_->hide();
  bfont_->hide();
  setcellsbelow(0);
  bdone_->setGeometry(QRect(QPoint(donex, 7 * h + 4), donesize));
  setFixedSize(columns * w, 9 * h - h / 2);
}

void TPeriodicTable::layouteditor() {
  setWindowTitle(QStringLiteral("Atom Editor"));
  const int width = columns * w;
  edit1_->setGeometry(0, 0, width - fontbuttonwidth, editheight);
  bfont_->setGeometry(width - fontbuttonwidth, 0, fontbuttonwidth, editheight);
  edit1_->show();
  bfont_->show();
  setcellsbelow(editheight);
  bdone_->setGeometry(QRect(QPoint(donex, 7 * h + editheight + 4), donesize));
  setFixedSize(width, 9 * h + editheight - h / 2);
}

void TPeriodicTable::setcellsbelow(int topbase) {
  for (telement* element : cells_) {
    element->settopbase(topbase);
  }
}

void TPeriodicTable::finish() {
  if (tatm* atom = editatom()) {
    atom->colour = 0;
  }
  editatom_.clear();
  step_.restart();
  dragged_ = false;
  atomtool_->hide();
  closeeditor(*this, window_, {teditormode::atomeditor, teditormode::atomtool});
}

void TPeriodicTable::showsymbol() {
  if (tatm* atom = editatom()) {
    edit1_->setText(qtstring(atom->symbol));
  }
}

void TPeriodicTable::changed() {
  if (settext()) {
    window_.repaintdrawing();
  }
}

bool TPeriodicTable::settext() {
  tatm* atom = editatom();
  const std::string text = utf8string(edit1_->text());
  if (atom == nullptr || text == atom->symbol) {
    return false;
  }
  beforechange();
  setlabeltext(*atom, text);
  return true;
}

void TPeriodicTable::beforechange() {
  // The undo copy keeps the atom as the drawing shows it outside the
  // editor: without the highlight.
  tatm* atom = editatom();
  if (atom != nullptr) {
    atom->colour = 0;
  }
  if (step_.beforechange()) {
    window_.markmodified();
  }
  if (atom != nullptr) {
    atom->colour = editcolour;
  }
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/symbol_editor.h"

#include "app/editor_windows.h"
#include "app/tool_host.h"
#include "commands/editor_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "document/symbol.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace molvane {

namespace {

constexpr int sliderwidth = 26;
constexpr int fullturn = 180;
constexpr int smallestzoom = 50;
constexpr int largestzoom = 150;
constexpr int fullsize = 100;
constexpr int screentop = 1;

struct tbutton {
  const char* name;
  const char* caption;
  const char* hint;
  void (*action)(TSymbolEditor& editor);
};

const tbutton buttons[] = {
    {"Button1", "+90\xC2\xB0", "",
     [](TSymbolEditor& editor) { editor.rotateby(90); }},
    {"Button2", "-90\xC2\xB0", "",
     [](TSymbolEditor& editor) { editor.rotateby(-90); }},
    {"Button3", "+45\xC2\xB0", "",
     [](TSymbolEditor& editor) { editor.rotateby(45); }},
    {"Button4", "-45\xC2\xB0", "",
     [](TSymbolEditor& editor) { editor.rotateby(-45); }},
    {"Button5", "+50%", "", [](TSymbolEditor& editor) { editor.scaleby(1.5); }},
    {"Button6", "-50%", "", [](TSymbolEditor& editor) { editor.scaleby(0.5); }},
    {"LineButton", "Line", "Toggle symbol line width",
     [](TSymbolEditor& editor) { editor.cyclewidth(); }},
    {"ButtonButton", "Style", "Toggle symbol style if applicable",
     [](TSymbolEditor& editor) { editor.cyclestyle(); }},
    {"ReflectButton", "Reflect", "Reflect symbol left to right",
     [](TSymbolEditor& editor) { editor.reflect(); }},
    {"FlipButton", "Flip", "Flip symbol top to bottom",
     [](TSymbolEditor& editor) { editor.flip(); }},
    {"CloneButton", "Clone", "Duplicate symbol",
     [](TSymbolEditor& editor) { editor.clone(); }},
    {"DeleteButton", "Delete", "Delete symbol",
     [](TSymbolEditor& editor) { editor.remove(); }},
};

}  // namespace

TSymbolEditor::TSymbolEditor(ttoolhost& window)
    : QWidget(&window.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      window_(window) {
  setObjectName(QStringLiteral("SymbolEditor"));
  setWindowTitle(QStringLiteral("Symbol Editor"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  scrollbar1_ = new QScrollBar(Qt::Vertical, this);
  scrollbar1_->setObjectName(QStringLiteral("ScrollBar1"));
  scrollbar1_->setToolTip(QStringLiteral("Rotate symbol"));
  scrollbar1_->setFixedWidth(sliderwidth);
  layout->addWidget(scrollbar1_);

  auto* column = new QVBoxLayout;
  layout->addLayout(column);
  auto* group = new QGroupBox(this);
  group->setObjectName(QStringLiteral("RadioGroup1"));
  group->setToolTip(QStringLiteral("Select scrollbar function"));
  auto* choices = new QVBoxLayout(group);
  rotate_ = new QRadioButton(QStringLiteral("Rotate"), group);
  zoom_ = new QRadioButton(QStringLiteral("Zoom"), group);
  choices->addWidget(rotate_);
  choices->addWidget(zoom_);
  column->addWidget(group);

  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  column->addLayout(grid);
  // Two buttons a row, in the order of the table.
  int index = 0;
  for (const tbutton& entry : buttons) {
    QPushButton* button =
        makebutton(*this, entry.name, entry.caption, entry.hint);
    grid->addWidget(button, index / 2, index % 2);
    connect(button, &QPushButton::clicked, this,
            [this, action = entry.action] { action(*this); });
    ++index;
  }
  QPushButton* okbutton = makebutton(*this, "OKbutton", "OK", "");
  grid->addWidget(okbutton, index / 2, 0, 1, 2);
  connect(okbutton, &QPushButton::clicked, this, [this] { ok(); });

  // Either choice puts the slider to rest in its own range.
  connect(rotate_, &QRadioButton::toggled, this, [this] { resetslider(); });
  connectslider(
      *scrollbar1_, *this, resting_, [this](int position) { slide(position); },
      [this] { endslide(); });
  setrotating(true);
}

tSymbol* TSymbolEditor::editsymbol() const {
  tSymbol* symbol = editsymbol_.get();
  if (symbol == nullptr || !session().drawing()->symbols.contains(symbol)) {
    return nullptr;
  }
  return symbol;
}

void TSymbolEditor::openon(tSymbol* symbol) {
  if (symbol == nullptr || !session().drawing()->symbols.contains(symbol)) {
    return;
  }
  select(*symbol);
  window_.seteditormode(teditormode::symboleditor);
  window_.repaintdrawing();
}

void TSymbolEditor::pickat(QPoint point) {
  tSymbol* symbol = nearestsymbol(*session().drawing(), point.x(), point.y());
  if (symbol == nullptr) {
    finish();
    return;
  }
  select(*symbol);
  window_.repaintdrawing();
}

void TSymbolEditor::dragstart(QPoint point) {
  tSymbol* symbol = editsymbol();
  if (symbol == nullptr) {
    return;
  }
  pressed_ = true;
  dragged_ = false;
  last_ = point;
  savedwidth_ = symbol->linewidth;
  symbol->linewidth = 1;
  highlight();
  window_.repaintdrawing();
}

void TSymbolEditor::dragmove(QPoint point) {
  tSymbol* symbol = editsymbol();
  if (!pressed_ || symbol == nullptr) {
    return;
  }
  if (!dragged_) {
    // The undo copy keeps the symbol's own pen.
    symbol->linewidth = savedwidth_;
    beforechange();
    symbol->linewidth = 1;
    dragged_ = true;
  }
  symbol->translate(point.x() - last_.x(), point.y() - last_.y(), 0.0);
  last_ = point;
  window_.repaintdrawing();
}

void TSymbolEditor::dragend(QPoint) {
  tSymbol* symbol = editsymbol();
  if (pressed_ && symbol != nullptr) {
    symbol->linewidth = savedwidth_;
    symbol->takereference();
    highlight();
    window_.repaintdrawing();
  }
  pressed_ = false;
  dragged_ = false;
}

void TSymbolEditor::rotateby(double degrees) {
  edit([degrees](tSymbol& symbol) {
    symbol.rotatesymbol(degrees);
    symbol.takereference();
  });
}

void TSymbolEditor::scaleby(double factor) {
  if (editsymbol() == nullptr) {
    session().messages().inform("No symbol selected");
    return;
  }
  edit([factor](tSymbol& symbol) {
    symbol.scalesymbol(factor);
    // Later turns start from the scaled symbol.
    symbol.takereference();
  });
}

void TSymbolEditor::cyclewidth() {
  edit([](tSymbol& symbol) { symbol.cyclewidth(); });
}

void TSymbolEditor::cyclestyle() {
  edit([](tSymbol& symbol) { symbol.cyclestyle(); });
}

void TSymbolEditor::reflect() {
  edit([](tSymbol& symbol) { symbol.mirror(1); });
}

void TSymbolEditor::flip() {
  edit([](tSymbol& symbol) {
    // Straight arrows exchange the axes of their mirror.
    symbol.mirror(dynamic_cast<tArrow*>(&symbol) != nullptr ? 2 : 1);
  });
}

void TSymbolEditor::clone() {
  tSymbol* symbol = editsymbol();
  if (symbol != nullptr && clonesymbol(*symbol) != nullptr) {
    window_.markmodified();
    window_.repaintdrawing();
  }
}

void TSymbolEditor::remove() {
  tSymbol* symbol = editsymbol();
  if (symbol == nullptr) {
    return;
  }
  session().takeundosnapshot("Delete");
  editsymbol_.clear();
  session().drawing()->deletesymbol(symbol);
  window_.markmodified();
  if (session().drawing()->symbols.empty()) {
    finish();
    return;
  }
  window_.repaintdrawing();
}

void TSymbolEditor::ok() { finish(); }

void TSymbolEditor::setrotating(bool rotating) {
  (rotating ? rotate_ : zoom_)->setChecked(true);
  resetslider();
}

void TSymbolEditor::resetslider() {
  resting_ = true;
  if (rotate_->isChecked()) {
    scrollbar1_->setRange(-fullturn, fullturn);
    scrollbar1_->setValue(0);
  } else {
    scrollbar1_->setRange(smallestzoom, largestzoom);
    scrollbar1_->setValue(fullsize);
  }
  resting_ = false;
}

void TSymbolEditor::closeEvent(QCloseEvent* event) {
  finish();
  event->accept();
}

void TSymbolEditor::select(tSymbol& symbol) {
  if (tSymbol* previous = editsymbol(); previous != nullptr) {
    setsymbolcolour(*previous, 0);
  }
  if (editsymbol() != &symbol) {
    step_.restart();
  }
  editsymbol_.set(&symbol);
  highlight();
  showeditor();
}

void TSymbolEditor::showeditor() {
  setrotating(true);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.right() + 1 - frameGeometry().width(), area.top() + screentop);
  }
  show();
  raise();
}

void TSymbolEditor::highlight() {
  if (tSymbol* symbol = editsymbol()) {
    setsymbolcolour(*symbol, editcolour);
  }
}

void TSymbolEditor::edit(const std::function<void(tSymbol&)>& change) {
  if (tSymbol* symbol = editsymbol()) {
    beforechange();
    change(*symbol);
    highlight();
    changed();
  }
}

void TSymbolEditor::beforechange() {
  // The undo copy keeps the symbol as the drawing shows it outside the
  // editor: without the highlight.
  if (tSymbol* symbol = editsymbol()) {
    setsymbolcolour(*symbol, 0);
  }
  if (step_.beforechange()) {
    window_.markmodified();
  }
  highlight();
}

void TSymbolEditor::changed() {
  session().drawing()->saved = false;
  window_.repaintdrawing();
}

void TSymbolEditor::slide(int position) {
  const bool rotating = rotate_->isChecked();
  edit([rotating, position](tSymbol& symbol) {
    if (rotating) {
      symbol.rotatesymbol(position);
    } else {
      symbol.scalesymbol(position / static_cast<double>(fullsize));
    }
  });
}

void TSymbolEditor::endslide() {
  if (tSymbol* symbol = editsymbol()) {
    symbol->takereference();
  }
  resetslider();
  window_.repaintdrawing();
}

void TSymbolEditor::finish() {
  if (tSymbol* symbol = editsymbol()) {
    setsymbolcolour(*symbol, 0);
  }
  editsymbol_.clear();
  pressed_ = false;
  dragged_ = false;
  step_.restart();
  closeeditor(*this, window_, {teditormode::symboleditor});
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text_editor.h"

#include "app/editor_windows.h"
#include "app/tool_host.h"
#include "app/window_dialogs.h"
#include "commands/click_anchor.h"
#include "commands/editor_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/font.h"
#include "qt/font_mapping.h"
#include "qt/text_conversion.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <optional>

namespace molvane {

namespace {

constexpr int screentop = 1;
constexpr int editwidth = 220;
constexpr const char* middledot = "\xC2\xB7";

}  // namespace

TTextEditor::TTextEditor(ttoolhost& window)
    : QWidget(&window.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      window_(window) {
  setObjectName(QStringLiteral("TextEditor"));
  setWindowTitle(QStringLiteral("Text Editor"));
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setMaxLength(static_cast<int>(longestlabeltext));
  edit1_->setMinimumWidth(editwidth);
  layout->addWidget(edit1_, 0, 0, 1, 5);
  const auto addbutton = [this, layout](const char* name, const char* caption,
                                        const char* hint, int column) {
    QPushButton* button = makebutton(*this, name, caption, hint);
    layout->addWidget(button, 1, column);
    return button;
  };
  connect(addbutton("Button1", "Done", "", 0), &QPushButton::clicked, this,
          [this] { done(); });
  connect(addbutton("FontButton", "Font", "Change text font", 1),
          &QPushButton::clicked, this, [this] { choosefont(); });
  connect(addbutton("CloneButton", "Clone", "Duplicate text", 2),
          &QPushButton::clicked, this, [this] { clone(); });
  connect(addbutton("Button4", "Delete", "Delete text", 3),
          &QPushButton::clicked, this, [this] { remove(); });
  connect(addbutton("Button2", middledot,
                    "Enter a dot(\xC2\xB7)such as for a hydrate", 4),
          &QPushButton::clicked, this, [this] { insertdot(); });
  connect(edit1_, &QLineEdit::textEdited, this, [this] { copytext(); });
  connect(edit1_, &QLineEdit::returnPressed, this, [this] { done(); });
}

tLAtm* TTextEditor::editlabel() const {
  tLAtm* label = editlabel_.get();
  if (label == nullptr || session().drawing()->positionof(label) < 0) {
    return nullptr;
  }
  return label;
}

void TTextEditor::openon(tLAtm* label) {
  if (label == nullptr || session().drawing()->positionof(label) < 0) {
    return;
  }
  edittarget(label);
  // The window takes its size from its layout only now; it is placed at
  // the top right of the screen after that, and never beyond its left.
  adjustSize();
  show();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(std::max(area.left(), area.right() + 1 - frameGeometry().width()),
         area.top() + screentop);
  }
  raise();
  activateWindow();
  edit1_->setFocus();
  window_.seteditormode(teditormode::texteditor);
  window_.repaintdrawing();
}

void TTextEditor::pickat(QPoint point) {
  tatm* nearest = nearestatom(*session().drawing(), point.x(), point.y());
  if (nearest == nullptr || nearest->kind != labelatomkind) {
    return;
  }
  if (tLAtm* previous = editlabel(); previous != nullptr) {
    previous->colour = 0;
  }
  nearest->colour = editcolour;
  edittarget(static_cast<tLAtm*>(nearest));
  window_.repaintdrawing();
}

void TTextEditor::dragstart(QPoint) {
  tLAtm* label = editlabel();
  if (label == nullptr) {
    return;
  }
  pressed_ = true;
  dragged_ = false;
  // The pointer jumps onto the label, which then follows it.
  label->focus();
  QCursor::setPos(
      window_.drawingarea().mapToGlobal(window_.windowpointof(*label)));
  window_.repaintdrawing();
}

void TTextEditor::dragmove(QPoint point) {
  tLAtm* label = editlabel();
  if (!pressed_ || label == nullptr) {
    return;
  }
  if (!dragged_) {
    beforechange();
    dragged_ = true;
  }
  label->dragtocursor(point.x(), point.y());
  window_.repaintdrawing();
}

void TTextEditor::dragend(QPoint) {
  pressed_ = false;
  dragged_ = false;
  window_.repaintdrawing();
}

void TTextEditor::done() {
  if (tLAtm* label = editlabel()) {
    label->colour = 0;
  }
  finish();
}

void TTextEditor::insertdot() {
  edit1_->insert(QString::fromUtf8(middledot));
  copytext();
}

void TTextEditor::choosefont() {
  tLAtm* label = editlabel();
  if (label == nullptr || !isVisible()) {
    return;
  }
  const fontrecord start = session().drawing()->getfontrecord(label->fontindex);
  const std::optional<QFont> chosen =
      window_.dialogs().font(this, qtfontof(start, true));
  label = editlabel();
  if (chosen && label != nullptr) {
    beforechange();
    label->setfont(fontrecordof(*chosen, start));
    window_.repaintdrawing();
  }
}

void TTextEditor::clone() {
  tLAtm* label = editlabel();
  if (label == nullptr) {
    return;
  }
  beforechange();
  if (tLAtm* copy = clonelabel(*label)) {
    edittarget(copy);
    window_.markmodified();
    window_.repaintdrawing();
  }
}

void TTextEditor::remove() {
  tLAtm* label = editlabel();
  if (label == nullptr) {
    return;
  }
  editlabel_.clear();
  deleteatom(label);
  window_.markmodified();
  finish();
}

void TTextEditor::closeEvent(QCloseEvent* event) {
  done();
  event->accept();
}

void TTextEditor::edittarget(tLAtm* label) {
  if (editlabel() != label) {
    step_.restart();
  }
  editlabel_.set(label);
  edit1_->setText(qtstring(label->symbol));
  // Typing replaces the text a new label starts with.
  edit1_->selectAll();
  // Formula labels show their digits as subscripts, like atom labels.
  setWindowTitle(label->labelmode == hydrogenlabel
                     ? QStringLiteral("Formula Formula")
                     : QStringLiteral("Text Editor"));
}

void TTextEditor::copytext() {
  if (tLAtm* label = editlabel()) {
    const std::string text = utf8string(edit1_->text());
    if (text == label->symbol) {
      return;
    }
    beforechange();
    setlabeltext(*label, text);
    window_.repaintdrawing();
  }
}

void TTextEditor::beforechange() {
  // The undo copy keeps the label as the drawing shows it outside the
  // editor: without the highlight.
  tLAtm* label = editlabel();
  if (label != nullptr) {
    label->colour = 0;
  }
  if (step_.beforechange()) {
    window_.markmodified();
  }
  session().drawing()->saved = false;
  if (label != nullptr) {
    label->colour = editcolour;
  }
}

void TTextEditor::finish() {
  editlabel_.clear();
  step_.restart();
  pressed_ = false;
  dragged_ = false;
  closeeditor(*this, window_, {teditormode::texteditor});
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor_windows.h"

#include "app/bond_editor.h"
#include "app/group_editor.h"
#include "app/periodic_table.h"
#include "app/symbol_editor.h"
#include "app/symbol_tool.h"
#include "app/text_editor.h"
#include "app/tool_host.h"
#include "commands/click_target.h"
#include "commands/editor_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <functional>

namespace molvane {

namespace {

constexpr const char* mainmenuname = "MainMenu1";

}  // namespace

QPushButton* makebutton(QWidget& parent, const char* name, const char* caption,
                        const char* hint) {
  auto* button = new QPushButton(QString::fromUtf8(caption), &parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromUtf8(hint));
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

void connectslider(QScrollBar& slider, QObject& context, const bool& resting,
                   const std::function<void(int)>& slide,
                   const std::function<void()>& end) {
  QObject::connect(&slider, &QScrollBar::valueChanged, &context,
                   [&slider, &resting, slide, end](int position) {
                     if (resting) {
                       return;
                     }
                     slide(position);
                     if (!slider.isSliderDown()) {
                       end();
                     }
                   });
  QObject::connect(&slider, &QScrollBar::sliderReleased, &context, end);
}

void closeeditor(QWidget& editor, ttoolhost& window,
                 std::initializer_list<teditormode> modes) {
  editor.hide();
  if (std::find(modes.begin(), modes.end(), window.editormode()) !=
      modes.end()) {
    window.returntodrawingmode();
  } else {
    window.repaintdrawing();
  }
}

teditorwindows::teditorwindows(ttoolhost& window) : window_(window) {}

teditorwindows::~teditorwindows() {
  // The windows are the main window's children; they go before it does.
  delete periodictable_.data();
  delete bondeditor_.data();
  delete symboltool_.data();
  delete symboleditor_.data();
  delete texteditor_.data();
  delete groupeditor_.data();
  delete editormenu_.data();
}

TPeriodicTable& teditorwindows::periodictable() {
  if (periodictable_ == nullptr) {
    periodictable_ = new TPeriodicTable(window_);
  }
  return *periodictable_;
}

TAtomTool& teditorwindows::atomtool() { return periodictable().atomtool(); }

TBondEditor& teditorwindows::bondeditor() {
  if (bondeditor_ == nullptr) {
    bondeditor_ = new TBondEditor(window_);
  }
  return *bondeditor_;
}

TSymbolTool& teditorwindows::symboltool() {
  if (symboltool_ == nullptr) {
    symboltool_ = new TSymbolTool(window_);
  }
  return *symboltool_;
}

TSymbolEditor& teditorwindows::symboleditor() {
  if (symboleditor_ == nullptr) {
    symboleditor_ = new TSymbolEditor(window_);
  }
  return *symboleditor_;
}

TTextEditor& teditorwindows::texteditor() {
  if (texteditor_ == nullptr) {
    texteditor_ = new TTextEditor(window_);
  }
  return *texteditor_;
}

TGroupEditor& teditorwindows::groupeditor() {
  if (groupeditor_ == nullptr) {
    groupeditor_ = new TGroupEditor(window_);
  }
  return *groupeditor_;
}

bool teditorwindows::groupeditorshown() const {
  return groupeditor_ != nullptr && groupeditor_->isVisible();
}

tmouseeditor* teditorwindows::mouseeditor(teditormode mode) {
  switch (mode) {
    case teditormode::atomeditor:
      return &periodictable();
    case teditormode::bondeditor:
      return &bondeditor();
    case teditormode::symboleditor:
      return &symboleditor();
    case teditormode::texteditor:
      return &texteditor();
    case teditormode::groupeditor:
      return &groupeditor();
    default:
      return nullptr;
  }
}

bool teditorwindows::leftdown(teditormode mode, QPoint point) {
  tmouseeditor* editor = mouseeditor(mode);
  if (editor != nullptr) {
    editor->dragstart(point);
  }
  return editor != nullptr;
}

bool teditorwindows::leftmove(teditormode mode, QPoint point) {
  tmouseeditor* editor = mouseeditor(mode);
  if (editor != nullptr) {
    editor->dragmove(point);
  }
  return editor != nullptr;
}

bool teditorwindows::leftup(teditormode mode, QPoint point) {
  if (mode == teditormode::atomtool) {
    periodictable().runtool(point);
    return true;
  }
  tmouseeditor* editor = mouseeditor(mode);
  if (editor != nullptr) {
    editor->dragend(point);
  }
  return editor != nullptr;
}

bool teditorwindows::rightup(teditormode mode, QPoint point) {
  tmouseeditor* editor = mouseeditor(mode);
  if (editor != nullptr) {
    editor->pickat(point);
  }
  return editor != nullptr;
}

bool teditorwindows::openfor(const tclicktarget& target, QPoint point) {
  if (target.kind == tclicktarget::tkind::bond && target.bond != nullptr) {
    bondeditor().openon(target.bond, point);
    return true;
  }
  if (target.kind == tclicktarget::tkind::structure &&
      target.structure != nullptr) {
    groupeditor().openon(target.structure);
    return true;
  }
  if (target.kind != tclicktarget::tkind::atom || target.atom == nullptr) {
    return false;
  }
  tatm* atom = target.atom;
  switch (atom->kind) {
    case chemicalatomkind:
      periodictable().openeditor(atom);
      return true;
    case labelatomkind:
      texteditor().openon(static_cast<tLAtm*>(atom));
      return true;
    case symbolpointkind:
      if (tSymbol* symbol = symbolofpoint(*session().drawing(), atom)) {
        symboleditor().openon(symbol);
        return true;
      }
      return false;
    default:
      return false;
  }
}

void teditorwindows::showmenu(teditormode mode) {
  restoremainmenu();
  std::function<void()> exit;
  const char* name = nullptr;
  switch (mode) {
    case teditormode::atomeditor:
      name = "AtomEditorMenu";
      exit = [this] { periodictable().done(); };
      break;
    case teditormode::bondeditor:
      name = "BondEditorMenu";
      exit = [this] { bondeditor().done(); };
      break;
    case teditormode::symboleditor:
      name = "SymbolEditorMenu";
      exit = [this] { symboleditor().ok(); };
      break;
    case teditormode::texteditor:
      name = "TextEditorMenu";
      exit = [this] { texteditor().done(); };
      break;
    case teditormode::groupeditor:
      name = "GroupEditorMenu";
      exit = [this] { groupeditor().done(); };
      break;
    default:
      return;
  }
  QMenuBar& bar = *window_.hostwindow().menuBar();
  for (QAction* item : bar.actions()) {
    if (item->isVisible()) {
      item->setVisible(false);
      hiddenitems_.emplace_back(item);
    }
  }
  bar.setObjectName(QString::fromLatin1(name));
  editormenu_ = new QMenu(QStringLiteral("File"), &bar);
  QAction* item = editormenu_->addAction(QStringLiteral("Exit"));
  QObject::connect(item, &QAction::triggered, &bar, exit);
  bar.addMenu(editormenu_);
}

void teditorwindows::restoremainmenu() {
  QMenuBar& bar = *window_.hostwindow().menuBar();
  if (editormenu_ != nullptr) {
    bar.removeAction(editormenu_->menuAction());
    editormenu_->deleteLater();
    editormenu_ = nullptr;
  }
  for (const QPointer<QAction>& item : hiddenitems_) {
    if (item != nullptr) {
      item->setVisible(true);
    }
  }
  hiddenitems_.clear();
  bar.setObjectName(QString::fromLatin1(mainmenuname));
}

}  // namespace molvane

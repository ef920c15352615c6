// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tool_host.h"
#include "commands/drawing_pointer.h"
#include "document/session.h"

#include <QPoint>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

class QAction;
class QMenu;
class QObject;
class QPushButton;
class QScrollBar;
class QWidget;

namespace molvane {

class TAtomTool;
class TBondEditor;
class TGroupEditor;
class ttoolhost;
class TPeriodicTable;
class TSymbolEditor;
class TSymbolTool;
class TTextEditor;
struct tclicktarget;

/// An editor that works on the drawing with the mouse while the main
/// window is in its mode (client coordinates of the drawing).
class tmouseeditor {
 public:
  virtual ~tmouseeditor() = default;
  /// The right button let go: picks the object to edit.
  virtual void pickat(QPoint point) = 0;
  /// The left button pressed, moved while held, and let go.
  virtual void dragstart(QPoint point) = 0;
  virtual void dragmove(QPoint point) = 0;
  virtual void dragend(QPoint point) = 0;
};

/// A button of a tool window that leaves the keyboard where it is; name is
/// its object name (none when empty), hint its tool tip.
QPushButton* makebutton(QWidget& parent, const char* name, const char* caption,
                        const char* hint);

/// Wires an editor's slider: every move the editor did not make itself
/// (while resting is true) goes to slide with the position. Clicks on the
/// arrows and the track end their scroll at once, a drag of the thumb when
/// it is let go; then end runs.
void connectslider(QScrollBar& slider, QObject& context, const bool& resting,
                   const std::function<void(int)>& slide,
                   const std::function<void()>& end);

/// Hides an editor's window; when the main window is still in one of the
/// editor's modes it goes back to drawing mode, otherwise it repaints.
void closeeditor(QWidget& editor, ttoolhost& window,
                 std::initializer_list<teditormode> modes);

/// The tool windows of the drawing editors (periodic table and atom tool,
/// bond editor, symbol tool, symbol editor, text editor) and the small menus
/// the main window shows while an editor is in use. The windows are made on
/// first use as tool windows of the main window, which owns them.
class teditorwindows {
 public:
  explicit teditorwindows(ttoolhost& window);
  ~teditorwindows();
  teditorwindows(const teditorwindows&) = delete;
  teditorwindows& operator=(const teditorwindows&) = delete;

  TPeriodicTable& periodictable();
  TAtomTool& atomtool();
  TBondEditor& bondeditor();
  TSymbolTool& symboltool();
  TSymbolEditor& symboleditor();
  TTextEditor& texteditor();
  TGroupEditor& groupeditor();
  /// Whether the group editor is on screen (made and shown).
  bool groupeditorshown() const;

  /// The mouse in the drawing (client coordinates) while the main window
  /// is in mode: the editor of modes 1, 2, 3, 4 and 5 gets presses, moves and
  /// releases of the left button and the right button's release; mode 8
  /// gets the left button's release. False for the modes of other windows.
  bool leftdown(teditormode mode, QPoint point);
  bool leftmove(teditormode mode, QPoint point);
  bool leftup(teditormode mode, QPoint point);
  bool rightup(teditormode mode, QPoint point);

  /// The right click of drawing mode at point: a chemical atom opens the
  /// atom editor, a bond the bond editor (pivoting about its end nearer to
  /// point), a text label the text editor, a symbol point the symbol
  /// editor on its symbol and a structure the group editor. False (nothing
  /// opens) for other targets.
  bool openfor(const tclicktarget& target, QPoint point);

  /// Shows the menu of editor mode 1, 2, 3, 4 or 5 in place of the main menu;
  /// any other mode brings the main menu back.
  void showmenu(teditormode mode);

 private:
  void restoremainmenu();
  /// The editor of modes 1, 2, 3, 4 and 5; null for other modes.
  tmouseeditor* mouseeditor(teditormode mode);

  ttoolhost& window_;
  QPointer<TPeriodicTable> periodictable_;
  QPointer<TBondEditor> bondeditor_;
  QPointer<TSymbolTool> symboltool_;
  QPointer<TSymbolEditor> symboleditor_;
  QPointer<TTextEditor> texteditor_;
  QPointer<TGroupEditor> groupeditor_;
  /// The editor menu on show and the main menu items it hides.
  QPointer<QMenu> editormenu_;
  std::vector<QPointer<QAction>> hiddenitems_;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor_windows.h"
#include "commands/editor_step.h"
#include "render/canvas.h"

#include <QLabel>
#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace molvane {

class TAtomTool;
class ttoolhost;
class tatm;

/// Side of an element cell in pixels.
inline constexpr int elementcellsize = 20;
/// The background of the cell under the mouse.
inline constexpr tcolour hovercellcolour = 0xEEEEEE;

/// The top-left corner of element z's cell in the plain table (pixels);
/// the origin for a number outside 1 .. 103.
QPoint cellposition(int z);
/// The background colour (0x00BBGGRR) of element z's group.
tcolour cellcolour(int z);

/// One cell of the table: the element's symbol on its group colour, which
/// lightens while the mouse is over it. A left click chooses the element.
class telement final : public QLabel {
 public:
  telement(int z, QWidget* parent, std::function<void(int)> chosen);

  /// Moves the cell below the first topbase pixels of the window.
  void settopbase(int pixels);

  /// The atomic number, 1 .. 103.
  const int Z;
  /// The cell's row position in the plain table.
  const int yoffset;
  /// Added to the row position in the atom editor layout.
  int topbase = 0;

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void setbackground(tcolour colour);

  std::function<void(int)> chosen_;
};

/// The periodic table. As "Periodic Table" it picks the element that the
/// next click in the drawing adds (table mode 0) or branches from the
/// nearest atom (mode 1); as "Atom Editor" (mode 2) it edits one atom of
/// the drawing, its element, label text and font, together with the atom
/// tool's buttons.
class TPeriodicTable final : public QWidget, public tmouseeditor {
 public:
  /// What the table is open for (table modes 0, 1 and 2).
  enum class ttablemode { add = 0, branch = 1, edit = 2 };

  explicit TPeriodicTable(ttoolhost& window);

  ttablemode tablemode() const { return tablemode_; }
  /// The atom being edited; null when none is, or when the current drawing
  /// no longer holds it (after Undo, say).
  tatm* editatom() const;
  /// The cell of element z (1 .. 103); null otherwise.
  telement* cell(int z) const;
  TAtomTool& atomtool() const { return *atomtool_; }
  /// `Edit1`, the label text of the edited atom.
  QLineEdit& edit() const { return *edit1_; }

  /// Atom/"Add ...": table mode 0, the plain layout, window mode 8.
  void openadd();
  /// Atom/"Branch ...": table mode 1 and the plain layout when the drawing
  /// has a chemical atom to branch from; window mode 8 in any case.
  void openbranch();
  /// Opens the atom editor on a chemical atom: it turns red, the window
  /// goes to mode 1 with the atom editor's menu, and both windows show.
  void openeditor(tatm* atom);
  /// A click on a cell: the window's command becomes 800 + z, and the
  /// edited atom becomes that element at once.
  void chooseelement(int z);
  /// The buttons of the atom tool by their tags (1 .. 16).
  void applytag(int tag);
  /// "Done": keeps the label text, hides both windows and goes back to
  /// drawing mode.
  void done();
  /// "Font": the edited atom takes a font from the font dialog.
  void choosefont();

  /// Window mode 1: the right click picks the nearest chemical atom for
  /// editing; a left drag moves the edited atom.
  void pickat(QPoint point) override;
  void dragstart(QPoint point) override;
  void dragmove(QPoint point) override;
  void dragend(QPoint point) override;
  /// Window mode 8: the release of the left button adds, branches or (in
  /// the atom editor) changes the element of the command code.
  void runtool(QPoint point);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void layoutplain();
  void layouteditor();
  void setcellsbelow(int topbase);
  /// Stops editing: the atom loses its highlight and both windows hide.
  void finish();
  void showsymbol();
  void changed();
  /// The label takes the text of the edit line; false when it had it.
  bool settext();
  /// Before each change to the edited atom: the first of an editing run
  /// takes the undo snapshot.
  void beforechange();

  ttoolhost& window_;
  ttablemode tablemode_ = ttablemode::add;
  tdrawingpointer<tatm> editatom_;
  teditorstep step_{"Atom Editor"};
  bool dragged_ = false;
  QLineEdit* edit1_ = nullptr;
  QPushButton* bdone_ = nullptr;
  QPushButton* bfont_ = nullptr;
  std::array<telement*, 103> cells_{};
  TAtomTool* atomtool_ = nullptr;
};

}  // namespace molvane

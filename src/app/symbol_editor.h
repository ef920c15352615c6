// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor_windows.h"
#include "commands/editor_step.h"

#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <functional>

class QPushButton;
class QRadioButton;
class QScrollBar;

namespace molvane {

class ttoolhost;
class tSymbol;

/// "Symbol Editor": turns, scales, reflects, restyles, clones and deletes
/// one symbol of the drawing while the main window is in mode 4.
class TSymbolEditor final : public QWidget, public tmouseeditor {
 public:
  explicit TSymbolEditor(ttoolhost& window);

  /// The selected symbol; null when there is none, or when the current
  /// drawing no longer holds it.
  tSymbol* editsymbol() const;

  /// Opens the editor on symbol (red), with the symbol editor's menu.
  void openon(tSymbol* symbol);
  /// Mode 4: the right click selects the symbol whose centre is nearest;
  /// with no symbol in the drawing the editor closes.
  void pickat(QPoint point) override;
  /// Mode 4: a left drag moves the whole symbol.
  void dragstart(QPoint point) override;
  void dragmove(QPoint point) override;
  void dragend(QPoint point) override;

  /// The buttons.
  void rotateby(double degrees);
  void scaleby(double factor);
  void cyclewidth();
  void cyclestyle();
  void reflect();
  void flip();
  void clone();
  void remove();
  /// "OK": closes the editor and goes back to drawing mode.
  void ok();
  /// The slider's function: "Rotate" (true) or "Zoom".
  void setrotating(bool rotating);

  QScrollBar& slider() const { return *scrollbar1_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  /// symbol becomes the selected one (red) and the editor shows.
  void select(tSymbol& symbol);
  /// Shows the editor against the right edge of the screen.
  void showeditor();
  void highlight();
  /// Applies change to the selected symbol, highlights it and repaints;
  /// nothing without a symbol.
  void edit(const std::function<void(tSymbol&)>& change);
  /// Before a change: the editor's undo step, unless the change joins it.
  void beforechange();
  void changed();
  /// The slider at position: a turn in degrees or a zoom in percent of
  /// the reference positions.
  void slide(int position);
  /// The slider at rest: 0 in -180 .. 180 to turn, 100 in 50 .. 150 to
  /// zoom.
  void resetslider();
  /// At the end of a scroll the slider goes back to its rest and the
  /// symbol's positions become the reference.
  void endslide();
  void finish();

  ttoolhost& window_;
  tdrawingpointer<tSymbol> editsymbol_;
  QRadioButton* rotate_ = nullptr;
  QRadioButton* zoom_ = nullptr;
  QScrollBar* scrollbar1_ = nullptr;
  bool resting_ = false;
  bool pressed_ = false;
  bool dragged_ = false;
  /// Every change to one symbol while the editor shows it is one undo step.
  teditorstep step_{"Symbol Editor"};
  QPoint last_;
  std::uint8_t savedwidth_ = 1;
};

}  // namespace molvane

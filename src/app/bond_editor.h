// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor_windows.h"
#include "commands/bond_editor_commands.h"
#include "commands/editor_step.h"
#include "thermo/bond_energy.h"

#include <QPoint>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QToolButton;

namespace molvane {

class tatm;
class tbond;
class ttoolhost;

/// "Bond Editor": changes the order and style, line width, aromatic flag
/// and second line of one bond of the drawing, deletes it, turns it about
/// an end or its midpoint, stretches it, and files a bond energy for it,
/// while the main window is in mode 2.
class TBondEditor final : public QWidget, public tmouseeditor {
 public:
  explicit TBondEditor(ttoolhost& window);

  /// The selected bond; null when there is none, or when the current
  /// drawing no longer holds it.
  tbond* editbond() const;
  /// The end of the selected bond the "Pivot" slider turns it about.
  tatm* pivotatom() const;

  /// Opens the editor on bond (red), with the bond editor's menu; the end
  /// nearer to point becomes the pivot.
  void openon(tbond* bond, QPoint point);
  /// Mode 2: the right click selects the bond whose midpoint is nearest.
  void pickat(QPoint point) override;
  /// Mode 2: a left drag moves the bond, its midpoint under the cursor.
  void dragstart(QPoint point) override;
  void dragmove(QPoint point) override;
  void dragend(QPoint point) override;

  /// The bond pictures by their tags (1 .. 15).
  void applytag(int tag);
  /// "<|>", "Line", "Delete", "Aromatic".
  void shiftline();
  void cyclewidth();
  void remove();
  void setaromatic(bool aromatic);
  /// The slider's function ("Pivot", "Rotate", "Zoom").
  void setsliderfunction(tbondslider function);
  /// Enter in the bond energy field.
  void enterenergy();
  /// "Done": every colour back to normal, the editor closes and the main
  /// window goes back to drawing mode.
  void done();

  QScrollBar& slider() const { return *scrollbar1_; }
  QLineEdit& energyedit() const { return *edit1_; }
  QLabel& lengthlabel() const { return *bondlength_; }
  QLabel& strainlabel() const { return *strainenergy_; }
  QToolButton* picture(int tag) const;
  /// The bond energy table, read from the program's data folder on first
  /// use.
  tbondenergies& energies();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void select(tbond& bond, QPoint point);
  /// Shows the editor on the side of the main window away from the bond.
  void showeditor();
  /// Where the bond's midpoint is shown in the drawing area.
  QPoint middleinview(const tbond& bond) const;
  void showlabels();
  /// Before a change: the editor's undo step, unless the change joins it.
  void beforechange();
  /// After a change: unsaved, red, repainted.
  void changed();
  tbondslider sliderfunction() const;
  void resetslider();
  void slide(int position);
  /// The slider let go where it stands.
  void endslide();
  void finish();

  ttoolhost& window_;
  tdrawingpointer<tbond> editbond_;
  tdrawingpointer<tatm> pivotatom_;
  tbondenergies energies_;
  bool energiesloaded_ = false;
  QLineEdit* edit1_ = nullptr;
  QLabel* bondlength_ = nullptr;
  QLabel* strainenergy_ = nullptr;
  QRadioButton* pivot_ = nullptr;
  QRadioButton* rotate_ = nullptr;
  QRadioButton* zoom_ = nullptr;
  QScrollBar* scrollbar1_ = nullptr;
  QCheckBox* checkbox1_ = nullptr;
  bool resting_ = false;
  bool sliding_ = false;
  bool dragged_ = false;
  /// Every change to one bond while the editor shows it is one undo step.
  teditorstep step_{"Bond Editor"};
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor_windows.h"
#include "commands/editor_step.h"

#include <QPoint>
#include <QWidget>

class QLineEdit;

namespace molvane {

class ttoolhost;
class tLAtm;

/// "Text Editor": edits the text and font of one text label of the
/// drawing, clones or deletes it, while the main window is in mode 5. The
/// label follows every change of the text at once.
class TTextEditor final : public QWidget, public tmouseeditor {
 public:
  explicit TTextEditor(ttoolhost& window);

  /// The label being edited; null when there is none, or when the current
  /// drawing no longer holds it.
  tLAtm* editlabel() const;
  /// `Edit1`, the label's text.
  QLineEdit& edit() const { return *edit1_; }

  /// Opens the editor on label with the text editor's menu and the
  /// keyboard in `Edit1`.
  void openon(tLAtm* label);
  /// Mode 5: the right click picks the nearest label (red).
  void pickat(QPoint point) override;
  /// Mode 5: a left drag moves the label.
  void dragstart(QPoint point) override;
  void dragmove(QPoint point) override;
  void dragend(QPoint point) override;

  /// The buttons.
  void done();
  void insertdot();
  void choosefont();
  void clone();
  void remove();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void edittarget(tLAtm* label);
  void copytext();
  /// Before a change: the editor's undo step, unless the change joins it.
  void beforechange();
  void finish();

  ttoolhost& window_;
  tdrawingpointer<tLAtm> editlabel_;
  QLineEdit* edit1_ = nullptr;
  bool pressed_ = false;
  bool dragged_ = false;
  /// Every change to one label while the editor shows it is one undo step.
  teditorstep step_{"Text Editor"};
};

}  // namespace molvane

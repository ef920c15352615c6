// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor_windows.h"
#include "commands/drawing_settings.h"
#include "commands/group_editor_policy.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QCloseEvent;
class QPushButton;
class QScrollBar;
class QTabWidget;

namespace molvane {

class toptimizer;
class ttoolhost;

/// "Group Editor": moves, turns, reflects, scales, clones, deletes, fuses,
/// numbers and protonates one structure of the drawing (its group) while
/// the main window is in mode 3. The rest of the drawing is dimmed and the
/// group highlighted until "Done".
class TGroupEditor final : public QWidget, public tmouseeditor {
 public:
  explicit TGroupEditor(ttoolhost& window);
  ~TGroupEditor() override;

  /// The group, pivot atom and pivot bond; null when there is none or the
  /// current drawing no longer holds it.
  tStructure* group() const;
  tatm* pivotatom() const;
  tbond* pivotbond() const;

  /// Opens the editor (mode 3, its menu) on structure.
  void openon(tStructure* structure);
  /// Opens the editor and picks at point as a right click in it does.
  void openat(QPoint point);
  /// The rubber band of drawing mode: the atoms inside become the group.
  void selectinside(QRect band);

  /// Mode 3: the right click picks by "Numbering" and "Sliders"; a left
  /// drag moves the group.
  void pickat(QPoint point) override;
  void dragstart(QPoint point) override;
  void dragmove(QPoint point) override;
  void dragend(QPoint point) override;

  /// The buttons tagged 1 .. 12 ("Clone" .. "In-Out").
  void runtag(int tag);
  /// The Rotate (axis 3), Turn (2) and Tilt (1) pages.
  void turn(int axis, int degrees);
  /// The arrow and page keys while the editor is shown.
  void movegroup(tdrawingmove move, bool big);
  /// The Zoom page, in percent.
  void zoom(int percent);
  /// The Ring Style pictures 1 .. 3.
  void ringstyle(int picture);
  /// "Optimize..": the minimiser on the group; pressed again while it
  /// runs, it asks the run to stop.
  void optimize();
  /// "Properties..": formula, weight and charge of the group.
  void properties();
  /// "Done": colours and draw mode as they were, drawing mode again.
  void done();

  bool optimizing() const { return optimizer_ != nullptr; }
  QScrollBar& slider(int index) const { return *sliders_.at(index - 1); }
  QButtonGroup& slidergroup() const { return *slidergroup_; }
  QButtonGroup& numberinggroup() const { return *numbering_; }
  QCheckBox& finebox() const { return *fine_; }
  QPushButton& optimizebutton() const { return *optimize_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildbuttons(QWidget& page);
  QWidget* turnpage(int axis);
  QWidget* zoompage();
  QWidget* ringstylepage();
  void showeditor();
  void select(tStructure& structure);
  void setslidermode(int index);
  void setfine(bool fine);
  void resetsliders();
  void slide(int index, int position);
  void endslide(int index);
  /// Marks the drawing modified and repaints as outcome asks; a deleted
  /// group closes the editor.
  void follow(tgroupoutcome outcome);

  ttoolhost& window_;
  tgroupeditor editor_;
  /// Set while the editor moves the sliders itself.
  bool resting_ = false;
  std::array<QScrollBar*, 3> sliders_{};
  QButtonGroup* slidergroup_ = nullptr;
  QButtonGroup* numbering_ = nullptr;
  QCheckBox* fine_ = nullptr;
  QPushButton* optimize_ = nullptr;
  QTabWidget* pages_ = nullptr;
  std::unique_ptr<toptimizer> optimizer_;
};

}  // namespace molvane

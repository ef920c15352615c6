// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tool_placement.h"

#include <QString>
#include <QWidget>

#include <memory>

class QCloseEvent;
class QHideEvent;

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QStatusBar;

namespace molvane {

class tdrawing;
class toptimizer;
enum class toptimizermethod;
class ttoolhost;

/// The energy as the window shows it, E in cal/mol: kcal with 3 decimals
/// below 1 kcal, 1 decimal below 1000 kcal, none above, padded on the left.
QString energytext(double energy);

/// The "Optimizing Geometry" window: method, mode, tolerance, minimum jump
/// and anneal temperature, whether Normal polishes to the minimum, one
/// GO/STOP button for runs of the minimiser on the current drawing, the
/// current and the lowest energy and the RMS gradient.
class TStopTool final : public QWidget {
 public:
  explicit TStopTool(ttoolhost& host);
  ~TStopTool() override;

  /// Shows the window on the current drawing; a drawing of fewer than two
  /// atoms or with a chemical atom of element 0 gets "Invalid Chemical
  /// Structure" instead. Returns whether the window opened.
  bool open();
  /// GO starts a run (an undo step) and returns when it ends; pressed while
  /// a run goes, it asks the run to stop.
  void gostop();
  /// Frees the force-field terms and hides the window.
  void done();
  bool running() const { return running_; }

  QPushButton& gobutton() const { return *go_; }
  QPushButton& donebutton() const { return *done_; }
  QButtonGroup& methodgroup() const { return *method_; }
  QButtonGroup& modegroup() const { return *mode_; }
  QButtonGroup& tolerancegroup() const { return *tolerance_; }
  QButtonGroup& jumpgroup() const { return *jump_; }
  QScrollBar& temperaturebar() const { return *temperature_; }
  QLabel& energylabel() const { return *energy_; }
  QLabel& lowlabel() const { return *low_; }
  QLabel& gradientlabel() const { return *gradient_; }
  QCheckBox& polishbox() const { return *polish_; }
  QStatusBar& statusbar() const { return *status_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  /// Keeps the place the user moved the window to in the settings file.
  void hideEvent(QHideEvent* event) override;

 private:
  void choosemethod(int index);
  void choosemode(int index);
  void showenergy(double energy);
  void showbest(double energy);
  void showgradient(double kcal);
  toptimizermethod methodcode() const;
  void setrunning(bool running);

  ttoolhost& host_;
  QLabel* energy_ = nullptr;
  QLabel* low_ = nullptr;
  QLabel* gradient_ = nullptr;
  QCheckBox* polish_ = nullptr;
  QPushButton* go_ = nullptr;
  QPushButton* done_ = nullptr;
  QButtonGroup* tolerance_ = nullptr;
  QButtonGroup* jump_ = nullptr;
  QButtonGroup* method_ = nullptr;
  QButtonGroup* mode_ = nullptr;
  QScrollBar* temperature_ = nullptr;
  QStatusBar* status_ = nullptr;
  std::unique_ptr<toptimizer> optimizer_;
  /// The drawing the terms of optimizer_ belong to.
  tdrawing* target_ = nullptr;
  bool running_ = false;
  bool closeafterrun_ = false;
  ttoolplacement placement_;
};

}  // namespace molvane

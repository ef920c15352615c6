// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "thermo/reaction.h"

#include <QDialog>

#include <cstdint>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace molvane {

class tStructure;
class tdrawing;
class ttoolhost;

/// The "Reaction Tool": treats the drawing as a reaction (reactants left of
/// the arrow, products right), balances it against a reference species and
/// shows ΔH, ΔS, ΔG and log K at a temperature and pressure set with its
/// scroll bars. It is modal while open.
class TReactionTool final : public QDialog {
 public:
  explicit TReactionTool(ttoolhost& host);
  ~TReactionTool() override;

  /// Opens on the current drawing: "Improper Reaction" when structures
  /// share atoms, "Please add an arrow " without a reaction arrow, "Invalid
  /// Chemical Structure" for fewer than two atoms or an unnamed point;
  /// nothing at all without structures. Otherwise the drawing is shown
  /// flat, the first structure becomes the reference, every structure gets
  /// its thermochemistry, and the reaction is balanced and analysed.
  /// Returns whether the window opened.
  bool start();
  /// The next structure becomes the reference (amount 1), then balance.
  void nextreactant();
  /// Optimises every reactive structure on its own, one undo step.
  void optimize();
  /// Copies the drawing with the three report lines to the clipboard.
  void report();
  /// Gives back the draw mode, clears the highlight and hides.
  void done();
  // Keeps QDialog's done(int) callable beside the one above.
  using QDialog::done;

  int temperature() const { return temperature_; }
  double pressure() const { return pressure_; }
  tStructure* reference() const { return reference_; }

  QLabel& statusmessage() const { return *status_; }
  QLabel& reactionmessage() const { return *message_; }
  QLabel& pressurelabel() const { return *pressurelabel_; }
  QLabel& temperaturelabel() const { return *temperaturelabel_; }
  QButtonGroup& stategroup() const { return *state_; }
  QScrollBar& temperaturetens() const { return *temperature10_; }
  QScrollBar& temperatureones() const { return *temperature01_; }
  QScrollBar& pressureones() const { return *pressure10_; }
  QScrollBar& pressuretenths() const { return *pressure01_; }
  QPushButton& reactantbutton() const { return *reactant_; }
  QPushButton& optimizebutton() const { return *optimize_; }
  /// Whether the tool optimises every species when it opens (on unless
  /// the user turned it off).
  QCheckBox& optimizefirstbox() const { return *optimizefirst_; }
  /// Says whether the figures are of optimised or of drawn geometries.
  QLabel& geometrynote() const { return *geometry_; }
  QPushButton& reportbutton() const { return *report_; }
  QPushButton& donebutton() const { return *done_; }

 protected:
  /// Escape and the window's close box end the tool as Done does.
  void reject() override;

 private:
  /// A pair of up-down bars: up raises, down lowers by step.
  QScrollBar* stepbar(const char* name, double step);
  void stepped(double step, bool temperature);
  void balance();
  void analyse();
  void choosestate(int id);
  void setbusy(bool busy);
  /// Whether the drawing the tool opened on is still the current one.
  bool attached() const;

  ttoolhost& host_;
  tdrawing* drawing_ = nullptr;
  tStructure* reference_ = nullptr;
  int temperature_ = 0;
  double pressure_ = 0.0;
  std::uint64_t serial_ = 0;
  std::uint8_t drawmode_ = 0;
  treactionanalysis analysis_;

  QLabel* status_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* pressurelabel_ = nullptr;
  QLabel* temperaturelabel_ = nullptr;
  QLabel* enthalpy_ = nullptr;
  QLabel* freeenergy_ = nullptr;
  QLabel* entropy_ = nullptr;
  QLabel* logk_ = nullptr;
  QScrollBar* pressure10_ = nullptr;
  QScrollBar* pressure01_ = nullptr;
  QScrollBar* temperature10_ = nullptr;
  QScrollBar* temperature01_ = nullptr;
  QButtonGroup* state_ = nullptr;
  QPushButton* reactant_ = nullptr;
  QPushButton* optimize_ = nullptr;
  QPushButton* report_ = nullptr;
  QPushButton* done_ = nullptr;
  QCheckBox* optimizefirst_ = nullptr;
  QLabel* geometry_ = nullptr;
};

}  // namespace molvane

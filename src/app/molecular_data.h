// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor_windows.h"
#include "mechanics/molecular_data.h"

#include <QWidget>

class QCheckBox;
class QHideEvent;
class QLabel;
class QPushButton;

namespace molvane {

class tStructure;
class ttoolhost;

/// The "Molecular Data" window: formula, formula weight, composition,
/// force-field energy, dipole moment (with the dipole arrow in the drawing
/// on request), principal moments and net charge of the current drawing or
/// of one of its structures, and the InChIKey of the whole drawing. Showing it
/// writes the equilibrated partial charges into the atoms.
class TMolecularData final : public QWidget {
 public:
  explicit TMolecularData(ttoolhost& host);

  /// Shows the data of the whole current drawing.
  void open();
  /// Shows the data of one structure of the current drawing (the group
  /// editor's). When it is bonded to atoms outside it, only the formula,
  /// weight and composition change.
  void openfor(tStructure& structure);

  QLabel& formulalabel() const { return *formula_; }
  QLabel& weightlabel() const { return *weight_; }
  QLabel& compositionlabel() const { return *composition_; }
  QLabel& energylabel() const { return *energy_; }
  QLabel& dipolelabel() const { return *dipole_; }
  QLabel& momentslabel() const { return *moments_; }
  QLabel& chargelabel() const { return *charge_; }
  QLabel& inchikeylabel() const { return *inchikey_; }
  /// Names the atoms over their valence; empty and hidden when none is.
  QLabel& valencelabel() const { return *valence_; }
  QCheckBox& dipolebox() const { return *showdipole_; }
  QPushButton& okbutton() const { return *ok_; }

 protected:
  /// Takes the dipole arrow out of the drawing and centres the window.
  void hideEvent(QHideEvent* event) override;

 private:
  void fill(const tmoleculardata& values, int momentdecimals);
  /// The InChIKey of the whole drawing, or why it has none.
  void showkey(const tdrawing& drawing);
  /// Shows or hides the arrow of the drawing the data belong to; data of a
  /// drawing that is no longer current are worked out again first.
  void showarrow();
  void centre();

  ttoolhost& host_;
  QLabel* formula_ = nullptr;
  QLabel* weight_ = nullptr;
  QLabel* composition_ = nullptr;
  QLabel* energy_ = nullptr;
  QLabel* dipole_ = nullptr;
  QLabel* moments_ = nullptr;
  QLabel* charge_ = nullptr;
  QLabel* inchikey_ = nullptr;
  QLabel* valence_ = nullptr;
  QCheckBox* showdipole_ = nullptr;
  QPushButton* ok_ = nullptr;
  /// The drawing and structure (none: the whole drawing) shown.
  tdrawingpointer<tdrawing> drawing_;
  tdrawingpointer<tStructure> structure_;
  bool forstructure_ = false;
  /// The arrow of the last data, in drawing units.
  TXYZ origin_;
  TXYZ arrow_;
};

}  // namespace molvane

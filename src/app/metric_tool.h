// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor_windows.h"
#include "document/measurement.h"
#include "mechanics/measurements.h"

#include <QWidget>

#include <optional>

class QButtonGroup;
class QHideEvent;
class QPoint;
class QPushButton;
class QRadioButton;

namespace molvane {

class ttoolhost;

/// Editor mode of the main window while the measurement tool takes clicks.

/// The measurement tool: "Geometry" measures bond lengths, bond angles,
/// torsion angles, distances and bond energies where the drawing is
/// clicked; "NMR" is there but not offered.
class TMetricTool final : public QWidget {
 public:
  explicit TMetricTool(ttoolhost& host);

  /// Offers the measurements the current drawing has objects for, puts
  /// the main window into measurement mode and shows the window.
  void open();
  /// A click in the drawing (drawing coordinates): repaints and shows the
  /// measurement of the chosen kind there.
  void measure(QPoint point);

  QButtonGroup& modegroup() const { return *mode_; }
  QButtonGroup& kindgroup() const { return *kind_; }
  QPushButton& okbutton() const { return *ok_; }
  /// The measurement on show; none before a click.
  const std::optional<tmeasurement>& shown() const { return shown_; }

 protected:
  /// Leaves measurement mode and forgets the marks.
  void hideEvent(QHideEvent* event) override;

 private:
  /// "Geometry" (0) or "NMR" (1) sets the captions of the kinds.
  void choosemode(int mode);
  void clearmarks();

  ttoolhost& host_;
  QButtonGroup* mode_ = nullptr;
  QButtonGroup* kind_ = nullptr;
  QRadioButton* sixth_ = nullptr;
  QPushButton* ok_ = nullptr;
  std::optional<tmeasurement> shown_;
  /// The drawing the shown marks and the first distance atom belong to.
  tdrawingpointer<tdrawing> measured_;
  tdistancestate distance_;
};

}  // namespace molvane

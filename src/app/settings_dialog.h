// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace molvane {

class TMolvane3D;

/// The Settings dialog: every choice takes effect at once.
class tsettingsdialog final : public QDialog {
 public:
  explicit tsettingsdialog(TMolvane3D& window);

  /// Lets the user pick the label font and saves it in the defaults.
  static void choosefont(TMolvane3D& window);
};

}  // namespace molvane

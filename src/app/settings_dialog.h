// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace molvane {

class tsettingsactions;

/// The Settings dialog: every choice takes effect at once through actions.
class tsettingsdialog final : public QDialog {
 public:
  tsettingsdialog(QWidget* parent, tsettingsactions& actions);
};

}  // namespace molvane

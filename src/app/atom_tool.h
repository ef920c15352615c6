// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPushButton;

namespace molvane {

class TPeriodicTable;

/// The palette of the atom editor: label modes, deuterium, label layouts,
/// hydrogens, neutrons, charge, Clone, Delete and Done. Every button hands
/// its tag to the periodic table.
class TAtomTool final : public QWidget {
 public:
  TAtomTool(TPeriodicTable& table, QWidget* parent);

  /// The button with caption; null when there is none.
  QPushButton* button(const QString& caption) const;

 private:
  TPeriodicTable& table_;
};

}  // namespace molvane

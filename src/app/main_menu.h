// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QMenu;
class QAction;

namespace molvane {

/// Fills the menus of command items: every item stores its command code in
/// its data, and choosing it hands the code to choose.
void addatommenu(QMenu& menu, const std::function<void(QAction*)>& choose);
void addbranchmenu(QMenu& menu, const std::function<void(QAction*)>& choose);
void addchainmenu(QMenu& menu, const std::function<void(QAction*)>& choose);
void addringmenu(QMenu& menu, const std::function<void(QAction*)>& choose);
void addbenzenemenu(QMenu& menu, const std::function<void(QAction*)>& choose);

/// The command code an item stores; 0 for items without one.
int commandcodeof(const QAction* action);

}  // namespace molvane

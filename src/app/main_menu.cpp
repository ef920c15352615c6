// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_menu.h"

#include "commands/command_names.h"

#include <QAction>
#include <QMenu>

namespace molvane {

namespace {

void additems(QMenu& menu, tcommandmenu items,
              const std::function<void(QAction*)>& choose) {
  for (const tcommanditem& item : commanditems(items)) {
    QAction* action = menu.addAction(QString::fromUtf8(item.caption));
    action->setData(item.code);
    QObject::connect(action, &QAction::triggered, action,
                     [action, choose] { choose(action); });
  }
}

void addsubmenu(QMenu& menu, const char* caption, tcommandmenu items,
                const std::function<void(QAction*)>& choose) {
  additems(*menu.addMenu(QString::fromUtf8(caption)), items, choose);
}

}  // namespace

void addatommenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  additems(menu, tcommandmenu::atom, choose);
  addsubmenu(menu, "Add Molecule", tcommandmenu::molecules, choose);
  addsubmenu(menu, "Add AHn", tcommandmenu::hydrides, choose);
}

void addbranchmenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  additems(menu, tcommandmenu::branch, choose);
  addsubmenu(menu, "Group", tcommandmenu::groups, choose);
}

void addchainmenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  addsubmenu(menu, "Add", tcommandmenu::addchain, choose);
  addsubmenu(menu, "Branch", tcommandmenu::branchchain, choose);
}

void addringmenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  addsubmenu(menu, "Add", tcommandmenu::addring, choose);
  addsubmenu(menu, "Fuse", tcommandmenu::fusering, choose);
  addsubmenu(menu, "Branch", tcommandmenu::branchring, choose);
  addsubmenu(menu, "Join", tcommandmenu::joinring, choose);
}

void addbenzenemenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  additems(menu, tcommandmenu::benzene, choose);
}

int commandcodeof(const QAction* action) {
  if (action == nullptr || !action->data().isValid()) {
    return 0;
  }
  return action->data().toInt();
}

}  // namespace molvane

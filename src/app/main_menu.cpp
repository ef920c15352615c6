// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_menu.h"

#include "commands/command_table.h"
#include "qt/text_conversion.h"

#include <QAction>
#include <QMenu>

namespace molvane {

namespace {

void additems(QMenu& menu, tcommandfamily family,
              const std::function<void(QAction*)>& choose) {
  for (const tcommandrow& row : commandrows(family)) {
    QAction* action = menu.addAction(qtstring(row.caption));
    action->setData(row.code);
    QObject::connect(action, &QAction::triggered, action,
                     [action, choose] { choose(action); });
  }
}

void addsubmenu(QMenu& menu, const char* caption, tcommandfamily family,
                const std::function<void(QAction*)>& choose) {
  additems(*menu.addMenu(QString::fromUtf8(caption)), family, choose);
}

}  // namespace

void addatommenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  additems(menu, tcommandfamily::atom, choose);
  addsubmenu(menu, "Add Molecule", tcommandfamily::molecules, choose);
  addsubmenu(menu, "Add AHn", tcommandfamily::hydrides, choose);
}

void addbranchmenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  additems(menu, tcommandfamily::branch, choose);
  addsubmenu(menu, "Group", tcommandfamily::groups, choose);
}

void addchainmenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  addsubmenu(menu, "Add", tcommandfamily::addchain, choose);
  addsubmenu(menu, "Branch", tcommandfamily::branchchain, choose);
}

void addringmenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  addsubmenu(menu, "Add", tcommandfamily::addring, choose);
  addsubmenu(menu, "Fuse", tcommandfamily::fusering, choose);
  addsubmenu(menu, "Branch", tcommandfamily::branchring, choose);
  addsubmenu(menu, "Join", tcommandfamily::joinring, choose);
}

void addbenzenemenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  additems(menu, tcommandfamily::benzene, choose);
}

int commandcodeof(const QAction* action) {
  if (action == nullptr || !action->data().isValid()) {
    return 0;
  }
  return action->data().toInt();
}

}  // namespace molvane

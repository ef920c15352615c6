// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/atom_tool.h"

#include "app/editor_windows.h"
#include "app/periodic_table.h"
#include "commands/editor_commands.h"

#include <QGridLayout>
#include <QPushButton>

#include <array>

namespace molvane {

namespace {

struct tbutton {
  const char* caption;
  const char* hint;
  int tag;
};

constexpr std::array<tbutton, 16> buttons{{
    {"\xC2\xB7", "Hide atom", hideatomtag},
    {"A", "Hide implicit protons", symbolonlytag},
    {"AHn", "Show atom and implicit hydrogens", withhydrogenstag},
    {"\xC2\xB2H", "Change atom to deuterium", deuteriumtag},
    {"R.AHn", "", firstlayouttag},
    {"R.nHA", "", firstlayouttag + 1},
    {"AHn.R", "", firstlayouttag + 2},
    {"nHA.R", "", lastlayouttag},
    {"+H", "", addhydrogentag},
    {"-H", "", removehydrogentag},
    {"N+1", "", addneutrontag},
    {"N-1", "", removeneutrontag},
    {"Q+1", "", raisechargetag},
    {"Q-1", "", lowerchargetag},
    {"Clone", "", cloneatomtag},
    {"Delete", "", deleteatomtag},
}};

constexpr int buttonwidth = 52;

}  // namespace

TAtomTool::TAtomTool(TPeriodicTable& table, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), table_(table) {
  setObjectName(QStringLiteral("AtomTool"));
  setWindowTitle(QStringLiteral("Atom Tool"));
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  int index = 0;
  for (const tbutton& entry : buttons) {
    QPushButton* button = makebutton(*this, "", entry.caption, entry.hint);
    button->setFixedWidth(buttonwidth);
    button->setProperty("tag", entry.tag);
    connect(button, &QPushButton::clicked, this,
            [this, tag = entry.tag] { table_.applytag(tag); });
    layout->addWidget(button, index / 2, index % 2);
    ++index;
  }
  auto* done = new QPushButton(QStringLiteral("Done"), this);
  done->setFixedWidth(2 * buttonwidth + layout->spacing());
  connect(done, &QPushButton::clicked, this, [this] { table_.done(); });
  layout->addWidget(done, index / 2, 0, 1, 2);
  setFixedSize(sizeHint());
}

QPushButton* TAtomTool::button(const QString& caption) const {
  for (QPushButton* each : findChildren<QPushButton*>()) {
    if (each->text() == caption) {
      return each;
    }
  }
  return nullptr;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tool_placement.h"

#include "app/tool_host.h"

#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace molvane {

namespace {

/// Moves place down below each open tool window of the main window it
/// would cover, as long as it stays on the screen.
QRect clearofothertools(ttoolhost& host, const QWidget& tool, QRect place,
                        const QRect& screen) {
  const QList<QWidget*> others =
      host.hostwindow().findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (bool moved = true; moved;) {
    moved = false;
    for (const QWidget* other : others) {
      const QRect taken = other->frameGeometry();
      if (other == &tool || !other->isWindow() || !other->isVisible() ||
          !taken.intersects(place) ||
          taken.bottom() + place.height() >= screen.bottom()) {
        continue;
      }
      place.moveTop(taken.bottom() + 1);
      moved = true;
    }
  }
  return place;
}

}  // namespace

QPoint besidemainwindow(ttoolhost& host, const QWidget& tool) {
  const QRect frame = host.hostwindow().frameGeometry();
  const QSize size = tool.frameGeometry().size();
  QRect screen(frame.topLeft(), frame.size());
  if (const QScreen* shown = host.hostwindow().screen()) {
    screen = shown->availableGeometry();
  }
  QPoint corner;
  if (frame.right() + size.width() < screen.right()) {
    corner = {frame.right() + 1, frame.top()};
  } else if (frame.left() - size.width() > screen.left()) {
    corner = {frame.left() - size.width(), frame.top()};
  } else {
    const QWidget& area = host.drawingarea();
    const QPoint topright = area.mapToGlobal(area.rect().topRight());
    corner = {std::max(screen.left(), topright.x() - size.width()),
              topright.y()};
  }
  return clearofothertools(host, tool, QRect(corner, size), screen).topLeft();
}

void ttoolplacement::place(QWidget& tool) {
  const std::optional<tpaletteplace>& kept = host_.programsettings().*kept_;
  placed_ = kept ? QPoint(kept->x, kept->y) : besidemainwindow(host_, tool);
  tool.move(placed_);
}

void ttoolplacement::keep(const QWidget& tool) {
  if (tool.pos() != placed_) {
    host_.programsettings().*kept_ = tpaletteplace{tool.x(), tool.y()};
    host_.keepprogramsettings();
  }
}

}  // namespace molvane

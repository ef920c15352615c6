// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tool_placement.h"

#include "app/tool_host.h"

#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace molvane {

QPoint besidemainwindow(ttoolhost& host, const QWidget& tool,
                        tbesideedge edge) {
  const QRect frame = host.hostwindow().frameGeometry();
  const QSize size = tool.frameGeometry().size();
  QRect screen(frame.topLeft(), frame.size());
  if (const QScreen* shown = host.hostwindow().screen()) {
    screen = shown->availableGeometry();
  }
  const bool top = edge == tbesideedge::top;
  const int y =
      top ? frame.top()
          : std::max(screen.top(), frame.bottom() + 1 - size.height());
  if (frame.right() + size.width() < screen.right()) {
    return {frame.right() + 1, y};
  }
  if (frame.left() - size.width() > screen.left()) {
    return {frame.left() - size.width(), y};
  }
  const QWidget& area = host.drawingarea();
  const QPoint corner = area.mapToGlobal(top ? area.rect().topRight()
                                             : area.rect().bottomRight());
  return {std::max(screen.left(), corner.x() - size.width()),
          top ? corner.y()
              : std::max(screen.top(), corner.y() + 1 - size.height())};
}

void ttoolplacement::place(QWidget& tool) {
  const std::optional<tpaletteplace>& kept = host_.programsettings().*kept_;
  placed_ =
      kept ? QPoint(kept->x, kept->y) : besidemainwindow(host_, tool, edge_);
  tool.move(placed_);
}

void ttoolplacement::keep(const QWidget& tool) {
  if (tool.pos() != placed_) {
    host_.programsettings().*kept_ = tpaletteplace{tool.x(), tool.y()};
    host_.keepprogramsettings();
  }
}

}  // namespace molvane

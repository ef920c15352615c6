// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/drawing_view.h"

#include "app/main_window.h"
#include "qt/qt_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace molvane {

namespace {

/// The rubber band's pen, drawn in not-xor so that it shows on any pixel.
constexpr tcolour rubberbandcolour = 0xFFAAAA;

}  // namespace

tdrawingview::tdrawingview(TMolvane3D& window)
    : QWidget(&window), window_(window) {
  setCursor(Qt::CrossCursor);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
  setToolTip(QStringLiteral("Type F1 for Help"));
  setAutoFillBackground(false);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void tdrawingview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.drawImage(0, 0, window_.buffer());
  if (const auto band = window_.rubberband()) {
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(qtcolourof(rubberbandcolour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(*band);
  }
}

void tdrawingview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  window_.repaintdrawing();
}

void tdrawingview::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    window_.leftdown(event->position().toPoint());
  }
}

void tdrawingview::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) != 0) {
    window_.leftmove(event->position().toPoint());
  }
}

void tdrawingview::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    window_.leftup(event->position().toPoint());
  } else if (event->button() == Qt::RightButton) {
    window_.rightup(event->position().toPoint(), event->modifiers());
  }
}

void tdrawingview::keyPressEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat()) {
    pressedkey_ = event->key();
    pressedmodifiers_ = event->modifiers();
  }
  event->accept();
}

void tdrawingview::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || event->key() != pressedkey_) {
    return;
  }
  pressedkey_ = 0;
  // Ctrl+Z whose Ctrl is let go first must not turn into the Z edit: the
  // modifiers held when the key went down count too.
  window_.keyup(event->key(), event->modifiers() | pressedmodifiers_,
                mapFromGlobal(QCursor::pos()));
}

}  // namespace molvane

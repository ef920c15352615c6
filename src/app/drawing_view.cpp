// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/drawing_view.h"

#include "app/main_window.h"
#include "document/drawing.h"
#include "document/session.h"
#include "qt/qt_canvas.h"
#include "render/paint_drawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace molvane {

namespace {

/// The rubber band's pen, drawn in not-xor so that it shows on any pixel.
constexpr tcolour rubberbandcolour = 0xFFAAAA;
/// Wheel turns closer together than this belong to one zoom.
constexpr qint64 zoomgesturemilliseconds = 600;
/// Qt's angle delta of one notch of the wheel.
constexpr double wheelnotch = 120.0;

/// Whether a press starts turning the view rather than a command.
bool turnsview(const QMouseEvent& event) {
  return event.button() == Qt::MiddleButton ||
         (event.button() == Qt::LeftButton &&
          (event.modifiers() & Qt::AltModifier) != 0);
}

}  // namespace

tdrawingview::tdrawingview(TMolvane3D& window)
    : QWidget(&window), window_(window) {
  setCursor(Qt::CrossCursor);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
  setToolTip(QString::fromUtf8(helphint));
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
  const QPoint point = event->position().toPoint();
  lastzoom_.invalidate();
  if (turn_) {
    // Other buttons wait until the turn is over.
    return;
  }
  if (turnsview(*event) && window_.editormode() == 0 &&
      isdrawmode3d(session().drawing()->drawmode)) {
    turn_.emplace(point.x(), point.y());
    turnbutton_ = event->button();
    return;
  }
  if (event->button() == Qt::LeftButton) {
    window_.leftdown(point);
  }
}

void tdrawingview::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (turn_) {
    turn_->moveto(point.x(), point.y());
    window_.repaintdrawing();
    return;
  }
  if ((event->buttons() & Qt::LeftButton) != 0) {
    window_.leftmove(point);
  }
}

void tdrawingview::mouseReleaseEvent(QMouseEvent* event) {
  if (turn_) {
    if (event->button() == turnbutton_) {
      turn_->moveto(event->position().toPoint().x(),
                    event->position().toPoint().y());
      if (turn_->finish()) {
        window_.markmodified();
      }
      turn_.reset();
      window_.repaintdrawing();
    }
    return;
  }
  if (event->button() == Qt::LeftButton) {
    window_.leftup(event->position().toPoint());
  } else if (event->button() == Qt::RightButton) {
    window_.rightup(event->position().toPoint(), event->modifiers());
  }
}

void tdrawingview::wheelEvent(QWheelEvent* event) {
  tdrawing& drawing = *session().drawing();
  if (turn_ || window_.editormode() != 0 || !isdrawmode3d(drawing.drawmode) ||
      drawing.atoms.count() == 0) {
    event->ignore();
    return;
  }
  const double notches = event->angleDelta().y() / wheelnotch;
  if (notches == 0.0) {
    return;
  }
  // The first turn of a gesture keeps the drawing as it was for Undo.
  if (!lastzoom_.isValid() || lastzoom_.elapsed() > zoomgesturemilliseconds) {
    session().takeundosnapshot();
  }
  lastzoom_.start();
  zoomdrawing(drawing, wheelzoomfactor(notches));
  window_.markmodified();
  window_.repaintdrawing();
  event->accept();
}

void tdrawingview::keyPressEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat()) {
    pressedkey_ = event->key();
    pressedscancode_ = event->nativeScanCode();
    pressedmodifiers_ = event->modifiers();
  }
  event->accept();
}

void tdrawingview::keyReleaseEvent(QKeyEvent* event) {
  // With Shift let go first, the key of "+" comes back up as "=": the same
  // physical key still releases the key that went down.
  const bool samekey = event->key() == pressedkey_ ||
                       (event->nativeScanCode() != 0 &&
                        event->nativeScanCode() == pressedscancode_);
  if (event->isAutoRepeat() || pressedkey_ == 0 || !samekey) {
    return;
  }
  const int key = pressedkey_;
  pressedkey_ = 0;
  // Ctrl+Z whose Ctrl is let go first must not turn into the Z edit: the
  // modifiers held when the key went down count too.
  window_.keyup(key, event->modifiers() | pressedmodifiers_,
                mapFromGlobal(QCursor::pos()));
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/drawing_view.h"

#include "app/main_window.h"
#include "commands/view_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/rotation.h"
#include "qt/qt_canvas.h"
#include "qt/view_painting.h"
#include "render/drawing_extent.h"
#include "render/legible_turn.h"
#include "render/paint_drawing.h"
#include "render/view_turn.h"

#include <QAction>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTransform>
#include <QWheelEvent>

#include <cmath>

namespace molvane {

namespace {

/// The rubber band's pen, drawn in not-xor so that it shows on any pixel.
constexpr tcolour rubberbandcolour = 0xFFAAAA;
/// Qt's angle delta of one notch of the wheel.
constexpr double wheelnotch = 120.0;
/// Window pixels a notch of the wheel pans by.
constexpr double panpernotch = 40.0;
/// Notches of the wheel that one press of a zoom key stands for.
constexpr double zoomkeynotches = 2.0;
/// Window pixels left free around a drawing that is fitted or kept in view.
constexpr int viewmargin = 10;

bool isdrawing3d() { return isdrawmode3d(session().drawing()->drawmode); }

QPoint rounded(tviewpoint point) {
  return {static_cast<int>(std::lround(point.x)),
          static_cast<int>(std::lround(point.y))};
}

tviewpoint viewpointof(QPoint point) {
  return {1.0 * point.x(), 1.0 * point.y()};
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

void tdrawingview::render(QImage& buffer) {
  QPainter painter(&buffer);
  const bool smooth = session().settings.smoothscreen || view_.zoom() != 1.0;
  QTransform transform = qttransformof(view_);
  if (smooth && view_.zoom() == 1.0) {
    // Smoothed lines one pixel wide sit on pixel centres; at whole
    // coordinates they would smear over two rows of grey.
    transform *= QTransform::fromTranslate(0.5, 0.5);
  }
  painter.setTransform(transform);
  // Without the smooth setting every line keeps to its pixels at zoom 1;
  // scaled lines are always smoothed.
  tqtcanvas canvas(painter, smooth);
  tpaintoptions options;
  options.colourbyelement = session().settings.colourlabels;
  if (view_.turned()) {
    options.turn = view_.turn();
  }
  options.notes = window_.shiftlabels();
  paintdrawing(*session().drawing(), canvas, options);
  if (window_.overlaypainter()) {
    window_.overlaypainter()(canvas);
  }
}

void tdrawingview::buildmenu(QMenu& menu) {
  auto item = [this, &menu](const char* caption,
                            const QList<QKeySequence>& shortcuts,
                            void (tdrawingview::*handler)()) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, handler);
    // The editors hide the main menu; the keys still reach the view.
    addAction(action);
  };
  item("Zoom &In",
       {QKeySequence(QKeySequence::ZoomIn),
        QKeySequence(Qt::CTRL | Qt::Key_Equal)},
       &tdrawingview::zoomin);
  item("Zoom &Out", {QKeySequence(QKeySequence::ZoomOut)},
       &tdrawingview::zoomout);
  item("&Fit to Window", {QKeySequence(Qt::CTRL | Qt::Key_0)},
       &tdrawingview::fittowindow);
}

void tdrawingview::zoomin() {
  zoomby(wheelzoomfactor(zoomkeynotches), rect().center());
}

void tdrawingview::zoomout() {
  zoomby(wheelzoomfactor(-zoomkeynotches), rect().center());
}

void tdrawingview::fittowindow() {
  if (const auto box = shownextent()) {
    view_.fit(*box, width(), height(), viewmargin);
  } else {
    view_.reset();
  }
  window_.repaintdrawing();
}

void tdrawingview::showwhole() {
  view_.reset();
  fitmodel();
}

void tdrawingview::fitmodel() {
  if (const auto box = shownextent()) {
    view_.fit(*box, width(), height(), viewmargin,
              tviewtransform::largestfitzoom);
  }
  window_.repaintdrawing();
}

void tdrawingview::showmodel() {
  tdrawing& drawing = *session().drawing();
  const bool turnview = isdrawmode3d(drawing.drawmode);
  std::vector<TXYZ> shown;
  {
    std::optional<tturnedview> turned;
    if (turnview && view_.turned()) {
      turned.emplace(drawing, view_.turn());
    }
    for (const tatm* atom : drawing.atoms) {
      if (atom->ischemical()) {
        shown.push_back({atom->x, atom->y, atom->z});
      }
    }
  }
  const tmatrix3 turn = legibleturn(shown);
  if (turnview) {
    view_.turnfurther(turn);
  } else {
    const TXYZ centre = turncentre(drawing);
    drawing.atoms.rotate(turn, centre.x, centre.y, centre.z);
  }
  fitmodel();
}

void tdrawingview::keepinview() {
  if (const auto box = shownextent()) {
    view_.keepinview(*box, width(), height(), viewmargin);
  }
}

void tdrawingview::resetview() { view_.reset(); }

QPoint tdrawingview::windowpointof(const tatm& atom) const {
  const tdrawing& drawing = *session().drawing();
  TXYZ shown{atom.x, atom.y, atom.z};
  if (view_.turned() && isdrawmode3d(drawing.drawmode) && atom.ischemical()) {
    shown = turnpoint(view_.turn(), turncentre(drawing), shown);
  }
  return rounded(view_.toscreen({shown.x, shown.y}));
}

std::optional<tbox> tdrawingview::shownextent() const {
  tdrawing& drawing = *session().drawing();
  // Text is measured on a scratch image at the drawing's own size.
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  tqtcanvas canvas(painter, false);
  std::optional<tturnedview> turned;
  if (view_.turned() && isdrawmode3d(drawing.drawmode)) {
    turned.emplace(drawing, view_.turn());
  }
  return drawingextent(drawing, canvas, 0);
}

QPoint tdrawingview::clickat(QPoint point) const {
  return rounded(clickpoint(*session().drawing(), view_, viewpointof(point)));
}

QPoint tdrawingview::drawingat(QPoint point) const {
  return rounded(view_.todrawing(viewpointof(point)));
}

void tdrawingview::zoomby(double factor, QPoint about) {
  view_.zoomabout(factor, viewpointof(about));
  window_.repaintdrawing();
}

void tdrawingview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.drawImage(0, 0, window_.buffer());
  if (const auto band = window_.rubberband()) {
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(qtcolourof(rubberbandcolour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(qttransformof(view_).mapRect(*band));
  }
}

void tdrawingview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  window_.repaintdrawing();
}

void tdrawingview::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (drag_ != tdrag::none) {
    // Other buttons wait until the turn or pan is over.
    return;
  }
  const bool middle = event->button() == Qt::MiddleButton;
  const bool altleft = event->button() == Qt::LeftButton &&
                       (event->modifiers() & Qt::AltModifier) != 0;
  if ((middle || altleft) && window_.editormode() == teditormode::drawing &&
      isdrawing3d()) {
    drag_ = tdrag::turn;
  } else if (middle) {
    drag_ = tdrag::pan;
  }
  if (drag_ != tdrag::none) {
    dragbutton_ = event->button();
    dragfrom_ = point;
    return;
  }
  if (event->button() == Qt::LeftButton) {
    window_.leftdown(clickat(point));
  }
}

void tdrawingview::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (drag_ != tdrag::none) {
    const QPoint step = point - dragfrom_;
    dragfrom_ = point;
    if (drag_ == tdrag::turn) {
      view_.turnby(step.x(), step.y());
    } else {
      view_.panby(step.x(), step.y());
    }
    window_.repaintdrawing();
    return;
  }
  if ((event->buttons() & Qt::LeftButton) != 0) {
    window_.leftmove(drawingat(point));
  }
}

void tdrawingview::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (drag_ != tdrag::none) {
    if (event->button() == dragbutton_) {
      mouseMoveEvent(event);
      drag_ = tdrag::none;
    }
    return;
  }
  if (event->button() == Qt::LeftButton) {
    window_.leftup(drawingat(point));
  } else if (event->button() == Qt::RightButton) {
    window_.rightup(clickat(point), event->modifiers());
  }
}

void tdrawingview::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (drag_ != tdrag::none) {
    return;
  }
  const double across = event->angleDelta().x() / wheelnotch;
  const double down = event->angleDelta().y() / wheelnotch;
  if ((event->modifiers() & Qt::ShiftModifier) != 0 || down == 0.0) {
    // Some platforms turn Shift and the wheel into a sideways turn.
    view_.panby(across * panpernotch, down * panpernotch);
    window_.repaintdrawing();
    return;
  }
  zoomby(wheelzoomfactor(down), event->position().toPoint());
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
                clickat(mapFromGlobal(QCursor::pos())));
}

}  // namespace molvane

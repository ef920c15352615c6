// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/drawing_view.h"

#include "app/editor_windows.h"
#include "app/file_actions.h"
#include "app/periodic_table.h"
#include "app/settings_actions.h"
#include "document/drawing.h"
#include "io/atomic_file.h"
#include "io/document_files.h"
#include "model/atom.h"
#include "qt/text_conversion.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <array>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace molvane {
namespace {

class DrawingView : public MainWindow {
 protected:
  tdrawingview& view() const { return window_->view(); }

  void drag(QPoint from, QPoint to, Qt::MouseButton button,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mousePress(&view(), button, modifiers, from);
    QTest::mouseMove(&view(), (from + to) / 2);
    QTest::mouseRelease(&view(), button, modifiers, to);
  }

  void wheel(QPoint point, int notches,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(point, view().mapToGlobal(point), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view(), &event);
  }

  bool shown(const tatm& atom) const {
    return view().rect().contains(view().windowpointof(atom));
  }
};

// Five wheel notches in a 3D mode made a saved C-C bond 2.46 Å.
TEST_F(DrawingView, ZoomingPanningAndTurningNeverReachTheSavedFile) {
  buildring();
  session().drawing()->setdrawmode(10);
  wheel(QPoint(150, 150), 5);
  wheel(QPoint(150, 150), -2, Qt::ShiftModifier);
  drag(QPoint(200, 200), QPoint(260, 230), Qt::MiddleButton);
  drag(QPoint(200, 200), QPoint(150, 260), Qt::LeftButton, Qt::AltModifier);
  EXPECT_NEAR(view().viewtransform().zoom(), std::pow(1.1, 5), 1e-9);
  EXPECT_TRUE(view().viewtransform().turned());
  EXPECT_EQ(atomcount(), 6);

  const std::filesystem::path document = folder_.path() / "ring.mlv";
  ASSERT_TRUE(window_->files().savefile(qtpath(document)));
  // The molfile copy: three title lines, the counts, then the atoms (x y z
  // in Å); the ring's first two atoms are bonded.
  std::ifstream copy(documentnames(document).mdl);
  std::string line;
  for (int i = 0; i < 4; ++i) {
    std::getline(copy, line);
  }
  std::array<TXYZ, 2> ends;
  for (TXYZ& end : ends) {
    copy >> end.x >> end.y >> end.z;
    std::getline(copy, line);
  }
  EXPECT_NEAR(std::hypot(ends[0].x - ends[1].x, ends[0].y - ends[1].y,
                         ends[0].z - ends[1].z),
              1.54, 0.001);
}

TEST_F(DrawingView, ClicksLandOnTheAtomShownUnderThePointer) {
  buildring();
  const tatm* target = session().drawing()->atoms.items(3);
  wheel(QPoint(100, 100), 3);
  wheel(QPoint(100, 100), -2, Qt::ShiftModifier);
  drag(QPoint(300, 300), QPoint(330, 280), Qt::MiddleButton);
  for (const int mode : {0, 10}) {
    SCOPED_TRACE(mode);
    session().drawing()->setdrawmode(static_cast<std::uint8_t>(mode));
    if (mode == 10) {
      drag(QPoint(200, 200), QPoint(290, 170), Qt::MiddleButton);
    }
    const QPoint point = view().windowpointof(*target);
    EXPECT_GT((point -
               QPoint(static_cast<int>(target->x), static_cast<int>(target->y)))
                  .manhattanLength(),
              20);
    // Painted where it is clicked.
    int darkest = 255;
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        darkest = std::min(
            darkest, qGray(window_->buffer().pixel(point + QPoint(dx, dy))));
      }
    }
    EXPECT_LT(darkest, 160);
    click(point, Qt::RightButton);
    EXPECT_EQ(window_->lastclicktarget().atom, target);
    window_->editors().periodictable().done();
  }
}

TEST_F(DrawingView, DocumentsOpenWholeAndTheViewMenuFitsThem) {
  // Two carbons 40 Å apart, far wider than the window at zoom 1.
  const std::string molfile =
      "wide\n  test\n\n  2  0  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "   40.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "M  END\n";
  const std::filesystem::path wide = folder_.path() / "wide.mol";
  ASSERT_EQ(writefileatomically(wide, std::vector<std::uint8_t>(molfile.begin(),
                                                                molfile.end())),
            "");
  ASSERT_EQ(window_->files().openfile(qtpath(wide)), treadextent::whole);
  EXPECT_LT(view().viewtransform().zoom(), 1.0);
  for (const tatm* atom : session().drawing()->atoms) {
    EXPECT_TRUE(shown(*atom));
  }

  // A ring at the left edge grows off it with Scale, and is moved back.
  choose({QStringLiteral("&File"), QStringLiteral("&New")});
  EXPECT_EQ(view().viewtransform().zoom(), 1.0);
  choose(
      {QStringLiteral("&Ring"), QStringLiteral("Add"), QStringLiteral("&6")});
  click(QPoint(45, 200));
  window_->settings().setscale(8);
  for (const tatm* atom : session().drawing()->atoms) {
    EXPECT_TRUE(shown(*atom));
  }

  choose({QStringLiteral("&View"), QStringLiteral("&Fit to Window")});
  const double fitted = view().viewtransform().zoom();
  EXPECT_GT(fitted, 1.0);
  choose({QStringLiteral("&View"), QStringLiteral("Zoom &In")});
  EXPECT_GT(view().viewtransform().zoom(), fitted);
  choose({QStringLiteral("&View"), QStringLiteral("Zoom &Out")});
  EXPECT_NEAR(view().viewtransform().zoom(), fitted, 1e-9);
}

}  // namespace
}  // namespace molvane

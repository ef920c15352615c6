// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/drawing_view.h"

#include "app/editor_windows.h"
#include "app/file_actions.h"
#include "app/periodic_table.h"
#include "app/settings_actions.h"
#include "io/document_files.h"
#include "model/atom.h"
#include "qt/text_conversion.h"
#include "window_fixture.h"

#include <QApplication>
#include <QWheelEvent>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>

namespace molvane {
namespace {

class DrawingView : public MainWindow {
 protected:
  tdrawingview& view() const { return window_->view(); }

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
  drawing().setdrawmode(10);
  wheel(QPoint(150, 150), 5);
  wheel(QPoint(150, 150), -2, Qt::ShiftModifier);
  drag(QPoint(200, 200), QPoint(260, 230), Qt::MiddleButton);
  drag(QPoint(200, 200), QPoint(150, 260), Qt::LeftButton, Qt::AltModifier);
  EXPECT_TRUE(view().viewtransform().turned());

  const std::filesystem::path document = folder_.path() / "ring.mlv";
  ASSERT_TRUE(window_->files().savefile(qtpath(document)));
  // The molfile copy: three title lines, the counts, then the atoms (x y z
  // in Å); the ring's first two atoms are bonded.
  std::ifstream copy(documentnames(document).mdl);
  std::string line;
  for (int i = 0; i < 4; ++i) {
    std::getline(copy, line);
  }
  TXYZ a;
  TXYZ b;
  copy >> a.x >> a.y >> a.z;
  std::getline(copy, line);
  copy >> b.x >> b.y >> b.z;
  EXPECT_NEAR(std::hypot(a.x - b.x, a.y - b.y, a.z - b.z), 1.54, 0.001);
}

TEST_F(DrawingView, ClicksLandOnTheAtomShownUnderThePointer) {
  buildring();
  const tatm* target = drawing().atoms.items(3);
  wheel(QPoint(100, 100), 3);
  wheel(QPoint(100, 100), -2, Qt::ShiftModifier);
  drag(QPoint(300, 300), QPoint(330, 280), Qt::MiddleButton);
  for (const int mode : {0, 10}) {
    SCOPED_TRACE(mode);
    drawing().setdrawmode(static_cast<std::uint8_t>(mode));
    if (mode == 10) {
      drag(QPoint(200, 200), QPoint(290, 170), Qt::MiddleButton);
    }
    const QPoint point = view().windowpointof(*target);
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
  std::ofstream(wide) << molfile;
  ASSERT_EQ(window_->files().openfile(qtpath(wide)), treadextent::whole);
  EXPECT_TRUE(shown(*drawing().atoms.first()) &&
              shown(*drawing().atoms.last()));

  // A ring at the left edge grows off it with Scale, and is moved back.
  choose({"&File", "&New"});
  choose({"&Ring", "Add", "&6"});
  click(QPoint(45, 200));
  window_->settings().setscale(8);
  for (const tatm* atom : drawing().atoms) {
    EXPECT_TRUE(shown(*atom));
  }

  choose({"&View", "&Fit to Window"});
  const double fitted = view().viewtransform().zoom();
  EXPECT_GT(fitted, 1.0);
  choose({"&View", "Zoom &In"});
  EXPECT_GT(view().viewtransform().zoom(), fitted);
  choose({"&View", "Zoom &Out"});
  EXPECT_NEAR(view().viewtransform().zoom(), fitted, 1e-9);
}

// Fitting to atom centres alone cut a long label at the edge in half.
TEST_F(DrawingView, FitToWindowKeepsWholeLabelsInside) {
  buildring();
  drawing().addatom(
      std::make_unique<tLAtm>("Tetrabutylammonium bromide", 330, 120));
  drawing().addatom(std::make_unique<tLAtm>("Solvent", 20, 300));
  tatm* top = drawing().atoms.items(0);
  tatm* bottom = drawing().atoms.items(3);
  top->setelement(8, symbollabel);
  bottom->setelement(7, symbollabel);
  for (const int mode : {0, 10}) {
    SCOPED_TRACE(mode);
    drawing().setdrawmode(static_cast<std::uint8_t>(mode));
    for (const char* fit : {"&Fit to Window", "Zoom &In", "&Fit to Window"}) {
      choose({"&View", fit});
    }
    ASSERT_GT(view().viewtransform().zoom(), 1.0);
    const QImage& shown = window_->buffer();
    // A band at every edge stays white, and the labels were painted.
    constexpr int band = 4;
    int inked = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        const bool dark = qGray(shown.pixel(x, y)) < 200;
        inked += dark ? 1 : 0;
        const bool edge = x < band || y < band || x >= shown.width() - band ||
                          y >= shown.height() - band;
        ASSERT_FALSE(edge && dark) << x << "," << y;
      }
    }
    EXPECT_GT(inked, 200);
  }
}

}  // namespace
}  // namespace molvane

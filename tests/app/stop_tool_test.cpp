// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/stop_tool.h"

#include "app/tool_placement.h"
#include "document/structure.h"
#include "io/settings_file.h"
#include "mechanics/force_field.h"
#include "mechanics/force_field_parameters.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <memory>
#include <vector>

namespace molvane {
namespace {

class StopTool : public MainWindow {
 protected:
  /// Ethane drawn flat, as a structure of the drawing.
  void drawethane() {
    const double units = drawing().geometry().bondlength / standardbondangstrom;
    const std::vector<double> xy{0,    0,     1.53,  0,   -0.4, 0.95,
                                 -0.4, -0.95, -1.05, 0.1, 1.93, 0.95,
                                 1.93, -0.95, 2.58,  -0.1};
    auto structure = std::make_unique<tStructure>();
    std::vector<tatm*> atoms;
    for (std::size_t i = 0; i < xy.size(); i += 2) {
      atoms.push_back(structure->addatom(std::make_unique<tatm>(
          i < 4 ? 6 : 1, 0, 100 + xy[i] * units, 100 + xy[i + 1] * units)));
    }
    for (auto [a, b] :
         {std::pair{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 5}, {1, 6}, {1, 7}}) {
      structure->addbond(std::make_unique<tbond>(
          atoms[static_cast<std::size_t>(a)], 0, tbondstyle::normal, 2,
          atoms[static_cast<std::size_t>(b)]));
    }
    drawing().mergestructure(std::move(structure));
  }

  double energy() {
    tforcefield field(drawing());
    EXPECT_EQ(field.setupforcefield(), "");
    return field.totalenergy();
  }
};

TEST_F(StopTool, GoRelaxesTheDrawingAsOneUndoStepAndStopEndsASearch) {
  drawethane();
  const double flat = energy();
  choose({"&File", "3D &Optimizer ..."});
  TStopTool& tool = window_->stoptool();
  ASSERT_TRUE(tool.isVisible());

  QTest::mouseClick(&tool.gobutton(), Qt::LeftButton);
  EXPECT_FALSE(tool.running());
  EXPECT_EQ(tool.gobutton().text().toStdString(), "GO");
  const double relaxed = energy();
  EXPECT_LT(relaxed, flat - 1000.0);
  EXPECT_FALSE(tool.energylabel().text().isEmpty());

  // Global runs until STOP, which arrives through the pumped events.
  tool.methodgroup().button(2)->click();
  EXPECT_TRUE(tool.temperaturebar().isEnabled());
  bool sawstop = false;
  QTimer::singleShot(200, &tool, [&] {
    sawstop = tool.running() && tool.gobutton().text() == "STOP" &&
              !tool.donebutton().isEnabled() &&
              !window_->undoaction()->isEnabled();
    // Neither the main window nor a shortcut may end the run's drawing.
    EXPECT_FALSE(window_->close());
    tool.gobutton().click();
  });
  QTest::mouseClick(&tool.gobutton(), Qt::LeftButton);
  EXPECT_TRUE(sawstop);
  EXPECT_FALSE(tool.running());
  EXPECT_LE(energy(), relaxed + 1.0);

  // Undo goes back one run; the one before it is still relaxed.
  ASSERT_TRUE(window_->undoaction()->isEnabled());
  window_->undoaction()->trigger();
  EXPECT_NEAR(energy(), relaxed, 1.0);
  QTest::mouseClick(&tool.donebutton(), Qt::LeftButton);
  EXPECT_FALSE(tool.isVisible());

  // Closing the tool during a run stops it and closes it afterwards.
  tool.open();
  QTimer::singleShot(200, &tool, [&] { tool.close(); });
  QTest::mouseClick(&tool.gobutton(), Qt::LeftButton);
  EXPECT_FALSE(tool.running());
  EXPECT_FALSE(tool.isVisible());
}

TEST_F(StopTool, ThePolishBoxDecidesWhetherNormalEndsAtTheMinimum) {
  drawethane();
  choose({"&File", "3D &Optimizer ..."});
  TStopTool& tool = window_->stoptool();
  auto gradientshown = [&tool] {
    const QString text = tool.gradientlabel().text();
    return text.section(QLatin1Char(' '), -1).toDouble();
  };
  // The coarsest tolerance stops the sweeps well before the minimum.
  tool.tolerancegroup().button(0)->click();
  tool.polishbox().setChecked(false);
  QTest::mouseClick(&tool.gobutton(), Qt::LeftButton);
  EXPECT_GT(gradientshown(), 1e-4);
  tool.polishbox().setChecked(true);
  QTest::mouseClick(&tool.gobutton(), Qt::LeftButton);
  EXPECT_LE(gradientshown(), 1e-4);
  // Only Normal polishes.
  tool.methodgroup().button(4)->click();
  EXPECT_FALSE(tool.polishbox().isEnabled());
}

TEST_F(StopTool, ThePolishSwitchIsKeptInTheSettingsFile) {
  drawethane();
  choose({"&File", "3D &Optimizer ..."});
  EXPECT_TRUE(window_->stoptool().polishbox().isChecked());
  window_->stoptool().polishbox().setChecked(false);
  EXPECT_FALSE(
      loadsettingsfile(folder_.path() / settingsfilename).settings.polish);
  openwindow();
  drawethane();
  choose({"&File", "3D &Optimizer ..."});
  EXPECT_FALSE(window_->stoptool().polishbox().isChecked());
}

// Issue 30: the window opened over the drawing and hid the model it moved.
TEST_F(StopTool, OpensBesideTheMainWindowThenWhereTheUserLeftIt) {
  drawethane();
  window_->move(0, 0);
  window_->resize(window_->minimumSizeHint());
  choose({"&File", "3D &Optimizer ..."});
  TStopTool& tool = window_->stoptool();
  ASSERT_TRUE(tool.isVisible());
  const QRect main = window_->frameGeometry();
  EXPECT_EQ(tool.x(), main.right() + 1);
  EXPECT_FALSE(tool.frameGeometry().intersects(main));
  {
    // A second tool window opened beside goes below the first.
    QWidget other(window_.get(), Qt::Tool);
    other.resize(50, 50);
    EXPECT_EQ(besidemainwindow(*window_, other).y(),
              tool.frameGeometry().bottom() + 1);
  }

  // Closed where it was opened, nothing is kept; moved, the place is.
  QTest::mouseClick(&tool.donebutton(), Qt::LeftButton);
  EXPECT_EQ(window_->programsettings().optimizerplace, std::nullopt);
  tool.open();
  tool.move(123, 45);
  QTest::mouseClick(&tool.donebutton(), Qt::LeftButton);
  EXPECT_EQ(loadsettingsfile(folder_.path() / settingsfilename)
                .settings.optimizerplace,
            (tpaletteplace{123, 45}));
  openwindow();
  drawethane();
  choose({"&File", "3D &Optimizer ..."});
  EXPECT_EQ(window_->stoptool().pos(), QPoint(123, 45));
}

TEST_F(StopTool, AnEmptyDrawingIsNoChemicalStructure) {
  choose({"&File", "3D &Optimizer ..."});
  ASSERT_EQ(messages_.errors.size(), 1U);
  EXPECT_EQ(messages_.errors[0], "Invalid Chemical Structure");
  EXPECT_FALSE(window_->stoptool().isVisible());
}

}  // namespace
}  // namespace molvane

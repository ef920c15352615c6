// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/nmr_tool.h"

#include "app/settings_actions.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace molvane {
namespace {

class NmrTool : public MainWindow {
 protected:
  /// Carbon 13 chosen in the settings and a ring drawn.
  TNMRTool& openonring() {
    window_->settings().setnmr(2);
    buildring();
    choose({"&File", "NMR Shifts..."});
    return window_->nmrtool();
  }

  int entries(const TNMRTool& tool) const {
    return tool.entrieslabel().text().toInt();
  }
};

TEST_F(NmrTool, OpensOnlyWithANucleusAndNucleiInTheDrawing) {
  QAction* item =
      menuitem(*window_->menuBar(), {QStringLiteral("&File"), "NMR Shifts..."});
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->isEnabled());
  window_->settings().setnmr(3);
  EXPECT_TRUE(item->isEnabled());
  item->trigger();
  EXPECT_EQ(messages_.errors,
            std::vector<std::string>{"E3-- Drawing contains no NMR nuclei"});
  EXPECT_FALSE(window_->nmrtool().isVisible());

  TNMRTool& tool = openonring();
  ASSERT_TRUE(tool.isVisible());
  EXPECT_EQ(tool.settingsbox().title(), QStringLiteral("C-13"));
  EXPECT_EQ(window_->editormode(), teditormode::nmr);
  EXPECT_FALSE(item->isEnabled());
  EXPECT_EQ(tool.list().count(), 6);
  EXPECT_EQ(tool.list().currentRow(), 0);
  EXPECT_TRUE(drawing().shownmrshifts);
  // Database editing starts off.
  EXPECT_FALSE(tool.shiftedit().isVisible());

  QTest::mouseClick(&tool.okbutton(), Qt::LeftButton);
  EXPECT_FALSE(tool.isVisible());
  EXPECT_EQ(window_->editormode(), teditormode::drawing);
  EXPECT_FALSE(drawing().shownmrshifts);
  EXPECT_TRUE(item->isEnabled());

  // Another nucleus closes the tool; it opens again on the new one.
  item->trigger();
  window_->settings().setnmr(1);
  EXPECT_FALSE(tool.isVisible());
  item->trigger();
  EXPECT_EQ(tool.settingsbox().title(), QStringLiteral("H-1"));
}

TEST_F(NmrTool, EnterTeachesTheAveragedShiftAndCancelTakesItBack) {
  TNMRTool& tool = openonring();
  tool.editbox().click();
  ASSERT_TRUE(tool.shiftedit().isVisible());
  const int before = entries(tool);
  tool.shiftedit().setText(QStringLiteral("128.1,128.3"));
  QTest::keyClick(&tool.shiftedit(), Qt::Key_Return);
  EXPECT_EQ(entries(tool), before + 1);
  EXPECT_TRUE(tool.list().item(0)->text().contains(QStringLiteral("128.2")));
  EXPECT_TRUE(tool.shiftedit().text().isEmpty());
  // The ring's other carbons match exactly now: Enter passed over them.
  EXPECT_EQ(tool.list().currentRow(), 0);

  tool.shiftedit().setText(QStringLiteral("12,x"));
  QTest::keyClick(&tool.shiftedit(), Qt::Key_Up);
  EXPECT_EQ(entries(tool), before + 1);
  EXPECT_EQ(tool.list().currentRow(), 5);
  EXPECT_TRUE(tool.discobutton().isEnabled());

  QTest::mouseClick(&tool.cancelbutton(), Qt::LeftButton);
  EXPECT_EQ(entries(tool), before);
  EXPECT_TRUE(tool.isVisible());
}

TEST_F(NmrTool, DisplayChoicesReachTheDrawingAndTheClipboard) {
  TNMRTool& tool = openonring();
  tool.editbox().click();
  tool.shiftedit().setText(QStringLiteral("128.5"));
  QTest::keyClick(&tool.shiftedit(), Qt::Key_Return);
  EXPECT_EQ(window_->shiftlabels().size(), 1u);
  tool.settingsgroup().button(0)->click();
  EXPECT_EQ(window_->shiftlabels().size(), 6u);
  tool.settingsgroup().button(2)->click();
  EXPECT_TRUE(window_->shiftlabels().empty());
  EXPECT_FALSE(drawing().shownmrshifts);

  tool.numbersbox().click();
  EXPECT_EQ(drawing().shownumbers, 0);

  const QImage without = window_->buffer().copy();
  tool.plotbox().click();
  EXPECT_NE(window_->buffer(), without);
  tool.clipboardbutton().click();
  EXPECT_EQ(QApplication::clipboard()->image().size(),
            window_->buffer().size());
}

// The shifts were cut off by Fit to Window and the spectrum was drawn over
// the ring.
TEST_F(NmrTool, ShiftsFitAndTheSpectrumKeepsBelowTheDrawing) {
  TNMRTool& tool = openonring();
  tool.settingsgroup().button(0)->click();
  ASSERT_EQ(window_->shiftlabels().size(), 6u);
  choose({"&View", "&Fit to Window"});
  const auto inked = [](const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 200;
  };
  const QImage fitted = window_->buffer().copy();
  constexpr int band = 4;
  for (int y = 0; y < fitted.height(); ++y) {
    for (int x = 0; x < fitted.width(); ++x) {
      const bool edge = x < band || y < band || x >= fitted.width() - band ||
                        y >= fitted.height() - band;
      ASSERT_FALSE(edge && inked(fitted, x, y)) << x << "," << y;
    }
  }

  tool.plotbox().click();
  choose({"&View", "&Fit to Window"});
  const QImage both = window_->buffer().copy();
  tool.plotbox().click();
  const QImage drawingonly = window_->buffer().copy();
  // Every pixel the spectrum adds lies below every pixel of the drawing.
  int lowestdrawn = -1;
  int highestplotted = both.height();
  for (int y = 0; y < both.height(); ++y) {
    for (int x = 0; x < both.width(); ++x) {
      if (inked(drawingonly, x, y)) {
        lowestdrawn = y;
      } else if (inked(both, x, y)) {
        highestplotted = std::min(highestplotted, y);
      }
    }
  }
  EXPECT_GT(lowestdrawn, 0);
  EXPECT_LT(highestplotted, both.height());
  EXPECT_LT(lowestdrawn, highestplotted);
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/views_3d.h"

#include "app/animator.h"
#include "app/drawing_view.h"
#include "app/main_window.h"
#include "document/drawing.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <vector>

namespace molvane {
namespace {

class Views3d : public MainWindow {
 protected:
  tdrawing& drawing() const { return *session().drawing(); }

  QString menucaptions() const {
    QStringList captions;
    for (QAction* action : window_->menuBar()->actions()) {
      if (action->isVisible()) {
        captions << action->text();
      }
    }
    return captions.join(QLatin1Char('|'));
  }

  std::vector<double> xs() const {
    std::vector<double> values;
    for (const tatm* atom : drawing().atoms) {
      values.push_back(atom->x);
    }
    return values;
  }
};

TEST_F(Views3d, PicturesSetTheModeInTheChosenView) {
  choose({QStringLiteral("&File"), QStringLiteral("&3D Views ..")});
  TFunctions3D& views = window_->views3d();
  ASSERT_TRUE(views.isVisible());
  EXPECT_EQ(views.windowTitle().toStdString(), "3D Views");
  EXPECT_TRUE((views.windowFlags() & Qt::WindowStaysOnTopHint) != 0);
  const std::vector<int> modes{0,  12, 7,  13, 11, 19, 17, 18,
                               16, 9,  15, 8,  5,  10, 14};
  for (int i = 1; i <= 15; ++i) {
    ASSERT_NE(views.picture(i), nullptr);
    EXPECT_EQ(views.picture(i)->mode(), modes[static_cast<std::size_t>(i - 1)]);
    EXPECT_EQ(views.picture(i)->objectName(), QStringLiteral("Image%1").arg(i));
    EXPECT_FALSE(views.picture(i)->pixmap().isNull());
  }
  EXPECT_EQ(views.picture(16), nullptr);
  // The pictures differ: each shows its own mode.
  EXPECT_NE(views.picture(1)->pixmap().toImage(),
            views.picture(14)->pixmap().toImage());

  tmodepicture& spheres = *views.picture(14);
  QTest::mousePress(&spheres, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_TRUE(spheres.pressed());
  EXPECT_TRUE(spheres.pixmap().isNull());
  QTest::mouseRelease(&spheres, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_FALSE(spheres.pixmap().isNull());
  EXPECT_EQ(drawing().drawmode, 10);

  QTest::mouseClick(&views.stereobutton(), Qt::LeftButton);
  EXPECT_EQ(drawing().drawmode, 110);
  // A picture keeps the stereo choice; Normal keeps the mode.
  QTest::mouseClick(views.picture(10), Qt::LeftButton);
  EXPECT_EQ(drawing().drawmode, 109);
  QTest::mouseClick(&views.normalbutton(), Qt::LeftButton);
  EXPECT_EQ(drawing().drawmode, 9);

  // Released outside, a press chooses nothing.
  QTest::mousePress(views.picture(2), Qt::LeftButton, Qt::NoModifier,
                    QPoint(5, 5));
  QTest::mouseRelease(views.picture(2), Qt::LeftButton, Qt::NoModifier,
                      QPoint(500, 5));
  EXPECT_EQ(drawing().drawmode, 9);

  QTest::mouseClick(&views.donebutton(), Qt::LeftButton);
  EXPECT_FALSE(views.isVisible());
}

TEST_F(Views3d,
       TheCheckBoxAndTheMenuItemSwitchThreeDimensionalBuildingTogether) {
  TFunctions3D& views = window_->views3d();
  QAction& item = *window_->build3daction();
  EXPECT_FALSE(views.build3dbox().isChecked());
  views.build3dbox().setChecked(true);
  EXPECT_TRUE(item.isChecked());
  EXPECT_TRUE(session().settings.build3d);
  choose({QStringLiteral("&File"), QStringLiteral("3D DrawMode")});
  EXPECT_FALSE(views.build3dbox().isChecked());
  EXPECT_FALSE(session().settings.build3d);
}

TEST_F(Views3d, AnimatorTurnsTheModelWithTheAnimationMenuUntilStopped) {
  buildring();
  const std::vector<double> before = xs();
  const QString mainmenu = menucaptions();
  choose({QStringLiteral("&File"), QStringLiteral("3D Animator...")});
  TAnimator& animator = window_->animator();
  ASSERT_TRUE(animator.isVisible());
  EXPECT_TRUE(animator.running());
  EXPECT_EQ(animator.animation().motion(), tmotion::wag);
  EXPECT_EQ(animator.speedlabel().text().toStdString(), "30");
  EXPECT_EQ(menucaptions().toStdString(),
            "STOP|S&pin|&Tumble|&Rock|Wag|&3D Views ...|Speed");

  // The timer of the event loop shows frames while the window answers.
  QTest::qWait(5 * animationframeinterval);
  EXPECT_NE(xs(), before);
  EXPECT_NE(animator.animation().angle(), 0.0);

  choose({QStringLiteral("Speed"), QStringLiteral("Fast")});
  EXPECT_EQ(animator.speedlabel().text().toStdString(), "90");
  animator.finestep().setValue(10);
  EXPECT_EQ(animator.speedlabel().text().toStdString(), "150");
  QTest::mouseClick(&animator.speedbutton(tanimationspeed::slow),
                    Qt::LeftButton);
  EXPECT_EQ(animator.finestep().value(), 0);
  EXPECT_EQ(animator.speedlabel().text().toStdString(), "10");
  choose({QStringLiteral("S&pin")});
  EXPECT_EQ(animator.animation().motion(), tmotion::spin);
  EXPECT_TRUE(animator.motionbutton(tmotion::spin).isChecked());
  choose({QStringLiteral("&3D Views ...")});
  EXPECT_TRUE(window_->views3d().isVisible());

  choose({QStringLiteral("STOP")});
  EXPECT_FALSE(animator.isVisible());
  EXPECT_FALSE(animator.running());
  EXPECT_EQ(menucaptions(), mainmenu);
  const std::vector<double> stopped = xs();
  QTest::qWait(3 * animationframeinterval);
  EXPECT_EQ(xs(), stopped);
}

TEST_F(Views3d, AnimatorStopsWhenItsWindowClosesAndIgnoresTwoAtoms) {
  buildring();
  TAnimator& animator = window_->animator();
  animator.open();
  ASSERT_TRUE(animator.running());
  animator.close();
  EXPECT_FALSE(animator.running());
  EXPECT_TRUE(menuitem(*window_->menuBar(), {QStringLiteral("&File")}) !=
              nullptr);

  session().newdrawing();
  drawing().addatom(std::make_unique<tatm>(6, 0, 100, 100));
  drawing().addatom(std::make_unique<tatm>(6, 0, 130, 100));
  const std::vector<double> before = xs();
  animator.open();
  QTest::mouseClick(&animator.motionbutton(tmotion::rock), Qt::LeftButton);
  EXPECT_FALSE(animator.running());
  QTest::qWait(3 * animationframeinterval);
  EXPECT_EQ(xs(), before);
  EXPECT_TRUE(menuitem(*window_->menuBar(), {QStringLiteral("&File")}) !=
              nullptr);
  QTest::mouseClick(&animator.stopbutton(), Qt::LeftButton);
  EXPECT_FALSE(animator.isVisible());
}

TEST_F(Views3d, ClosingTheProgramWhileTheModelTurnsEndsTheMotion) {
  buildring();
  window_->animator().open();
  ASSERT_TRUE(window_->animator().running());
  window_.reset();
  // No frame comes after the window has gone.
  QTest::qWait(3 * animationframeinterval);
  SUCCEED();
}

}  // namespace
}  // namespace molvane

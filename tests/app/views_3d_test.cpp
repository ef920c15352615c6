// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/views_3d.h"

#include "app/animator.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <vector>

namespace molvane {
namespace {

class Views3d : public MainWindow {
 protected:
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
  choose({"&File", "&3D Views .."});
  TFunctions3D& views = window_->views3d();
  ASSERT_TRUE(views.isVisible());
  ASSERT_NE(views.picture(15), nullptr);
  EXPECT_EQ(views.picture(16), nullptr);
  // The pictures differ: each shows its own mode.
  EXPECT_NE(views.picture(1)->pixmap().toImage(),
            views.picture(14)->pixmap().toImage());

  tmodepicture& spheres = *views.picture(14);
  QTest::mousePress(&spheres, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_TRUE(spheres.pixmap().isNull());
  QTest::mouseRelease(&spheres, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(drawing().drawmode, spheres.mode());

  QTest::mouseClick(&views.stereobutton(), Qt::LeftButton);
  EXPECT_EQ(drawing().drawmode, 100 + spheres.mode());
  // A picture keeps the stereo choice; Normal keeps the mode.
  QTest::mouseClick(views.picture(10), Qt::LeftButton);
  EXPECT_EQ(drawing().drawmode, 100 + views.picture(10)->mode());
  QTest::mouseClick(&views.normalbutton(), Qt::LeftButton);
  EXPECT_EQ(drawing().drawmode, views.picture(10)->mode());

  // Released outside, a press chooses nothing.
  QTest::mousePress(views.picture(2), Qt::LeftButton, Qt::NoModifier,
                    QPoint(5, 5));
  QTest::mouseRelease(views.picture(2), Qt::LeftButton, Qt::NoModifier,
                      QPoint(500, 5));
  EXPECT_EQ(drawing().drawmode, views.picture(10)->mode());
  QTest::mouseClick(&views.donebutton(), Qt::LeftButton);
  EXPECT_FALSE(views.isVisible());
}

TEST_F(Views3d,
       TheCheckBoxAndTheMenuItemSwitchThreeDimensionalBuildingTogether) {
  TFunctions3D& views = window_->views3d();
  views.build3dbox().setChecked(true);
  EXPECT_TRUE(window_->build3daction()->isChecked());
  choose({"&File", "3D DrawMode"});
  EXPECT_FALSE(views.build3dbox().isChecked());
  EXPECT_FALSE(session().settings.build3d);
}

TEST_F(Views3d, AnimatorTurnsTheModelWithTheAnimationMenuUntilStopped) {
  buildring();
  const std::vector<double> before = xs();
  const QString mainmenu = menucaptions();
  choose({"&File", "3D Animator..."});
  TAnimator& animator = window_->animator();
  ASSERT_TRUE(animator.running());
  EXPECT_EQ(menucaptions().toStdString(),
            "STOP|S&pin|&Tumble|&Rock|Wag|&3D Views ...|Speed");
  QTest::qWait(5 * animationframeinterval);
  EXPECT_NE(xs(), before);

  choose({"Speed", "Fast"});
  EXPECT_EQ(animator.speedlabel().text().toStdString(), "90");
  animator.finestep().setValue(10);
  EXPECT_EQ(animator.speedlabel().text().toStdString(), "150");
  QTest::mouseClick(&animator.speedbutton(tanimationspeed::slow),
                    Qt::LeftButton);
  EXPECT_EQ(animator.finestep().value(), 0);
  choose({"S&pin"});
  EXPECT_TRUE(animator.motionbutton(tmotion::spin).isChecked());
  choose({"&3D Views ..."});
  EXPECT_TRUE(window_->views3d().isVisible());

  choose({"STOP"});
  EXPECT_FALSE(animator.isVisible());
  EXPECT_EQ(menucaptions(), mainmenu);
  const std::vector<double> stopped = xs();
  QTest::qWait(3 * animationframeinterval);
  EXPECT_EQ(xs(), stopped);
}

TEST_F(Views3d, AnimatorStopsWithItsWindowOrTheProgramOrTooFewAtoms) {
  buildring();
  TAnimator& animator = window_->animator();
  const QString mainmenu = menucaptions();
  animator.open();
  ASSERT_TRUE(animator.running());
  animator.close();
  EXPECT_FALSE(animator.running());
  EXPECT_EQ(menucaptions(), mainmenu);

  session().newdrawing();
  drawing().addatom(std::make_unique<tatm>(6, 0, 100, 100));
  drawing().addatom(std::make_unique<tatm>(6, 0, 130, 100));
  animator.open();
  QTest::mouseClick(&animator.motionbutton(tmotion::rock), Qt::LeftButton);
  EXPECT_FALSE(animator.running());
  EXPECT_EQ(menucaptions(), mainmenu);
  QTest::mouseClick(&animator.stopbutton(), Qt::LeftButton);
  EXPECT_FALSE(animator.isVisible());

  // Closing the program while the model turns: no frame comes after the
  // window has gone.
  buildring();
  animator.open();
  ASSERT_TRUE(animator.running());
  window_.reset();
  QTest::qWait(3 * animationframeinterval);
}

}  // namespace
}  // namespace molvane

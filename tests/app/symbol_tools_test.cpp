// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor_windows.h"
#include "app/palette_pictures.h"
#include "app/symbol_editor.h"
#include "app/symbol_tool.h"
#include "app/text_editor.h"
#include "document/symbol.h"
#include "model/atom.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

namespace molvane {
namespace {

class SymbolTools : public MainWindow {
 protected:
  TSymbolTool& tool() { return window_->editors().symboltool(); }
  TSymbolEditor& symboleditor() { return window_->editors().symboleditor(); }
  TTextEditor& texteditor() { return window_->editors().texteditor(); }

  /// Chooses an image of the symbol tool and clicks at point.
  void add(const char* image, QPoint point) {
    choose({QStringLiteral("&Symbol")});
    QToolButton* button = tool().image(QString::fromLatin1(image));
    ASSERT_NE(button, nullptr) << image;
    QTest::mouseClick(button, Qt::LeftButton);
    click(point);
  }

  void press(QWidget& editor, const char* name) {
    auto* button = editor.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }
};

TEST_F(SymbolTools, PaletteStoresTheCodeOfTheImageAndHides) {
  struct timage {
    const char* name;
    int code;
  };
  const timage images[] = {{"SingleArrow", 720},
                           {"ArcArrow4", 727},
                           {"AddText", 607},
                           {"DeltaMinus", 615}};
  for (const timage& image : images) {
    SCOPED_TRACE(image.name);
    choose({QStringLiteral("&Symbol")});
    EXPECT_TRUE(tool().isVisible());
    QToolButton* button = tool().image(QString::fromLatin1(image.name));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->icon().isNull());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(window_->commandcode(), image.code);
    EXPECT_FALSE(tool().isVisible());
  }
}

TEST_F(SymbolTools, PicturesShowWhatTheCodesDraw) {
  const auto inked = [](const QImage& image) {
    int count = 0;
    for (int i = 0; i < image.width() * image.height(); ++i) {
      count += qGray(image.pixel(i % image.width(), i / image.width())) < 128;
    }
    return count;
  };
  // Straight and curved arrows, a shape, a text and a sign label.
  for (int code : {720, 728, 729, 607, 614}) {
    SCOPED_TRACE(code);
    const QImage picture = symbolpicture(code, QSize(56, 32));
    EXPECT_EQ(picture.size(), QSize(56, 32));
    EXPECT_GT(inked(picture), 5);
    // Nothing touches the edge: the symbol was fitted in.
    for (int x = 0; x < picture.width(); ++x) {
      EXPECT_GT(qGray(picture.pixel(x, 0)), 128);
    }
  }
  EXPECT_EQ(inked(symbolpicture(151, QSize(20, 20))), 0);
  EXPECT_EQ(drawing().atoms.count(), 0);
}

// The turns, zooms and the clone's place are the symbol and editor
// commands' tests; here the buttons and the slider reach them.
TEST_F(SymbolTools, ArrowTurnsClonesAndIsDeleted) {
  add("SingleArrow", QPoint(200, 150));
  ASSERT_EQ(drawing().symbols.count(), 1);
  tSymbol* arrow = drawing().symbols.first();
  const tatm* tip = arrow->atoms.first();
  const double x = tip->x;

  click(QPoint(tip->sx, tip->sy), Qt::RightButton);
  EXPECT_EQ(window_->editormode(), 4);
  EXPECT_TRUE(symboleditor().isVisible());
  EXPECT_EQ(symboleditor().editsymbol(), arrow);
  EXPECT_EQ(arrow->colour, 255U);
  EXPECT_EQ(menuname(), QStringLiteral("SymbolEditorMenu"));
  press(symboleditor(), "Button1");
  EXPECT_NE(tip->x, x);
  press(symboleditor(), "Button2");
  EXPECT_NEAR(tip->x, x, 1e-9);

  press(symboleditor(), "CloneButton");
  ASSERT_EQ(drawing().symbols.count(), 2);
  tSymbol* copy = drawing().symbols.last();
  EXPECT_TRUE(window_->undoaction()->isEnabled());

  press(symboleditor(), "DeleteButton");
  EXPECT_EQ(drawing().symbols.count(), 1);
  EXPECT_TRUE(symboleditor().isVisible());
  click(QPoint(static_cast<int>(copy->centre().x), 150), Qt::RightButton);
  EXPECT_EQ(symboleditor().editsymbol(), copy);
  press(symboleditor(), "DeleteButton");
  EXPECT_TRUE(drawing().symbols.empty());
  EXPECT_EQ(drawing().atoms.count(), 0);
  EXPECT_FALSE(symboleditor().isVisible());
  EXPECT_EQ(window_->editormode(), 0);
  EXPECT_EQ(menuname(), QStringLiteral("MainMenu1"));

  // Undo brings the last symbol back.
  window_->toggleundo();
  EXPECT_EQ(drawing().symbols.count(), 1);
}

TEST_F(SymbolTools, SliderTurnsAndZoomsAndTheSymbolDrags) {
  add("SingleArrow", QPoint(200, 150));
  tSymbol* arrow = drawing().symbols.first();
  const tatm* tip = arrow->atoms.first();
  symboleditor().openon(arrow);
  QScrollBar& slider = symboleditor().slider();
  // Each move turns from where the slider was and springs back.
  slider.setValue(90);
  EXPECT_NEAR(tip->y, 172.5, 1e-9);
  EXPECT_EQ(slider.value(), 0);
  slider.setValue(-90);
  EXPECT_NEAR(tip->y, 150.0, 1e-9);
  symboleditor().setrotating(false);
  EXPECT_EQ(slider.value(), 100);
  slider.setValue(150);
  EXPECT_NEAR(tip->x, 200 + 1.5 * 22.5, 1e-9);
  EXPECT_EQ(slider.value(), 100);

  // The edited symbol drags with the pointer and keeps its width.
  const int width = arrow->linewidth;
  const TXYZ centre = arrow->centre();
  drag(
      QPoint(static_cast<int>(centre.x), static_cast<int>(centre.y)),
      QPoint(static_cast<int>(centre.x) + 10, static_cast<int>(centre.y) + 20));
  EXPECT_NEAR(arrow->centre().x, centre.x + 10, 1.0);
  EXPECT_NEAR(arrow->centre().y, centre.y + 20, 1.0);
  EXPECT_EQ(arrow->linewidth, width);
  EXPECT_DOUBLE_EQ(tip->x0, tip->x);

  // An arc does not turn but zooms.
  press(symboleditor(), "OKbutton");
  EXPECT_EQ(window_->editormode(), 0);
  add("AddArc", QPoint(100, 300));
  tSymbol* arc = drawing().symbols.last();
  symboleditor().openon(arc);
  const double x = arc->atoms.first()->x;
  press(symboleditor(), "Button1");
  EXPECT_DOUBLE_EQ(arc->atoms.first()->x, x);
  press(symboleditor(), "Button5");
  EXPECT_NE(arc->atoms.first()->x, x);
}

TEST_F(SymbolTools, TextLabelFollowsEveryKey) {
  add("AddText", QPoint(100, 100));
  ASSERT_EQ(drawing().labelatoms.count(), 1);
  const tatm* label = drawing().labelatoms.first();
  EXPECT_EQ(window_->editormode(), 5);
  EXPECT_TRUE(texteditor().isVisible());
  EXPECT_EQ(texteditor().edit().text(), QStringLiteral("Text"));
  EXPECT_EQ(menuname(), QStringLiteral("TextEditorMenu"));
  // The editor opened partly off the screen, and typing appended
  // to "Text".
  const QRect screen = texteditor().screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(texteditor().frameGeometry()));
  EXPECT_EQ(texteditor().frameGeometry().right(), screen.right());

  const QString typed = QStringLiteral("CuSO4");
  for (int i = 0; i < typed.size(); ++i) {
    QTest::keyClick(&texteditor().edit(), typed[i].toLatin1());
    EXPECT_EQ(label->symbol, typed.left(i + 1).toStdString());
  }
  QTest::keyClick(&texteditor().edit(), Qt::Key_Backspace);
  EXPECT_EQ(label->symbol, "CuSO");
  press(texteditor(), "Button2");
  EXPECT_EQ(label->symbol, "CuSO\xC2\xB7");

  QTest::keyClick(&texteditor().edit(), Qt::Key_Return);
  EXPECT_FALSE(texteditor().isVisible());
  EXPECT_EQ(window_->editormode(), 0);
  EXPECT_EQ(window_->commandcode(), 0);
  EXPECT_EQ(menuname(), QStringLiteral("MainMenu1"));

  // A right click on the label opens the editor again.
  click(QPoint(100, 100), Qt::RightButton);
  EXPECT_EQ(texteditor().editlabel(), label);
  EXPECT_EQ(window_->editormode(), 5);
}

TEST_F(SymbolTools, TextEditorButtonsReachTheLabel) {
  add("AddText", QPoint(100, 100));
  tLAtm* label = texteditor().editlabel();
  ASSERT_NE(label, nullptr);
  QFont chosen(QStringLiteral("Some Face"));
  chosen.setPixelSize(21);
  dialogs_->chosenfont = chosen;
  press(texteditor(), "FontButton");
  EXPECT_EQ(drawing().getfontrecord(label->fontindex).height, -21);

  // The editor follows the clone; Delete removes the clone and closes.
  press(texteditor(), "CloneButton");
  tLAtm* copy = texteditor().editlabel();
  ASSERT_EQ(drawing().labelatoms.count(), 2);
  EXPECT_NE(copy, label);
  press(texteditor(), "Button4");
  EXPECT_EQ(drawing().labelatoms.count(), 1);
  EXPECT_FALSE(drawing().labelatoms.contains(copy));
  EXPECT_FALSE(texteditor().isVisible());
  EXPECT_EQ(window_->editormode(), 0);

  // A sign label opens no editor.
  add("AddPlus", QPoint(100, 300));
  EXPECT_FALSE(texteditor().isVisible());
  EXPECT_EQ(drawing().labelatoms.count(), 2);
}

// The editors let go of what Undo removed; without it their buttons and
// text change nothing.
TEST_F(SymbolTools, EditorsWithoutTheirObjectChangeNothing) {
  symboleditor().openon(nullptr);
  EXPECT_FALSE(symboleditor().isVisible());
  press(symboleditor(), "Button5");
  press(symboleditor(), "Button1");
  press(symboleditor(), "CloneButton");
  EXPECT_EQ(messages_.informs, std::vector<std::string>{"No symbol selected"});

  add("AddText", QPoint(100, 100));
  ASSERT_NE(texteditor().editlabel(), nullptr);
  window_->toggleundo();
  EXPECT_EQ(texteditor().editlabel(), nullptr);
  QTest::keyClicks(&texteditor().edit(), QStringLiteral("abc"));
  press(texteditor(), "CloneButton");
  press(texteditor(), "Button4");
  EXPECT_EQ(drawing().labelatoms.count(), 0);
  EXPECT_TRUE(drawing().symbols.empty());
}

}  // namespace
}  // namespace molvane

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
    choose({"&Symbol"});
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

TEST_F(SymbolTools, PicturesShowWhatTheCodesDraw) {
  const auto inked = [](const QImage& image, int rows) {
    int count = 0;
    for (int i = 0; i < image.width() * rows; ++i) {
      count += qGray(image.pixel(i % image.width(), i / image.width())) < 128;
    }
    return count;
  };
  // Straight and curved arrows, a shape, a text and a sign label; nothing
  // touches the edge: the symbol was fitted in.
  for (int code : {720, 728, 729, 607, 614}) {
    const QImage picture = symbolpicture(code, QSize(56, 32));
    EXPECT_GT(inked(picture, 32), 5) << code;
    EXPECT_EQ(inked(picture, 1), 0) << code;
  }
  EXPECT_EQ(inked(symbolpicture(151, QSize(20, 20)), 20), 0);
}

TEST_F(SymbolTools, ArrowTurnsClonesAndIsDeleted) {
  // The palette hides once an image is chosen.
  add("SingleArrow", QPoint(200, 150));
  EXPECT_FALSE(tool().isVisible());
  ASSERT_EQ(drawing().symbols.count(), 1);
  tSymbol* arrow = drawing().symbols.first();
  const tatm* tip = arrow->atoms.first();
  const double x = tip->x;
  click(QPoint(tip->sx, tip->sy), Qt::RightButton);
  EXPECT_EQ(symboleditor().editsymbol(), arrow);
  EXPECT_EQ(menuname(), QStringLiteral("SymbolEditorMenu"));
  press(symboleditor(), "Button1");
  EXPECT_NE(tip->x, x);

  press(symboleditor(), "CloneButton");
  ASSERT_EQ(drawing().symbols.count(), 2);
  tSymbol* copy = drawing().symbols.last();
  press(symboleditor(), "DeleteButton");
  EXPECT_EQ(drawing().symbols.count(), 1);
  click(QPoint(static_cast<int>(copy->centre().x), 150), Qt::RightButton);
  press(symboleditor(), "DeleteButton");
  EXPECT_TRUE(drawing().symbols.empty());
  EXPECT_EQ(drawing().atoms.count(), 0);
  EXPECT_FALSE(symboleditor().isVisible());
  EXPECT_EQ(menuname(), QStringLiteral("MainMenu1"));
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
  slider.setValue(150);
  EXPECT_NEAR(tip->x, 200 + 1.5 * 22.5, 1e-9);
  EXPECT_EQ(slider.value(), 100);

  // The edited symbol drags with the pointer.
  const TXYZ centre = arrow->centre();
  const QPoint from(static_cast<int>(centre.x), static_cast<int>(centre.y));
  drag(from, from + QPoint(10, 20));
  EXPECT_NEAR(arrow->centre().y, centre.y + 20, 1.0);

  // An arc does not turn.
  press(symboleditor(), "OKbutton");
  add("AddArc", QPoint(100, 300));
  tSymbol* arc = drawing().symbols.last();
  symboleditor().openon(arc);
  const double x = arc->atoms.first()->x;
  press(symboleditor(), "Button1");
  EXPECT_DOUBLE_EQ(arc->atoms.first()->x, x);
}

TEST_F(SymbolTools, TextLabelFollowsEveryKey) {
  add("AddText", QPoint(100, 100));
  ASSERT_EQ(drawing().labelatoms.count(), 1);
  const tatm* label = drawing().labelatoms.first();
  EXPECT_EQ(menuname(), QStringLiteral("TextEditorMenu"));
  // The editor opened partly off the screen; typing replaces "Text".
  const QRect screen = texteditor().screen()->availableGeometry();
  EXPECT_EQ(texteditor().frameGeometry().right(), screen.right());

  QTest::keyClicks(&texteditor().edit(), QStringLiteral("Cu"));
  EXPECT_EQ(label->symbol, "Cu");
  QTest::keyClick(&texteditor().edit(), Qt::Key_Backspace);
  EXPECT_EQ(label->symbol, "C");
  press(texteditor(), "Button2");
  EXPECT_EQ(label->symbol, "C\xC2\xB7");

  QTest::keyClick(&texteditor().edit(), Qt::Key_Return);
  EXPECT_FALSE(texteditor().isVisible());
  EXPECT_EQ(window_->commandcode(), 0);
  // A right click on the label opens the editor again.
  click(QPoint(100, 100), Qt::RightButton);
  EXPECT_EQ(texteditor().editlabel(), label);
}

// Issue 30: typing in the text editor and turning a symbol take one undo
// step per editor session, kept without the editor's red.
TEST_F(SymbolTools, EachEditorSessionIsOneUndoStep) {
  add("AddText", QPoint(100, 100));
  const std::string start = drawing().labelatoms.first()->symbol;
  QTest::keyClicks(&texteditor().edit(), QStringLiteral("Cu"));
  QTest::keyClick(&texteditor().edit(), Qt::Key_Return);
  EXPECT_EQ(window_->undoaction()->text(), QStringLiteral("Undo Text Editor"));
  window_->undoedit();
  ASSERT_EQ(drawing().labelatoms.count(), 1);
  EXPECT_EQ(drawing().labelatoms.first()->symbol, start);
  EXPECT_EQ(drawing().labelatoms.first()->colour, 0U);

  add("SingleArrow", QPoint(200, 250));
  tSymbol* arrow = drawing().symbols.first();
  const tatm* tip = arrow->atoms.first();
  const double x = tip->x;
  click(QPoint(tip->sx, tip->sy), Qt::RightButton);
  press(symboleditor(), "Button1");
  press(symboleditor(), "Button1");
  window_->undoedit();
  ASSERT_EQ(drawing().symbols.count(), 1);
  EXPECT_DOUBLE_EQ(drawing().symbols.first()->atoms.first()->x, x);
}

TEST_F(SymbolTools, TextEditorButtonsReachTheLabel) {
  add("AddText", QPoint(100, 100));
  tLAtm* label = texteditor().editlabel();
  ASSERT_NE(label, nullptr);
  dialogs_->chosenfont = QFont(QStringLiteral("Some Face"));
  press(texteditor(), "FontButton");
  EXPECT_EQ(drawing().getfontrecord(label->fontindex).facenametext(),
            "Some Face");
  // The editor follows the clone; Delete removes the clone and closes.
  press(texteditor(), "CloneButton");
  tLAtm* copy = texteditor().editlabel();
  EXPECT_NE(copy, label);
  press(texteditor(), "Button4");
  EXPECT_FALSE(drawing().labelatoms.contains(copy));
  EXPECT_FALSE(texteditor().isVisible());
  // A sign label opens no editor.
  add("AddPlus", QPoint(100, 300));
  EXPECT_FALSE(texteditor().isVisible());
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
  window_->undoedit();
  EXPECT_EQ(texteditor().editlabel(), nullptr);
  QTest::keyClicks(&texteditor().edit(), QStringLiteral("abc"));
  press(texteditor(), "CloneButton");
  press(texteditor(), "Button4");
  EXPECT_EQ(drawing().labelatoms.count(), 0);
}

}  // namespace
}  // namespace molvane

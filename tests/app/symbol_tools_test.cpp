// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor_windows.h"
#include "app/palette_pictures.h"
#include "app/symbol_editor.h"
#include "app/symbol_tool.h"
#include "app/text_editor.h"
#include "commands/command_codes.h"
#include "document/symbol.h"
#include "model/atom.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace molvane {
namespace {

class SymbolTools : public MainWindow {
 protected:
  TSymbolTool& tool() { return window_->editors().symboltool(); }
  TSymbolEditor& symboleditor() { return window_->editors().symboleditor(); }
  TTextEditor& texteditor() { return window_->editors().texteditor(); }
  tdrawing& drawing() const { return *session().drawing(); }

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

  QString menuname() const { return window_->menuBar()->objectName(); }
};

TEST_F(SymbolTools, PaletteStoresTheCodeOfEveryImageAndHides) {
  struct timage {
    const char* name;
    int code;
  };
  const timage images[] = {
      {"SingleArrow", 720}, {"eqArrow1", 722}, {"ArcArrow4", 727},
      {"AddTriangle", 729}, {"AddText", 607},  {"DeltaMinus", 615},
  };
  for (const timage& image : images) {
    SCOPED_TRACE(image.name);
    choose({QStringLiteral("&Symbol")});
    EXPECT_TRUE(tool().isVisible());
    EXPECT_EQ(tool().windowTitle(), QStringLiteral("Add Symbol"));
    QToolButton* button = tool().image(QString::fromLatin1(image.name));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->icon().isNull());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(window_->commandcode(), image.code);
    EXPECT_FALSE(tool().isVisible());
  }
  EXPECT_EQ(tool().findChildren<QToolButton*>().size(), 16);
}

TEST_F(SymbolTools, PicturesShowWhatTheCodesDraw) {
  const auto inked = [](const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) {
          ++count;
        }
      }
    }
    return count;
  };
  for (int code : {720, 722, 724, 728, 729, 607, 611, 614}) {
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

TEST_F(SymbolTools, ArrowTurnsClonesAndIsDeleted) {
  add("SingleArrow", QPoint(200, 150));
  ASSERT_EQ(drawing().symbols.count(), 1);
  tSymbol* arrow = drawing().symbols.first();
  const tatm* tip = arrow->atoms.first();
  ASSERT_NEAR(tip->x, 222.5, 1e-9);

  click(QPoint(tip->sx, tip->sy), Qt::RightButton);
  EXPECT_EQ(window_->editormode(), 4);
  EXPECT_TRUE(symboleditor().isVisible());
  EXPECT_EQ(symboleditor().editsymbol(), arrow);
  EXPECT_EQ(arrow->colour, 255U);
  EXPECT_EQ(menuname(), QStringLiteral("SymbolEditorMenu"));

  // The turns and the clone's place are the symbol and editor commands'
  // tests; here the buttons reach them.
  press(symboleditor(), "Button1");
  EXPECT_NEAR(tip->x, 200.0, 1e-9);
  press(symboleditor(), "Button2");
  EXPECT_NEAR(tip->x, 222.5, 1e-9);

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
  EXPECT_EQ(drawing().bonds.count(), 0);
  EXPECT_FALSE(symboleditor().isVisible());
  EXPECT_EQ(window_->editormode(), 0);
  EXPECT_EQ(menuname(), QStringLiteral("MainMenu1"));

  // Undo brings the last symbol back.
  window_->toggleundo();
  EXPECT_EQ(drawing().symbols.count(), 1);
}

TEST_F(SymbolTools, SliderTurnsAndZoomsFromTheReference) {
  add("SingleArrow", QPoint(200, 150));
  tSymbol* arrow = drawing().symbols.first();
  const tatm* tip = arrow->atoms.first();
  symboleditor().openon(arrow);
  QScrollBar& slider = symboleditor().slider();
  EXPECT_EQ(slider.width(), 26);
  EXPECT_EQ(slider.minimum(), -180);
  EXPECT_EQ(slider.maximum(), 180);

  slider.setValue(90);
  EXPECT_NEAR(tip->y, 172.5, 1e-9);
  EXPECT_EQ(slider.value(), 0);
  slider.setValue(-90);
  EXPECT_NEAR(tip->y, 150.0, 1e-9);
  symboleditor().setrotating(false);
  EXPECT_EQ(slider.minimum(), 50);
  EXPECT_EQ(slider.value(), 100);
  slider.setValue(150);
  EXPECT_NEAR(tip->x, 200 + 1.5 * 22.5, 1e-9);
  EXPECT_EQ(slider.value(), 100);

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

TEST_F(SymbolTools, EditorButtonsWithoutASymbolChangeNothing) {
  symboleditor().openon(nullptr);
  EXPECT_FALSE(symboleditor().isVisible());
  press(symboleditor(), "Button5");
  press(symboleditor(), "Button1");
  press(symboleditor(), "CloneButton");
  ASSERT_EQ(messages_.informs.size(), 1U);
  EXPECT_EQ(messages_.informs.front(), "No symbol selected");
  EXPECT_TRUE(drawing().symbols.empty());
}

TEST_F(SymbolTools, SymbolDragsWithThePointer) {
  add("SingleArrow", QPoint(200, 150));
  tSymbol* arrow = drawing().symbols.first();
  const int width = arrow->linewidth;
  click(QPoint(222, 150), Qt::RightButton);
  ASSERT_EQ(symboleditor().editsymbol(), arrow);
  QTest::mousePress(&window_->view(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(200, 150));
  QTest::mouseMove(&window_->view(), QPoint(210, 170));
  QTest::mouseRelease(&window_->view(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(210, 170));
  EXPECT_NEAR(arrow->centre().x, 210.0, 1e-9);
  EXPECT_NEAR(arrow->centre().y, 170.0, 1e-9);
  EXPECT_EQ(arrow->linewidth, width);
  EXPECT_DOUBLE_EQ(arrow->atoms.first()->x0, arrow->atoms.first()->x);
}

TEST_F(SymbolTools, TextLabelFollowsEveryKey) {
  add("AddText", QPoint(100, 100));
  ASSERT_EQ(drawing().labelatoms.count(), 1);
  const tatm* label = drawing().labelatoms.first();
  EXPECT_EQ(window_->editormode(), 5);
  EXPECT_TRUE(texteditor().isVisible());
  EXPECT_EQ(texteditor().windowTitle(), QStringLiteral("Text Editor"));
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

TEST_F(SymbolTools, FormulaAndTemperatureLabelsOpenTheEditor) {
  add("AddFormula", QPoint(100, 100));
  EXPECT_EQ(texteditor().windowTitle(), QStringLiteral("Formula Formula"));
  texteditor().done();
  add("AddTempK", QPoint(100, 200));
  EXPECT_EQ(texteditor().edit().text(), QStringLiteral("298 K"));
  texteditor().done();
  add("AddPlus", QPoint(100, 300));
  EXPECT_FALSE(texteditor().isVisible());
  EXPECT_EQ(drawing().labelatoms.count(), 3);
}

TEST_F(SymbolTools, LabelClonesTwiceAndDeletes) {
  buildring();
  add("AddText", QPoint(60, 60));
  tLAtm* label = texteditor().editlabel();
  ASSERT_NE(label, nullptr);
  press(texteditor(), "CloneButton");
  tLAtm* first = texteditor().editlabel();
  press(texteditor(), "CloneButton");
  tLAtm* second = texteditor().editlabel();
  ASSERT_EQ(drawing().labelatoms.count(), 3);
  EXPECT_NE(first, label);
  EXPECT_NE(second, first);

  press(texteditor(), "Button4");
  EXPECT_EQ(drawing().labelatoms.count(), 2);
  EXPECT_FALSE(drawing().labelatoms.contains(second));
  EXPECT_FALSE(texteditor().isVisible());
  EXPECT_EQ(window_->editormode(), 0);
}

TEST_F(SymbolTools, TextEditorLetsGoOfALabelThatUndoRemoved) {
  add("AddText", QPoint(100, 100));
  ASSERT_NE(texteditor().editlabel(), nullptr);
  window_->toggleundo();
  EXPECT_EQ(texteditor().editlabel(), nullptr);
  QTest::keyClicks(&texteditor().edit(), QStringLiteral("abc"));
  press(texteditor(), "CloneButton");
  press(texteditor(), "Button4");
  EXPECT_EQ(drawing().labelatoms.count(), 0);
}

TEST_F(SymbolTools, TextFontComesFromTheFontDialog) {
  add("AddText", QPoint(100, 100));
  QFont chosen(QStringLiteral("Some Face"));
  chosen.setPixelSize(21);
  dialogs_->chosenfont = chosen;
  press(texteditor(), "FontButton");
  const tLAtm* label = texteditor().editlabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(drawing().getfontrecord(label->fontindex).height, -21);
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/metric_tool.h"
#include "app/molecular_data.h"
#include "model/bond.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <memory>
#include <string>

namespace molvane {
namespace {

class MeasurementWindows : public MainWindow {
 protected:
  /// H-O-H with its oxygen at (200, 200), bonds 30 units long.
  void drawwater() {
    session().takeundosnapshot();
    tatm* o = drawing().addatom(std::make_unique<tatm>(8, 0, 200, 200));
    for (double side : {-1.0, 1.0}) {
      tatm* h =
          drawing().addatom(std::make_unique<tatm>(1, 0, 200 + side * 24, 218));
      drawing().addbond(
          std::make_unique<tbond>(o, 0, tbondstyle::normal, 2, h));
    }
    window_->markmodified();
    window_->repaintdrawing();
  }
};

TEST_F(MeasurementWindows, MolecularDataShowsTheDrawingAndItsArrowUntilClosed) {
  drawwater();
  choose({"&File", "Molecular &Data ..."});
  TMolecularData& window = window_->moleculardata();
  ASSERT_TRUE(window.isVisible());
  EXPECT_EQ(window.formulalabel().text(), QStringLiteral("H2 O "));
  EXPECT_EQ(window.weightlabel().text(), QStringLiteral("    18.015"));
  EXPECT_EQ(window.chargelabel().text(), QStringLiteral("0"));
  EXPECT_EQ(window.inchikeylabel().text(),
            QStringLiteral("XLYOFNOQVPJJNP-UHFFFAOYSA-N"));
  EXPECT_NE(window.dipolelabel().text(), QStringLiteral("  0.00"));
  EXPECT_FALSE(window.energylabel().text().isEmpty());
  EXPECT_FALSE(drawing().showdipole);

  window.dipolebox().click();
  EXPECT_TRUE(drawing().showdipole);
  // Along the C2 axis, which is y here.
  EXPECT_NEAR(drawing().dipolevector.x, 0.0, 1e-9);
  EXPECT_NE(drawing().dipolevector.y, 0.0);

  // After Undo the box acts on the drawing now current, worked out anew.
  window_->undoedit();
  window.dipolebox().click();
  window.dipolebox().click();
  EXPECT_TRUE(drawing().showdipole);
  EXPECT_EQ(window.formulalabel().text(), QStringLiteral(""));

  window.okbutton().click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(drawing().showdipole);
}

// Issue #30: an atom over its valence was accepted silently.
TEST_F(MeasurementWindows, MolecularDataNamesAtomsOverTheirValence) {
  drawwater();
  choose({"&File", "Molecular &Data ..."});
  TMolecularData& window = window_->moleculardata();
  EXPECT_TRUE(window.valencelabel().isHidden());
  window.okbutton().click();
  tatm* oxygen = drawing().atoms.items(0);
  drawing().addbond(std::make_unique<tbond>(
      oxygen, 0, tbondstyle::normal, 4,
      drawing().addatom(std::make_unique<tatm>(6, 0, 200, 170))));
  choose({"&File", "Molecular &Data ..."});
  EXPECT_FALSE(window.valencelabel().isHidden());
  EXPECT_EQ(window.valencelabel().text(),
            QStringLiteral("Valence: O1 has 4 bonds"));
  EXPECT_EQ(drawing().bonds.count(), 3);
}

TEST_F(MeasurementWindows, MetricToolMeasuresClicksInItsModeAndOkLeavesIt) {
  drawwater();
  choose({"&File", "&Measurements ..."});
  TMetricTool& tool = window_->metrictool();
  ASSERT_TRUE(tool.isVisible());
  EXPECT_EQ(window_->editormode(), teditormode::measure);
  EXPECT_FALSE(tool.modegroup().button(1)->isEnabled());
  // Water has bonds and one angle but no torsion.
  EXPECT_TRUE(tool.kindgroup().button(0)->isEnabled());
  EXPECT_TRUE(tool.kindgroup().button(1)->isEnabled());
  EXPECT_FALSE(tool.kindgroup().button(2)->isEnabled());

  click(QPoint(212, 209));
  ASSERT_TRUE(tool.shown().has_value());
  EXPECT_EQ(tool.shown()->text, "1.530\u00C5");
  EXPECT_EQ(atomcount(), 3);
  // An angle carries one degree sign.
  tool.kindgroup().button(1)->click();
  click(QPoint(212, 209));
  ASSERT_TRUE(tool.shown().has_value());
  EXPECT_TRUE(tool.shown()->text.ends_with("\u00B0")) << tool.shown()->text;
  EXPECT_FALSE(tool.shown()->text.ends_with("\u00B0\u00B0"));
  tool.kindgroup().button(0)->click();

  // Undo brings back the empty drawing: the marks of the old one are not
  // painted and a click finds no atom of it.
  window_->undoedit();
  window_->repaintdrawing();
  tool.kindgroup().button(3)->click();
  click(QPoint(200, 200));
  EXPECT_FALSE(tool.shown().has_value());

  tool.okbutton().click();
  EXPECT_FALSE(tool.isVisible());
  EXPECT_EQ(window_->editormode(), teditormode::drawing);
  EXPECT_FALSE(window_->overlaypainter());

  // A command chosen while measuring closes the tool and runs on the next
  // click.
  choose({"&File", "&Measurements ..."});
  buildring();
  EXPECT_FALSE(tool.isVisible());
  EXPECT_EQ(atomcount(), 6);
}

// Issue 30: torsions showed two degree signs.
TEST_F(MeasurementWindows, MetricToolWritesOneDegreeSignOnATorsion) {
  buildring();
  choose({"&File", "&Measurements ..."});
  TMetricTool& tool = window_->metrictool();
  tool.kindgroup().button(2)->click();
  click(QPoint(200, 200));
  ASSERT_TRUE(tool.shown().has_value());
  const std::string& text = tool.shown()->text;
  EXPECT_TRUE(text.ends_with("\u00B0") && !text.ends_with("\u00B0\u00B0"))
      << text;
}

}  // namespace
}  // namespace molvane

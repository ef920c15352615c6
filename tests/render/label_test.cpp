// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/label.h"

#include "render/atom_painter.h"
#include "testing/recording_canvas.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::trecordingcanvas;

// With the standard font the recording canvas makes capitals 8 pixels wide,
// other characters 6, and text 14 high: a normal character's top is 7 above
// the atom point, a superscript's 14 and a subscript's 2.

std::string text(int x, int y, const std::string& character,
                 const std::string& align = "left",
                 const std::string& colour = "000000") {
  return "text " + std::to_string(x) + "," + std::to_string(y) + " \"" +
         character + "\" " + align + "/top font=-11/400 colour=" + colour +
         " opaque";
}

class Label : public testing::tdrawingtest {
 protected:
  std::vector<std::string> drawlabel(const std::string& label, int direction,
                                     int align) {
    canvas.clear();
    tLabel(canvas, direction, align, 0, label).draw(100, 100);
    return canvas.calls;
  }

  std::vector<std::string> drawn(const tatm& a) {
    canvas.clear();
    drawatom(a, canvas, drawing());
    return canvas.calls;
  }

  trecordingcanvas canvas;
};

TEST_F(Label, WritesAHydroxylLeftwardsOrWithItsHydrogenOverTheAtom) {
  tatm* oxygen = atom(8, 100, 100, 0, hydrogenlabel);
  bond(oxygen, atom(6, 130, 100));
  oxygen->direction = -1;
  // Layout 1: "OH" from right to left, O centred: the screen reads "HO".
  EXPECT_EQ(drawn(*oxygen),
            (std::vector<std::string>{text(104, 93, "O", "right"),
                                      text(96, 93, "H", "right")}));
  // Layout 3: the text reversed, H centred: the screen reads "OH".
  oxygen->align = 2;
  EXPECT_EQ(drawn(*oxygen),
            (std::vector<std::string>{text(104, 93, "H", "right"),
                                      text(96, 93, "O", "right")}));
  // Layout 2: reversed, left to right: "HO" with H over the atom.
  oxygen->direction = 1;
  EXPECT_EQ(drawn(*oxygen),
            (std::vector<std::string>{text(96, 93, "H"), text(104, 93, "O")}));
  // A CH3 label lowers its count.
  tatm* carbon = atom(6, 100, 100, 0, hydrogenlabel);
  bond(carbon, atom(6, 130, 100));
  EXPECT_EQ(drawn(*carbon),
            (std::vector<std::string>{text(96, 93, "C"), text(104, 93, "H"),
                                      text(112, 98, "3")}));
}

TEST_F(Label, RaisesChargesAndShowsMinusOneAsASignAlone) {
  // A skeleton carbon, bonded, shows only its charge.
  tatm* carbon = atom(6, 100, 100);
  bond(carbon, atom(6, 130, 100));
  carbon->setcharge(-1);
  ASSERT_EQ(carbon->chargetext(), "-1");
  EXPECT_EQ(drawn(*carbon), (std::vector<std::string>{text(97, 86, "-")}));
  // The reversed layouts raise it too.
  carbon->align = 2;
  carbon->direction = -1;
  EXPECT_EQ(drawn(*carbon),
            (std::vector<std::string>{text(97, 86, "-", "right")}));
  // A charge of two keeps its digit, raised with the sign.
  EXPECT_EQ(drawlabel("O-2", 1, 0),
            (std::vector<std::string>{text(96, 93, "O"), text(104, 86, "-"),
                                      text(110, 86, "2")}));
  // Reversed: "2-O" reads the same on the screen with the sign raised.
  EXPECT_EQ(drawlabel("O-2", 1, 2),
            (std::vector<std::string>{text(97, 86, "2"), text(103, 86, "-"),
                                      text(109, 93, "O")}));
}

TEST_F(Label, ClassesDigitsByTheirNeighbourInEveryLayout) {
  struct trow {
    std::string label;
    std::vector<std::string> tops;  // one per character in drawing order
    int align;
  };
  // Tops: 93 normal, 86 raised, 98 lowered, "-" skipped.
  const std::vector<trow> table = {
      {"C 12", {"93", "93", "93", "93"}, 0},
      {"CH12", {"93", "93", "98", "93"}, 0},
      {"2C", {"93", "93"}, 0},
      {"N+1", {"93", "86", "-"}, 0},
      {"NH4+", {"93", "93", "98", "93"}, 0},
      {"N+0", {"93", "93", "86"}, 0},
      // Reversed layouts mirror the rules: "C 12" is held as "21 C".
      {"C 12", {"93", "93", "93", "93"}, 2},
      {"CH3", {"98", "93", "93"}, 2},
      {"N+1", {"-", "86", "93"}, 2},
      {"CH12", {"93", "98", "93", "93"}, 2},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.label + " align " + std::to_string(row.align));
    canvas.clear();
    tLabel label(canvas, 1, row.align, 0, row.label);
    const std::vector<tlabelcharacter> placed = label.place(100, 100);
    ASSERT_EQ(placed.size(), row.tops.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
      const std::string top = placed[i].placement == tcharacterclass::skipped
                                  ? "-"
                                  : std::to_string(placed[i].top);
      EXPECT_EQ(top, row.tops[i]) << "character " << i + 1;
    }
  }
}

TEST_F(Label, RestoresTheCanvasTextAlignmentAndColour) {
  canvas.settextalign(thorizontalalign::centre, tverticalalign::baseline);
  canvas.setfontcolour(0x010203);
  tLabel(canvas, -1, 0, 0xFF, "OH").draw(0, 0);
  EXPECT_EQ(canvas.textformat().horizontal, thorizontalalign::centre);
  EXPECT_EQ(canvas.textformat().vertical, tverticalalign::baseline);
  EXPECT_EQ(canvas.fontcolour(), 0x010203U);
  EXPECT_NE(canvas.calls.at(0).find("colour=0000FF"), std::string::npos);
}

TEST_F(Label, KeepsSixtyFourCharactersAndWholeUtf8Characters) {
  tLabel longlabel(canvas, 1, 0, 0, std::string(70, 'x'));
  EXPECT_EQ(longlabel.text.size(), 64U);
  // "Å" is two bytes and one character, placed and reversed whole.
  tLabel accented(canvas, 1, 2, 0, "\u00C5H");
  const std::vector<tlabelcharacter> placed = accented.place(0, 0);
  ASSERT_EQ(placed.size(), 2U);
  EXPECT_EQ(placed[0].text, "H");
  EXPECT_EQ(placed[1].text, "\u00C5");
  accented.reversetext();
  EXPECT_EQ(accented.text, "H\u00C5");
  EXPECT_TRUE(drawlabel("", 1, 0).empty());
}

TEST_F(Label, BuildsHydrogenLabelsWithTheirCounts) {
  struct trow {
    int element;
    std::string label;
    std::string digits;
  };
  const std::vector<trow> table = {
      {6, "CH4", "4"},   {8, "H2O", "2"}, {17, "HCl", ""},
      {34, "SeH2", "2"}, {26, "Fe", ""},  {1, "H2", ""},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.label);
    tatm* bare = atom(row.element, 0, 0, 0, hydrogenlabel);
    EXPECT_EQ(hydrogenlabeltext(*bare), row.label);
    EXPECT_EQ(hydrogendigits(*bare), row.digits);
  }
  // Hydrogen with an extra valence counts the whole H3 group.
  tatm* hydrogen = atom(1, 0, 0, 0, hydrogenlabel);
  hydrogen->sethadjust(1);
  EXPECT_EQ(hydrogendigits(*hydrogen), "3");
}

TEST_F(Label, AddsNumbersInTheAtomsColourWhenTheDrawingShowsThem) {
  tatm* carbon = atom(6, 100, 100, 0, symbollabel);
  carbon->number = 1234;
  carbon->colour = 0x00FF00;
  for (const bool shown : {true, false}) {
    drawing().shownumbers = shown ? 1 : 0;
    EXPECT_EQ(completelabeltext(*carbon, "C", drawing()), shown ? "C 12" : "C");
    canvas.clear();
    drawlabeltext(*carbon, canvas, "C", 0xFF0000, drawing());
    EXPECT_NE(canvas.calls.at(0).find(shown ? "00FF00" : "FF0000"),
              std::string::npos);
  }
}

TEST_F(Label, DrawsEachKindOfAtomByItsMode) {
  // Plain text labels are written whole, half their height above the point.
  tatm* text5 = drawing().addatom(std::make_unique<tLAtm>("Heat", 50, 60));
  EXPECT_EQ(drawn(*text5), (std::vector<std::string>{text(50, 53, "Heat")}));
  text5->align = 2;
  EXPECT_EQ(drawn(*text5),
            (std::vector<std::string>{text(50, 53, "Heat", "right")}));
  // Other label atoms use the label layout.
  text5->labelmode = symbollabel;
  text5->align = 0;
  EXPECT_EQ(drawn(*text5).size(), 4U);

  // A skeleton carbon, bonded, draws nothing in these modes either.
  tatm* carbon = atom(6, 0, 0);
  bond(carbon, atom(6, 30, 0));
  for (int mode : {3, 19, 255}) {
    SCOPED_TRACE(mode);
    carbon->labelmode = static_cast<std::uint8_t>(mode);
    EXPECT_TRUE(drawn(*carbon).empty());
  }
  carbon->labelmode = symbollabel;
  EXPECT_EQ(drawn(*carbon), (std::vector<std::string>{text(-4, -7, "C")}));

  auto point = std::make_unique<tSXY>(5, 5);
  EXPECT_TRUE(drawn(*point).empty());
}

// Issue 30: a pasted "C" was drawn as nothing. An atom without bonds
// shows its hydrogens, as a chemist writes it; bonded, it is a skeleton
// atom again.
TEST_F(Label, ALoneAtomShowsItsHydrogens) {
  tatm* carbon = atom(6, 0, 0);
  const auto drawntext = [this](const tatm& a) {
    std::string all;
    for (const std::string& call : drawn(a)) {
      all += call.substr(call.find('"') + 1, 1);
    }
    return all;
  };
  EXPECT_EQ(drawntext(*carbon), "CH4");
  tatm* oxygen = atom(8, 100, 0);
  EXPECT_EQ(drawntext(*oxygen), "H2O");
  bond(carbon, atom(6, 30, 0));
  EXPECT_TRUE(drawn(*carbon).empty());
}

TEST_F(Label, PaintsAtomsLastToFirst) {
  atom(6, 0, 0, 0, symbollabel);
  atom(7, 50, 0, 0, symbollabel);
  drawing().addatom(std::make_unique<tLAtm>("x", 80, 0));
  drawatoms(drawing().atoms, canvas, drawing());
  ASSERT_EQ(canvas.calls.size(), 3U);
  EXPECT_NE(canvas.calls[0].find("\"x\""), std::string::npos);
  EXPECT_NE(canvas.calls[2].find("\"C\""), std::string::npos);
  canvas.clear();
  drawlabelatoms(drawing().atoms, canvas, drawing());
  EXPECT_EQ(canvas.calls.size(), 1U);
}

TEST_F(Label, SelectsTheAtomsFontWithOnlyItsStyleFields) {
  fontrecord big = fontrecord::standard();
  big.height = -22;
  big.weight = 700;
  big.italic = 1;
  big.width = 9;
  tatm* carbon = atom(6, 100, 100, 0, symbollabel);
  carbon->setfont(big);
  // Twice the height: the capital is 16 wide, the text 25 high.
  EXPECT_EQ(drawn(*carbon),
            (std::vector<std::string>{
                "text 92,88 \"C\" left/top font=-22/700 colour=000000 "
                "opaque"}));
  EXPECT_EQ(canvas.font().italic, 1);
  EXPECT_EQ(canvas.font().width, 0);
  big.weight = 600;
  carbon->setfont(big);
  drawatom(*carbon, canvas, drawing());
  EXPECT_EQ(canvas.font().weight, 400);
}

}  // namespace
}  // namespace molvane

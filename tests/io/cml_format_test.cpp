// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/cml_format.h"

#include "model/formula.h"
#include "model/vector3.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace molvane {
namespace {

using CmlFormatTest = testing::tdrawingtest;
using testing::bytesof;

treadresult readtext(std::string_view text) { return readcml(bytesof(text)); }

TEST_F(CmlFormatTest, WritesTheCompanionLineByLine) {
  drawing().filename = "/data/Test.MLV";
  tatm* c = atom(6, 100, 50);
  tatm* o = atom(8, 130, 50);
  o->setcharge(-1);
  bond(c, o)->setdelocalised(true);
  EXPECT_EQ(testing::textof(writecml(drawing())),
            "<?xml version=\"1.0\"?>\n"
            "<cml title=\"Test\">\n"
            "\t<molecule title=\"Test\" id=\"MOLVANE3D_MOLECULE\" "
            "yaxis=\"up\">\n"
            "\t\t<formula>C H4 O </formula>\n"
            "\t\t\t<atomArray>\n"
            "\t\t\t\t<atom id=\"a_0\">\n"
            "\t\t\t\t\t<float builtin=\"x3\" units=\"A\">    0.00000</float>\n"
            "\t\t\t\t\t<float builtin=\"y3\" units=\"A\">    0.00000</float>\n"
            "\t\t\t\t\t<float builtin=\"z3\" units=\"A\">    0.00000</float>\n"
            "\t\t\t\t\t<string builtin=\"elementType\">C</string>\n"
            "\t\t\t\t</atom>\n"
            "\t\t\t\t<atom id=\"a_1\">\n"
            "\t\t\t\t\t<float builtin=\"x3\" units=\"A\">    1.54000</float>\n"
            "\t\t\t\t\t<float builtin=\"y3\" units=\"A\">    0.00000</float>\n"
            "\t\t\t\t\t<float builtin=\"z3\" units=\"A\">    0.00000</float>\n"
            "\t\t\t\t\t<string builtin=\"elementType\">O</string>\n"
            "\t\t\t\t\t<integer builtin=\"formalCharge\">-1</integer>\n"
            "\t\t\t\t</atom>\n"
            "\t\t\t</atomArray>\n"
            "\t\t\t<bondArray>\n"
            "\t\t\t\t<bond id=\"b_0\">\n"
            "\t\t\t\t\t<string builtin=\"atomRef\">a_0</string>\n"
            "\t\t\t\t\t<string builtin=\"atomRef\">a_1</string>\n"
            "\t\t\t\t\t<string builtin=\"order\">A</string>\n"
            "\t\t\t\t</bond>\n"
            "\t    </bondArray>\n"
            "\t</molecule>\n"
            "</cml>\n");
}

TEST_F(CmlFormatTest, CompanionReadsBackWithItsNameAndOrders) {
  // Charges and the chemistry come back as the exchange round trips check.
  drawing().filename = "/data/R&D \"draft\".mlv";
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 0);
  tatm* n = atom(7, 60, 10);
  drawing().addatom(std::make_unique<tLAtm>("label", 0, 90));
  bond(a, b, 6);
  bond(b, n, 3)->setdelocalised(true);

  treadresult back = readcml(writecml(drawing()));
  const tdrawing& read = testing::drawingof(back);
  EXPECT_EQ(read.title(), "R&D \"draft\"");
  EXPECT_EQ(read.bonds.items(0)->order, 6);
  EXPECT_EQ(read.bonds.items(1)->order, 103);
  // Read at the factor it was written with: lengths and the direction of
  // y come back as they were.
  EXPECT_NEAR(read.atoms.items(2)->y - read.atoms.items(0)->y, 10.0, 1e-4);
}

/// Six times the signed volume of the tetrahedron of the first four atoms:
/// its sign tells a stereocentre from its mirror image.
double handedness(const tdrawing& drawing) {
  const TXYZ centre = detail::pointof(*drawing.atoms.items(0));
  auto from = [&](int i) {
    return detail::minus(detail::pointof(*drawing.atoms.items(i)), centre);
  };
  return detail::dot(from(1), detail::cross(from(2), from(3)));
}

// The CML written kept the drawing's downward y, so that other
// programs read every stereocentre inverted.
TEST_F(CmlFormatTest, WrittenFilesHoldTheMoleculeNotItsMirrorImage) {
  // CHFClBr: chlorine 30 units below the carbon on the screen.
  tatm* c = atom(6, 100, 100);
  for (tatm* ligand : {atom(9, 130, 100), atom(17, 90, 130),
                       atom(35, 90, 85, 25), atom(1, 90, 85, -25)}) {
    bond(c, ligand);
  }
  const std::vector<std::uint8_t> bytes = writecml(drawing());
  // Other programs take y upwards: 30 units down is -1.54 Å.
  EXPECT_NE(
      testing::textof(bytes).find(
          "<atom id=\"a_2\">\n"
          "\t\t\t\t\t<float builtin=\"x3\" units=\"A\">   -0.51333</float>\n"
          "\t\t\t\t\t<float builtin=\"y3\" units=\"A\">   -1.54000</float>"),
      std::string::npos);
  treadresult back = readcml(bytes);
  EXPECT_GT(handedness(testing::drawingof(back)) * handedness(drawing()), 0.0);
}

TEST_F(CmlFormatTest, CompanionsWrittenBeforeKeepTheirDownwardY) {
  // Only files that say their y grows upwards are read that way; the
  // companions written before them held the drawing's y.
  for (const bool upwards : {false, true}) {
    SCOPED_TRACE(upwards);
    const std::string text =
        std::string("<cml><molecule id=\"MOLVANE3D_MOLECULE\"") +
        (upwards ? " yaxis=\"up\"" : "") +
        "><atomArray>"
        "<atom id=\"a_0\" x3=\"0\" y3=\"0\" z3=\"0\"/>"
        "<atom id=\"a_1\" x3=\"0\" y3=\"1.54\" z3=\"0\"/>"
        "</atomArray></molecule></cml>";
    treadresult result = readtext(text);
    const tdrawing& read = testing::drawingof(result);
    EXPECT_NEAR(read.atoms.items(1)->y - read.atoms.items(0)->y,
                upwards ? -30.0 : 30.0, 1e-9);
  }
}

TEST_F(CmlFormatTest, OlderCompanionFilesAreReadLineByLine) {
  // Earlier versions wrote a quote after each reference and did not escape
  // the name, which makes the file unreadable as XML.
  treadresult result = readcml(testing::corpusfile("cml", "old_companion.cml"));
  const tdrawing& read = testing::drawingof(result);
  // a_1, a text label in its time, was never closed and is not an atom.
  ASSERT_EQ(read.atoms.count(), 2);
  EXPECT_EQ(read.atoms.items(0)->element, 7);
  // Without elementType an atom is carbon, without floats at the origin.
  EXPECT_EQ(read.atoms.items(1)->element, 6);
  EXPECT_NEAR(read.atoms.items(1)->x - read.atoms.items(0)->x, 30.0, 1e-9);
  ASSERT_EQ(read.bonds.count(), 1);
  EXPECT_EQ(read.bonds.items(0)->kind(), 4);
}

TEST_F(CmlFormatTest, ForeignFormsAllGiveTheSameMolecule) {
  // Acetate, four ways; namespaces, prefixes, comments and attribute order
  // must not matter.
  for (const char* name :
       {"acetate_attributes.cml", "acetate_elements.cml",
        "acetate_array_attributes.cml", "acetate_array_elements.cml"}) {
    SCOPED_TRACE(name);
    treadresult result = readcml(testing::corpusfile("cml", name));
    EXPECT_EQ(testing::drawingof(result).bonds.items(1)->kind(), 4);
    EXPECT_EQ(testing::outcome(result), "C2H3O2");
  }
}

TEST_F(CmlFormatTest, OrdersStereoAndAtomProperties) {
  treadresult result = readtext(R"(<molecule><atomArray>
 <atom id="a1" elementType="C" x2="0" y2="0" hydrogenCount="1"/>
 <atom id="a2" elementType="C" x2="1.5" y2="0" isotopeNumber="13"/>
 <atom id="a3" elementType="C" x2="3" y2="0" hydrogenCount="0"/>
 <atom id="a4" elementType="N" x2="4.5" y2="0" isotopeNumber="0"/>
 <atom id="a5" elementType="Cl" x2="0" y2="1.5"/>
 <atom id="a6" elementType="Br" x2="0" y2="-1.5"/>
</atomArray><bondArray>
 <bond atomRefs2="a1 a2" order="A"/>
 <bond atomRefs2="a2 a3" order="D"><bondType dictRef="cdk:aromaticBond"/></bond>
 <bond atomRefs2="a3 a4" order="T"/>
 <bond atomRefs2="a1 a5" order="1"><bondStereo>W</bondStereo></bond>
 <bond atomRefs2="a1 a6" order="1"><bondStereo dictRef="cml:H"/></bond>
</bondArray></molecule>)");
  const tdrawing& read = testing::drawingof(result);
  EXPECT_EQ(read.bonds.items(0)->order, 103);
  EXPECT_EQ(read.bonds.items(1)->order, 104);
  EXPECT_EQ(read.bonds.items(2)->kind(), 6);
  EXPECT_EQ(read.bonds.items(3)->style, tbondstyle::wedge);
  EXPECT_EQ(read.bonds.items(4)->style, tbondstyle::hashed);
  EXPECT_EQ(read.atoms.items(0)->implicithydrogens(), 1);
  EXPECT_EQ(read.atoms.items(2)->implicithydrogens(), 0);
  EXPECT_FLOAT_EQ(read.atoms.items(1)->mass, 13.0F);
  // isotopeNumber="0" is the natural mixture.
  EXPECT_NEAR(read.atoms.items(3)->mass, 14.007F, 0.001F);
}

TEST_F(CmlFormatTest, EveryMoleculeOfAFileIsARecord) {
  std::vector<treadresult> records = readcmlrecords(bytesof(
      R"(<reactionList><reaction>
<reactant><molecule id="r"><atom id="a1" elementType="O"/></molecule></reactant>
<product><molecule id="p"><atom id="a1" elementType="N"/>
<atom id="a2" elementType="Zz"/></molecule></product>
<product><molecule id="q"><atom id="a1" elementType="S"/></molecule></product>
</reaction></reactionList>)"));
  ASSERT_EQ(records.size(), 3U);
  EXPECT_EQ(records[1].error, "line 4: unknown element symbol \"Zz\"");
  EXPECT_EQ(testing::outcome(records[2]), "H2S");
}

TEST_F(CmlFormatTest, BondsOfExplicitHydrogensComeFromTheirDistances) {
  treadresult result = readtext(R"(<molecule><atomArray>
<atom id="a1" elementType="O" x3="0" y3="0" z3="0"/>
<atom id="a2" elementType="H" x3="0.96" y3="0" z3="0"/>
<atom id="a3" elementType="H" x3="-0.24" y3="0.93" z3="0"/>
<atom id="a4" elementType="Na" x3="5" y3="5" z3="5"/>
</atomArray></molecule>)");
  EXPECT_EQ(testing::drawingof(result).bonds.count(), 2);
  EXPECT_EQ(testing::outcome(result), "H2NaO");
}

}  // namespace
}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/cml_format.h"
#include "io/exchange_files.h"
#include "io/mdl_format.h"
#include "io/xyz_format.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace molvane {
namespace {

using ExchangeMutationTest = testing::tdrawingtest;
using testing::bytesof;

/// Small valid files of every layout the readers know.
const std::vector<std::string>& seeds() {
  static const std::vector<std::string> files = {
      "acetate\n  test\n\n"
      "  4  3  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    1.5000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    2.2500    1.3000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    2.2500   -1.3000    0.0000 O   0  5  0  0  0  0  0  0  0  0  0  0\n"
      "  1  2  1  1\n  2  3  2  0\n  2  4  4  0\n"
      "M  CHG  1   4  -1\nM  ISO  1   1  13\nM  RAD  1   2   2\n"
      "A    1\nOMe\nM  END\n> <ID>\n7\n\n$$$$\n"
      "second\n\n\n  1  0  0  0  0  0            999 V2000\n"
      "    0.0000    0.0000    0.0000 Na  0  3\nM  END\n$$$$\n",
      "\n\n\n  0  0  0     0  0            999 V3000\n"
      "M  V30 BEGIN CTAB\nM  V30 COUNTS 3 2 0 0 0\nM  V30 BEGIN ATOM\n"
      "M  V30 1 C 0 0 0 0\nM  V30 2 O 1.5 0 0 0 -\nM  V30 CHG=-1 MASS=17\n"
      "M  V30 5 R 3 0 0 0 VAL=-1\nM  V30 END ATOM\nM  V30 BEGIN BOND\n"
      "M  V30 1 1 1 2\nM  V30 2 4 1 5 CFG=3\nM  V30 END BOND\n"
      "M  V30 BEGIN COLLECTION\nM  V30 MDLV30/HILITE ATOMS=(1 2)\n"
      "M  V30 END COLLECTION\nM  V30 END CTAB\nM  END\n",
      "T.MDL\n\n\n3 2 0 0 0\n"
      " 0.00000  0.00000  0.00000  C 0  0  0  1 0\n"
      " 1.54000  0.00000  0.00000  N 0  1  0  2 0\n"
      " 3.08000  0.00000  0.00000  O 0 -1  0  1 0\n"
      "1 2  1 4 0 0\n2 3  2 5 1 0\n",
      "<?xml version=\"1.0\"?>\n<cml:molecule xmlns:cml=\"urn:x\" id=\"m\">"
      "<!-- x --><cml:atomArray>\n"
      "<cml:atom id=\"a1\" elementType=\"C\" x2=\"0\" y2=\"0\" "
      "hydrogenCount=\"2\"/>\n"
      "<cml:atom id=\"a2\" elementType=\"O\" x3=\"1.5\" y3=\"0\" z3=\"0.1\" "
      "formalCharge=\"-1\" isotopeNumber=\"18\"/>\n"
      "</cml:atomArray><cml:bondArray>\n"
      "<cml:bond atomRefs2=\"a1 a2\" order=\"A\"><bondStereo>W</bondStereo>"
      "</cml:bond>\n</cml:bondArray>"
      "<formula concise=\"C 1 O 1\"/></cml:molecule>\n",
      "<molecule><atomArray>\n"
      "<stringArray builtin=\"atomId\">a1 a2 a3</stringArray>\n"
      "<stringArray builtin=\"elementType\">C O H</stringArray>\n"
      "<floatArray builtin=\"x3\">0 1.4 1.8</floatArray>\n"
      "<floatArray builtin=\"y3\">0 0 0.9</floatArray>\n"
      "<floatArray builtin=\"z3\">0 0 0</floatArray>\n"
      "</atomArray><bondArray atomRefs1=\"a1\" atomRefs2=\"a2\" order=\"2\"/>"
      "</molecule>\n",
      "<?xml version=\"1.0\"?>\n<cml title=\"T\">\n"
      "\t<molecule title=\"T\" id=\"MOLVANE3D_MOLECULE\">\n"
      "\t\t\t<atomArray>\n\t\t\t\t<atom id=\"a_0\">\n"
      "\t\t\t\t\t<float builtin=\"x3\" units=\"A\">    0.00000</float>\n"
      "\t\t\t\t\t<string builtin=\"elementType\">N</string>\n"
      "\t\t\t\t</atom>\n\t\t\t\t<atom id=\"a_1\">\n"
      "\t\t\t\t\t<float builtin=\"x3\" units=\"A\">    1.54000</float>\n"
      "\t\t\t\t\t<integer builtin=\"formalCharge\">1</integer>\n"
      "\t\t\t\t</atom>\n\t\t\t</atomArray>\n\t\t\t<bondArray>\n"
      "\t\t\t\t<bond id=\"b_0\">\n"
      "\t\t\t\t\t<string builtin=\"atomRef\">a_0</string>\n"
      "\t\t\t\t\t<string builtin=\"atomRef\">a_1</string>\n"
      "\t\t\t\t\t<string builtin=\"order\">1.5</string>\n"
      "\t\t\t\t</bond>\n\t    </bondArray>\n\t</molecule>\n</cml>\n",
      "4\nammonia\nN 0 0 0.1\nH 0.94 0 -0.2\n# comment\n"
      "1 -0.47 0.81 -0.2\nH -0.47 -0.81 -0.2\n",
      "3 2\n 0.780300  0.000000  0.000000\n"
      "  6  0  0.000000  0.000000  0.000000\n"
      "  8 -1  1.530000  0.000000  0.000000\n"
      " -1  0  0.000000  1.530000  0.000000\n"
      "0 1 3 1\n0 2 2 0\nC\nO\nR1\n",
  };
  return files;
}

int chemicalcount(const tdrawing& drawing) {
  int count = 0;
  for (const tatm* atom : drawing.atoms) {
    count += atom->ischemical() ? 1 : 0;
  }
  return count;
}

/// What any reader must give for any input: a drawing or an error, never
/// both; a drawing whose bonds and structures only refer to its own atoms;
/// and a drawing every writer can write so that its reader takes it back.
void expectsound(const treadresult& result, std::size_t inputsize) {
  ASSERT_EQ(result.drawing == nullptr, !result.error.empty()) << result.error;
  if (result.drawing == nullptr) {
    return;
  }
  tdrawing& drawing = *result.drawing;
  // Aliases expand into a few atoms each; nothing else adds atoms.
  EXPECT_LE(static_cast<std::size_t>(drawing.atoms.count()), inputsize);
  for (const tbond* bond : drawing.bonds) {
    ASSERT_GE(drawing.positionof(bond->atom1), 0);
    ASSERT_GE(drawing.positionof(bond->atom2), 0);
  }
  for (const tStructure* structure : drawing.structures) {
    for (const tatm* atom : structure->atoms) {
      ASSERT_GE(drawing.positionof(atom), 0);
    }
  }
  struct tformat {
    std::vector<std::uint8_t> (*write)(tdrawing&);
    treadresult (*read)(std::span<const std::uint8_t>);
  };
  for (const tformat& format :
       {tformat{writemolfile, readmdlfile}, tformat{writemdl, readmdlfile},
        tformat{writecml, readcmlfile}, tformat{writexyz, readxyzfile}}) {
    treadresult again = format.read(format.write(drawing));
    ASSERT_NE(again.drawing, nullptr) << again.error;
    EXPECT_EQ(again.drawing->atoms.count(), chemicalcount(drawing));
  }
}

void readeveryway(const std::string& text) {
  std::vector<std::uint8_t> bytes = bytesof(text);
  SCOPED_TRACE(text);
  for (auto read : {readcmlfile, readmdlfile, readxyzfile}) {
    expectsound(read(bytes), bytes.size());
  }
  for (tfileformat format :
       {tfileformat::cml, tfileformat::mdl, tfileformat::xyz}) {
    for (const treadresult& record : readexchangerecords(bytes, format)) {
      expectsound(record, bytes.size());
    }
  }
}

TEST_F(ExchangeMutationTest, SeedsReadCleanly) {
  for (const std::string& seed : seeds()) {
    SCOPED_TRACE(seed);
    treadresult result = readmdlfile(bytesof(seed));
    EXPECT_EQ(result.error, "");
    EXPECT_NE(result.drawing, nullptr);
  }
}

TEST_F(ExchangeMutationTest, EveryTruncationIsReadOrRefused) {
  for (const std::string& seed : seeds()) {
    for (std::size_t length = 0; length <= seed.size(); ++length) {
      readeveryway(seed.substr(0, length));
      if (::testing::Test::HasFatalFailure()) {
        return;
      }
    }
  }
}

TEST_F(ExchangeMutationTest, RandomDamageIsReadOrRefused) {
  std::mt19937 random(20260601);
  const std::string nul(1, '\0');
  const std::string replacements[] = {
      nul,      "\xFF", "-",  "9999999",  "1e300",   "nan", " ", "\n",
      "$$$$\n", "<",    "\"", "M  END\n", "M  V30 ", "0",   "-1"};
  for (int round = 0; round < 3000; ++round) {
    const std::string& seed = seeds()[round % seeds().size()];
    std::string text = seed;
    int changes = 1 + static_cast<int>(random() % 3);
    for (int k = 0; k < changes && !text.empty(); ++k) {
      std::size_t at = random() % text.size();
      switch (random() % 5) {
        case 0:
          text[at] = static_cast<char>(random() % 256);
          break;
        case 1:
          text.erase(at, 1 + random() % 8);
          break;
        case 2:
          text.insert(at, replacements[random() % std::size(replacements)]);
          break;
        case 3: {
          // Repeat a stretch, as a line given twice.
          std::size_t length = std::min<std::size_t>(40, text.size() - at);
          text.insert(at, text.substr(at, length));
          break;
        }
        default:
          text[at] = static_cast<char>('0' + random() % 10);
      }
    }
    readeveryway(text);
    if (::testing::Test::HasFatalFailure()) {
      return;
    }
  }
}

}  // namespace
}  // namespace molvane

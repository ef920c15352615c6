// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"

#include "cli/json_writer.h"
#include "io/document_files.h"
#include "model/formula.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace molvane {
namespace {

class CliTest : public testing::tdrawingtest {
 protected:
  /// Saves ethanol with a sodium ion as {in}, and two SD records as {sdf}.
  void SetUp() override {
    // Bent, as drawn: a straight C-C-O leaves the middle carbon no room
    // for hydrogens in 3D.
    tatm* c2 = atom(6, 26, 15);
    bond(atom(6, 0, 0), c2);
    bond(c2, atom(8, 52, 0));
    tatm* sodium = atom(11, 120, 0);
    sodium->setcharge(1);
    sodium->sethadjust(-1);  // the ion, not sodium hydride
    ASSERT_TRUE(savedocument(drawing(), folder.path() / "in.mlv").written);
    session().newdrawing();
    // One-atom SD records; charge code 3 is +1.
    const auto record = [](const char* title, const char* atom) {
      return std::string(title) +
             "\n  test\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
             "    0.0000    0.0000    0.0000 " +
             atom + "  0  0  0  0  0  0  0  0  0  0\nM  END\n$$$$\n";
    };
    std::ofstream(folder.path() / "two.sdf")
        << record("methane", "C   0  0") << record("ammonium", "N   0  3");
  }

  /// Replaces {dir} by the test's folder.
  std::string expand(std::string text) const {
    for (std::size_t at; (at = text.find("{dir}")) != std::string::npos;) {
      text.replace(at, 5, folder.path().string());
    }
    return text;
  }

  treadresult read(const char* name) const {
    treadresult result = loaddocument(folder.path() / name);
    EXPECT_NE(result.drawing, nullptr) << name << ": " << result.error;
    return result;
  }

  testing::ttemporaryfolder folder;
};

TEST_F(CliTest, EveryCommandAnswersItsInvocations) {
  struct tinvocation {
    int status;
    /// The arguments, separated by single spaces; a leading "--json" asks
    /// for JSON output, as on the command line.
    std::string words;
    /// Parts of the output, or of the message when the status is 1,
    /// separated by "|".
    std::string expected;
  };
  const std::string renderusage =
      "usage: render IN OUT [--mode N] [--width W] [--height H] [--scale F] "
      "[--dpi N] [--colour] [--antialias]";
  const std::string render = "render {dir}/in.mlv {dir}/p.png ";
  const tinvocation table[] = {
      {0, "info {dir}/in.mlv",
       "Formula:        C2 H6 O Na\n|Net charge:     1\n|Dipole moment:  |"
       "Energy:         "},
      {0, "--json info {dir}/in.mlv",
       R"("hill": "C2H6NaO"|"atoms": 4, "bonds": 2|)"
       R"("charge": 1|"weight": 69.059|"dipoledebye": |"dipolevector": [|)"
       R"("principalmoments": [|"energykcal": |"partialcharges": [)"},
      {0, "--json info {dir}/two.sdf", R"("records": ["CH4", "H4N charge 1"])"},
      // An SD file converts to an SD file record by record, all of them.
      {0, "convert {dir}/two.sdf {dir}/both.sdf", "Wrote {dir}/both.sdf\n"},
      {0, "info {dir}/both.sdf", "Records:        2 |  2: H4N charge 1\n"},
      {0, "--json convert {dir}/two.sdf {dir}/b.sdf", "\"records\": 2"},
      {0, "convert {dir}/in.mlv {dir}/copy.mlv", "Wrote {dir}/copy.mlv\n"},
      {0, "convert {dir}/in.mlv {dir}/a.svg", "Wrote {dir}/a.svg\n"},
      {1, "", "no command given\nusage: "},
      {1, "fly", "unknown command \"fly\""},
      {1, "info", "usage: info FILE"},
      {1, "info {dir}/missing.mlv", "File Read Error: |missing.mlv"},
      {1, "info {dir}/missing.txt", "missing.txt"},
      {1, "convert a.mlv", "usage: convert IN OUT"},
      // Benzene, then a hydroxy group on the atom straight above its centre.
      {0, "build {dir}/phenol.mlv 701@100,100 543@100,60",
       "Wrote {dir}/phenol.mlv\n"},
      {0, "build {dir}/first.mlv 571@0,0", "Wrote"},
      {0, "--json build --3d {dir}/second.mlv --in {dir}/first.mlv 156@200,0",
       "\"atoms\": 13"},
      {1, "build", "usage"},
      {1, "build {dir}/x.mlv 70000@1,2", "70000"},
      // Codes no command has, and the periodic table's (the atom tool's).
      {1, "build {dir}/x.mlv 151@0,0 150@1,2", "code 150 builds nothing"},
      {1, "build {dir}/x.mlv 817@1,2", "code 817 builds nothing"},
      {1, "build {dir}/x.mlv --in {dir}/missing.mlv", "File Read Error"},
      {1, "build {dir}/x.unknown 151@0,0", "x.unknown"},
      {0, "hydrogens --3d {dir}/in.mlv {dir}/added.mlv",
       "Added 6 hydrogens, wrote {dir}/added.mlv\n"},
      {0, "--json hydrogens {dir}/in.mlv {dir}/flat.mlv --2d",
       "\"mode\": \"2d\", \"added\": 6"},
      {0, "hydrogens --remove {dir}/added.mlv {dir}/removed.mlv",
       "Removed 6 hydrogens, wrote {dir}/removed.mlv\n"},
      {1, "hydrogens {dir}/in.mlv {dir}/out.mlv", "usage"},
      {1, "hydrogens --2d --3d {dir}/in.mlv {dir}/out.mlv", "usage"},
      {1, "hydrogens --3d {dir}/in.mlv {dir}/out.unknown", "out.unknown"},
      {0, "render {dir}/in.mlv {dir}/flat.png --mode 0",
       "Wrote {dir}/flat.png\n"},
      {0, "render {dir}/in.mlv {dir}/spheres.png --mode 10", "Wrote"},
      {0, "render {dir}/in.mlv {dir}/pair.png --mode 110", "Wrote"},
      {0, "render {dir}/in.mlv {dir}/narrow.png --width 120 --height 400",
       "Wrote"},
      {0, "--json render {dir}/in.mlv {dir}/smooth.png --antialias",
       "\"mode\""},
      {0, "render {dir}/in.mlv {dir}/wide.png --width 300 --dpi 300 --colour",
       "Wrote"},
      {0, "convert {dir}/in.mlv {dir}/big.svg --scale 2.5 --antialias",
       "Wrote {dir}/big.svg\n"},
      {1, render + "--scale 2 --height 50",
       "give --scale or --width and --height, not both"},
      {1, render + "--scale 0",
       "--scale 0: give a number above 0 and up to 100"},
      {1, render + "--scale", "--scale : give a number above 0"},
      {1, render + "--dpi 5", "--dpi 5: give 10 to 4800 dots per inch"},
      {1, render + "extra.png", renderusage},
      {1, "convert {dir}/in.mlv {dir}/copy.mlv --width 20",
       "\"{dir}/copy.mlv\": the picture options are for .bmp, .jpg, .png "
       "and .svg files"},
      {1, "convert {dir}/in.mlv {dir}/a.png --mode 3", "usage: convert"},
      {1, render + "--mode x", "--mode needs a whole number\n" + renderusage},
      {1, render + "--mode 50",
       "--mode 50: draw modes are 0 to 20 and 100 to 120"},
      {1, render + "--width 0 --height 9", "--width 0: give 1 to 16384 pixels"},
      {1, "render {dir}/in.mlv {dir}/p.mlv",
       "\"{dir}/p.mlv\": pictures are .bmp, .jpg, .png or .svg files"},
      {0, "smiles {dir}/in.mlv", "CCO.[Na+]\n"},
      {0, "--json smiles {dir}/two.sdf", R"("smiles": "C")"},
      {0, "convert {dir}/in.mlv {dir}/in.smi", "Wrote"},
      {0, "convert {dir}/in.smi {dir}/back.mol", "Wrote"},
      {1, "smiles", "usage: smiles IN"},
  };
  for (const tinvocation& row : table) {
    SCOPED_TRACE(row.words);
    tclioptions options;
    std::vector<std::string> arguments;
    std::istringstream words(row.words);
    for (std::string word; words >> word;) {
      if (arguments.empty() && word == "--json") {
        options.json = true;
      } else {
        arguments.push_back(expand(word));
      }
    }
    const tclioutcome outcome = runclicommand(options, arguments);
    ASSERT_EQ(outcome.status, row.status) << outcome.error;
    const std::string& text = row.status == 0 ? outcome.output : outcome.error;
    EXPECT_EQ(row.status == 0 ? outcome.error : outcome.output, "");
    std::istringstream parts(expand(row.expected));
    for (std::string part; std::getline(parts, part, '|');) {
      EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
    }
  }
  // What the successful invocations wrote.
  EXPECT_EQ(hillformula(*read("copy.mlv").drawing), "C2H6NaO");
  EXPECT_EQ(hillformula(*read("phenol.mlv").drawing), "C6H6O");
  EXPECT_EQ(hillformula(*read("back.mol").drawing), "C2H6NaO");
  const treadresult built = read("second.mlv");
  auto [low, high] = std::minmax_element(
      built.drawing->atoms.begin(), built.drawing->atoms.end(),
      [](const tatm* a, const tatm* b) { return a->z < b->z; });
  EXPECT_GT((*high)->z - (*low)->z, 5.0) << "built in 3D";
  EXPECT_EQ(read("added.mlv").drawing->atoms.counthydrogen(), 6);
  EXPECT_EQ(read("removed.mlv").drawing->atoms.counthydrogen(), 0);
  for (const char* name : {"x.mlv", "out.mlv", "p.png", "p.mlv"}) {
    EXPECT_FALSE(std::filesystem::exists(folder.path() / name)) << name;
  }
  // Pixels of the oxygen's red, from the darkest shade on.
  const auto redpixels = [](const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor colour = image.pixelColor(x, y);
        count += colour.red() > 180 && colour.green() < 80 ? 1 : 0;
      }
    }
    return count;
  };
  const auto image = [this](const char* name) {
    return QImage(QString::fromStdString((folder.path() / name).string()));
  };
  const QImage flat = image("flat.png");
  const QImage spheres = image("spheres.png");
  const QImage pair = image("pair.png");
  ASSERT_FALSE(flat.isNull() || spheres.isNull() || pair.isNull());
  EXPECT_EQ(redpixels(flat), 0);
  // A sphere of radius 16 covers about 800 pixels; the pair shows two, one
  // of them partly behind its carbon.
  EXPECT_GT(redpixels(spheres), 600);
  EXPECT_GT(redpixels(pair), redpixels(spheres) * 3 / 2);
  EXPECT_GT(pair.width(), spheres.width() + 30);
  EXPECT_LE(image("narrow.png").width(), 120);
  // --width alone fixes the width; the height follows the drawing.
  const QImage wide = image("wide.png");
  EXPECT_EQ(wide.width(), 300);
  EXPECT_EQ(wide.dotsPerMeterX(), 11811);
  EXPECT_NEAR(wide.height(), flat.height() * 300.0 / flat.width(), 1.0);
}

TEST_F(CliTest, CommandMessagesReachTheSession) {
  testing::trecordingmessages& messages = recordmessages();
  EXPECT_EQ(runclicommand(
                {}, {"build", expand("{dir}/empty.mlv"), "511@0,0", "201@0,0"})
                .status,
            0);
  EXPECT_EQ(messages.informs,
            (std::vector<std::string>{"No Atoms", "No Bonds To Fuse"}));
  // A document cut short is used as far as it goes, with a warning.
  std::filesystem::resize_file(folder.path() / "in.mlv", 1200);
  EXPECT_EQ(runclicommand({}, {"info", expand("{dir}/in.mlv")}).status, 0);
  EXPECT_NE(messages.warnings.at(0).find("only its first part"),
            std::string::npos);
}

/// All that info writes: the text and what is written after it.
std::string wholeoutput(const tclioutcome& outcome) {
  std::string text = outcome.output;
  if (outcome.rest) {
    std::FILE* file = std::tmpfile();
    outcome.rest(file);
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
      text += static_cast<char>(c);
    }
    std::fclose(file);
  }
  return text;
}

TEST_F(CliTest, LongRecordListsAreWrittenAsShortOnesAre) {
  // Past the length held in memory the list is written from a file, with
  // the same text.
  for (const int records : {1000, 1001}) {
    SCOPED_TRACE(records);
    {
      std::ofstream file(folder.path() / "many.smi");
      for (int i = 0; i < records; ++i) {
        file << (i == 1 ? "[NH4+]" : "C") << "\n";
      }
    }
    const tclioutcome text =
        runclicommand({}, {"info", expand("{dir}/many.smi")});
    ASSERT_EQ(text.status, 0) << text.error;
    EXPECT_EQ(static_cast<bool>(text.rest), records > 1000);
    const std::string all = wholeoutput(text);
    const std::string count = std::to_string(records);
    EXPECT_NE(all.find("\nRecords:        " + count +
                       " (the numbers above are of the first)\n  1: CH4\n"
                       "  2: H4N charge 1\n  3: CH4\n"),
              std::string::npos);
    EXPECT_TRUE(all.ends_with("\n  " + count + ": CH4\n")) << all.substr(0, 80);

    tclioptions json;
    json.json = true;
    const std::string object =
        wholeoutput(runclicommand(json, {"info", expand("{dir}/many.smi")}));
    EXPECT_NE(object.find("-UHFFFAOYSA-N\", \"records\": [\"CH4\", \"H4N "
                          "charge 1\", \"CH4\", "),
              std::string::npos);
    EXPECT_NE(object.find("\"CH4\"], \"dipoledebye\": "), std::string::npos);
    EXPECT_EQ(std::count(object.begin(), object.end(), '{'), 1);
    EXPECT_TRUE(object.ends_with("]}\n"));
  }
}

TEST(JsonWriter, QuotesEverythingThatNeedsIt) {
  EXPECT_EQ(jsonquoted("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
  tjsonobject object;
  object.addtext("name", "x");
  object.addinteger("n", -3);
  object.addreal("w", 1.23456, 3);
  object.addtexts("l", {"a", "b"});
  EXPECT_EQ(
      object.text(),
      "{\"name\": \"x\", \"n\": -3, \"w\": 1.235, \"l\": [\"a\", \"b\"]}");
}

}  // namespace
}  // namespace molvane

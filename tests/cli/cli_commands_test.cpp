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
#include <fstream>
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
    std::ofstream(folder.path() / "two.sdf") << R"(methane
  test

  1  0  0  0  0  0  0  0  0  0999 V2000
    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
M  END
$$$$
ammonium
  test

  1  0  0  0  0  0  0  0  0  0999 V2000
    0.0000    0.0000    0.0000 N   0  3  0  0  0  0  0  0  0  0  0  0
M  END
$$$$
)";
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
    std::vector<std::string> arguments;
    int status;
    /// Parts of the output, or of the message when the status is 1.
    std::vector<std::string> expected;
    bool json = false;
  };
  const std::string renderusage =
      "usage: render IN OUT [--mode N] [--width W --height H] [--antialias]";
  const std::vector<tinvocation> table = {
      {{"info", "{dir}/in.mlv"},
       0,
       {"Formula:        C2 H6 O Na\n", "Net charge:     1\n"}},
      {{"info", "{dir}/in.mlv"},
       0,
       {"\"hill\": \"C2H6NaO\"", "\"atoms\": 4, \"bonds\": 2", "\"charge\": 1",
        "\"weight\": 69.059"},
       true},
      {{"info", "{dir}/two.sdf"},
       0,
       {"\"records\": [\"CH4\", \"H4N charge 1\"]"},
       true},
      {{"info", "{dir}/two.sdf"}, 0, {"  2: H4N charge 1\n"}},
      {{"convert", "{dir}/in.mlv", "{dir}/copy.mlv"},
       0,
       {"Wrote {dir}/copy.mlv\n"}},
      {{"convert", "{dir}/in.mlv", "{dir}/a.svg"}, 0, {"Wrote"}},
      {{"convert", "{dir}/in.mlv", "{dir}/a.bmp"}, 0, {"Wrote"}},
      {{"convert", "{dir}/in.mlv", "{dir}/a.jpg"}, 0, {"Wrote"}},
      {{"convert", "{dir}/in.mlv", "{dir}/a.png"}, 0, {"Wrote"}},
      {{}, 1, {"no command given\nusage: "}},
      {{"fly"}, 1, {"unknown command \"fly\""}},
      {{"info"}, 1, {"usage: info FILE"}},
      {{"info", "{dir}/missing.mlv"}, 1, {"File Read Error"}},
      {{"info", "{dir}/missing.txt"}, 1, {"missing.txt"}},
      {{"convert", "a.mlv"}, 1, {"usage: convert IN OUT"}},
      // Benzene, then a hydroxy group on the atom straight above its centre.
      {{"build", "{dir}/phenol.mlv", "701@100,100", "543@100,60"},
       0,
       {"Wrote {dir}/phenol.mlv\n"}},
      {{"build", "{dir}/first.mlv", "571@0,0"}, 0, {"Wrote"}},
      {{"build", "--3d", "{dir}/second.mlv", "--in", "{dir}/first.mlv",
        "156@200,0"},
       0,
       {"\"atoms\": 13"},
       true},
      {{"build"}, 1, {"usage"}},
      {{"build", "--in"}, 1, {"usage"}},
      {{"build", "{dir}/x.mlv", "151@1"}, 1, {"151@1"}},
      {{"build", "{dir}/x.mlv", "151@1,2x"}, 1, {"151@1,2x"}},
      {{"build", "{dir}/x.mlv", "70000@1,2"}, 1, {"70000"}},
      {{"build", "{dir}/x.mlv", "--in", "{dir}/missing.mlv"},
       1,
       {"File Read Error"}},
      {{"build", "{dir}/x.unknown", "151@0,0"}, 1, {"x.unknown"}},
      {{"hydrogens", "--3d", "{dir}/in.mlv", "{dir}/added.mlv"},
       0,
       {"Added 6 hydrogens, wrote {dir}/added.mlv\n"}},
      {{"hydrogens", "{dir}/in.mlv", "{dir}/flat.mlv", "--2d"},
       0,
       {"\"mode\": \"2d\", \"added\": 6"},
       true},
      {{"hydrogens", "--remove", "{dir}/added.mlv", "{dir}/removed.mlv"},
       0,
       {"Removed 6 hydrogens, wrote {dir}/removed.mlv\n"}},
      {{"hydrogens", "{dir}/in.mlv", "{dir}/out.mlv"}, 1, {"usage"}},
      {{"hydrogens", "--2d", "--3d", "{dir}/in.mlv", "{dir}/out.mlv"},
       1,
       {"usage"}},
      {{"hydrogens", "--3d", "{dir}/in.mlv"}, 1, {"usage"}},
      {{"hydrogens", "--3d", "{dir}/missing.mlv", "{dir}/out.mlv"},
       1,
       {"File Read Error"}},
      {{"hydrogens", "--3d", "{dir}/in.mlv", "{dir}/out.unknown"},
       1,
       {"out.unknown"}},
      {{"render", "{dir}/in.mlv", "{dir}/wide.png", "--mode", "12"},
       0,
       {"Wrote {dir}/wide.png\n"}},
      {{"render", "{dir}/in.mlv", "{dir}/narrow.png", "--width", "120",
        "--height", "400"},
       0,
       {"Wrote"}},
      {{"render", "{dir}/in.mlv", "{dir}/smooth.png", "--antialias"},
       0,
       {"\"mode\""},
       true},
      {{"render", "{dir}/in.mlv"}, 1, {renderusage}},
      {{"render", "{dir}/in.mlv", "{dir}/p.png", "--width", "100"},
       1,
       {renderusage}},
      {{"render", "{dir}/in.mlv", "{dir}/p.png", "--mode", "x"},
       1,
       {"--mode needs a whole number\n" + renderusage}},
      {{"render", "{dir}/in.mlv", "{dir}/p.png", "--mode", "50"},
       1,
       {"--mode 50: draw modes are 0 to 20 and 100 to 120"}},
      {{"render", "{dir}/in.mlv", "{dir}/p.png", "--width", "0", "--height",
        "9"},
       1,
       {"--width 0: give 1 to 16384 pixels"}},
      {{"render", "{dir}/in.mlv", "{dir}/p.mlv"},
       1,
       {"\"{dir}/p.mlv\": pictures are .bmp, .jpg, .png or .svg files"}},
      {{"render", "{dir}/missing.mlv", "{dir}/p.png"},
       1,
       {"File Read Error: "}},
  };
  for (const tinvocation& row : table) {
    std::vector<std::string> arguments;
    for (const std::string& argument : row.arguments) {
      arguments.push_back(expand(argument));
    }
    SCOPED_TRACE(::testing::PrintToString(arguments));
    tclioptions options;
    options.json = row.json;
    const tclioutcome outcome = runclicommand(options, arguments);
    ASSERT_EQ(outcome.status, row.status) << outcome.error;
    const std::string& text = row.status == 0 ? outcome.output : outcome.error;
    EXPECT_EQ(row.status == 0 ? outcome.error : outcome.output, "");
    for (const std::string& part : row.expected) {
      EXPECT_NE(text.find(expand(part)), std::string::npos) << text;
    }
  }
  // What the successful invocations wrote.
  EXPECT_EQ(hillformula(*read("copy.mlv").drawing), "C2H6NaO");
  EXPECT_EQ(hillformula(*read("phenol.mlv").drawing), "C6H6O");
  const treadresult built = read("second.mlv");
  ASSERT_EQ(built.drawing->atoms.count(), 13);
  auto [low, high] = std::minmax_element(
      built.drawing->atoms.begin(), built.drawing->atoms.end(),
      [](const tatm* a, const tatm* b) { return a->z < b->z; });
  EXPECT_GT((*high)->z - (*low)->z, 5.0) << "built in 3D";
  EXPECT_EQ(read("added.mlv").drawing->atoms.counthydrogen(), 6);
  EXPECT_EQ(read("flat.mlv").drawing->atoms.counthydrogen(), 6);
  EXPECT_EQ(read("removed.mlv").drawing->atoms.counthydrogen(), 0);
  for (const char* name : {"a.svg", "a.bmp", "a.jpg", "a.png"}) {
    EXPECT_GT(std::filesystem::file_size(folder.path() / name), 0U) << name;
  }
  const QImage narrow(QString::fromStdString(expand("{dir}/narrow.png")));
  ASSERT_FALSE(narrow.isNull());
  EXPECT_LE(narrow.width(), 120);
  for (const char* name : {"x.mlv", "out.mlv", "p.png", "p.mlv"}) {
    EXPECT_FALSE(std::filesystem::exists(folder.path() / name)) << name;
  }
}

TEST_F(CliTest, CommandMessagesReachTheSession) {
  testing::trecordingmessages& messages = recordmessages();
  EXPECT_EQ(runclicommand(
                {}, {"build", expand("{dir}/empty.mlv"), "511@0,0", "201@0,0"})
                .status,
            0);
  EXPECT_EQ(messages.informs,
            (std::vector<std::string>{"No Atoms", "No Bonds To Fuse"}));
}

TEST_F(CliTest, RenderPaintsShadedSpheresAndStereoPairs) {
  const auto render = [this](const std::string& mode) {
    const std::string out = expand("{dir}/mode" + mode + ".png");
    EXPECT_EQ(runclicommand(
                  {}, {"render", expand("{dir}/in.mlv"), out, "--mode", mode})
                  .status,
              0);
    return QImage(QString::fromStdString(out));
  };
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
  const QImage flat = render("0");
  const QImage spheres = render("10");
  const QImage pair = render("110");
  ASSERT_FALSE(flat.isNull() || spheres.isNull() || pair.isNull());
  EXPECT_EQ(redpixels(flat), 0);
  // A sphere of radius 16 covers about 800 pixels; the pair shows two, one
  // of them partly behind its carbon.
  EXPECT_GT(redpixels(spheres), 600);
  EXPECT_GT(redpixels(pair), redpixels(spheres) * 3 / 2);
  EXPECT_GT(pair.width(), spheres.width() + 30);
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

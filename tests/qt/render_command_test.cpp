// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/render_command.h"

#include "cli/cli_commands.h"
#include "io/document_files.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

namespace molvane {
namespace {

class RenderCommand : public testing::tdrawingtest {
 protected:
  /// A saved document with one C-O bond.
  std::filesystem::path document() {
    bond(atom(6, 100, 100), atom(8, 130, 100, 0, hydrogenlabel));
    const std::filesystem::path path = folder.path() / "ethanol.mlv";
    EXPECT_EQ(exportdocument(drawing(), path), "");
    return path;
  }

  tclioutcome run(const std::vector<std::string>& arguments) {
    return runclicommand(tclioptions{}, arguments);
  }

  testing::ttemporaryfolder folder;
};

TEST_F(RenderCommand, PaintsADocumentInTheGivenModeAndWindow) {
  const std::string in = document().string();
  const std::string out = (folder.path() / "picture.png").string();
  tclioutcome outcome = run({"render", in, out, "--mode", "12"});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  EXPECT_EQ(outcome.output, "Wrote " + out + "\n");
  EXPECT_EQ(session().drawing()->drawmode, 12);
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(out)));

  outcome = run({"render", in, out, "--width", "120", "--height", "400"});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  ASSERT_TRUE(image.load(QString::fromStdString(out)));
  EXPECT_LE(image.width(), 120);

  tclioptions json;
  json.json = true;
  outcome = runclicommand(json, {"render", in, out, "--antialias"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.output.find("\"mode\""), std::string::npos);
}

TEST_F(RenderCommand, RejectsBadArgumentsInOneLine) {
  const std::string in = document().string();
  const std::string out = (folder.path() / "picture.png").string();
  struct trow {
    std::vector<std::string> arguments;
    std::string error;
  };
  const std::string usage =
      "usage: render IN OUT [--mode N] [--width W --height H] [--antialias]";
  const std::vector<trow> table = {
      {{"render", in}, usage},
      {{"render", in, out, "--width", "100"}, usage},
      {{"render", in, out, "--mode", "x"},
       "--mode needs a whole number\n" + usage},
      {{"render", in, out, "--mode", "50"},
       "--mode 50: draw modes are 0 to 20 and 100 to 120"},
      {{"render", in, out, "--width", "0", "--height", "9"},
       "--width 0: give 1 to 16384 pixels"},
      {{"render", in, (folder.path() / "picture.mlv").string()},
       "\"" + (folder.path() / "picture.mlv").string() +
           "\": pictures are .bmp, .jpg, .png or .svg files"},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.error);
    const tclioutcome outcome = run(row.arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.error, row.error);
  }
  const tclioutcome missing =
      run({"render", (folder.path() / "none.mlv").string(), out});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.error.rfind("File Read Error: ", 0), 0U);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(RenderCommand, PaintsShadedSpheresAndStereoPairs) {
  const std::string in = document().string();
  const auto render = [&](const std::string& mode) {
    const std::string out = (folder.path() / ("mode" + mode + ".png")).string();
    const tclioutcome outcome = run({"render", in, out, "--mode", mode});
    EXPECT_EQ(outcome.status, 0) << outcome.error;
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
  ASSERT_FALSE(flat.isNull());
  ASSERT_FALSE(spheres.isNull());
  ASSERT_FALSE(pair.isNull());
  EXPECT_EQ(redpixels(flat), 0);
  // A sphere of radius 16 covers about 800 pixels; the pair shows two, one
  // of them partly behind its carbon.
  EXPECT_GT(redpixels(spheres), 600);
  EXPECT_GT(redpixels(pair), redpixels(spheres) * 3 / 2);
  EXPECT_GT(pair.width(), spheres.width() + 30);
}

TEST_F(RenderCommand, ConvertsToPicturesByExtension) {
  const std::string in = document().string();
  for (const char* name : {"a.svg", "a.bmp", "a.jpg", "a.png"}) {
    SCOPED_TRACE(name);
    const std::string out = (folder.path() / name).string();
    const tclioutcome outcome = run({"convert", in, out});
    EXPECT_EQ(outcome.status, 0) << outcome.error;
    EXPECT_GT(std::filesystem::file_size(out), 0U);
  }
}

}  // namespace
}  // namespace molvane

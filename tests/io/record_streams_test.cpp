// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// SMILES and CML files of many records are read one record at a time
// (issue 29: both were read whole, with a drawing kept per record).
#include "io/cml_format.h"
#include "io/cml_stream.h"
#include "io/document_files.h"
#include "io/smiles_stream.h"
#include "model/formula.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::bytesof;

class RecordStreams : public ::testing::Test {
 protected:
  std::filesystem::path write(const std::string& text) {
    return testing::writetext(folder_.path() / "records", text);
  }

  testing::ttemporaryfolder folder_;
};

using testing::outcome;

const char* const cmlfile = R"(<?xml version="1.0"?>
<!-- a <molecule> in a comment is none -->
<c:cml xmlns:c="http://www.xml-cml.org/schema">
 <c:molecule id="m1" title="a>b"><c:atomArray>
  <c:atom id="a1" elementType="O"/></c:atomArray></c:molecule>
 <list><molecule id="m2"><molecule id="inner"><atomArray>
  <atom id="a1" elementType="N"/></atomArray></molecule></molecule></list>
 <![CDATA[ <molecule> ]]>
 <molecule id="m3"><atomArray>
  <atom id="a1" elementType="Xq"/></atomArray></molecule>
 <molecule id="m4"><atomArray><atom id="a1" elementType="C"
  formalCharge="1"/></atomArray></molecule>
</c:cml>
)";

TEST_F(RecordStreams, CmlReadsAsTheWholeFileReaderWhateverTheChunkSize) {
  std::vector<std::string> whole;
  for (const treadresult& result : readcmlrecords(bytesof(cmlfile))) {
    whole.push_back(outcome(result));
  }
  ASSERT_EQ(whole.size(), 4U);
  // The stream names the record before the line, as the SD stream does.
  whole[2] = "record 3, " + whole[2];
  EXPECT_EQ(whole[2], "record 3, line 10: unknown element symbol \"Xq\"");
  const auto path = write(cmlfile);
  for (std::size_t chunk : {1, 2, 7, 64, 1 << 20}) {
    SCOPED_TRACE(chunk);
    tcmlstream stream(path, defaultsettings(), std::size_t{64} << 20U, chunk);
    std::vector<std::string> streamed;
    while (std::optional<treadresult> result = stream.next()) {
      streamed.push_back(outcome(*result));
    }
    EXPECT_EQ(streamed, whole);
    EXPECT_EQ(stream.error(), "");
  }
}

TEST_F(RecordStreams, OpeningACmlFileReadsOnlyItsFirstMolecule) {
  // What follows the first molecule is never parsed: a damaged tail, which
  // the whole-file reader refuses, does not keep the first from opening.
  const std::filesystem::path path = testing::writetext(
      folder_.path() / "many.cml",
      "<cml><molecule id=\"m1\" title=\"first\">"
      "<atomArray><atom id=\"a1\" elementType=\"N\"/>"
      "</atomArray></molecule>\n<molecule id=\"m2\"><oops &broken; </cml>");
  treadresult opened = loaddocument(path);
  EXPECT_EQ(testing::drawingof(opened).title(), "first");
  EXPECT_EQ(outcome(opened), "H3N");
  // A file that is not XML still goes to the whole-file reader.
  EXPECT_NE(loaddocument(testing::writetext(path, "not xml")).error, "");
}

TEST_F(RecordStreams, CmlRefusesHostileFilesAndGoesOn) {
  const std::string big =
      "<molecule id=\"big\"><atomArray>" + std::string(300, ' ') +
      "<atom id=\"a1\" elementType=\"C\"/></atomArray></molecule>";
  const std::string after =
      "<molecule><atomArray><atom id=\"a1\" elementType=\"S\"/></atomArray>"
      "</molecule>";
  struct tcase {
    std::string text;
    std::vector<std::string> outcomes;
  };
  const tcase cases[] = {
      {"", {}},
      {"<cml></molecule>" + after, {"H2S"}},
      {"<cml>" + big + "\n" + after,
       {"record 1, line 1: the molecule is larger than 200 bytes", "H2S"}},
      // Cut off inside a molecule, and inside a tag.
      {after + "\n<molecule><atomArray>", {"H2S", "unreadable"}},
      {after + "<molecule id=\"x", {"H2S", "unreadable"}},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.text);
    tcmlstream stream(write(c.text), defaultsettings(), 200, 16);
    std::vector<std::string> streamed;
    while (std::optional<treadresult> result = stream.next()) {
      const std::string text = outcome(*result);
      streamed.push_back(result->drawing == nullptr &&
                                 text.find("larger") == std::string::npos
                             ? "unreadable"
                             : text);
    }
    EXPECT_EQ(streamed, c.outcomes);
  }
  tcmlstream missing(folder_.path() / "none.cml");
  EXPECT_FALSE(missing.next().has_value());
  EXPECT_NE(missing.error(), "");
}

TEST_F(RecordStreams, FindsTheOutermostMolecule) {
  struct tcase {
    const char* text;
    tmoleculespan::tstatus status;
    std::size_t begin, end;
  };
  using enum tmoleculespan::tstatus;
  const tcase cases[] = {
      {"<a><molecule/></a>", found, 3, 14},
      {"<molecules/><x:molecule a='>'></x:molecule>", found, 12, 43},
      {"<?molecule?><!--<molecule>--><b/>", none, 0, 0},
      {"<molecule><molecule></molecule>", incomplete, 0, 0},
      {"<molecul", incomplete, 0, 0},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.text);
    const tmoleculespan span = findmolecule(c.text);
    EXPECT_EQ(span.status, c.status);
    if (c.status == found) {
      EXPECT_EQ(span.begin, c.begin);
      EXPECT_EQ(span.end, c.end);
    }
  }
}

TEST_F(RecordStreams, SmilesLinesWhateverTheLineEndsAndChunks) {
  const std::string text =
      "\xEF\xBB\xBF"
      "CCO ethanol\r\n# note\r\n\r\n  C1CC1  \rO\n" +
      std::string(40, 'C') + "\nN\r";
  struct texpected {
    int line;
    std::string text;
    bool refused;
  };
  const std::vector<texpected> expected = {{1, "CCO ethanol", false},
                                           {4, "C1CC1", false},
                                           {5, "O", false},
                                           {6, "", true},
                                           {7, "N", false}};
  const auto path = write(text);
  for (std::size_t chunk : {1, 2, 3, 5, 1 << 20}) {
    SCOPED_TRACE(chunk);
    tsmilesstream stream(path, 30, chunk);
    std::vector<texpected> read;
    while (std::optional<tsmilesline> line = stream.next()) {
      read.push_back(
          {line->line, std::string(line->text), !line->error.empty()});
    }
    ASSERT_EQ(read.size(), expected.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
      EXPECT_EQ(read[i].line, expected[i].line);
      EXPECT_EQ(read[i].text, expected[i].text);
      EXPECT_EQ(read[i].refused, expected[i].refused);
    }
  }
}

}  // namespace
}  // namespace molvane

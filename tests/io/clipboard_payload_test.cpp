// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/clipboard_payload.h"

#include "io/cml_format.h"
#include "model/atom.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>

namespace molvane {
namespace {

class ClipboardPayload : public testing::tdrawingtest {
 protected:
  /// Ethanol drawn as C-C-O; returns the oxygen.
  tatm* ethanol() {
    tatm* a = atom(6, 0, 0);
    tatm* b = atom(6, 30, 0);
    tatm* o = atom(8, 60, 10);
    bond(a, b);
    bond(b, o);
    return o;
  }
};

TEST_F(ClipboardPayload, TellsPastedTextApartByTypeAndContent) {
  ethanol();
  const std::string molfile =
      writeclipboardchemistry(*clipboardsubject(drawing())).molfile;
  struct trow {
    const char* mimetype;
    std::string text;
    tpastedkind kind;
  };
  const trow table[] = {
      // A chemistry type is believed whatever the text.
      {molfilemimetype, "CCO", tpastedkind::molfile},
      {cmlmimetype, "CCO", tpastedkind::cml},
      {smilesmimetype, "<cml/>", tpastedkind::smiles},
      {plaintextmimetype, "\n  <?xml version=\"1.0\"?><cml/>",
       tpastedkind::cml},
      {plaintextmimetype, molfile, tpastedkind::molfile},
      {"text/html", molfile, tpastedkind::molfile},
      {plaintextmimetype, "c1ccccc1 benzene\r\n", tpastedkind::smiles},
      {plaintextmimetype, " \n\t", tpastedkind::unknown},
      {plaintextmimetype, "two\nlines", tpastedkind::unknown},
      {plaintextmimetype, "caf\xC3\xA9", tpastedkind::unknown},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(pastedkindof(row.mimetype, row.text), row.kind);
  }
}

TEST_F(ClipboardPayload, CopiesTheSelectionAloneAsMolfileAndCml) {
  tatm* oxygen = ethanol();
  const std::unique_ptr<tdrawing> subject = clipboardsubject(drawing());
  const tclipboardchemistry chemistry = writeclipboardchemistry(*subject);
  const std::vector<std::uint8_t> cml = writecml(*subject);
  for (const auto& [type, text] :
       {std::pair{molfilemimetype, chemistry.molfile},
        std::pair{plaintextmimetype, chemistry.molfile},
        std::pair{plaintextmimetype, std::string(cml.begin(), cml.end())}}) {
    SCOPED_TRACE(text.substr(0, 40));
    const treadresult back = readpastedtext(type, text);
    const tdrawing& pasted = testing::drawingof(back);
    EXPECT_EQ(pasted.atoms.count(), 3);
    EXPECT_EQ(pasted.atoms.items(2)->element, 8);
    EXPECT_EQ(pasted.bonds.count(), 2);
  }
  // With a selection only the selected atoms and their bonds go.
  oxygen->selected = 1;
  drawing().atoms.items(1)->selected = 1;
  const std::unique_ptr<tdrawing> selected = clipboardsubject(drawing());
  EXPECT_EQ(selected->atoms.count(), 2);
  EXPECT_EQ(selected->bonds.count(), 1);
  EXPECT_EQ(selected->atoms.items(1)->element, 8);
  EXPECT_EQ(drawing().atoms.count(), 3);
  EXPECT_EQ(drawing().bonds.count(), 2);
}

TEST_F(ClipboardPayload, UnreadablePastesSayWhy) {
  struct trow {
    const char* mimetype;
    const char* text;
    const char* error;
  };
  const trow table[] = {
      {plaintextmimetype, "Dear colleague,\nplease find",
       "the clipboard holds no molfile, CML or SMILES text to paste"},
      {molfilemimetype, "junk", "the molfile cannot be read: "},
      {plaintextmimetype, "<cml><molecule>", "the CML cannot be read: "},
      {smilesmimetype, "C1CC(", "the SMILES cannot be read: "},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.text);
    const treadresult read = readpastedtext(row.mimetype, row.text);
    EXPECT_EQ(read.drawing, nullptr);
    EXPECT_EQ(read.error.rfind(row.error, 0), 0U) << read.error;
  }
}

}  // namespace
}  // namespace molvane

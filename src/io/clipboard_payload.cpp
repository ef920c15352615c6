// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/clipboard_payload.h"

#include "document/drawing.h"
#include "document/symbol.h"
#include "io/cml_format.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "io/mdl_format.h"
#include "io/smiles_format.h"
#include "model/atom.h"

#include <cstdint>
#include <span>
#include <vector>

namespace molvane {

namespace {

constexpr std::string_view blanks = " \t\r\n";

std::span<const std::uint8_t> bytesof(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

bool anyselected(const tdrawing& drawing) {
  for (const tatm* atom : drawing.atoms) {
    if (atom->selected != 0) {
      return true;
    }
  }
  return false;
}

/// One line of printable characters with nothing but an optional name
/// after the first white space.
bool lookslikesmiles(std::string_view text) {
  if (text.empty() || text.find_first_of("\r\n") != std::string_view::npos) {
    return false;
  }
  const std::string_view word = text.substr(0, text.find_first_of(" \t"));
  for (const char c : word) {
    if (static_cast<unsigned char>(c) < 0x21 ||
        static_cast<unsigned char>(c) > 0x7E) {
      return false;
    }
  }
  return true;
}

const char* kindname(tpastedkind kind) {
  switch (kind) {
    case tpastedkind::molfile:
      return "molfile";
    case tpastedkind::cml:
      return "CML";
    case tpastedkind::smiles:
      return "SMILES";
    default:
      return "text";
  }
}

}  // namespace

std::unique_ptr<tdrawing> clipboardsubject(const tdrawing& drawing) {
  std::unique_ptr<tdrawing> subject = drawing.clonedrawing();
  if (!anyselected(drawing)) {
    return subject;
  }
  std::vector<tSymbol*> symbols;
  for (tSymbol* symbol : subject->symbols) {
    if (symbol->selected == 0) {
      symbols.push_back(symbol);
    }
  }
  for (tSymbol* symbol : symbols) {
    subject->deletesymbol(symbol);
  }
  std::vector<tatm*> atoms;
  for (tatm* atom : subject->atoms) {
    if (atom->selected == 0 && atom->kind != symbolpointkind) {
      atoms.push_back(atom);
    }
  }
  for (tatm* atom : atoms) {
    subject->removeatom(atom);
  }
  return subject;
}

tclipboardchemistry writeclipboardchemistry(const tdrawing& subject) {
  tclipboardchemistry chemistry;
  const std::vector<std::uint8_t> molfile = writemolfile(subject);
  chemistry.molfile.assign(molfile.begin(), molfile.end());
  std::string error;
  chemistry.smiles = writesmiles(subject, error);
  if (!error.empty()) {
    chemistry.smiles.clear();
  }
  return chemistry;
}

tpastedkind pastedkindof(std::string_view mimetype, std::string_view text) {
  if (mimetype == molfilemimetype) {
    return tpastedkind::molfile;
  }
  if (mimetype == cmlmimetype) {
    return tpastedkind::cml;
  }
  if (mimetype == smilesmimetype) {
    return tpastedkind::smiles;
  }
  const std::string_view content = trimmed(text);
  if (content.starts_with('<')) {
    return tpastedkind::cml;
  }
  // The header lines of a molfile may be blank, so only the end is cut.
  const std::string_view tail =
      text.substr(0, text.find_last_not_of(blanks) + 1);
  if (!content.empty() &&
      exchangeformatof(bytesof(tail), tfileformat::xyz) == tfileformat::mdl) {
    return tpastedkind::molfile;
  }
  return lookslikesmiles(content) ? tpastedkind::smiles : tpastedkind::unknown;
}

treadresult readpastedtext(std::string_view mimetype, std::string_view text,
                           const tsettings& settings) {
  const tpastedkind kind = pastedkindof(mimetype, text);
  treadresult result;
  switch (kind) {
    case tpastedkind::molfile:
      result = readmdl(bytesof(text), settings);
      break;
    case tpastedkind::cml:
      result = readcml(bytesof(trimmed(text)), settings);
      break;
    case tpastedkind::smiles:
      result = readsmilesfile(bytesof(trimmed(text)), settings);
      break;
    default:
      result.error =
          "the clipboard holds no molfile, CML or SMILES text to paste";
      return result;
  }
  if (result.drawing == nullptr && result.error.empty()) {
    result.error = "nothing was read";
  }
  if (!result.error.empty()) {
    result.drawing.reset();
    result.error = std::string("the ") + kindname(kind) +
                   " cannot be read: " + result.error;
  }
  return result;
}

}  // namespace molvane

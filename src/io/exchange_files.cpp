// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/exchange_files.h"

#include "io/cml_format.h"
#include "io/mdl_format.h"
#include "io/molfile_reader.h"
#include "io/rxn_format.h"
#include "io/smiles_format.h"
#include "io/xyz_format.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <vector>

namespace molvane {

namespace {

/// How much of a file the guess looks at.
constexpr std::size_t lookahead = 4096;

bool allnumbers(const std::vector<std::string_view>& words, std::size_t from,
                std::size_t count) {
  if (words.size() < from + count) {
    return false;
  }
  for (std::size_t k = from; k < from + count; ++k) {
    if (!parsereal(words[k])) {
      return false;
    }
  }
  return true;
}

bool ismolfilecounts(std::string_view line) {
  if (line.find("V2000") != std::string_view::npos ||
      line.find("V3000") != std::string_view::npos || iscompanioncounts(line)) {
    return true;
  }
  // A counts line without version: atoms and bonds in two columns of three.
  std::optional<long> atoms = columninteger(line, 0, 3, -1);
  std::optional<long> bonds = columninteger(line, 3, 3, -1);
  return atoms && bonds && *atoms >= 0 && *bonds >= 0 &&
         splitwords(line).size() >= 2;
}

}  // namespace

tfileformat exchangeformatof(std::span<const std::uint8_t> bytes,
                             tfileformat expected) {
  std::string_view text = astext(bytes).substr(0, lookahead);
  if (isreactiontext(text)) {
    return tfileformat::rxn;
  }
  if (startswith(text, "\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  std::vector<std::string_view> lines = splitlines(text);
  // A molfile's title may start with '<'; its counts line tells first.
  if (lines.size() >= 4) {
    std::string_view counts = lines[3];
    if (counts.find("V2000") != std::string_view::npos ||
        counts.find("V3000") != std::string_view::npos) {
      return tfileformat::mdl;
    }
  }
  if (startswith(trimmed(text), "<")) {
    return tfileformat::cml;
  }
  if (!lines.empty()) {
    std::vector<std::string_view> first = splitwords(lines[0]);
    if (first.size() == 1 && parseinteger(first[0])) {
      bool noatoms = *parseinteger(first[0]) == 0;
      bool atomline =
          lines.size() >= 3 && allnumbers(splitwords(lines[2]), 1, 3);
      if (noatoms || atomline) {
        return tfileformat::xyz;
      }
    }
    if (first.size() == 2 && parseinteger(first[0]) && parseinteger(first[1]) &&
        lines.size() >= 2 && allnumbers(splitwords(lines[1]), 0, 3)) {
      return tfileformat::xyz;
    }
  }
  if (lines.size() >= 4 && ismolfilecounts(lines[3])) {
    return tfileformat::mdl;
  }
  return expected;
}

tfileformat exchangeformatoffile(const std::filesystem::path& path,
                                 tfileformat expected) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> head(lookahead);
  file.read(reinterpret_cast<char*>(head.data()),
            static_cast<std::streamsize>(head.size()));
  head.resize(
      static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
  return exchangeformatof(head, expected);
}

treadresult readcmlfile(std::span<const std::uint8_t> bytes,
                        const tsettings& settings) {
  switch (exchangeformatof(bytes, tfileformat::cml)) {
    case tfileformat::mdl:
      return readmdl(bytes, settings);
    case tfileformat::xyz:
      return readxyz(bytes, settings);
    case tfileformat::rxn:
      return readrxn(bytes, settings);
    default:
      return readcml(bytes, settings);
  }
}

treadresult readmdlfile(std::span<const std::uint8_t> bytes,
                        const tsettings& settings) {
  switch (exchangeformatof(bytes, tfileformat::mdl)) {
    case tfileformat::cml:
      return readcml(bytes, settings);
    case tfileformat::xyz:
      return readxyz(bytes, settings);
    case tfileformat::rxn:
      return readrxn(bytes, settings);
    default:
      return readmdl(bytes, settings);
  }
}

treadresult readxyzfile(std::span<const std::uint8_t> bytes,
                        const tsettings& settings) {
  switch (exchangeformatof(bytes, tfileformat::xyz)) {
    case tfileformat::cml:
      return readcml(bytes, settings);
    case tfileformat::mdl:
      return readmdl(bytes, settings);
    case tfileformat::rxn:
      return readrxn(bytes, settings);
    default:
      return readxyz(bytes, settings);
  }
}

treadresult readrxnfile(std::span<const std::uint8_t> bytes,
                        const tsettings& settings) {
  switch (exchangeformatof(bytes, tfileformat::rxn)) {
    case tfileformat::cml:
      return readcml(bytes, settings);
    case tfileformat::mdl:
      return readmdl(bytes, settings);
    case tfileformat::xyz:
      return readxyz(bytes, settings);
    default:
      return readrxn(bytes, settings);
  }
}

std::vector<treadresult> readexchangerecords(
    std::span<const std::uint8_t> bytes, tfileformat expected,
    const tsettings& settings) {
  const tfileformat format = exchangeformatof(bytes, expected);
  switch (format) {
    case tfileformat::cml:
      return readcmlrecords(bytes, settings);
    case tfileformat::mdl:
      return readmdlrecords(bytes, settings);
    case tfileformat::smiles:
      return readsmilesrecords(bytes, settings);
    default: {
      std::vector<treadresult> results;
      results.push_back(format == tfileformat::rxn ? readrxn(bytes, settings)
                                                   : readxyz(bytes, settings));
      return results;
    }
  }
}

}  // namespace molvane

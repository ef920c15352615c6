// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/inchi_format.h"

#include "chemistry/inchi_identifier.h"
#include "io/line_records.h"
#include "support/text_lines.h"

#include <optional>
#include <utility>

namespace molvane {

treadresult readinchiline(int number, std::string_view line,
                          const tsettings& settings) {
  treadresult result;
  std::string_view text = trimmed(line);
  std::string_view title;
  if (std::size_t blank = text.find_first_of(" \t"); blank != text.npos) {
    title = trimmed(text.substr(blank));
    text = text.substr(0, blank);
  }
  tinchistructure structure = structureofinchi(text);
  if (!structure.error.empty()) {
    result.error =
        lineerror(number, structure.error + " (\"" + quotedtext(text) + "\")");
    return result;
  }
  structure.record.title = std::string(title);
  tbuildoptions options;
  options.settings = &settings;
  result.drawing = builddrawing(structure.record, options, result.notices);
  return result;
}

treadresult readinchifile(std::span<const std::uint8_t> bytes,
                          const tsettings& settings) {
  std::optional<treadresult> first = readfirstrecordline(
      bytes, [&settings](int number, std::string_view line) {
        return readinchiline(number, line, settings);
      });
  if (!first) {
    treadresult result;
    result.error = "the file holds no InChI";
    return result;
  }
  return std::move(*first);
}

std::vector<treadresult> readinchirecords(std::span<const std::uint8_t> bytes,
                                          const tsettings& settings) {
  std::vector<treadresult> results =
      readrecordlines(bytes, [&settings](int number, std::string_view line) {
        return readinchiline(number, line, settings);
      });
  if (results.empty()) {
    results.push_back(readinchifile(bytes, settings));
  }
  return results;
}

std::string inchiline(const tdrawing& drawing, std::string& error) {
  tinchiresult result = standardinchi(drawing);
  if (result.inchi.empty()) {
    error = result.message;
    return "";
  }
  return result.inchi + linetitle(drawing);
}

std::vector<std::uint8_t> writeinchifile(const tdrawing& drawing) {
  std::string error;
  std::string text = inchiline(drawing, error);
  if (text.empty()) {
    return {};
  }
  text += "\n";
  return {text.begin(), text.end()};
}

}  // namespace molvane

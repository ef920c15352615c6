// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/inchi_format.h"

#include "chemistry/inchi_identifier.h"
#include "support/text_lines.h"

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
  const auto lines = recordlines(bytes);
  if (lines.empty()) {
    treadresult result;
    result.error = "the file holds no InChI";
    return result;
  }
  treadresult result =
      readinchiline(lines.front().first, lines.front().second, settings);
  if (result.drawing != nullptr && lines.size() > 1) {
    result.notices.push_back("the file holds " + std::to_string(lines.size()) +
                             " records; the first was read");
  }
  return result;
}

std::vector<treadresult> readinchirecords(std::span<const std::uint8_t> bytes,
                                          const tsettings& settings) {
  std::vector<treadresult> results;
  for (const auto& [number, line] : recordlines(bytes)) {
    results.push_back(readinchiline(number, line, settings));
  }
  if (results.empty()) {
    results.push_back(readinchifile(bytes, settings));
  }
  return results;
}

std::string inchiline(const tdrawing& drawing, std::string& error) {
  tinchiresult result = standardinchi(drawing);
  if (result.inchi.empty()) {
    error = result.message;
  }
  return result.inchi;
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

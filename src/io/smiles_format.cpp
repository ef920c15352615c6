// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/smiles_format.h"

#include "chemistry/record_layout.h"
#include "document/drawing.h"
#include "io/line_records.h"
#include "support/text_lines.h"

#include <optional>
#include <utility>

namespace molvane {

treadresult readsmilesline(int number, std::string_view line,
                           const tsettings& settings, bool laidout) {
  treadresult result;
  tsmilesrecord parsed = parsesmiles(line);
  if (!parsed.error.empty()) {
    result.error = lineerror(number, parsed.error);
    return result;
  }
  if (laidout) {
    std::string problem = layoutrecord(parsed.record, parsed.stereo);
    if (!problem.empty()) {
      result.error = lineerror(number, problem);
      return result;
    }
  } else {
    // Places apart, so that the drawing is not laid out: what it holds
    // does not depend on where its atoms stand.
    double x = 0.0;
    for (tatomentry& atom : parsed.record.atoms) {
      atom.x = x;
      x += 1.0;
    }
  }
  result.notices = parsed.record.notices;
  tbuildoptions options;
  options.settings = &settings;
  result.drawing = builddrawing(parsed.record, options, result.notices);
  return result;
}

tsmilesrecord firstsmilesrecord(std::span<const std::uint8_t> bytes) {
  trecordlines lines(bytes);
  int number = 0;
  std::string_view line;
  if (!lines.next(number, line)) {
    tsmilesrecord result;
    result.error = "the file holds no SMILES";
    return result;
  }
  tsmilesrecord result = parsesmiles(line);
  if (!result.error.empty()) {
    result.error = lineerror(number, result.error);
  }
  return result;
}

treadresult readsmilesfile(std::span<const std::uint8_t> bytes,
                           const tsettings& settings) {
  std::optional<treadresult> first = readfirstrecordline(
      bytes, [&settings](int number, std::string_view line) {
        return readsmilesline(number, line, settings);
      });
  if (!first) {
    // A file of no records, as written for a drawing without atoms.
    treadresult result;
    result.drawing = std::make_unique<tdrawing>(settings);
    result.notices.push_back("the file holds no SMILES");
    return result;
  }
  return std::move(*first);
}

std::vector<treadresult> readsmilesrecords(std::span<const std::uint8_t> bytes,
                                           const tsettings& settings) {
  std::vector<treadresult> results =
      readrecordlines(bytes, [&settings](int number, std::string_view line) {
        return readsmilesline(number, line, settings);
      });
  if (results.empty()) {
    results.push_back(readsmilesfile(bytes, settings));
  }
  return results;
}

std::vector<std::uint8_t> writesmilesfile(const tdrawing& drawing) {
  std::string error;
  std::string text = writesmiles(drawing, error);
  if (text.empty()) {
    return {};
  }
  text += linetitle(drawing) + "\n";
  return {text.begin(), text.end()};
}

}  // namespace molvane

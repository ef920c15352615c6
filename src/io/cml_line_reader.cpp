// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/cml_line_reader.h"

#include "chemistry/bond_perception.h"
#include "chemistry/molecule_record.h"
#include "chemistry/record_of_drawing.h"
#include "chemistry/stereo_perception.h"
#include "document/drawing.h"
#include "io/cml_fields.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "model/formula.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace molvane {

namespace {

// Reading line by line, for files of the program's own layout that are not
// well-formed XML.

/// The text between the first '>' and the following "</".
std::string_view elementtext(std::string_view line) {
  std::size_t open = line.find('>');
  if (open == std::string_view::npos) {
    return {};
  }
  std::size_t close = line.find("</", open + 1);
  return line.substr(open + 1, close == std::string_view::npos
                                   ? std::string_view::npos
                                   : close - open - 1);
}

/// The text between the first pair of double quotes after key.
std::string_view quotedafter(std::string_view line, std::string_view key) {
  std::size_t at = line.find(key);
  std::size_t open = line.find('"', at == std::string_view::npos ? 0 : at);
  if (open == std::string_view::npos) {
    return {};
  }
  std::size_t close = line.find('"', open + 1);
  return line.substr(open + 1, close == std::string_view::npos
                                   ? std::string_view::npos
                                   : close - open - 1);
}

std::string uppercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return std::toupper(c); });
  return text;
}

bool contains(std::string_view line, std::string_view part) {
  return line.find(part) != std::string_view::npos;
}

/// Whether the molecule line carries the attribute of upward y.
bool saysyup(const std::vector<std::string_view>& lines) {
  const std::string marker =
      std::string(cmlyaxisattribute) + "=\"" + std::string(cmlupwards) + "\"";
  for (std::string_view line : lines) {
    if (contains(line, "<molecule")) {
      return contains(line, marker);
    }
  }
  return false;
}

}  // namespace

treadresult readcmllines(std::span<const std::uint8_t> bytes,
                         const tsettings& settings) {
  treadresult result;
  std::vector<std::string_view> lines = splitlines(astext(bytes));
  auto failure = [&result](std::size_t i, const std::string& what) {
    result.error = lineerror(static_cast<int>(i) + 1, what);
    return std::move(result);
  };
  std::size_t i = 0;
  while (i < lines.size() && !contains(lines[i], "atomArray")) {
    ++i;
  }
  if (i == lines.size()) {
    return failure(i == 0 ? 0 : i - 1, "no atomArray");
  }
  tmoleculerecord record;
  std::unordered_map<std::string, int> ids;
  std::optional<std::pair<std::string, tatomentry>> open;
  int coordinates = 0;
  for (++i; i < lines.size() && !contains(lines[i], "/atomArray"); ++i) {
    std::string_view line = lines[i];
    if (contains(line, "atom id=")) {
      open.emplace(uppercase(cmlid(quotedafter(line, "id="))), tatomentry{});
      coordinates = 0;
    } else if (open && contains(line, "float builtin=")) {
      std::optional<double> value = parsecoordinate(trimmed(elementtext(line)));
      if (!value) {
        return failure(i, "coordinate not understood: " + quotedtext(line));
      }
      double* targets[] = {&open->second.x, &open->second.y, &open->second.z};
      if (coordinates < 3) {
        *targets[coordinates++] = *value;
      }
    } else if (open && contains(line, "elementType")) {
      std::string_view symbol = trimmed(elementtext(line));
      std::optional<tsymbolmeaning> meaning = symbolmeaning(symbol);
      if (!meaning) {
        return failure(i, "unknown element symbol " + quotedtext(symbol));
      }
      open->second.element = meaning->element;
      open->second.massnumber = meaning->massnumber;
      open->second.label = meaning->label;
    } else if (open && contains(line, "formalCharge")) {
      std::optional<long> charge = parseinteger(elementtext(line));
      if (!charge) {
        return failure(i, "charge not understood: " + quotedtext(line));
      }
      open->second.charge = static_cast<int>(std::clamp(*charge, -9L, 9L));
    } else if (open && (contains(line, "isotopeNumber") ||
                        contains(line, "hydrogenCount"))) {
      const bool isotope = contains(line, "isotopeNumber");
      std::optional<long> value = parseinteger(elementtext(line));
      if (!value || *value < 0 || *value > (isotope ? mostmassnumber : 60)) {
        return failure(i, std::string(isotope ? "isotope" : "hydrogen count") +
                              " not understood: " + quotedtext(line));
      }
      (isotope ? open->second.massnumber : open->second.hydrogens) =
          static_cast<int>(*value);
    } else if (open && contains(line, "</atom>")) {
      if (!ids.emplace(open->first, static_cast<int>(record.atoms.size()))
               .second) {
        return failure(i,
                       "atom id " + quotedtext(open->first) + " given twice");
      }
      record.atoms.push_back(open->second);
      open.reset();
    }
  }
  while (i < lines.size() && !contains(lines[i], "<bondArray>")) {
    ++i;
  }
  std::vector<std::string> references;
  std::string order;
  std::size_t bondline = 0;
  bool inbond = false;
  auto closebond = [&]() -> bool {
    if (!inbond) {
      return true;
    }
    inbond = false;
    if (references.size() < 2) {
      result.error = lineerror(static_cast<int>(bondline) + 1,
                               "a bond needs two atom references");
      return false;
    }
    int ends[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
      auto found = ids.find(references[static_cast<std::size_t>(k)]);
      if (found == ids.end()) {
        result.error =
            lineerror(static_cast<int>(bondline) + 1,
                      "bond to atom " +
                          quotedtext(references[static_cast<std::size_t>(k)]) +
                          ", which the molecule does not hold");
        return false;
      }
      ends[k] = found->second;
    }
    std::optional<tbondentry> bond = cmlorder(order);
    if (!bond || ends[0] == ends[1]) {
      result.error =
          lineerror(static_cast<int>(bondline) + 1, "bond not understood");
      return false;
    }
    bond->atom1 = ends[0];
    bond->atom2 = ends[1];
    record.bonds.push_back(*bond);
    return true;
  };
  for (; i < lines.size() && !contains(lines[i], "</bondArray>"); ++i) {
    std::string_view line = lines[i];
    if (contains(line, "<bond id=")) {
      if (!closebond()) {
        return result;
      }
      inbond = true;
      bondline = i;
      references.clear();
      order.clear();
    } else if (inbond && contains(line, "atomRef")) {
      references.push_back(uppercase(cmlid(elementtext(line))));
    } else if (inbond && contains(line, "order")) {
      order = cmlid(elementtext(line));
    } else if (contains(line, "</bond>") && !closebond()) {
      return result;
    }
  }
  if (!closebond()) {
    return result;
  }
  tbuildoptions options;
  options.settings = &settings;
  options.ownlayout = true;
  options.angstromperlength = companionangstromperbond;
  options.ydown = !saysyup(lines);
  result.notices = record.notices;
  result.drawing = builddrawing(record, options, result.notices);
  return result;
}

bool iscmlownfile(std::span<const std::uint8_t> bytes) {
  return contains(astext(bytes), cmlownmoleculeid);
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/molfile_properties.h"

#include "io/group_aliases.h"
#include "model/element_data.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace molvane {

namespace {

class tpropertyreader {
 public:
  tpropertyreader(std::span<const std::string_view> lines, int firstline,
                  tmoleculerecord& record)
      : lines_(lines), firstline_(firstline), record_(record) {}

  /// "M  CHG  2   1  -1   4   1": a count, then atom and value pairs. A
  /// line with fewer pairs than it announces gives the ones it has; a line
  /// with no count gives none. Either is noted.
  bool readpairs(std::size_t i, std::vector<std::pair<long, long>>& pairs) {
    std::vector<std::string_view> words = splitwords(lines_[i].substr(6));
    std::optional<long> count =
        words.empty() ? std::nullopt : parseinteger(words[0]);
    if (words.empty()) {
      notice(i,
             "property line without a count skipped: " + quotedtext(lines_[i]));
      return true;
    }
    if (!count || *count < 0) {
      return fail(i, "property line not understood: " + quotedtext(lines_[i]));
    }
    std::size_t present = (words.size() - 1) / 2;
    if (present < static_cast<std::size_t>(*count)) {
      notice(i, quotedtext(lines_[i].substr(0, 6)) + " announces " +
                    std::to_string(*count) + " entries but holds " +
                    std::to_string(present));
    }
    std::size_t used = std::min(present, static_cast<std::size_t>(*count));
    for (std::size_t k = 0; k < used; ++k) {
      std::optional<long> first = parseinteger(words[1 + 2 * k]);
      std::optional<long> second = parseinteger(words[2 + 2 * k]);
      if (!first || !second) {
        return fail(i,
                    "property line not understood: " + quotedtext(lines_[i]));
      }
      pairs.emplace_back(*first, *second);
    }
    return true;
  }

  tatomentry* propertyatom(std::size_t i, long position,
                           std::string_view what) {
    long count = static_cast<long>(record_.atoms.size());
    if (position < 1 || position > count) {
      fail(i, std::string(what) + " on atom " + std::to_string(position) +
                  " of " + std::to_string(count));
      return nullptr;
    }
    return &record_.atoms[static_cast<std::size_t>(position - 1)];
  }

  bool read(std::size_t i) {
    bool chargesreset = false;
    bool massesreset = false;
    std::vector<tatomalias> aliases;
    for (; i < lines_.size(); ++i) {
      std::string_view line = lines_[i];
      if (startswith(line, "M  END") || startswith(line, ">")) {
        break;
      }
      bool charges = startswith(line, "M  CHG");
      bool radicals = startswith(line, "M  RAD");
      bool isotopes = startswith(line, "M  ISO");
      bool zeroorder = startswith(line, "M  ZBO");
      if (startswith(line, "A  ") || startswith(line, "G  ")) {
        // The alias text (or group) stands on the next line.
        std::optional<long> atom = columninteger(line, 3, 3, -1);
        if (startswith(line, "A  ") && atom && i + 1 < lines_.size()) {
          aliases.push_back({*atom - 1, trimmed(lines_[i + 1])});
        }
        ++i;
        continue;
      }
      if (!charges && !radicals && !isotopes && !zeroorder) {
        noteskipped(i, line);
        continue;
      }
      std::vector<std::pair<long, long>> pairs;
      if (!readpairs(i, pairs)) {
        return false;
      }
      // The first charge or radical line replaces every charge and radical
      // of the atom block; the first isotope line every mass difference.
      if ((charges || radicals) && !chargesreset) {
        chargesreset = true;
        for (tatomentry& atom : record_.atoms) {
          atom.charge = 0;
          atom.radical = 0;
        }
      }
      if (isotopes && !massesreset) {
        massesreset = true;
        for (tatomentry& atom : record_.atoms) {
          atom.massnumber = atom.label == "D" ? 2 : atom.label == "T" ? 3 : 0;
        }
      }
      for (const auto& [position, value] : pairs) {
        if (zeroorder) {
          long count = static_cast<long>(record_.bonds.size());
          if (position < 1 || position > count) {
            return fail(i, "bond " + std::to_string(position) + " of " +
                               std::to_string(count));
          }
          if (value == 0) {
            record_.bonds[static_cast<std::size_t>(position - 1)].kind = 0;
            record_.bonds[static_cast<std::size_t>(position - 1)].delocalised =
                false;
          }
          continue;
        }
        tatomentry* atom = propertyatom(i, position,
                                        charges    ? "charge"
                                        : radicals ? "radical"
                                                   : "isotope");
        if (atom == nullptr) {
          return false;
        }
        if (charges) {
          if (value < -15 || value > 15) {
            return fail(i, "charge " + std::to_string(value));
          }
          atom->charge = static_cast<int>(std::clamp(value, -9L, 9L));
        } else if (radicals) {
          if (value < 0 || value > 3) {
            return fail(i, "radical " + std::to_string(value));
          }
          atom->radical = static_cast<int>(value);
        } else if (atom->element > 0) {
          // Pseudo atoms use the field for R-group numbers; 0 is the
          // natural isotope mixture.
          if (!setstatedmassnumber(*atom, value)) {
            notice(i, "mass number " + std::to_string(value) + " ignored");
          }
        }
      }
    }
    if (!skipped_.empty()) {
      notice(skippedline_, "skipped what the drawing cannot hold: " + skipped_);
    }
    expandaliases(record_, aliases);
    return true;
  }

  /// Property lines the drawing has no place for ("M  ALS" atom lists,
  /// "M  STY" groups and their "M  S.." lines, "V" values, ...) are
  /// gathered into one notice by kind.
  void noteskipped(std::size_t i, std::string_view line) {
    // "M  ALS" and the like by their six columns, "V    3 text" by its letter.
    std::string_view kind =
        startswith(line, "M  ") ? line.substr(0, 6) : line.substr(0, 1);
    while (!kind.empty() && kind.back() == ' ') {
      kind.remove_suffix(1);
    }
    if (kind.empty()) {
      return;
    }
    if (skipped_.empty()) {
      skippedline_ = i;
    }
    std::string entry = "\"" + std::string(kind) + "\"";
    if (kind == "V") {
      entry += " (atom values)";
    } else if (kind == "M  ALS") {
      entry += " (atom lists)";
    } else if (kind == "M  STY") {
      entry += " (groups)";
    }
    if (skipped_.find(entry) == std::string::npos) {
      skipped_ += skipped_.empty() ? entry : ", " + entry;
    }
  }

  const std::string& error() const { return error_; }

 private:
  int number(std::size_t i) const { return firstline_ + static_cast<int>(i); }

  bool fail(std::size_t i, const std::string& what) {
    if (error_.empty()) {
      error_ = lineerror(number(i), what);
    }
    return false;
  }

  void notice(std::size_t i, const std::string& what) {
    record_.notices.push_back(lineerror(number(i), what));
  }

  std::span<const std::string_view> lines_;
  int firstline_;
  tmoleculerecord& record_;
  std::string error_;
  std::string skipped_;
  std::size_t skippedline_ = 0;
};

}  // namespace

std::string readmolfileproperties(std::span<const std::string_view> lines,
                                  std::size_t first, int firstline,
                                  tmoleculerecord& record) {
  tpropertyreader reader(lines, firstline, record);
  reader.read(first);
  return reader.error();
}

bool setstatedmassnumber(tatomentry& atom, long value) {
  if (value == 0) {
    atom.massnumber = 0;
    return true;
  }
  if (value < 1 || value > mostmassnumber) {
    return false;
  }
  atom.massnumber = static_cast<int>(value);
  return true;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/molfile_reader.h"

#include "chemistry/stereo_perception.h"
#include "io/molfile_fields.h"
#include "io/molfile_properties.h"
#include "model/atom.h"
#include "model/element_data.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace molvane {

namespace {

class tmolfileparser {
 public:
  tmolfileparser(std::span<const std::string_view> lines, int firstline)
      : lines_(lines), firstline_(firstline) {}

  tparsedmolfile parse() {
    tparsedmolfile result;
    if (lines_.size() < 4) {
      fail(lines_.size(), "the record ends before its counts line");
      result.error = error_;
      return result;
    }
    record_.title = std::string(trimmed(lines_[0]));
    std::string_view counts = lines_[3];
    bool read = false;
    if (iscompanioncounts(counts)) {
      result.layout = tmolfilelayout::companion;
      read = readcompanion();
    } else if (counts.find("V3000") != std::string_view::npos) {
      result.layout = tmolfilelayout::v3000;
      read = readv3000();
    } else {
      result.layout = tmolfilelayout::v2000;
      read = readv2000();
    }
    if (!read) {
      result.error = error_;
      return result;
    }
    markstereo();
    if (result.layout != tmolfilelayout::companion) {
      result.angstromperlength = companionscale(lines_[2]);
    }
    result.record = std::move(record_);
    return result;
  }

 private:
  /// A wedge states its narrow end; an "either" bond leaves its double
  /// bond, or the centre at its first atom and the double bonds there,
  /// open.
  void markstereo() {
    for (tbondentry& bond : record_.bonds) {
      if (bond.style == tbondstyle::wedge || bond.style == tbondstyle::hashed) {
        record_.atoms[static_cast<std::size_t>(bond.atom1)].stereomark =
            tstereomark::stated;
      }
    }
    std::vector<int> wedged;
    for (std::size_t i = 0; i < record_.atoms.size(); ++i) {
      if (record_.atoms[i].stereomark == tstereomark::stated) {
        wedged.push_back(static_cast<int>(i));
      }
    }
    if (!wedged.empty()) {
      const trecordstereo stereo = perceivestereo(record_);
      for (int atom : wedged) {
        if (std::none_of(stereo.centres.begin(), stereo.centres.end(),
                         [atom](const ttetrahedralstereo& centre) {
                           return centre.centre == atom;
                         })) {
          record_.notices.push_back("the wedges at atom " +
                                    std::to_string(atom + 1) +
                                    " state no configuration");
        }
      }
    }
    for (std::size_t index : eitherbonds_) {
      tbondentry& bond = record_.bonds[index];
      if (bond.kind == 4) {
        bond.stereomark = tstereomark::unstated;
        continue;
      }
      tatomentry& atom = record_.atoms[static_cast<std::size_t>(bond.atom1)];
      if (atom.stereomark != tstereomark::stated) {
        atom.stereomark = tstereomark::unstated;
      }
      for (tbondentry& other : record_.bonds) {
        if (other.kind == 4 &&
            (other.atom1 == bond.atom1 || other.atom2 == bond.atom1)) {
          other.stereomark = tstereomark::unstated;
        }
      }
    }
  }

  /// Atom parity 1 or 2 states the centre, 3 leaves it open.
  static void markparity(tatomentry& atom, long parity) {
    if (parity == 1 || parity == 2) {
      atom.stereomark = tstereomark::stated;
    } else if (parity == 3) {
      atom.stereomark = tstereomark::unstated;
    }
  }

  int number(std::size_t i) const { return firstline_ + static_cast<int>(i); }

  bool fail(std::size_t i, const std::string& what) {
    if (error_.empty()) {
      error_ = lineerror(number(i), what);
    }
    return false;
  }

  /// Something the record states that the drawing cannot hold or that had
  /// to be read leniently; the molecule itself is kept.
  void notice(std::size_t i, const std::string& what) {
    record_.notices.push_back(lineerror(number(i), what));
  }

  /// Checks that count lines follow line i before any is read.
  bool enoughlines(std::size_t i, long atoms, long bonds) {
    std::size_t left = lines_.size() - i - 1;
    if (atoms < 0 || bonds < 0) {
      return fail(i, "negative atom or bond count");
    }
    if (static_cast<unsigned long>(atoms) + static_cast<unsigned long>(bonds) >
        left) {
      return fail(i, std::to_string(atoms) + " atoms and " +
                         std::to_string(bonds) + " bonds announced, but only " +
                         std::to_string(left) + " lines follow");
    }
    return true;
  }

  bool checkbond(std::size_t i, long a, long b) {
    long count = static_cast<long>(record_.atoms.size());
    for (long end : {a, b}) {
      if (end < 1 || end > count) {
        return fail(i, "bond to atom " + std::to_string(end) + " of " +
                           std::to_string(count));
      }
    }
    if (a == b) {
      return fail(i, "bond from atom " + std::to_string(a) + " to itself");
    }
    return true;
  }

  bool setsymbol(std::size_t i, tatomentry& atom, std::string_view symbol) {
    std::optional<tsymbolmeaning> meaning = symbolmeaning(symbol);
    if (!meaning) {
      return fail(i, "unknown element symbol " + quotedtext(symbol));
    }
    atom.element = meaning->element;
    atom.massnumber = meaning->massnumber;
    atom.label = meaning->label;
    return true;
  }

  // The companion layout: free-format lines.
  //   "  0.00000   1.54000   0.00000  O 0 -1  0  1 0"
  //   "1 2  1 0 0 0"
  bool readcompanion() {
    std::vector<std::string_view> counts = splitwords(lines_[3]);
    long atoms = *parseinteger(counts[0]);
    long bonds = *parseinteger(counts[1]);
    if (!enoughlines(3, atoms, bonds)) {
      return false;
    }
    std::size_t i = 4;
    for (long n = 0; n < atoms; ++n, ++i) {
      std::vector<std::string_view> words = splitwords(lines_[i]);
      tatomentry atom;
      std::optional<double> x, y, z;
      if (words.size() >= 4) {
        x = parsecoordinate(words[0]);
        y = parsecoordinate(words[1]);
        z = parsecoordinate(words[2]);
      }
      if (!x || !y || !z) {
        return fail(i, "atom line not understood: " + quotedtext(lines_[i]));
      }
      atom.x = *x;
      atom.y = *y;
      atom.z = *z;
      std::string_view symbol = words[3];
      if (!symbolmeaning(symbol) && symbol.size() > 2) {
        symbol = symbol.substr(0, 2);
      }
      if (!setsymbol(i, atom, symbol)) {
        return false;
      }
      // The charge stands after a "0" field; files that put it first are
      // read as well.
      for (std::size_t field : {std::size_t{4}, std::size_t{5}}) {
        if (field >= words.size() || atom.charge != 0) {
          continue;
        }
        std::optional<int> charge = molfileinteger(words[field]);
        if (!charge) {
          return fail(i, "charge not understood: " + quotedtext(words[field]));
        }
        atom.charge = std::clamp(*charge, -9, 9);
      }
      record_.atoms.push_back(atom);
    }
    for (long n = 0; n < bonds; ++n, ++i) {
      std::vector<std::string_view> words = splitwords(lines_[i]);
      std::optional<int> a, b, order;
      if (words.size() >= 3) {
        a = molfileinteger(words[0]);
        b = molfileinteger(words[1]);
        order = molfileinteger(words[2]);
      }
      if (!a || !b || !order) {
        return fail(i, "bond line not understood: " + quotedtext(lines_[i]));
      }
      if (!checkbond(i, *a, *b)) {
        return false;
      }
      if (*order < 0 || *order > 3) {
        return fail(i, "bond order " + std::to_string(*order));
      }
      tbondentry bond;
      bond.atom1 = *a - 1;
      bond.atom2 = *b - 1;
      bond.kind = 2 * *order;
      // Where the order alone would lose the kind, this program writes the
      // kind plus 1 after it, then 1 for a delocalised bond.
      std::optional<int> exact =
          words.size() >= 4 ? molfileinteger(words[3]) : std::optional<int>(0);
      if (exact && *exact >= 1 && *exact <= 7) {
        bond.kind = *exact - 1;
        bond.delocalised = words.size() >= 5 && words[4] == "1";
      }
      record_.bonds.push_back(bond);
    }
    return true;
  }

  // The V2000 connection table, fixed columns:
  //   "  3  2  0  0  0  0  0  0  0  0999 V2000"
  //   "    1.2124    0.0000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0"
  //   "  1  2  1  0  0  0  0"
  bool readv2000() {
    std::string_view counts = lines_[3];
    std::optional<long> atoms = columninteger(counts, 0, 3, -1);
    std::optional<long> bonds = columninteger(counts, 3, 3, -1);
    if (!atoms || !bonds || *atoms < 0 || *bonds < 0) {
      std::vector<std::string_view> words = splitwords(counts);
      if (words.size() >= 2) {
        atoms = parseinteger(words[0]);
        bonds = parseinteger(words[1]);
      }
    }
    if (!atoms || !bonds) {
      return fail(3, "counts line not understood: " + quotedtext(counts));
    }
    if (!enoughlines(3, *atoms, *bonds)) {
      return false;
    }
    record_.atoms.reserve(static_cast<std::size_t>(*atoms));
    record_.bonds.reserve(static_cast<std::size_t>(*bonds));
    std::size_t i = 4;
    for (long n = 0; n < *atoms; ++n, ++i) {
      if (!readv2000atom(i)) {
        return false;
      }
    }
    for (long n = 0; n < *bonds; ++n, ++i) {
      if (!readv2000bond(i)) {
        return false;
      }
    }
    std::string error = readmolfileproperties(lines_, i, firstline_, record_);
    if (!error.empty() && error_.empty()) {
      error_ = std::move(error);
    }
    return error_.empty();
  }

  bool readv2000atom(std::size_t i) {
    std::string_view line = lines_[i];
    std::optional<double> x = parsecoordinate(columns(line, 0, 10));
    std::optional<double> y = parsecoordinate(columns(line, 10, 10));
    std::optional<double> z = parsecoordinate(columns(line, 20, 10));
    std::string_view symbol = trimmed(columns(line, 31, 3));
    std::optional<long> massdifference = columninteger(line, 34, 2);
    std::optional<long> chargecode = columninteger(line, 36, 3);
    std::optional<long> valence = columninteger(line, 48, 3);
    std::optional<long> parity = columninteger(line, 39, 3);
    if (!x || !y || !z || symbol.empty()) {
      // Coordinates wider than their columns push the rest along; the
      // fields are then still apart.
      std::vector<std::string_view> words = splitwords(line);
      auto word = [&words](std::size_t k) {
        return k < words.size() ? parseinteger(words[k]) : std::optional(0L);
      };
      // A symbol never starts with a digit: that is a bond line read as an
      // atom line because the counts announced too many atoms.
      bool named = words.size() >= 4 &&
                   std::isdigit(static_cast<unsigned char>(words[3][0])) == 0;
      if (named) {
        x = parsecoordinate(words[0]);
        y = parsecoordinate(words[1]);
        z = parsecoordinate(words[2]);
        symbol = words[3];
        massdifference = word(4);
        chargecode = word(5);
        parity = word(6);
        valence = word(9);
      }
    }
    if (!x || !y || !z || symbol.empty()) {
      return fail(i, "atom line not understood: " + quotedtext(line));
    }
    if (!massdifference || !chargecode || !valence) {
      return fail(i, "atom fields not understood: " + quotedtext(line));
    }
    tatomentry atom;
    atom.x = *x;
    atom.y = *y;
    atom.z = *z;
    if (!setsymbol(i, atom, symbol)) {
      return false;
    }
    if (*massdifference != 0 && atom.element > 0 && atom.massnumber == 0 &&
        std::abs(*massdifference) < 100) {
      int mass = roundhalfeven(massof(atom.element)) +
                 static_cast<int>(*massdifference);
      atom.massnumber = mass >= 1 && mass <= mostmassnumber ? mass : 0;
    }
    applymolfilechargecode(atom, static_cast<int>(*chargecode));
    if (*valence == 15) {
      atom.valence = 0;
    } else if (*valence >= 1 && *valence <= 14) {
      atom.valence = static_cast<int>(*valence);
    }
    if (parity) {
      markparity(atom, *parity);
    }
    record_.atoms.push_back(atom);
    return true;
  }

  bool readv2000bond(std::size_t i) {
    std::string_view line = lines_[i];
    std::optional<long> a = columninteger(line, 0, 3, -1);
    std::optional<long> b = columninteger(line, 3, 3, -1);
    std::optional<long> type = columninteger(line, 6, 3, -1);
    std::optional<long> stereo = columninteger(line, 9, 3);
    if (!a || !b || !type || !stereo) {
      std::vector<std::string_view> words = splitwords(line);
      if (words.size() >= 3) {
        a = parseinteger(words[0]);
        b = parseinteger(words[1]);
        type = parseinteger(words[2]);
        stereo = words.size() >= 4 ? parseinteger(words[3]) : 0L;
      }
    }
    if (!a || !b || !type || !stereo) {
      return fail(i, "bond line not understood: " + quotedtext(line));
    }
    if (!checkbond(i, *a, *b)) {
      return false;
    }
    std::optional<tbondentry> bond =
        molfilebondtype(static_cast<int>(std::clamp(*type, -1L, 100L)));
    if (!bond) {
      return fail(i, "unknown bond type " + std::to_string(*type));
    }
    bond->atom1 = static_cast<int>(*a) - 1;
    bond->atom2 = static_cast<int>(*b) - 1;
    if (bond->kind == 2 && !bond->delocalised) {
      if (*stereo == 1) {
        bond->style = tbondstyle::wedge;
      } else if (*stereo == 6) {
        bond->style = tbondstyle::hashed;
      }
    }
    if ((*stereo == 4 && bond->kind == 2) ||
        (*stereo == 3 && bond->kind == 4)) {
      eitherbonds_.push_back(record_.bonds.size());
    }
    record_.bonds.push_back(*bond);
    return true;
  }

  // V3000: "M  V30 " lines, a trailing "-" continues on the next line.
  //   "M  V30 5 O -1.5659 -0.1115 0 0 -"
  //   "M  V30 CHG=-1"
  struct tlogicalline {
    std::string text;
    std::size_t line;
  };

  bool v3000lines(std::vector<tlogicalline>& logical) {
    std::string pending;
    std::size_t pendingline = 0;
    bool continued = false;
    for (std::size_t i = 4; i < lines_.size(); ++i) {
      std::string_view line = lines_[i];
      if (startswith(line, "M  END")) {
        if (continued) {
          return fail(i, "a continued V3000 line has no continuation");
        }
        return true;
      }
      if (!startswith(line, "M  V30")) {
        return fail(
            i, "line does not start with \"M  V30 \": " + quotedtext(line));
      }
      std::string_view content = trimmed(line.substr(6));
      if (!continued) {
        pending.clear();
        pendingline = i;
      }
      continued = !content.empty() && content.back() == '-';
      if (continued) {
        content.remove_suffix(1);
      }
      pending += content;
      if (!continued) {
        logical.push_back({pending, pendingline});
      }
    }
    return fail(lines_.size() - 1, "the V3000 table has no \"M  END\"");
  }

  static std::optional<std::string_view> keyvalue(std::string_view word,
                                                  std::string_view key) {
    if (word.size() > key.size() && startswith(word, key) &&
        word[key.size()] == '=') {
      return word.substr(key.size() + 1);
    }
    return std::nullopt;
  }

  bool readv3000atom(const tlogicalline& line,
                     std::unordered_map<long, int>& positions) {
    std::vector<std::string_view> words = v3000words(line.text);
    std::optional<long> index;
    std::optional<double> x, y, z;
    if (words.size() >= 5) {
      index = parseinteger(words[0]);
      x = parsecoordinate(words[2]);
      y = parsecoordinate(words[3]);
      z = parsecoordinate(words[4]);
    }
    if (!index || !x || !y || !z || *index < 1) {
      return fail(line.line,
                  "atom line not understood: " + quotedtext(line.text));
    }
    tatomentry atom;
    atom.x = *x;
    atom.y = *y;
    atom.z = *z;
    std::string_view symbol = words[1];
    if (symbol.size() >= 2 && symbol.front() == '"' && symbol.back() == '"') {
      symbol = symbol.substr(1, symbol.size() - 2);
    }
    if (!setsymbol(line.line, atom, symbol)) {
      return false;
    }
    for (std::size_t k = 5; k < words.size(); ++k) {
      std::optional<std::string_view> text;
      std::optional<int> value;
      if ((text = keyvalue(words[k], "CHG"))) {
        value = molfileinteger(*text);
        if (!value || *value < -15 || *value > 15) {
          return fail(line.line, "charge " + quotedtext(*text));
        }
        atom.charge = std::clamp(*value, -9, 9);
      } else if ((text = keyvalue(words[k], "RAD"))) {
        value = molfileinteger(*text);
        if (!value || *value < 0 || *value > 3) {
          return fail(line.line, "radical " + quotedtext(*text));
        }
        atom.radical = *value;
      } else if ((text = keyvalue(words[k], "MASS"))) {
        value = molfileinteger(*text);
        if (!value) {
          return fail(line.line, "mass number " + quotedtext(*text));
        }
        if (atom.element > 0 && !setstatedmassnumber(atom, *value)) {
          notice(line.line,
                 "mass number " + std::to_string(*value) + " ignored");
        }
      } else if ((text = keyvalue(words[k], "CFG"))) {
        if (std::optional<int> parity = molfileinteger(*text)) {
          markparity(atom, *parity);
        }
      } else if ((text = keyvalue(words[k], "VAL"))) {
        value = molfileinteger(*text);
        if (!value) {
          return fail(line.line, "valence " + quotedtext(*text));
        }
        if (*value == -1) {
          atom.valence = 0;
        } else if (*value >= 1 && *value <= 14) {
          atom.valence = *value;
        }
      }
    }
    if (!positions.emplace(*index, static_cast<int>(record_.atoms.size()))
             .second) {
      return fail(line.line, "atom " + std::to_string(*index) + " given twice");
    }
    record_.atoms.push_back(atom);
    return true;
  }

  bool readv3000bond(const tlogicalline& line,
                     const std::unordered_map<long, int>& positions) {
    std::vector<std::string_view> words = v3000words(line.text);
    std::optional<long> type, a, b;
    if (words.size() >= 4) {
      type = parseinteger(words[1]);
      a = parseinteger(words[2]);
      b = parseinteger(words[3]);
    }
    if (!type || !a || !b) {
      return fail(line.line,
                  "bond line not understood: " + quotedtext(line.text));
    }
    auto end1 = positions.find(*a);
    auto end2 = positions.find(*b);
    if (end1 == positions.end() || end2 == positions.end()) {
      long missing = end1 == positions.end() ? *a : *b;
      return fail(line.line, "bond to atom " + std::to_string(missing) +
                                 ", which the atom block does not hold");
    }
    if (*a == *b) {
      return fail(line.line,
                  "bond from atom " + std::to_string(*a) + " to itself");
    }
    std::optional<tbondentry> bond =
        molfilebondtype(static_cast<int>(std::clamp(*type, -1L, 100L)));
    if (!bond) {
      return fail(line.line, "unknown bond type " + std::to_string(*type));
    }
    bond->atom1 = end1->second;
    bond->atom2 = end2->second;
    for (std::size_t k = 4; k < words.size(); ++k) {
      std::optional<std::string_view> configuration = keyvalue(words[k], "CFG");
      if (configuration && bond->kind == 2 && !bond->delocalised) {
        if (*configuration == "1") {
          bond->style = tbondstyle::wedge;
        } else if (*configuration == "3") {
          bond->style = tbondstyle::hashed;
        }
      }
      if (configuration && *configuration == "2" &&
          (bond->kind == 2 || bond->kind == 4)) {
        eitherbonds_.push_back(record_.bonds.size());
      }
    }
    record_.bonds.push_back(*bond);
    return true;
  }

  bool readv3000() {
    std::vector<tlogicalline> logical;
    if (!v3000lines(logical)) {
      return false;
    }
    enum class tblock { outside, table, atoms, bonds };
    tblock block = tblock::outside;
    std::unordered_map<long, int> positions;
    long announcedatoms = -1;
    long announcedbonds = -1;
    std::size_t skipdepth = 0;
    bool ended = false;
    for (const tlogicalline& line : logical) {
      std::vector<std::string_view> words = v3000words(line.text);
      if (words.empty()) {
        continue;
      }
      if (skipdepth > 0) {
        skipdepth += words[0] == "BEGIN" ? 1 : 0;
        skipdepth -= words[0] == "END" ? 1 : 0;
        continue;
      }
      std::string_view name = words.size() >= 2 ? words[1] : "";
      if (words[0] == "BEGIN") {
        if (block == tblock::outside && name == "CTAB") {
          block = tblock::table;
        } else if (block == tblock::table && name == "ATOM") {
          block = tblock::atoms;
        } else if (block == tblock::table && name == "BOND") {
          block = tblock::bonds;
        } else {
          skipdepth = 1;
        }
      } else if (words[0] == "END") {
        if (block == tblock::atoms && name == "ATOM") {
          if (static_cast<long>(record_.atoms.size()) != announcedatoms) {
            return fail(line.line, "the atom block holds " +
                                       std::to_string(record_.atoms.size()) +
                                       " atoms, the counts say " +
                                       std::to_string(announcedatoms));
          }
          block = tblock::table;
        } else if (block == tblock::bonds && name == "BOND") {
          if (static_cast<long>(record_.bonds.size()) != announcedbonds) {
            return fail(line.line, "the bond block holds " +
                                       std::to_string(record_.bonds.size()) +
                                       " bonds, the counts say " +
                                       std::to_string(announcedbonds));
          }
          block = tblock::table;
        } else if (block == tblock::table && name == "CTAB") {
          ended = true;
          break;
        } else {
          return fail(line.line, "unexpected " + quotedtext(line.text));
        }
      } else if (block == tblock::table && words[0] == "COUNTS") {
        std::optional<long> atoms, bonds;
        if (words.size() >= 3) {
          atoms = parseinteger(words[1]);
          bonds = parseinteger(words[2]);
        }
        if (!atoms || !bonds || *atoms < 0 || *bonds < 0) {
          return fail(line.line,
                      "counts not understood: " + quotedtext(line.text));
        }
        announcedatoms = *atoms;
        announcedbonds = *bonds;
      } else if (block == tblock::atoms) {
        if (announcedatoms < 0) {
          return fail(line.line, "atoms before the counts");
        }
        if (!readv3000atom(line, positions)) {
          return false;
        }
      } else if (block == tblock::bonds) {
        if (announcedbonds < 0) {
          return fail(line.line, "bonds before the counts");
        }
        if (!readv3000bond(line, positions)) {
          return false;
        }
      }
    }
    if (!ended) {
      return fail(lines_.size() - 1, "the V3000 table has no \"END CTAB\"");
    }
    if (announcedatoms > 0 && record_.atoms.empty()) {
      return fail(lines_.size() - 1, "the V3000 table has no atom block");
    }
    return true;
  }

  std::span<const std::string_view> lines_;
  int firstline_;
  tmoleculerecord record_;
  /// Bonds whose stereo the file leaves open ("either").
  std::vector<std::size_t> eitherbonds_;
  std::string error_;
};

}  // namespace

tparsedmolfile parsemolfile(std::span<const std::string_view> lines,
                            int firstline) {
  return tmolfileparser(lines, firstline).parse();
}

}  // namespace molvane

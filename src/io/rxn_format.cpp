// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/rxn_format.h"

#include "chemistry/molecule_record.h"
#include "document/symbol.h"
#include "io/molfile_reader.h"
#include "model/atom.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace molvane {

namespace {

/// The symbol tool's command for a single reaction arrow.
constexpr int reactionarrowcommand = 720;

/// A V3000 connection table read on its own gets this molfile header.
constexpr std::string_view v3000counts =
    "  0  0  0     0  0            999 V3000";

enum class trole { reactant, product, agent };

std::string rolename(trole role) {
  switch (role) {
    case trole::reactant:
      return "reactant";
    case trole::product:
      return "product";
    default:
      return "agent";
  }
}

/// "2 reactants", "1 product".
std::string counted(long count, trole role) {
  return std::to_string(count) + " " + rolename(role) + (count == 1 ? "" : "s");
}

struct tmolecule {
  trole role;
  /// 1-based among the molecules of its role, for messages.
  int number;
  tmoleculerecord record;
};

struct tcounts {
  long reactants = 0;
  long products = 0;
  long agents = 0;
};

/// The lines of one molecule and the file's number of its first line.
struct tmoleculelines {
  trole role;
  std::vector<std::string_view> lines;
  int firstline;
};

class trxnparser {
 public:
  explicit trxnparser(std::string_view text) : lines_(splitlines(text)) {}

  /// The molecules in file order, or nullopt with error() set.
  std::optional<std::vector<tmolecule>> parse() {
    std::vector<tmoleculelines> blocks;
    bool read = lines_.front().find("V3000") != std::string_view::npos
                    ? readv3000(blocks)
                    : readv2000(blocks);
    if (!read) {
      return std::nullopt;
    }
    std::vector<tmolecule> molecules;
    int numbers[3] = {0, 0, 0};
    for (const tmoleculelines& block : blocks) {
      int number = ++numbers[static_cast<int>(block.role)];
      tparsedmolfile parsed = parsemolfile(block.lines, block.firstline);
      if (!parsed.error.empty()) {
        error_ = rolename(block.role) + " " + std::to_string(number) + ", " +
                 parsed.error;
        return std::nullopt;
      }
      molecules.push_back({block.role, number, std::move(parsed.record)});
    }
    if (numbers[0] + numbers[1] == 0) {
      error_ = "the reaction holds neither reactants nor products";
      return std::nullopt;
    }
    return molecules;
  }

  const std::string& error() const { return error_; }
  std::string title() const {
    return lines_.size() > 1 ? std::string(trimmed(lines_[1])) : "";
  }

 private:
  bool fail(std::size_t i, const std::string& what) {
    error_ = lineerror(static_cast<int>(i) + 1, what);
    return false;
  }

  /// The counts must match the molecules found, role by role.
  bool checkcounts(std::size_t line, const tcounts& counts,
                   const std::vector<tmoleculelines>& blocks) {
    long found[3] = {0, 0, 0};
    for (const tmoleculelines& block : blocks) {
      ++found[static_cast<int>(block.role)];
    }
    if (counts.reactants == found[0] && counts.products == found[1] &&
        counts.agents == found[2]) {
      return true;
    }
    std::string announced = counted(counts.reactants, trole::reactant) + ", " +
                            counted(counts.products, trole::product);
    if (counts.agents != 0) {
      announced += " and " + counted(counts.agents, trole::agent);
    }
    std::string present = counted(found[0], trole::reactant) + ", " +
                          counted(found[1], trole::product);
    if (found[2] != 0) {
      present += " and " + counted(found[2], trole::agent);
    }
    return fail(line, announced + " announced, but the file holds " + present);
  }

  // "$RXN", name, program line, comment, then the counts "  2  1" (agents
  // in a third column), each molecule after a "$MOL" line.
  bool readv2000(std::vector<tmoleculelines>& blocks) {
    constexpr std::size_t countsline = 4;
    if (lines_.size() <= countsline) {
      return fail(lines_.size() - 1, "the file ends before its counts line");
    }
    std::string_view line = lines_[countsline];
    std::optional<long> reactants = columninteger(line, 0, 3, -1);
    std::optional<long> products = columninteger(line, 3, 3, -1);
    std::optional<long> agents = columninteger(line, 6, 3, 0);
    if (!reactants || !products || !agents) {
      std::vector<std::string_view> words = splitwords(line);
      if (words.size() >= 2 && words.size() <= 3) {
        reactants = parseinteger(words[0]);
        products = parseinteger(words[1]);
        agents = words.size() == 3 ? parseinteger(words[2]) : 0L;
      }
    }
    if (!reactants || !products || !agents || *reactants < 0 || *products < 0 ||
        *agents < 0) {
      return fail(countsline,
                  "counts line not understood: " + quotedtext(line));
    }
    std::vector<std::size_t> starts;
    for (std::size_t i = countsline + 1; i < lines_.size(); ++i) {
      if (trimmed(lines_[i]) == "$MOL") {
        starts.push_back(i);
      }
    }
    // The roles follow the counts: reactants first, then products, agents.
    // Counts beyond the molecules present cannot match in the end; capped,
    // they cannot overflow on the way.
    const long held = static_cast<long>(starts.size());
    const long reactantcount = std::min(*reactants, held + 1);
    const long productcount = std::min(*products, held + 1);
    for (std::size_t k = 0; k < starts.size(); ++k) {
      std::size_t first = starts[k] + 1;
      std::size_t end = k + 1 < starts.size() ? starts[k + 1] : lines_.size();
      auto position = static_cast<long>(k);
      trole role = position < reactantcount                  ? trole::reactant
                   : position < reactantcount + productcount ? trole::product
                                                             : trole::agent;
      blocks.push_back({role,
                        {lines_.begin() + static_cast<long>(first),
                         lines_.begin() + static_cast<long>(end)},
                        static_cast<int>(first) + 1});
    }
    tcounts counts{*reactants, *products, *agents};
    return checkcounts(countsline, counts, blocks);
  }

  // "$RXN V3000", name, program line, comment, then
  //   "M  V30 COUNTS 2 1"
  //   "M  V30 BEGIN REACTANT" ... "M  V30 END REACTANT"
  // with one "BEGIN CTAB" ... "END CTAB" table per molecule.
  bool readv3000(std::vector<tmoleculelines>& blocks) {
    std::optional<tcounts> counts;
    std::size_t countsline = 0;
    std::optional<trole> role;
    std::size_t rolestart = 0;
    // Line of the table being read; none outside a table. (A plain index:
    // an optional here trips the compiler's uninitialised-use warning.)
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t tablestart = none;
    for (std::size_t i = 1; i < lines_.size(); ++i) {
      std::string_view line = lines_[i];
      if (startswith(line, "M  END")) {
        break;
      }
      if (!startswith(line, "M  V30")) {
        continue;
      }
      std::vector<std::string_view> words = splitwords(line.substr(6));
      std::string_view first = words.empty() ? "" : words[0];
      std::string_view second = words.size() >= 2 ? words[1] : "";
      if (tablestart != none) {
        if (first == "END" && second == "CTAB") {
          std::vector<std::string_view> table = {"", "", "", v3000counts};
          table.insert(table.end(),
                       lines_.begin() + static_cast<long>(tablestart),
                       lines_.begin() + static_cast<long>(i) + 1);
          table.push_back("M  END");
          blocks.push_back(
              {*role, std::move(table), static_cast<int>(tablestart) - 3});
          tablestart = none;
        } else if (first == "BEGIN" && second == "CTAB") {
          return fail(i, "a connection table begins inside another");
        }
        continue;
      }
      if (first == "COUNTS") {
        std::optional<long> reactants, products, agents = 0L;
        if (words.size() >= 3) {
          reactants = parseinteger(words[1]);
          products = parseinteger(words[2]);
        }
        if (words.size() >= 4) {
          agents = parseinteger(words[3]);
        }
        if (!reactants || !products || !agents || *reactants < 0 ||
            *products < 0 || *agents < 0) {
          return fail(i, "counts not understood: " + quotedtext(line));
        }
        counts = tcounts{*reactants, *products, *agents};
        countsline = i;
      } else if (first == "BEGIN" && second == "CTAB") {
        if (!role) {
          return fail(
              i, "a connection table outside the reactant and product blocks");
        }
        tablestart = i;
      } else if (first == "BEGIN" || first == "END") {
        std::optional<trole> named;
        if (second == "REACTANT") {
          named = trole::reactant;
        } else if (second == "PRODUCT") {
          named = trole::product;
        } else if (second == "AGENT") {
          named = trole::agent;
        }
        if (!named) {
          continue;
        }
        if (first == "BEGIN" && role) {
          return fail(i, "the " + rolename(*role) + " block of line " +
                             std::to_string(rolestart + 1) + " has no END");
        }
        if (first == "END" && role != named) {
          return fail(i, "unexpected " + quotedtext(line));
        }
        role = first == "BEGIN" ? named : std::nullopt;
        rolestart = i;
      }
    }
    if (tablestart != none) {
      return fail(tablestart, "the connection table has no \"END CTAB\"");
    }
    if (role) {
      return fail(rolestart, "the " + rolename(*role) + " block has no END");
    }
    if (!counts) {
      return fail(lines_.size() - 1, "the reaction has no COUNTS line");
    }
    return checkcounts(countsline, *counts, blocks);
  }

  std::vector<std::string_view> lines_;
  std::string error_;
};

struct tspread {
  double left = std::numeric_limits<double>::infinity();
  double right = -std::numeric_limits<double>::infinity();
  double top = std::numeric_limits<double>::infinity();
  double bottom = -std::numeric_limits<double>::infinity();

  bool empty() const { return left > right; }
  void add(const tatm& atom) {
    left = std::min(left, atom.x);
    right = std::max(right, atom.x);
    top = std::min(top, atom.y);
    bottom = std::max(bottom, atom.y);
  }
};

struct tplacement {
  trole role;
  std::vector<tatm*> atoms;
};

/// Sets the molecules side by side on one centre line, reactants, a reaction
/// arrow, then products. False when the row would leave the page.
bool layout(tdrawing& drawing, const std::vector<tplacement>& molecules,
            double length) {
  std::vector<tspread> boxes;
  double tallest = 0.0;
  for (const tplacement& molecule : molecules) {
    tspread box;
    for (const tatm* atom : molecule.atoms) {
      box.add(*atom);
    }
    tallest = box.empty() ? tallest : std::max(tallest, box.bottom - box.top);
    boxes.push_back(box);
  }
  const double middle = 2.0 * length + tallest / 2.0;
  const double gap = 1.5 * length;
  const double arrowlength = 1.5 * length;
  double x = 2.0 * length;
  bool anyreactant = false;
  double arrowcentre = 0.0;
  auto place = [&](trole role) {
    for (std::size_t k = 0; k < molecules.size(); ++k) {
      const tspread& box = boxes[k];
      if (molecules[k].role != role || box.empty()) {
        continue;
      }
      double dx = x - box.left;
      double dy = middle - (box.top + box.bottom) / 2.0;
      for (tatm* atom : molecules[k].atoms) {
        atom->setxyz(atom->x + dx, atom->y + dy, atom->z);
      }
      x += box.right - box.left + gap;
      anyreactant = anyreactant || role == trole::reactant;
    }
  };
  place(trole::reactant);
  // One bond length between the arrow and the molecules on either side.
  double arrowleft = anyreactant ? x - gap + length : x;
  arrowcentre = arrowleft + arrowlength / 2.0;
  x = arrowleft + arrowlength + length;
  place(trole::product);
  if (x > largestdrawingcoordinate || middle > largestdrawingcoordinate) {
    return false;
  }
  placesymbol(drawing, reactionarrowcommand, arrowcentre, middle);
  return true;
}

}  // namespace

bool isreactiontext(std::string_view text) {
  if (startswith(text, "\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  return startswith(text, "$RXN");
}

treadresult readrxn(std::span<const std::uint8_t> bytes,
                    const tsettings& settings) {
  treadresult result;
  std::string_view text = astext(bytes);
  if (!isreactiontext(text)) {
    std::vector<std::string_view> lines = splitlines(text);
    result.error = lineerror(1, "a reaction file starts with \"$RXN\", not " +
                                    quotedtext(lines.empty() ? "" : lines[0]));
    return result;
  }
  if (startswith(text, "\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  trxnparser parser(text);
  std::optional<std::vector<tmolecule>> molecules = parser.parse();
  if (!molecules) {
    result.error = parser.error();
    return result;
  }
  // One record for all molecules, so that one scale serves them all.
  tmoleculerecord combined;
  combined.title = parser.title();
  std::vector<std::pair<trole, std::size_t>> firstatoms;
  long agents = 0;
  for (tmolecule& molecule : *molecules) {
    if (molecule.role == trole::agent) {
      ++agents;
      continue;
    }
    const int offset = static_cast<int>(combined.atoms.size());
    firstatoms.emplace_back(molecule.role, combined.atoms.size());
    combined.atoms.insert(combined.atoms.end(), molecule.record.atoms.begin(),
                          molecule.record.atoms.end());
    for (tbondentry bond : molecule.record.bonds) {
      bond.atom1 += offset;
      bond.atom2 += offset;
      combined.bonds.push_back(bond);
    }
    for (const std::string& notice : molecule.record.notices) {
      result.notices.push_back(rolename(molecule.role) + " " +
                               std::to_string(molecule.number) + ": " + notice);
    }
  }
  tbuildoptions options;
  options.settings = &settings;
  std::unique_ptr<tdrawing> drawing =
      builddrawing(combined, options, result.notices);
  // The drawing lists the atoms in record order.
  std::vector<tatm*> atoms(drawing->atoms.begin(), drawing->atoms.end());
  std::vector<tplacement> placements;
  for (std::size_t k = 0; k < firstatoms.size(); ++k) {
    std::size_t first = firstatoms[k].second;
    std::size_t end =
        k + 1 < firstatoms.size() ? firstatoms[k + 1].second : atoms.size();
    placements.push_back({firstatoms[k].first,
                          {atoms.begin() + static_cast<long>(first),
                           atoms.begin() + static_cast<long>(end)}});
  }
  double length = settings.bondlength;
  if (!layout(*drawing, placements, length > 0.0 ? length : 30.0)) {
    result.error = "the molecules are too large to be set side by side";
    return result;
  }
  if (agents > 0) {
    result.notices.push_back(counted(agents, trole::agent) +
                             " left out of the reaction");
  }
  result.drawing = std::move(drawing);
  return result;
}

}  // namespace molvane

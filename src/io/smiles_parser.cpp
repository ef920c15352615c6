// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one SMILES string into a record: the text is read in one pass
// without recursion (branches on an explicit stack), then hydrogens are
// implied, aromatic rings kekulised and the stereo marks collected.
#include "chemistry/kekulisation.h"
#include "chemistry/stereo_perception.h"
#include "chemistry/valence.h"
#include "io/smiles_format.h"
#include "model/element_data.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace molvane {

namespace {

/// Larger SMILES are refused: a drawing of them could not be edited.
constexpr int mostatoms = 250000;

struct tparsedatom {
  int element = 6;
  std::string label;
  bool aromatic = false;
  bool bracket = false;
  /// Bracket hydrogens; -1 for an unbracketed atom.
  int hydrogens = -1;
  int charge = 0;
  int massnumber = 0;
  /// 0 none, 1 '@', 2 '@@'.
  int chirality = 0;
  /// Neighbours in the order the text names them.
  std::vector<int> order;
  /// Where the bracket hydrogen stands in that order.
  std::size_t hposition = 0;
};

struct tparsedbond {
  /// The symbol applies from atom `from` to atom `to` ('/' means `to`
  /// lies above `from`).
  int from = 0;
  int to = 0;
  /// The symbol, or 0 when none was written.
  char symbol = 0;
};

struct topenring {
  int atom = -1;
  char symbol = 0;
  /// The place in the atom's neighbour order the partner takes.
  std::size_t slot = 0;
};

bool isbondsymbol(char c) {
  return c == '-' || c == '=' || c == '#' || c == '$' || c == ':' || c == '/' ||
         c == '\\';
}

bool isdirectional(char c) { return c == '/' || c == '\\'; }

/// The atomic number of an element symbol past the last one the program
/// holds, so that such atoms get their own message.
std::optional<int> unsupportedelement(std::string_view symbol) {
  constexpr std::array<std::string_view, 15> heavy = {
      "Rf", "Db", "Sg", "Bh", "Hs", "Mt", "Ds", "Rg",
      "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og"};
  for (std::size_t i = 0; i < heavy.size(); ++i) {
    if (symbol == heavy[i]) {
      return lastelement + 1 + static_cast<int>(i);
    }
  }
  return std::nullopt;
}

std::string at(std::size_t position) {
  return " at position " + std::to_string(position + 1);
}

class tsmilesparser {
 public:
  explicit tsmilesparser(std::string_view text) : text_(text) {}

  /// Reads the atoms and bonds; "" or the reason the text is not SMILES.
  std::string read();

  std::vector<tparsedatom> atoms;
  std::vector<tparsedbond> bonds;

 private:
  std::string readbracket();
  std::string readorganic();
  std::string readring();
  std::string addatom(tparsedatom atom);

  std::string_view text_;
  std::size_t pos_ = 0;
  int previous_ = -1;
  char pending_ = 0;
  std::array<topenring, 100> rings_{};
};

std::string tsmilesparser::addatom(tparsedatom atom) {
  if (atoms.size() >= static_cast<std::size_t>(mostatoms)) {
    return "more than " + std::to_string(mostatoms) + " atoms";
  }
  const int index = static_cast<int>(atoms.size());
  if (previous_ >= 0) {
    atom.order.push_back(previous_);
    atom.hposition = 1;
    atoms[static_cast<std::size_t>(previous_)].order.push_back(index);
    bonds.push_back({previous_, index, pending_});
  } else if (pending_ != 0) {
    return std::string("bond '") + pending_ + "' has no atom before it" +
           at(pos_);
  }
  pending_ = 0;
  atoms.push_back(std::move(atom));
  previous_ = index;
  return "";
}

/// Aromatic element symbols; the one-letter ones may go without brackets.
constexpr std::array<std::pair<std::string_view, int>, 9> aromaticsymbols = {
    {{"se", 34},
     {"as", 33},
     {"te", 52},
     {"b", 5},
     {"c", 6},
     {"n", 7},
     {"o", 8},
     {"p", 15},
     {"s", 16}}};

std::string tsmilesparser::readorganic() {
  static constexpr std::array<std::pair<std::string_view, int>, 10> symbols = {
      {{"Cl", 17},
       {"Br", 35},
       {"B", 5},
       {"C", 6},
       {"N", 7},
       {"O", 8},
       {"P", 15},
       {"S", 16},
       {"F", 9},
       {"I", 53}}};
  const std::size_t start = pos_;
  tparsedatom atom;
  if (text_[pos_] == '*') {
    atom.element = firstelement;
    atom.label = "*";
    ++pos_;
    return addatom(std::move(atom));
  }
  for (const auto& [symbol, element] : symbols) {
    if (text_.substr(pos_, symbol.size()) == symbol) {
      atom.element = element;
      pos_ += symbol.size();
      return addatom(std::move(atom));
    }
  }
  for (const auto& [symbol, element] : aromaticsymbols) {
    if (symbol.size() == 1 && text_[pos_] == symbol[0]) {
      atom.element = element;
      atom.aromatic = true;
      ++pos_;
      return addatom(std::move(atom));
    }
  }
  return std::string("unexpected '") + text_[start] + "'" + at(start);
}

std::string tsmilesparser::readbracket() {
  const std::size_t start = pos_++;
  auto peek = [this]() { return pos_ < text_.size() ? text_[pos_] : '\0'; };
  auto digits = [&](int most) -> std::optional<int> {
    int value = 0;
    int count = 0;
    while (std::isdigit(static_cast<unsigned char>(peek())) != 0) {
      if (++count > most) {
        return std::nullopt;
      }
      value = value * 10 + (peek() - '0');
      ++pos_;
    }
    return value;
  };
  tparsedatom atom;
  atom.bracket = true;
  std::optional<int> mass = digits(3);
  if (!mass) {
    return "isotope number too long" + at(start);
  }
  if (*mass > mostmassnumber) {
    return "mass number " + std::to_string(*mass) + " is out of range (1-" +
           std::to_string(mostmassnumber) + ")" + at(start);
  }
  atom.massnumber = *mass;
  // The element: aromatic symbols, then two letters before one.
  bool found = false;
  if (peek() == '*') {
    atom.element = firstelement;
    atom.label = "*";
    ++pos_;
    found = true;
  }
  for (const auto& [symbol, element] : aromaticsymbols) {
    if (!found && text_.substr(pos_, symbol.size()) == symbol) {
      atom.element = element;
      atom.aromatic = true;
      pos_ += symbol.size();
      found = true;
    }
  }
  // "Og" must not be read as oxygen followed by a stray "g".
  for (std::size_t length : {std::size_t{2}, std::size_t{1}}) {
    if (found || std::isupper(static_cast<unsigned char>(peek())) == 0 ||
        unsupportedelement(text_.substr(pos_, 2))) {
      break;
    }
    std::string_view symbol = text_.substr(pos_, length);
    std::optional<tsymbolmeaning> meaning = symbolmeaning(symbol);
    if (symbol.size() == length && meaning && meaning->label.empty() &&
        meaning->element > 0 &&
        (std::isupper(static_cast<unsigned char>(symbol.back())) != 0) ==
            (length == 1)) {
      atom.element = meaning->element;
      pos_ += length;
      found = true;
    }
  }
  if (!found) {
    if (std::optional<int> heavy = unsupportedelement(text_.substr(pos_, 2))) {
      return "element " + std::to_string(*heavy) + " (" +
             std::string(text_.substr(pos_, 2)) + ") is not supported" +
             at(start);
    }
    return "unknown element in bracket atom" + at(start);
  }
  if (peek() == '@') {
    ++pos_;
    atom.chirality = 1;
    if (peek() == '@') {
      ++pos_;
      atom.chirality = 2;
    } else if (text_.substr(pos_, 3) == "TH1" ||
               text_.substr(pos_, 3) == "TH2") {
      atom.chirality = text_[pos_ + 2] == '1' ? 1 : 2;
      pos_ += 3;
    } else if (std::string_view other = text_.substr(pos_, 2);
               other == "TH" || other == "AL" || other == "SP" ||
               other == "TB" || other == "OH") {
      return "only tetrahedral stereo (@ and @@) can be read" + at(pos_ - 1);
    }
  }
  atom.hydrogens = 0;
  if (peek() == 'H') {
    ++pos_;
    atom.hydrogens = 1;
    if (std::isdigit(static_cast<unsigned char>(peek())) != 0) {
      atom.hydrogens = peek() - '0';
      ++pos_;
    }
  }
  if (peek() == '+' || peek() == '-') {
    const char sign = peek();
    int size = 0;
    while (peek() == sign) {
      ++size;
      ++pos_;
    }
    if (size == 1 && std::isdigit(static_cast<unsigned char>(peek())) != 0) {
      std::optional<int> value = digits(2);
      size = value ? *value : 100;
    }
    if (size > 9) {
      return "charge out of range" + at(start);
    }
    atom.charge = sign == '+' ? size : -size;
  }
  if (peek() == ':') {
    ++pos_;
    if (!digits(9)) {
      return "atom class too long" + at(start);
    }
  }
  if (peek() != ']') {
    return "bracket atom not closed" + at(start);
  }
  ++pos_;
  return addatom(std::move(atom));
}

std::string tsmilesparser::readring() {
  const std::size_t start = pos_;
  if (previous_ < 0) {
    return "ring bond number has no atom before it" + at(start);
  }
  int number = 0;
  if (text_[pos_] == '%') {
    if (pos_ + 2 >= text_.size() ||
        std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])) == 0 ||
        std::isdigit(static_cast<unsigned char>(text_[pos_ + 2])) == 0) {
      return "'%' must be followed by two digits" + at(start);
    }
    number = (text_[pos_ + 1] - '0') * 10 + (text_[pos_ + 2] - '0');
    pos_ += 3;
  } else {
    number = text_[pos_++] - '0';
  }
  topenring& ring = rings_[static_cast<std::size_t>(number)];
  tparsedatom& here = atoms[static_cast<std::size_t>(previous_)];
  if (ring.atom < 0) {
    ring = {previous_, pending_, here.order.size()};
    here.order.push_back(-1);
    pending_ = 0;
    return "";
  }
  if (ring.atom == previous_) {
    return "ring bond " + std::to_string(number) + " joins an atom to itself" +
           at(start);
  }
  if (std::find(here.order.begin(), here.order.end(), ring.atom) !=
      here.order.end()) {
    return "ring bond " + std::to_string(number) +
           " joins two atoms that are already bonded" + at(start);
  }
  char symbol = ring.symbol;
  tparsedbond bond{ring.atom, previous_, symbol};
  if (pending_ != 0) {
    bool agree = symbol == 0 || symbol == pending_ ||
                 (isdirectional(symbol) && isdirectional(pending_));
    if (!agree) {
      return "ring bond " + std::to_string(number) +
             " is given two different bond types" + at(start);
    }
    if (symbol == 0) {
      bond = {previous_, ring.atom, pending_};
    }
  }
  atoms[static_cast<std::size_t>(ring.atom)].order[ring.slot] = previous_;
  here.order.push_back(ring.atom);
  bonds.push_back(bond);
  ring = {};
  pending_ = 0;
  return "";
}

std::string tsmilesparser::read() {
  std::vector<int> branches;
  bool branchempty = false;
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    std::string problem;
    if (c == '[') {
      problem = readbracket();
      branchempty = false;
    } else if (std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '%') {
      if (branchempty) {
        return "a ring bond number cannot open a branch" + at(pos_);
      }
      problem = readring();
    } else if (isbondsymbol(c)) {
      if (pending_ != 0) {
        return "two bond symbols in a row" + at(pos_);
      }
      if (c == '$') {
        return "quadruple bonds cannot be drawn" + at(pos_);
      }
      pending_ = c;
      ++pos_;
    } else if (c == '(') {
      if (previous_ < 0 || pending_ != 0) {
        return "branch has no atom before it" + at(pos_);
      }
      // A branch starts with an atom: "C((C))" nests a branch in nothing.
      if (branchempty) {
        return "a branch cannot open a branch" + at(pos_);
      }
      branches.push_back(previous_);
      branchempty = true;
      ++pos_;
    } else if (c == ')') {
      if (branches.empty()) {
        return "')' without '('" + at(pos_);
      }
      if (pending_ != 0 || branchempty) {
        return "empty branch or bond without an atom" + at(pos_);
      }
      if (previous_ < 0) {
        return "'.' at the end of a branch" + at(pos_);
      }
      previous_ = branches.back();
      branches.pop_back();
      ++pos_;
    } else if (c == '.') {
      if (previous_ < 0 || pending_ != 0) {
        return "'.' has no atom before it" + at(pos_);
      }
      previous_ = -1;
      ++pos_;
    } else {
      problem = readorganic();
      branchempty = false;
    }
    if (!problem.empty()) {
      return problem;
    }
  }
  if (atoms.empty()) {
    return "no atoms";
  }
  if (pending_ != 0 || previous_ < 0) {
    return "the SMILES ends with a bond or '.'";
  }
  if (!branches.empty()) {
    return "branch opened at atom " + std::to_string(branches.back() + 1) +
           " is not closed";
  }
  for (std::size_t number = 0; number < rings_.size(); ++number) {
    if (rings_[number].atom >= 0) {
      return "ring bond " + std::to_string(number) + " at atom " +
             std::to_string(rings_[number].atom + 1) + " is not closed";
    }
  }
  return "";
}

int bondorder(char symbol) {
  switch (symbol) {
    case '=':
      return 2;
    case '#':
      return 3;
    default:
      return 1;
  }
}

/// The side a bond's '/' or '\' puts `neighbour` on, seen from `atom`:
/// +1 above, -1 below, 0 unmarked.
int sideof(const tparsedbond& bond, int atom) {
  if (!isdirectional(bond.symbol)) {
    return 0;
  }
  int up = bond.symbol == '/' ? 1 : -1;
  return bond.from == atom ? up : -up;
}

void addstereo(const tsmilesparser& parser, const std::vector<bool>& aromatic,
               tsmilesrecord& result) {
  const std::vector<tparsedatom>& atoms = parser.atoms;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    const tparsedatom& atom = atoms[i];
    if (atom.chirality == 0) {
      continue;
    }
    std::vector<int> order = atom.order;
    // An implied hydrogen, or the lone pair of a three-bonded centre,
    // stands where the bracket hydrogen is written.
    if (atom.hydrogens == 1 || (atom.hydrogens == 0 && order.size() == 3)) {
      order.insert(order.begin() + static_cast<std::ptrdiff_t>(
                                       std::min(atom.hposition, order.size())),
                   -1);
    }
    if (order.size() != 4) {
      result.record.notices.push_back("the stereo mark of atom " +
                                      std::to_string(i + 1) +
                                      " is left out: it needs four neighbours");
      continue;
    }
    ttetrahedralstereo centre;
    centre.centre = static_cast<int>(i);
    std::copy(order.begin(), order.end(), centre.neighbours.begin());
    centre.anticlockwise = atom.chirality == 1;
    result.stereo.centres.push_back(centre);
  }
  std::vector<std::vector<int>> bondsof(atoms.size());
  for (std::size_t b = 0; b < parser.bonds.size(); ++b) {
    bondsof[static_cast<std::size_t>(parser.bonds[b].from)].push_back(
        static_cast<int>(b));
    bondsof[static_cast<std::size_t>(parser.bonds[b].to)].push_back(
        static_cast<int>(b));
  }
  auto marked = [&](int atom, int other) -> std::pair<int, int> {
    for (int b : bondsof[static_cast<std::size_t>(atom)]) {
      const tparsedbond& bond = parser.bonds[static_cast<std::size_t>(b)];
      int neighbour = bond.from == atom ? bond.to : bond.from;
      if (neighbour != other && sideof(bond, atom) != 0) {
        return {neighbour, sideof(bond, atom)};
      }
    }
    return {-1, 0};
  };
  for (std::size_t b = 0; b < parser.bonds.size(); ++b) {
    const tbondentry& bond = result.record.bonds[b];
    if (bond.kind != 4 || aromatic[b]) {
      continue;
    }
    auto [neighbour1, side1] = marked(bond.atom1, bond.atom2);
    auto [neighbour2, side2] = marked(bond.atom2, bond.atom1);
    if (neighbour1 >= 0 && neighbour2 >= 0) {
      result.stereo.doublebonds.push_back(
          {static_cast<int>(b), neighbour1, neighbour2, side1 == side2});
    }
  }
}

/// What the text states is stated; any other centre or double bond that
/// could carry stereo is left open, so that no layout states it later.
void markstereo(tsmilesrecord& result) {
  tmoleculerecord& record = result.record;
  const tstereocandidates candidates = stereocandidates(record);
  for (std::size_t i = 0; i < record.atoms.size(); ++i) {
    if (candidates.centres[i]) {
      record.atoms[i].stereomark = tstereomark::unstated;
    }
  }
  for (std::size_t b = 0; b < record.bonds.size(); ++b) {
    if (candidates.doublebonds[b]) {
      record.bonds[b].stereomark = tstereomark::unstated;
    }
  }
  for (const ttetrahedralstereo& centre : result.stereo.centres) {
    record.atoms[static_cast<std::size_t>(centre.centre)].stereomark =
        tstereomark::stated;
  }
  for (const tdoublebondstereo& bond : result.stereo.doublebonds) {
    record.bonds[static_cast<std::size_t>(bond.bond)].stereomark =
        tstereomark::stated;
  }
}

}  // namespace

tsmilesrecord parsesmiles(std::string_view text) {
  tsmilesrecord result;
  auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
  };
  std::size_t begin = 0;
  while (begin < text.size() && blank(text[begin])) {
    ++begin;
  }
  std::size_t end = begin;
  while (end < text.size() && !blank(text[end])) {
    ++end;
  }
  std::string_view smiles = text.substr(begin, end - begin);
  std::string_view title = text.substr(end);
  while (!title.empty() && blank(title.front())) {
    title.remove_prefix(1);
  }
  while (!title.empty() && blank(title.back())) {
    title.remove_suffix(1);
  }
  tsmilesparser parser(smiles);
  result.error = parser.read();
  if (!result.error.empty()) {
    return result;
  }
  tmoleculerecord& record = result.record;
  record.title = std::string(title);
  const std::size_t count = parser.atoms.size();
  record.atoms.resize(count);
  for (const tparsedbond& bond : parser.bonds) {
    record.bonds.push_back({bond.from, bond.to, 2 * bondorder(bond.symbol),
                            false, tbondstyle::normal});
  }
  // Bond orders, aromatic bonds and the hydrogens each atom is bonded to.
  const std::vector<bool> inring = ringbonds(record);
  std::vector<bool> aromatic(parser.bonds.size(), false);
  std::vector<int> bondsum(count, 0);
  std::vector<int> hydrogenatoms(count, 0);
  for (std::size_t b = 0; b < parser.bonds.size(); ++b) {
    const tparsedbond& bond = parser.bonds[b];
    const auto a1 = static_cast<std::size_t>(bond.from);
    const auto a2 = static_cast<std::size_t>(bond.to);
    bool botharomatic = parser.atoms[a1].aromatic && parser.atoms[a2].aromatic;
    aromatic[b] =
        bond.symbol == ':' || (bond.symbol == 0 && botharomatic && inring[b]);
    bondsum[a1] += bondorder(bond.symbol);
    bondsum[a2] += bondorder(bond.symbol);
    hydrogenatoms[a1] += parser.atoms[a2].element == 1 ? 1 : 0;
    hydrogenatoms[a2] += parser.atoms[a1].element == 1 ? 1 : 0;
  }
  std::vector<bool> needsdouble(count, false);
  for (std::size_t i = 0; i < count; ++i) {
    tparsedatom& atom = parser.atoms[i];
    tatomentry& entry = record.atoms[i];
    entry.element = atom.element;
    entry.label = atom.label;
    entry.charge = atom.charge;
    entry.massnumber = atom.massnumber;
    if (atom.bracket) {
      needsdouble[i] =
          atom.aromatic && bracketneedsdouble(atom.element, atom.charge,
                                              bondsum[i], atom.hydrogens);
    } else if (atom.element > 0) {
      timpliedvalence implied =
          impliedvalence(atom.element, atom.aromatic, bondsum[i]);
      atom.hydrogens = implied.hydrogens;
      needsdouble[i] = atom.aromatic && implied.needsdouble;
    } else {
      atom.hydrogens = 0;
    }
    entry.hydrogens = atom.hydrogens + hydrogenatoms[i];
  }
  result.error = kekulise(record, needsdouble, aromatic);
  if (!result.error.empty()) {
    return result;
  }
  addstereo(parser, aromatic, result);
  markstereo(result);
  return result;
}

}  // namespace molvane

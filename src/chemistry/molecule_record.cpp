// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/molecule_record.h"

#include "chemistry/record_layout.h"
#include "chemistry/ring_sides.h"
#include "document/drawing.h"
#include "model/atom.h"
#include "model/element_data.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

namespace molvane {

namespace {

/// Flat records whose mean bond is shorter than this (in file units) are
/// taken as ångström rather than scaled up without limit.
constexpr double shortestmeanbond = 1e-4;

constexpr int mosthydrogens = 60;
constexpr int mostvalencenotices = 5;

/// 1 for group 1, 2 for group 2, 13..18 for the p block; 0 for the
/// transition metals, lanthanides and actinides, which the charge rule
/// leaves alone.
int maingroup(int element) {
  struct tperiod {
    int first;
    int last;
  };
  static constexpr std::array<tperiod, 6> periods = {
      {{3, 10}, {11, 18}, {19, 36}, {37, 54}, {55, 86}, {87, 103}}};
  if (element == 1) {
    return 1;
  }
  if (element == 2) {
    return 18;
  }
  for (const tperiod& period : periods) {
    if (element < period.first || element > period.last) {
      continue;
    }
    int fromstart = element - period.first;
    int fromend = period.last - element;
    if (fromstart < 2) {
      return fromstart + 1;
    }
    if (fromend < 6 && period.first != 87) {
      return 18 - fromend;
    }
    return 0;
  }
  return 0;
}

int periodof(int element) {
  static constexpr std::array<int, 7> lasts = {2, 10, 18, 36, 54, 86, 118};
  for (std::size_t i = 0; i < lasts.size(); ++i) {
    if (element <= lasts[i]) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

/// Bonds a neutral main-group atom forms: 1, 2, 3, 4, 3, 2, 1, 0 across.
int standardbonds(int group) {
  switch (group) {
    case 1:
    case 17:
      return 1;
    case 2:
    case 16:
      return 2;
    case 13:
    case 15:
      return 3;
    case 14:
      return 4;
    default:
      return 0;
  }
}

bool takeshydrogens(const tatm& atom) {
  // The atom model keeps the list of hydrogen-carrying elements to itself;
  // a probe with a free valence of one hydrogen asks it.
  tatm probe(atom.element, nolabel, 0.0, 0.0);
  probe.valence2 = 2;
  return probe.implicithydrogens() == 1;
}

/// Makes the atom carry exactly count implicit hydrogens.
void sethydrogens(tatm& atom, int count) {
  count = std::clamp(count, 0, mosthydrogens);
  if (atom.implicithydrogens() == count || !takeshydrogens(atom)) {
    return;
  }
  int wanted = 2 * count;
  atom.sethadjust((wanted - atom.valence2) / 2);
  // A one-and-a-half bond leaves an odd free valence, which rounds to an
  // even number of hydrogens; the last half bond is settled directly.
  if (atom.valence2 != wanted && count > 0) {
    atom.valence2 = static_cast<std::int8_t>(wanted);
  }
}

struct tframe {
  double factor = 1.0;
  double ysign = 1.0;
  double shiftx = 0.0;
  double shifty = 0.0;
};

tframe frameof(const tmoleculerecord& record, const tbuildoptions& options) {
  const double bondlength = options.settings->bondlength;
  tframe frame;
  frame.factor =
      bondlength / (options.angstromperlength > 0.0 ? options.angstromperlength
                                                    : angstromperbond);
  frame.ysign = options.ydown ? 1.0 : -1.0;
  bool flat = std::all_of(record.atoms.begin(), record.atoms.end(),
                          [](const tatomentry& a) { return a.z == 0.0; });
  if (!options.ownlayout && !options.statedscale && flat &&
      !record.bonds.empty()) {
    double total = 0.0;
    for (const tbondentry& bond : record.bonds) {
      const tatomentry& a = record.atoms[static_cast<std::size_t>(bond.atom1)];
      const tatomentry& b = record.atoms[static_cast<std::size_t>(bond.atom2)];
      total += std::hypot(a.x - b.x, a.y - b.y);
    }
    double mean = total / static_cast<double>(record.bonds.size());
    if (std::isfinite(mean) && mean > shortestmeanbond) {
      frame.factor = bondlength / mean;
    }
  }
  double left = std::numeric_limits<double>::infinity();
  double top = std::numeric_limits<double>::infinity();
  for (const tatomentry& atom : record.atoms) {
    left = std::min(left, atom.x * frame.factor);
    top = std::min(top, frame.ysign * atom.y * frame.factor);
  }
  if (!record.atoms.empty() && std::isfinite(left) && std::isfinite(top)) {
    frame.shiftx = 2.0 * bondlength - left;
    frame.shifty = 2.0 * bondlength - top;
  }
  return frame;
}

int labelmodefor(const tatomentry& entry) {
  if (entry.element <= 0) {
    return symbollabel;
  }
  if (entry.element == 6) {
    bool marked = entry.charge != 0 || entry.massnumber != 0;
    return marked ? symbollabel : nolabel;
  }
  return hydrogenlabel;
}

/// Union-find over atom positions.
class tparts {
 public:
  explicit tparts(std::size_t count) : parent_(count) {
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
  }
  std::size_t root(std::size_t i) {
    while (parent_[i] != i) {
      parent_[i] = parent_[parent_[i]];
      i = parent_[i];
    }
    return i;
  }
  void join(std::size_t a, std::size_t b) {
    a = root(a);
    b = root(b);
    if (a != b) {
      parent_[std::max(a, b)] = std::min(a, b);
    }
  }

 private:
  std::vector<std::size_t> parent_;
};

/// One structure per connected part, its atoms and bonds in drawing order.
void addstructures(tdrawing& drawing, const std::vector<tatm*>& atoms,
                   const std::vector<std::pair<tbond*, std::size_t>>& bonds,
                   tparts& parts) {
  std::vector<int> partofroot(atoms.size(), -1);
  std::vector<std::unique_ptr<tStructure>> structures;
  std::vector<int> partofatom(atoms.size());
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    std::size_t root = parts.root(i);
    if (partofroot[root] < 0) {
      structures.push_back(std::make_unique<tStructure>());
      partofroot[root] = static_cast<int>(structures.size()) - 1;
    }
    partofatom[i] = partofroot[root];
    structures[static_cast<std::size_t>(partofatom[i])]->atoms.add(atoms[i]);
  }
  for (const auto& [bond, atom] : bonds) {
    structures[static_cast<std::size_t>(partofatom[atom])]->bonds.add(bond);
  }
  for (std::unique_ptr<tStructure>& structure : structures) {
    drawing.mergestructure(std::move(structure));
  }
}

/// Marks every bond that joins the same two atoms as an earlier one. Sorting
/// the pairs once costs far less than a set node per bond.
std::vector<bool> repeatedbonds(const std::vector<tbondentry>& bonds) {
  std::vector<std::pair<std::uint64_t, std::size_t>> keys;
  keys.reserve(bonds.size());
  for (std::size_t k = 0; k < bonds.size(); ++k) {
    auto [low, high] = std::minmax(bonds[k].atom1, bonds[k].atom2);
    keys.emplace_back(
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(low)) << 32U) |
            static_cast<std::uint32_t>(high),
        k);
  }
  std::sort(keys.begin(), keys.end());
  std::vector<bool> repeated(bonds.size(), false);
  for (std::size_t k = 1; k < keys.size(); ++k) {
    if (keys[k].first == keys[k - 1].first) {
      repeated[keys[k].second] = true;
    }
  }
  return repeated;
}

}  // namespace

int statedmassnumber(const tatm& atom) {
  const bool named =
      atom.element == 1 && (atom.symbol == "D" || atom.symbol == "T");
  if (atom.element < 1 || named) {
    return 0;
  }
  return nuclidemassnumber(atom);
}

std::string exchangesymbol(const tatm& atom) {
  std::optional<tsymbolmeaning> meaning = symbolmeaning(atom.symbol);
  if (meaning && meaning->element == atom.element) {
    return atom.symbol;
  }
  if (atom.element > 0) {
    return std::string(writtensymbolof(atom.element));
  }
  return atom.element == 0 ? "*" : "R";
}

tchemicalview chemicalview(const tdrawing& drawing) {
  tchemicalview view;
  for (tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      view.positions.emplace(atom, static_cast<int>(view.atoms.size()));
      view.atoms.push_back(atom);
    }
  }
  for (tbond* bond : drawing.bonds) {
    if (bond->chemical != 0 && bond->atom1 != bond->atom2 &&
        view.positions.contains(bond->atom1) &&
        view.positions.contains(bond->atom2)) {
      view.bonds.push_back(bond);
    }
  }
  return view;
}

int chargevalenceshift(int element, int charge) {
  if (charge == 0) {
    return 0;
  }
  // A proton has no electrons left to bond with.
  if (element == 1 && charge == 1) {
    return -1;
  }
  int group = maingroup(element);
  int target = element - charge;
  if (group == 0 || target < 1 || target > lastelement) {
    return 0;
  }
  int targetgroup = maingroup(target);
  bool sameperiod = periodof(target) == periodof(element);
  // Cations of the first two groups take the shell of the noble gas before.
  bool noblegasbefore = charge > 0 && targetgroup == 18 &&
                        periodof(target) + 1 == periodof(element);
  if (targetgroup == 0 || (!sameperiod && !noblegasbefore)) {
    return 0;
  }
  return standardbonds(targetgroup) - standardbonds(group);
}

std::optional<tsymbolmeaning> symbolmeaning(std::string_view symbol) {
  if (symbol.empty() || symbol.size() > 3) {
    return std::nullopt;
  }
  if (symbol == "D") {
    return tsymbolmeaning{1, 2, "D"};
  }
  if (symbol == "T") {
    return tsymbolmeaning{1, 3, "T"};
  }
  if (symbol == "Lr" || symbol == "LR") {
    return tsymbolmeaning{103, 0, ""};
  }
  if (int element = elementofsymbol(symbol); element > 0) {
    return tsymbolmeaning{element, 0, ""};
  }
  static constexpr std::array<std::string_view, 12> pseudo = {
      "R", "R#", "*", "A", "Q", "X", "M", "L", "Du", "LP", "Xx", "AH"};
  bool rgroup = symbol.size() >= 2 && symbol[0] == 'R' &&
                std::all_of(symbol.begin() + 1, symbol.end(), [](char c) {
                  return std::isdigit(static_cast<unsigned char>(c)) != 0;
                });
  if (rgroup ||
      std::find(pseudo.begin(), pseudo.end(), symbol) != pseudo.end()) {
    return tsymbolmeaning{firstelement, 0, std::string(symbol)};
  }
  // Older files write symbols in capitals ("CL").
  std::string spelled(symbol);
  for (std::size_t i = 1; i < spelled.size(); ++i) {
    spelled[i] =
        static_cast<char>(std::tolower(static_cast<unsigned char>(spelled[i])));
  }
  if (spelled != symbol) {
    if (int element = elementofsymbol(spelled); element > 0) {
      return tsymbolmeaning{element, 0, ""};
    }
  }
  return std::nullopt;
}

namespace {

/// Two or more atoms all at one point: the file gave no coordinates.
bool lackscoordinates(const tmoleculerecord& record) {
  if (record.atoms.size() < 2) {
    return false;
  }
  const tatomentry& first = record.atoms.front();
  return std::all_of(record.atoms.begin(), record.atoms.end(),
                     [&first](const tatomentry& atom) {
                       return atom.x == first.x && atom.y == first.y &&
                              atom.z == first.z;
                     });
}

}  // namespace

std::unique_ptr<tdrawing> builddrawing(const tmoleculerecord& record,
                                       const tbuildoptions& options,
                                       std::vector<std::string>& notices) {
  // Measured positions (bonds perceived from distances) are left alone.
  if (!options.explicithydrogens && lackscoordinates(record)) {
    tmoleculerecord laid = record;
    laid.notices.clear();
    // Wedges mean nothing without coordinates; the layout drops them.
    if (layoutrecord(laid, {}).empty()) {
      if (options.ydown) {
        for (tatomentry& atom : laid.atoms) {
          atom.y = -atom.y;
        }
      }
      notices.push_back("the structure had no coordinates; laid out in 2D");
      notices.insert(notices.end(), laid.notices.begin(), laid.notices.end());
      return builddrawing(laid, options, notices);
    }
  }
  auto drawing = std::make_unique<tdrawing>(*options.settings);
  drawing->settitle(record.title);
  drawing->setnotes(record.notes);
  const tframe frame = frameof(record, options);

  std::vector<tatm*> atoms;
  atoms.reserve(record.atoms.size());
  bool clamped = false;
  auto limited = [&clamped](double value) {
    double kept =
        std::clamp(value, -largestdrawingcoordinate, largestdrawingcoordinate);
    clamped = clamped || kept != value || !std::isfinite(value);
    return std::isfinite(value) ? kept : 0.0;
  };
  for (const tatomentry& entry : record.atoms) {
    double x = limited(entry.x * frame.factor + frame.shiftx);
    double y = limited(frame.ysign * entry.y * frame.factor + frame.shifty);
    double z = limited(entry.z * frame.factor);
    auto atom =
        std::make_unique<tatm>(entry.element, labelmodefor(entry), x, y, z);
    if (!entry.label.empty()) {
      atom->symbol = entry.label;
    }
    atom->setcharge(entry.charge);
    atom->eqcharge = atom->fcharge;
    if (entry.massnumber > 0) {
      atom->setmassnumber(entry.massnumber);
    }
    atoms.push_back(drawing->addatom(std::move(atom)));
  }

  if (clamped) {
    notices.push_back("coordinates too far out were brought closer");
  }

  // Half-bond units each atom gives to its bonds, and its hydrogen atoms.
  std::vector<int> bonded(atoms.size(), 0);
  std::vector<int> hydrogenneighbours(atoms.size(), 0);
  std::vector<std::pair<tbond*, std::size_t>> bonds;
  const std::vector<bool> repeated = repeatedbonds(record.bonds);
  tparts parts(atoms.size());
  bonds.reserve(record.bonds.size());
  std::vector<std::pair<tbond*, tstereomark>> marks;
  for (std::size_t k = 0; k < record.bonds.size(); ++k) {
    const tbondentry& entry = record.bonds[k];
    auto a = static_cast<std::size_t>(entry.atom1);
    auto b = static_cast<std::size_t>(entry.atom2);
    if (a >= atoms.size() || b >= atoms.size() || a == b) {
      continue;
    }
    if (repeated[k]) {
      notices.push_back("atoms " + std::to_string(a + 1) + " and " +
                        std::to_string(b + 1) +
                        " are bonded twice; the second bond is left out");
      continue;
    }
    tbondstyle style = entry.style;
    if (style == tbondstyle::normal && (entry.kind == 5 || entry.kind == 6)) {
      style = tbondstyle::centred;
    }
    auto bond =
        std::make_unique<tbond>(atoms[a], 0, style, entry.kind, atoms[b]);
    if (entry.delocalised) {
      bond->setdelocalised(true);
    }
    bond->wideend = entry.wideend == 1 ? 1 : 2;
    bonds.emplace_back(drawing->addbond(std::move(bond)), a);
    marks.emplace_back(bonds.back().first, entry.stereomark);
    bonded[a] += entry.kind;
    bonded[b] += entry.kind;
    hydrogenneighbours[a] += record.atoms[b].element == 1 ? 1 : 0;
    hydrogenneighbours[b] += record.atoms[a].element == 1 ? 1 : 0;
    parts.join(a, b);
  }

  // After the bonds, since a bond added at an atom drops its mark.
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    atoms[i]->stereomark = record.atoms[i].stereomark;
  }
  for (auto [bond, mark] : marks) {
    bond->stereomark = mark;
  }

  int overbonded = 0;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    const tatomentry& entry = record.atoms[i];
    tatm& atom = *atoms[i];
    // The bonds a positive charge adds (an oxonium O+ has three, an
    // ammonium or nitro N+ four), unless the hydrogen adjustment below
    // already holds them.
    int chargebonds =
        std::max(0, chargevalenceshift(entry.element, entry.charge));
    if (options.explicithydrogens) {
      sethydrogens(atom, 0);
    } else if (entry.hydrogens >= 0) {
      sethydrogens(atom, entry.hydrogens - hydrogenneighbours[i]);
    } else if (entry.valence >= 0) {
      // Bond orders count whole: a one-and-a-half bond pair fills two.
      int used = (bonded[i] + 1) / 2;
      sethydrogens(atom, entry.valence == 0 ? 0 : entry.valence - used);
    } else if (!options.ownlayout) {
      int shift = chargevalenceshift(entry.element, entry.charge);
      if (entry.radical == 2) {
        shift -= 1;
      } else if (entry.radical == 1 || entry.radical == 3) {
        shift -= 2;
      }
      if (shift != 0) {
        atom.sethadjust(shift);
      }
      chargebonds = 0;
    }
    atom.refreshhfree();
    // Elements of the second period cannot widen their valence shell; a
    // whole bond too many is worth a word (one-and-a-half bonds of fused
    // rings overshoot by half a bond).
    if (entry.element >= 5 && entry.element <= 9 &&
        atom.valence2 + 2 * chargebonds <= -2) {
      ++overbonded;
      if (overbonded <= mostvalencenotices) {
        notices.push_back("atom " + std::to_string(i + 1) + " (" + atom.symbol +
                          ") has more bonds than its valence allows");
      }
    }
  }
  if (overbonded > mostvalencenotices) {
    notices.push_back(std::to_string(overbonded - mostvalencenotices) +
                      " more atoms have more bonds than their valence allows");
  }

  addstructures(*drawing, atoms, bonds, parts);
  placeringsecondlines(*drawing);
  return drawing;
}

}  // namespace molvane

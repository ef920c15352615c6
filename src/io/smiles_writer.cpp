// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writing SMILES: a depth-first walk (with an explicit stack) chooses the
// branches and ring bonds, then a second walk writes the text, so that
// stereo marks can be read off the order in which neighbours appear.
#include "io/smiles_writer.h"

#include "chemistry/kekulisation.h"
#include "chemistry/record_of_drawing.h"
#include "chemistry/stereo_perception.h"
#include "chemistry/valence.h"
#include "io/smiles_format.h"
#include "model/element_data.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace molvane {

namespace {

/// Ring bond numbers run from 1 to 99 ("%10" and up past 9).
constexpr int mostringnumbers = 99;

struct tlink {
  int atom;
  int bond;
};

class tsmileswriter {
 public:
  tsmileswriter(const tmoleculerecord& record, const trecordstereo& stereo)
      : record_(record),
        neighbours_(record.atoms.size()),
        children_(record.atoms.size()),
        opens_(record.atoms.size()),
        closes_(record.atoms.size()),
        parent_(record.atoms.size(), -1),
        from_(record.bonds.size(), -1),
        side_(record.bonds.size(), 0),
        ringnumber_(record.bonds.size(), 0),
        centre_(record.atoms.size(), -1) {
    for (std::size_t b = 0; b < record.bonds.size(); ++b) {
      const tbondentry& bond = record.bonds[b];
      neighbours_[at(bond.atom1)].push_back({bond.atom2, static_cast<int>(b)});
      neighbours_[at(bond.atom2)].push_back({bond.atom1, static_cast<int>(b)});
    }
    for (std::size_t c = 0; c < stereo.centres.size(); ++c) {
      centre_[at(stereo.centres[c].centre)] = static_cast<int>(c);
    }
    stereo_ = &stereo;
  }

  std::string write(std::string& error);

 private:
  static std::size_t at(int i) { return static_cast<std::size_t>(i); }
  void walk(int root);
  void markdoublebonds();
  std::string atomtext(int atom, std::string& error);
  std::string bondtext(int bond) const;
  int implicithydrogens(int atom) const;

  const tmoleculerecord& record_;
  const trecordstereo* stereo_ = nullptr;
  std::vector<std::vector<tlink>> neighbours_;
  std::vector<std::vector<tlink>> children_;
  std::vector<std::vector<tlink>> opens_;
  std::vector<std::vector<tlink>> closes_;
  std::vector<int> parent_;
  /// The atom each bond is written from.
  std::vector<int> from_;
  /// '/' (+1) or '\' (-1) of a single bond, as written from from_.
  std::vector<int> side_;
  std::vector<int> ringnumber_;
  std::vector<int> centre_;
  std::array<bool, mostringnumbers + 1> inuse_{};
};

int tsmileswriter::implicithydrogens(int atom) const {
  int bonded = 0;
  for (const tlink& n : neighbours_[at(atom)]) {
    bonded += record_.atoms[at(n.atom)].element == 1 ? 1 : 0;
  }
  return std::max(0, record_.atoms[at(atom)].hydrogens - bonded);
}

void tsmileswriter::walk(int root) {
  struct tframe {
    int atom;
    std::size_t next;
  };
  std::vector<tframe> stack{{root, 0}};
  parent_[at(root)] = -2;
  while (!stack.empty()) {
    tframe& frame = stack.back();
    const auto& around = neighbours_[at(frame.atom)];
    if (frame.next >= around.size()) {
      stack.pop_back();
      continue;
    }
    const tlink n = around[frame.next++];
    if (from_[at(n.bond)] >= 0) {
      continue;
    }
    if (parent_[at(n.atom)] == -1) {
      from_[at(n.bond)] = frame.atom;
      parent_[at(n.atom)] = frame.atom;
      children_[at(frame.atom)].push_back(n);
      stack.push_back({n.atom, 0});
    } else {
      // An atom seen before is an ancestor: the ring bond opens there.
      from_[at(n.bond)] = n.atom;
      opens_[at(n.atom)].push_back({frame.atom, n.bond});
      closes_[at(frame.atom)].push_back(n);
    }
  }
}

void tsmileswriter::markdoublebonds() {
  // Every single bond to a substituent of a stereo double bond gets a mark.
  // The marks are unknowns +1/-1 tied by parities: the two substituents of
  // one end lie on opposite sides, and the references of the two ends on
  // the same side exactly when the bond is cis. A union-find with parities
  // keeps them consistent across conjugated double bonds; a double bond
  // whose ties contradict those already made keeps no marks of its own.
  std::vector<int> root(record_.bonds.size());
  std::vector<int> parity(record_.bonds.size(), 1);
  for (std::size_t b = 0; b < root.size(); ++b) {
    root[b] = static_cast<int>(b);
  }
  auto find = [&](int bond) {
    int sign = 1;
    while (root[at(bond)] != bond) {
      sign *= parity[at(bond)];
      bond = root[at(bond)];
    }
    return std::pair{bond, sign};
  };
  // The side a substituent bond's mark means, seen from the end atom.
  auto facing = [&](int bond, int end) {
    return from_[at(bond)] == end ? 1 : -1;
  };
  struct ttie {
    int a;
    int b;
    int product;
  };
  std::vector<bool> marked(record_.bonds.size(), false);
  for (const tdoublebondstereo& geometry : stereo_->doublebonds) {
    const tbondentry& bond = record_.bonds[at(geometry.bond)];
    const std::array<int, 2> ends{bond.atom1, bond.atom2};
    const std::array<int, 2> references{geometry.neighbour1,
                                        geometry.neighbour2};
    std::array<std::vector<int>, 2> substituents;
    std::array<int, 2> referencebond{-1, -1};
    for (std::size_t e = 0; e < 2; ++e) {
      for (const tlink& n : neighbours_[at(ends[e])]) {
        if (n.bond == geometry.bond || record_.bonds[at(n.bond)].kind != 2) {
          continue;
        }
        substituents[e].push_back(n.bond);
        if (n.atom == references[e]) {
          referencebond[e] = n.bond;
        }
      }
    }
    if (referencebond[0] < 0 || referencebond[1] < 0) {
      continue;
    }
    std::vector<ttie> ties;
    ties.push_back(
        {referencebond[0], referencebond[1],
         (geometry.cis ? 1 : -1) * facing(referencebond[0], ends[0]) *
             facing(referencebond[1], ends[1])});
    for (std::size_t e = 0; e < 2; ++e) {
      for (int other : substituents[e]) {
        if (other != referencebond[e]) {
          ties.push_back(
              {referencebond[e], other,
               -facing(referencebond[e], ends[e]) * facing(other, ends[e])});
        }
      }
    }
    bool consistent = true;
    for (const ttie& tie : ties) {
      auto [ra, pa] = find(tie.a);
      auto [rb, pb] = find(tie.b);
      consistent = consistent && (ra != rb || pa * pb == tie.product);
    }
    if (!consistent) {
      continue;
    }
    for (const ttie& tie : ties) {
      auto [ra, pa] = find(tie.a);
      auto [rb, pb] = find(tie.b);
      if (ra != rb) {
        root[at(rb)] = ra;
        parity[at(rb)] = pa * pb * tie.product;
      }
      marked[at(tie.a)] = true;
      marked[at(tie.b)] = true;
    }
  }
  for (std::size_t b = 0; b < marked.size(); ++b) {
    if (marked[b]) {
      side_[b] = find(static_cast<int>(b)).second;
    }
  }
}

std::string tsmileswriter::bondtext(int bond) const {
  switch (record_.bonds[at(bond)].kind) {
    case 4:
      return "=";
    case 6:
      return "#";
    default:
      if (side_[at(bond)] != 0) {
        return side_[at(bond)] > 0 ? "/" : "\\";
      }
      return "";
  }
}

/// Whether an even number of swaps turns one neighbour order into the other.
bool sameparity(std::array<int, 4> a, const std::array<int, 4>& b) {
  bool even = true;
  for (std::size_t i = 0; i < 4; ++i) {
    if (a[i] == b[i]) {
      continue;
    }
    for (std::size_t j = i + 1; j < 4; ++j) {
      if (a[j] == b[i]) {
        std::swap(a[i], a[j]);
        even = !even;
        break;
      }
    }
  }
  return even;
}

std::string tsmileswriter::atomtext(int atom, std::string& error) {
  const tatomentry& entry = record_.atoms[at(atom)];
  // Ring bond numbers: those closing here first, then those opening.
  std::string digits;
  std::vector<int> order;
  if (parent_[at(atom)] >= 0) {
    order.push_back(parent_[at(atom)]);
  }
  const std::size_t hposition = order.size();
  auto number = [](int n) {
    return n < 10 ? std::to_string(n) : "%" + std::to_string(n);
  };
  std::vector<int> freed;
  for (const tlink& n : closes_[at(atom)]) {
    digits += number(ringnumber_[at(n.bond)]);
    freed.push_back(ringnumber_[at(n.bond)]);
    order.push_back(n.atom);
  }
  for (const tlink& n : opens_[at(atom)]) {
    int chosen = 1;
    while (chosen <= mostringnumbers && inuse_[at(chosen)]) {
      ++chosen;
    }
    if (chosen > mostringnumbers) {
      error = "more than 99 rings are open at once";
      return "";
    }
    inuse_[at(chosen)] = true;
    ringnumber_[at(n.bond)] = chosen;
    digits += bondtext(n.bond) + number(chosen);
    order.push_back(n.atom);
  }
  for (int n : freed) {
    inuse_[at(n)] = false;
  }
  for (const tlink& n : children_[at(atom)]) {
    order.push_back(n.atom);
  }

  const int hydrogens = implicithydrogens(atom);
  std::string chirality;
  if (const int c = centre_[at(atom)]; c >= 0) {
    const ttetrahedralstereo& centre = stereo_->centres[at(c)];
    if (order.size() == 3) {
      order.insert(order.begin() + static_cast<std::ptrdiff_t>(hposition), -1);
    }
    std::array<int, 4> written{};
    if (order.size() == 4) {
      std::copy(order.begin(), order.end(), written.begin());
      std::array<int, 4> given = centre.neighbours;
      std::array<int, 4> sortedgiven = given;
      std::array<int, 4> sortedwritten = written;
      std::sort(sortedgiven.begin(), sortedgiven.end());
      std::sort(sortedwritten.begin(), sortedwritten.end());
      if (sortedgiven == sortedwritten) {
        bool anticlockwise = centre.anticlockwise == sameparity(given, written);
        chirality = anticlockwise ? "@" : "@@";
      }
    }
  }

  int bondsum = 0;
  for (const tlink& n : neighbours_[at(atom)]) {
    int kind = record_.bonds[at(n.bond)].kind;
    bondsum += (kind + 1) / 2;
  }
  std::string symbol =
      entry.element > 0
          ? std::string(entry.element == lastelement ? "Lr"
                                                     : symbolof(entry.element))
          : "*";
  const bool plain =
      entry.charge == 0 && entry.massnumber == 0 && chirality.empty() &&
      (entry.element <= 0
           ? hydrogens == 0
           : isorganicsubset(entry.element, false) &&
                 impliedvalence(entry.element, false, bondsum).hydrogens ==
                     hydrogens);
  if (plain) {
    return symbol + digits;
  }
  std::string text = "[";
  if (entry.massnumber > 0) {
    text += std::to_string(entry.massnumber);
  }
  text += symbol + chirality;
  if (hydrogens > 9) {
    error = "atom " + std::to_string(atom + 1) +
            " has more hydrogens than SMILES can write (9)";
    return "";
  }
  if (hydrogens > 0) {
    text += "H" + (hydrogens > 1 ? std::to_string(hydrogens) : "");
  }
  if (entry.charge != 0) {
    text += entry.charge > 0 ? "+" : "-";
    if (std::abs(entry.charge) > 1) {
      text += std::to_string(std::abs(entry.charge));
    }
  }
  return text + "]" + digits;
}

std::string tsmileswriter::write(std::string& error) {
  if (record_.atoms.empty()) {
    error = "the drawing has no atoms";
    return "";
  }
  // Each part starts at its first end atom, if it has one ("CCO" rather
  // than "C(C)O").
  std::vector<int> roots;
  std::vector<bool> seen(record_.atoms.size(), false);
  for (std::size_t i = 0; i < record_.atoms.size(); ++i) {
    if (seen[i]) {
      continue;
    }
    std::vector<int> part{static_cast<int>(i)};
    seen[i] = true;
    int root = -1;
    for (std::size_t k = 0; k < part.size(); ++k) {
      const int atom = part[k];
      if (neighbours_[at(atom)].size() <= 1 && (root < 0 || atom < root)) {
        root = atom;
      }
      for (const tlink& n : neighbours_[at(atom)]) {
        if (!seen[at(n.atom)]) {
          seen[at(n.atom)] = true;
          part.push_back(n.atom);
        }
      }
    }
    roots.push_back(root < 0 ? static_cast<int>(i) : root);
    walk(roots.back());
  }
  markdoublebonds();
  std::string text;
  struct tframe {
    int atom;
    std::size_t next;
    bool branch;
  };
  for (int root : roots) {
    if (!text.empty()) {
      text += ".";
    }
    text += atomtext(root, error);
    std::vector<tframe> stack{{root, 0, false}};
    while (!stack.empty() && error.empty()) {
      tframe& frame = stack.back();
      const auto& kids = children_[at(frame.atom)];
      if (frame.next >= kids.size()) {
        if (frame.branch) {
          text += ")";
        }
        stack.pop_back();
        continue;
      }
      const tlink child = kids[frame.next++];
      const bool branch = frame.next < kids.size();
      if (branch) {
        text += "(";
      }
      text += bondtext(child.bond) + atomtext(child.atom, error);
      stack.push_back({child.atom, 0, branch});
    }
    if (!error.empty()) {
      return "";
    }
  }
  return text;
}

}  // namespace

std::string smilesofrecord(const tmoleculerecord& record,
                           const trecordstereo& stereo, std::string& error) {
  error.clear();
  const tmoleculerecord kekule = kekulerecord(record);
  tsmileswriter writer(kekule, stereo);
  return writer.write(error);
}

std::string writesmiles(const tdrawing& drawing, std::string& error) {
  const tmoleculerecord record = recordofdrawing(drawing);
  return smilesofrecord(record, perceivestereo(record), error);
}

}  // namespace molvane

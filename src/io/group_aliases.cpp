// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/group_aliases.h"

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace molvane {

namespace {

/// One atom of a group; parent is the position of the group atom it is
/// bonded to (-1 for the first atom, which takes the alias atom's place).
struct tmember {
  int element;
  int charge;
  int parent;
  int kind;
  /// 0 for the natural mixture.
  int massnumber;
};

struct tgroup {
  std::string_view alias;
  std::vector<tmember> members;
};

const std::vector<tgroup>& groups() {
  static const std::vector<tgroup> table = {
      {"NO2", {{7, 1, -1, 0, 0}, {8, -1, 0, 2, 0}, {8, 0, 0, 4, 0}}},
      {"O2N", {{7, 1, -1, 0, 0}, {8, -1, 0, 2, 0}, {8, 0, 0, 4, 0}}},
      {"COOH", {{6, 0, -1, 0, 0}, {8, 0, 0, 4, 0}, {8, 0, 0, 2, 0}}},
      {"CO2H", {{6, 0, -1, 0, 0}, {8, 0, 0, 4, 0}, {8, 0, 0, 2, 0}}},
      {"HOOC", {{6, 0, -1, 0, 0}, {8, 0, 0, 4, 0}, {8, 0, 0, 2, 0}}},
      {"HO2C", {{6, 0, -1, 0, 0}, {8, 0, 0, 4, 0}, {8, 0, 0, 2, 0}}},
      {"COOMe",
       {{6, 0, -1, 0, 0}, {8, 0, 0, 4, 0}, {8, 0, 0, 2, 0}, {6, 0, 2, 2, 0}}},
      {"CO2Me",
       {{6, 0, -1, 0, 0}, {8, 0, 0, 4, 0}, {8, 0, 0, 2, 0}, {6, 0, 2, 2, 0}}},
      {"CHO", {{6, 0, -1, 0, 0}, {8, 0, 0, 4, 0}}},
      {"CN", {{6, 0, -1, 0, 0}, {7, 0, 0, 6, 0}}},
      {"NC", {{6, 0, -1, 0, 0}, {7, 0, 0, 6, 0}}},
      {"OH", {{8, 0, -1, 0, 0}}},
      {"HO", {{8, 0, -1, 0, 0}}},
      {"SH", {{16, 0, -1, 0, 0}}},
      {"NH2", {{7, 0, -1, 0, 0}}},
      {"H2N", {{7, 0, -1, 0, 0}}},
      {"CH3", {{6, 0, -1, 0, 0}}},
      {"H3C", {{6, 0, -1, 0, 0}}},
      {"Me", {{6, 0, -1, 0, 0}}},
      {"Et", {{6, 0, -1, 0, 0}, {6, 0, 0, 2, 0}}},
      {"OMe", {{8, 0, -1, 0, 0}, {6, 0, 0, 2, 0}}},
      {"MeO", {{8, 0, -1, 0, 0}, {6, 0, 0, 2, 0}}},
      {"OCH3", {{8, 0, -1, 0, 0}, {6, 0, 0, 2, 0}}},
      {"CF3",
       {{6, 0, -1, 0, 0}, {9, 0, 0, 2, 0}, {9, 0, 0, 2, 0}, {9, 0, 0, 2, 0}}},
      {"F3C",
       {{6, 0, -1, 0, 0}, {9, 0, 0, 2, 0}, {9, 0, 0, 2, 0}, {9, 0, 0, 2, 0}}},
      {"CCl3",
       {{6, 0, -1, 0, 0},
        {17, 0, 0, 2, 0},
        {17, 0, 0, 2, 0},
        {17, 0, 0, 2, 0}}},
      {"SO3H",
       {{16, 0, -1, 0, 0}, {8, 0, 0, 4, 0}, {8, 0, 0, 4, 0}, {8, 0, 0, 2, 0}}},
      {"Ac", {{6, 0, -1, 0, 0}, {8, 0, 0, 4, 0}, {6, 0, 0, 2, 0}}},
      {"OAc",
       {{8, 0, -1, 0, 0}, {6, 0, 0, 2, 0}, {8, 0, 1, 4, 0}, {6, 0, 1, 2, 0}}},
      {"NMe2", {{7, 0, -1, 0, 0}, {6, 0, 0, 2, 0}, {6, 0, 0, 2, 0}}},
      // Hydrogen isotopes, alone or on the atom they are written with.
      {"D", {{1, 0, -1, 0, 2}}},
      {"T", {{1, 0, -1, 0, 3}}},
      {"OD", {{8, 0, -1, 0, 0}, {1, 0, 0, 2, 2}}},
      {"DO", {{8, 0, -1, 0, 0}, {1, 0, 0, 2, 2}}},
      {"SD", {{16, 0, -1, 0, 0}, {1, 0, 0, 2, 2}}},
      {"DS", {{16, 0, -1, 0, 0}, {1, 0, 0, 2, 2}}},
      {"ND2", {{7, 0, -1, 0, 0}, {1, 0, 0, 2, 2}, {1, 0, 0, 2, 2}}},
      {"D2N", {{7, 0, -1, 0, 0}, {1, 0, 0, 2, 2}, {1, 0, 0, 2, 2}}},
      {"CD3",
       {{6, 0, -1, 0, 0}, {1, 0, 0, 2, 2}, {1, 0, 0, 2, 2}, {1, 0, 0, 2, 2}}},
      {"D3C",
       {{6, 0, -1, 0, 0}, {1, 0, 0, 2, 2}, {1, 0, 0, 2, 2}, {1, 0, 0, 2, 2}}},
      {"tBu",
       {{6, 0, -1, 0, 0}, {6, 0, 0, 2, 0}, {6, 0, 0, 2, 0}, {6, 0, 0, 2, 0}}},
  };
  return table;
}

/// A typical bond length of the record in its own units.
double bondscale(const tmoleculerecord& record) {
  double total = 0.0;
  int counted = 0;
  for (const tbondentry& bond : record.bonds) {
    const tatomentry& a = record.atoms[static_cast<std::size_t>(bond.atom1)];
    const tatomentry& b = record.atoms[static_cast<std::size_t>(bond.atom2)];
    double length = std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
    if (length > 0.0 && std::isfinite(length)) {
      total += length;
      ++counted;
    }
  }
  return counted > 0 ? total / counted : 1.5;
}

const tgroup* findgroup(std::string_view alias) {
  for (const tgroup& group : groups()) {
    if (group.alias == alias) {
      return &group;
    }
  }
  return nullptr;
}

void addgroup(tmoleculerecord& record, int atom, const tgroup& group,
              double length, int neighbour) {
  // New atoms point away from the atom the group hangs on.
  double awayx = 1.0;
  double awayy = 0.0;
  tatomentry& anchor = record.atoms[static_cast<std::size_t>(atom)];
  if (neighbour >= 0) {
    const tatomentry& o = record.atoms[static_cast<std::size_t>(neighbour)];
    double norm = std::hypot(anchor.x - o.x, anchor.y - o.y);
    if (norm > 0.0) {
      awayx = (anchor.x - o.x) / norm;
      awayy = (anchor.y - o.y) / norm;
    }
  }
  const tmember& head = group.members.front();
  anchor.element = head.element;
  anchor.charge = head.charge;
  anchor.label.clear();
  anchor.massnumber = head.massnumber;
  std::vector<int> positions{atom};
  static constexpr std::array<double, 3> turns = {-60.0, 60.0, 0.0};
  std::vector<int> children(group.members.size(), 0);
  for (std::size_t i = 1; i < group.members.size(); ++i) {
    const tmember& member = group.members[i];
    auto parentindex = static_cast<std::size_t>(member.parent);
    const tatomentry parent =
        record.atoms[static_cast<std::size_t>(positions[parentindex])];
    double angle = turns[static_cast<std::size_t>(children[parentindex]++) %
                         turns.size()] *
                   std::numbers::pi / 180.0;
    tatomentry added;
    added.element = member.element;
    added.charge = member.charge;
    added.massnumber = member.massnumber;
    added.x =
        parent.x + length * (awayx * std::cos(angle) - awayy * std::sin(angle));
    added.y =
        parent.y + length * (awayx * std::sin(angle) + awayy * std::cos(angle));
    added.z = parent.z;
    positions.push_back(static_cast<int>(record.atoms.size()));
    record.atoms.push_back(added);
    record.bonds.push_back(
        {positions[parentindex], positions.back(), member.kind, false});
  }
}

}  // namespace

void expandaliases(tmoleculerecord& record,
                   const std::vector<tatomalias>& aliases) {
  if (aliases.empty()) {
    return;
  }
  const double length = bondscale(record);
  // The first neighbour of each atom, for the direction a group points.
  std::vector<int> neighbour(record.atoms.size(), -1);
  for (const tbondentry& bond : record.bonds) {
    for (auto [from, to] : {std::pair{bond.atom1, bond.atom2},
                            std::pair{bond.atom2, bond.atom1}}) {
      auto& first = neighbour[static_cast<std::size_t>(from)];
      first = first < 0 ? to : first;
    }
  }
  for (const tatomalias& alias : aliases) {
    if (alias.atom < 0 || alias.atom >= static_cast<long>(neighbour.size()) ||
        alias.text.empty()) {
      continue;
    }
    auto position = static_cast<std::size_t>(alias.atom);
    if (record.atoms[position].element > 0) {
      continue;
    }
    const tgroup* group = findgroup(alias.text);
    if (group == nullptr) {
      record.atoms[position].label = std::string(alias.text.substr(0, 20));
      continue;
    }
    addgroup(record, static_cast<int>(position), *group, length,
             neighbour[position]);
  }
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace molvane {

/// The bonds between a force field's atoms as neighbour lists, with the
/// walks the minimiser needs; each walk takes time in proportion to what it
/// visits, so molecules of thousands of atoms stay quick.
class tatomgraph {
 public:
  /// atoms atoms (positions 0 ... atoms - 1) joined by the bonds given;
  /// repeated bonds count once.
  void build(std::size_t atoms,
             const std::vector<std::pair<std::int32_t, std::int32_t>>& bonds);

  const std::vector<std::int32_t>& neighbours(std::int32_t atom) const {
    return neighbours_[static_cast<std::size_t>(atom)];
  }
  /// The atoms reachable from `from` (itself first) without crossing its
  /// bond to barrier (-1: crossing everything).
  void reachable(std::int32_t from, std::int32_t barrier,
                 std::vector<std::int32_t>& into) const;
  /// Whether the bond a-b lies in a ring.
  bool isringbond(std::int32_t a, std::int32_t b) const;

 private:
  std::vector<std::vector<std::int32_t>> neighbours_;
  /// The parent of each atom in a depth-first walk (-1 at roots), and
  /// whether its bond to the parent is in no ring.
  std::vector<std::int32_t> parent_;
  std::vector<bool> bridge_;
  mutable std::vector<bool> seen_;
};

}  // namespace molvane

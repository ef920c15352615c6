// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/peak_database.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace molvane {

class tnmrgraph;

/// The terms of a shift in a learned increment scheme, each a key whose
/// increment the scheme adds up: the base term of the atom's kind first,
/// then single terms, and alpha terms that come as a detailed key and the
/// plain key that stands for it when the detailed one is rare.
struct tincrementterms {
  std::vector<std::uint64_t> fixed;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> alpha;
};

/// Adds the terms of centre's substituents other than excluded: one alpha
/// term per neighbour (its element and hybridisation; in detail with the
/// atoms it carries) and one beta term per atom bonded to that neighbour.
void addsubstituentterms(const tnmrgraph& graph, int centre, int excluded,
                         tincrementterms& terms);

/// A measured atom: its terms and shift.
struct tincrementsample {
  tincrementterms terms;
  double shift = 0.0;
};

/// Increments fitted by least squares.
class tincrementtable {
 public:
  tincrementtable() = default;
  /// Increments (key, ppm) in any order.
  explicit tincrementtable(
      std::vector<std::pair<std::uint64_t, double>> increments);

  /// Fits the increments to the samples (ridge least squares); a detailed
  /// alpha key gets its own increment when at least mincount samples have
  /// it, otherwise its plain key stands for it.
  static tincrementtable fit(const std::vector<tincrementsample>& samples,
                             int mincount);

  /// The sum of the terms' increments with level -1; level 0 when the base
  /// or an alpha term was never seen in training (an unknown single term
  /// adds nothing).
  tprediction predict(const tincrementterms& terms) const;

  const std::vector<std::pair<std::uint64_t, double>>& increments() const {
    return increments_;
  }

 private:
  std::vector<std::pair<std::uint64_t, double>> increments_;
};

}  // namespace molvane

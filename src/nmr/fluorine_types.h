// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/increment_fit.h"
#include "nmr/peak_database.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace molvane {

class tnmrgraph;

/// How many spheres around a fluorine its type describes.
inline constexpr int fluorinedepth = 5;

/// The fluorine's type at each depth, deepest last: keys[2 (d - 1)] sums up
/// the atoms within d bonds of it, sphere by sphere (element,
/// hybridisation, hydrogens, charge and the bond that reaches each), so that
/// every CF3 on an aryl ring, every aryl fluoride with the same ortho and
/// para neighbours and so on share a key; keys[2 (d - 1) + 1] records only
/// element and hybridisation of the same atoms.
using tfluorinekeys = std::array<std::uint64_t, 2 * fluorinedepth>;
tfluorinekeys fluorinekeys(const tnmrgraph& graph, int fluorine);

/// The increment terms of a fluorine bonded to one atom: a base term for
/// that atom (its element, hybridisation, charge and fluorines) and the
/// terms of its other substituents; false for other atoms.
bool fluorineterms(const tnmrgraph& graph, int fluorine,
                   tincrementterms& terms);

/// A measured fluorine: its keys and shift.
struct tfluorinesample {
  tfluorinekeys keys{};
  double shift = 0.0;
};

/// The median shift of every fluorine type seen often enough in training,
/// at every depth; it stands in where the database knows only the first
/// spheres of a fluorine.
class tfluorinetable {
 public:
  tfluorinetable() = default;
  /// Entries (key, shift) in any order.
  explicit tfluorinetable(
      std::vector<std::pair<std::uint64_t, double>> entries);

  /// Types shared by at least minsupport of the samples.
  static tfluorinetable fit(const std::vector<tfluorinesample>& samples,
                            int minsupport);

  /// The median of the deepest known type of the fluorine, with minus its
  /// depth as the level; level 0 when none is known.
  tprediction predict(const tnmrgraph& graph, int fluorine) const;

  const std::vector<std::pair<std::uint64_t, double>>& entries() const {
    return entries_;
  }

 private:
  std::vector<std::pair<std::uint64_t, double>> entries_;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace molvane {

class tnmrgraph;
struct tgraphbond;

/// Keys of the learned shift tables: stable 64-bit hashes of small integers,
/// the same on every platform, so that tables fitted once can ship.
inline constexpr std::uint64_t emptykey = 14695981039346656037ULL;
std::uint64_t mixkey(std::uint64_t key, std::uint64_t value);
std::uint64_t makekey(std::initializer_list<std::uint64_t> values);

/// What the learned tables record of an atom reached over bond: element,
/// hybridisation (4 aromatic), hydrogens (three or more alike), charge and
/// the bond's kind.
std::uint64_t atomtoken(const tnmrgraph& graph, int atom,
                        const tgraphbond& bond);

/// The shift class of an atom: its hybridisation code, 4 for atoms of an
/// aromatic system.
int atomclass(const tnmrgraph& graph, int atom);

/// The median of values (the mean of the middle two of an even count);
/// values must not be empty.
double medianof(std::vector<double> values);

/// The value of key in table sorted by key, or nullptr.
const double* findkey(
    const std::vector<std::pair<std::uint64_t, double>>& table,
    std::uint64_t key);

}  // namespace molvane

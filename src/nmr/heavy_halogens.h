// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tnmrgraph;

/// Bromine and iodine are nearly absent from the measured spectra the
/// databases are built from, while chlorine is common. A carbon or proton
/// near a heavier halogen is therefore predicted as if each bromine and
/// iodine were a chlorine, and the difference the heavier halogen makes
/// (the heavy-atom shielding of the carbon it is bonded to, the smaller
/// effects further out) is added from the substituent increments of
/// textbook tables.

/// Whether graph holds a bromine or iodine at all.
bool anyheavyhalogen(const tnmrgraph& graph);

/// Whether a bromine or iodine lies within four bonds of atom, close enough
/// to change its shift.
bool nearheavyhalogen(const tnmrgraph& graph, int atom);

/// The graph with every bromine and iodine turned into a chlorine.
tnmrgraph chlorinestandin(const tnmrgraph& graph);

/// What the bromines and iodines of graph change in the shift (ppm) of
/// nucleus 6 on carbon atom, or of nucleus 1 on the protons atom carries,
/// against chlorines in their places; 0 for other nuclei.
double heavyhalogenshift(const tnmrgraph& graph, int atom, int nucleus);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/nmr_texts.h"
#include "render/paint_drawing.h"
#include "render/spectrum_plot.h"

#include <span>
#include <vector>

namespace molvane {

/// Which atoms show their shift label in the drawing.
enum class tshiftfilter { all, filtered, none };

/// What the spectrum plot draws for the peaks of a nucleus: the sticks,
/// the shift range the axis starts from and the stick offset b.
struct tspectrum {
  std::vector<tspectrumline> lines;
  double low = 0.0;
  double high = 0.0;
  double b = 0.0;
};

/// The stick spectrum of the peaks: peaks of one type and exactly one shift
/// make one stick. Protons count their hydrogens; carbons weigh
/// sqrt(peaks) by 1.987, or by 0.25 without hydrogens (slow to relax).
/// Peaks without a shift are left out; other nuclei give no sticks.
tspectrum spectrumof(std::span<const tpeakrow> rows, int nucleus);

/// The labels beside the atoms: each peak whose atom has an NMR number
/// shows the shift of the row of that number, when the filter is "All", or
/// "Filtered" and the peak is not a symmetry duplicate. None for "None"
/// and for shifts without a value.
std::vector<tatomnote> shiftlabelsof(std::span<const tpeakrow> rows,
                                     tshiftfilter filter, int nucleus);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace molvane {

class tdrawing;

/// How `embedmolecule` works.
struct tembedsettings {
  /// How many relaxed starts to try; the lowest in energy is kept.
  int conformers = 4;
  /// Seeds the kicks that make the starts differ: the same seed and input
  /// give the same model.
  std::uint64_t seed = 1;
  /// Called after each conformer with the number done and the number asked.
  std::function<void(int, int)> progress;
  /// Called often during the relaxations, so a window stays responsive.
  std::function<void()> processmessages;
};

/// What `embedmolecule` did.
struct tembedresult {
  /// "" on success, otherwise a sentence for the user; the drawing is then
  /// left as it was.
  std::string error;
  /// Sentences about input the model could not follow, or "".
  std::string warning;
  int hydrogens = 0;
  /// Clashes (see `countclashes`) of the start the relaxations began from.
  int startclashes = 0;
  /// Force-field energy of the kept model, kcal/mol.
  double energykcal = 0.0;
  /// Stated centres and double bonds the model does not hold (0 unless the
  /// drawing contradicts itself).
  int unheld = 0;
};

/// Turns the chemical structures of a drawing into one relaxed 3D model:
/// stated stereo marked and given depth, hydrogens added, atoms on top of
/// each other moved apart, then each of the conformers kicked apart from
/// that start and relaxed in the force field with its stereo restraints;
/// the lowest that keeps the stated stereo stays, centred where the
/// structures were drawn.
[[nodiscard]] tembedresult embedmolecule(tdrawing& drawing,
                                         const tembedsettings& settings = {});

/// Pairs of chemical atoms not bonded to each other that are closer than
/// 0.8 of the sum of their covalent radii.
int countclashes(const tdrawing& drawing);

}  // namespace molvane

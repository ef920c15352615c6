// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/valence.h"

#include "chemistry/molecule_record.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace molvane {

namespace {

/// Normal valences of the unbracketed elements, lowest first; empty for
/// the others.
std::span<const int> normalvalences(int element) {
  static constexpr std::array<int, 1> boron = {3};
  static constexpr std::array<int, 1> carbon = {4};
  static constexpr std::array<int, 2> nitrogen = {3, 5};
  static constexpr std::array<int, 1> oxygen = {2};
  static constexpr std::array<int, 3> sulfur = {2, 4, 6};
  static constexpr std::array<int, 1> halogen = {1};
  switch (element) {
    case 5:
      return boron;
    case 6:
      return carbon;
    case 7:
    case 15:
      return nitrogen;
    case 8:
      return oxygen;
    case 16:
      return sulfur;
    case 9:
    case 17:
    case 35:
    case 53:
      return halogen;
    default:
      return {};
  }
}

/// Bonds a neutral atom of the element makes at its lowest valence, for
/// the main-group elements that can appear aromatic; 0 otherwise.
int lowestbonds(int element) {
  static constexpr std::array<std::pair<int, int>, 10> table = {{{5, 3},
                                                                 {6, 4},
                                                                 {14, 4},
                                                                 {7, 3},
                                                                 {15, 3},
                                                                 {33, 3},
                                                                 {8, 2},
                                                                 {16, 2},
                                                                 {34, 2},
                                                                 {52, 2}}};
  for (const auto& [known, bonds] : table) {
    if (known == element) {
      return bonds;
    }
  }
  return 0;
}

/// Valences of the elements SMILES always brackets, for the check alone.
std::span<const int> bracketedvalences(int element) {
  static constexpr std::array<int, 1> one = {1};
  static constexpr std::array<int, 1> four = {4};
  static constexpr std::array<int, 2> pnictogen = {3, 5};
  static constexpr std::array<int, 3> chalcogen = {2, 4, 6};
  switch (element) {
    case 1:
      return one;
    case 14:
    case 32:
      return four;
    case 33:
      return pnictogen;
    case 34:
    case 52:
      return chalcogen;
    default:
      return {};
  }
}

}  // namespace

bool isorganicsubset(int element, bool aromatic) {
  if (aromatic) {
    return element == 5 || element == 6 || element == 7 || element == 8 ||
           element == 15 || element == 16;
  }
  return !normalvalences(element).empty();
}

std::optional<int> largestvalence(int element, int charge) {
  std::span<const int> valences = normalvalences(element);
  if (valences.empty()) {
    valences = bracketedvalences(element);
  }
  if (valences.empty()) {
    return std::nullopt;
  }
  const bool secondperiod = element >= 3 && element <= 10;
  const int neutral = secondperiod ? valences.front() : valences.back();
  return std::max(0, neutral + chargevalenceshift(element, charge));
}

timpliedvalence impliedvalence(int element, bool aromatic, int bondsum) {
  timpliedvalence result;
  const int wanted = bondsum + (aromatic ? 1 : 0);
  for (int valence : normalvalences(element)) {
    if (valence >= bondsum) {
      // An aromatic atom that fits exactly without the extra bond (furan
      // oxygen, thiophene sulfur) keeps its valence and takes no double bond.
      if (aromatic && valence >= wanted) {
        result.needsdouble = true;
        result.hydrogens = valence - wanted;
      } else {
        result.hydrogens = valence - bondsum;
      }
      return result;
    }
  }
  return result;
}

bool bracketneedsdouble(int element, int charge, int bondsum, int hydrogens) {
  int bonds = lowestbonds(element);
  if (bonds == 0) {
    return false;
  }
  bonds += chargevalenceshift(element, charge);
  return bonds - bondsum - hydrogens >= 1;
}

}  // namespace molvane

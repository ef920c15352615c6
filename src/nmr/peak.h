// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/environment.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace molvane {

class IPeakdb;
class tStructure;

/// A shift in ppm that stands for "no shift".
inline constexpr double noshift = -999.9;
/// The stored (fixed-point) value of "no shift".
inline constexpr std::int16_t noshiftfixed = -9999;
/// A database keeps its entries in this many lists, by environment class.
inline constexpr int peaklistcount = 20;

/// One shift observation or prediction. Shifts are stored in fixed point:
/// hundredths of a ppm for hydrogen (nucleus 1), tenths for other nuclei.
struct tpeak {
  /// In a structure's list the atom's NMR number; in a spectrum the number
  /// of merged equivalent peaks.
  std::uint16_t count = 0;
  /// Position of the atom in its structure's atom list; -1 for entries.
  std::int32_t atomindex = -1;
  std::int16_t shift = noshiftfixed;
  /// 0 none; 1..7 database spheres matched (7 exact); negative from the
  /// increment schemes.
  std::int8_t level = 0;
  std::uint8_t peaktype = 0;
  tspheres spheres{};

  /// A peak of the environment env, without a shift.
  static tpeak fromenvironment(const tenvironment& env);

  bool hasshift() const { return shift > noshiftfixed; }
  /// The shift in ppm for nucleus (1 reads hundredths, others tenths);
  /// noshift when there is none.
  double getshift(int nucleus) const;
  /// Stores value (ppm). Below -999 the peak gets no shift and level 0, as
  /// do hydrogen values beyond +-99.99 (stored as -99.99, the fixed-point
  /// "no shift") and values the fixed point cannot hold.
  void setshift(double value, int nucleus);
  void clearshift() {
    shift = noshiftfixed;
    level = 0;
  }
  double key() const;
  double spheresum() const;
};

/// Same class and all seven spheres equal (exact comparison).
bool identical(const tpeak& a, const tpeak& b);

/// Database order: by key, then by the sum of the spheres, then (for the
/// rare different entries equal in both) by class and spheres one by one.
/// Negative when a comes first, 0 for identical peaks, positive otherwise.
int comparepeaks(const tpeak& a, const tpeak& b);

/// The database list (0..19) that files a class; unknown classes go to 0.
int listnumber(int peaktype);

/// Whether a nucleus-carrying atom shows its own shift label.
struct tshift {
  std::uint8_t shown = 0;
};
using tshifts = std::vector<tshift>;

/// A list of peaks: a database list (sorted by comparepeaks) or the peaks
/// of one structure in atom order.
class tpeaklist {
 public:
  std::vector<tpeak> peaks;
  /// Every atom's shift label is drawn, not only those that are shown.
  std::uint8_t showall = 0;
  /// One flag per peak of a structure's list.
  tshifts shifts;
  /// The structure the list was made from; null for database lists.
  const tStructure* structure = nullptr;
  /// The database that predicted the list; null for database lists.
  std::shared_ptr<IPeakdb> db;

  int count() const { return static_cast<int>(peaks.size()); }
};

}  // namespace molvane

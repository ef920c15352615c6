// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/peak.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace molvane {

namespace {

constexpr int hydrogennucleus = 1;

/// List numbers by class; classes not listed file under list 0.
constexpr std::array<std::uint8_t, peaklistcount> listclasses = {
    10, 11, 12, 20, 21, 22, 23, 30, 31, 32,
    33, 34, 35, 40, 41, 42, 50, 61, 2,  3};

}  // namespace

tpeak tpeak::fromenvironment(const tenvironment& env) {
  tpeak peak;
  peak.peaktype = env.peaktype;
  peak.spheres = env.spheres;
  return peak;
}

double tpeak::getshift(int nucleus) const {
  if (nucleus == hydrogennucleus) {
    return shift < -9998 ? noshift : shift * 0.01;
  }
  return hasshift() ? shift * 0.1 : noshift;
}

void tpeak::setshift(double value, int nucleus) {
  if (!(value >= -999.0)) {
    clearshift();
    return;
  }
  // Hydrogen values beyond +-99.99 are stored as -99.99, which is the
  // fixed-point "no shift"; other values must fit 16 bits.
  double scaled = nucleus == hydrogennucleus ? std::round(100.0 * value)
                                             : std::round(10.0 * value);
  if ((nucleus == hydrogennucleus && std::abs(value) > 99.99) ||
      scaled <= noshiftfixed ||
      scaled > std::numeric_limits<std::int16_t>::max()) {
    clearshift();
    return;
  }
  shift = static_cast<std::int16_t>(scaled);
}

double tpeak::key() const { return peaktype * 10.0 + spheres[0]; }

double tpeak::spheresum() const {
  double sum = 0.0;
  for (float each : spheres) {
    sum += each;
  }
  return sum;
}

bool identical(const tpeak& a, const tpeak& b) {
  return a.peaktype == b.peaktype && a.spheres == b.spheres;
}

int comparepeaks(const tpeak& a, const tpeak& b) {
  double ka = a.key();
  double kb = b.key();
  if (ka != kb) {
    return ka < kb ? -1 : 1;
  }
  double sa = a.spheresum();
  double sb = b.spheresum();
  if (sa != sb) {
    return sa < sb ? -1 : 1;
  }
  if (a.peaktype != b.peaktype) {
    return a.peaktype < b.peaktype ? -1 : 1;
  }
  for (std::size_t k = 0; k < a.spheres.size(); ++k) {
    if (a.spheres[k] != b.spheres[k]) {
      return a.spheres[k] < b.spheres[k] ? -1 : 1;
    }
  }
  return 0;
}

int listnumber(int peaktype) {
  for (std::size_t i = 0; i < listclasses.size(); ++i) {
    if (listclasses[i] == peaktype) {
      return static_cast<int>(i);
    }
  }
  return 0;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dipole.h"

#include "model/atom.h"
#include "model/electron_config.h"
#include "model/fragment.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace molvane {

namespace {

/// Debye per elementary charge and ångström (4.80298 × 10⁻¹⁰ esu × 10⁻⁸ cm
/// × 10¹⁸).
constexpr double debyeperelectronangstrom = 4.80298;
/// Squared moments (D²) up to this are taken as no dipole at all.
constexpr double negligiblesquare = 0.00001;
constexpr int largestsweeps = 26;
/// The sweeps stop once the squared moves of one sweep add up to less.
constexpr double settledsquare = 0.0001;

struct tsite {
  tatm* atom = nullptr;
  double charge = 0.0;
  double electronegativity = 0.0;
  /// At charge +1: the scale of a bond's transfer.
  double cationic = 0.0;
  std::vector<std::size_t> neighbours;
};

std::vector<tsite> sitesof(TFragment& fragment) {
  std::vector<tsite> sites;
  std::unordered_map<const tatm*, std::size_t> places;
  for (tatm* atom : fragment.atoms) {
    if (!atom->ischemical()) {
      continue;
    }
    atom->qpartial = static_cast<float>(atom->fcharge);
    if (atom->element < 1) {
      continue;
    }
    places.emplace(atom, sites.size());
    const double cationic = atom->electronegativityat(1);
    sites.push_back({atom, static_cast<double>(atom->fcharge), cationic,
                     cationic, {}});
  }
  for (tsite& site : sites) {
    site.atom->findneighbours();
    for (const tatm* neighbour : site.atom->neighbours) {
      auto place = places.find(neighbour);
      if (place != places.end()) {
        site.neighbours.push_back(place->second);
      }
    }
  }
  return sites;
}

}  // namespace

void equilibratepartialcharges(TFragment& fragment) {
  std::vector<tsite> sites = sitesof(fragment);
  std::vector<double> moved(sites.size(), 0.0);
  double damping = 1.0;
  for (int sweep = 0; sweep < largestsweeps; ++sweep) {
    // Every move of a sweep reads the electronegativities of the sweep
    // before, so that what one end of a bond gains the other loses.
    double squares = 0.0;
    for (std::size_t i = 0; i < sites.size(); ++i) {
      double pull = 0.0;
      for (std::size_t j : sites[i].neighbours) {
        const double difference =
            sites[j].electronegativity - sites[i].electronegativity;
        if (difference == 0.0) {
          continue;
        }
        const double scale = difference > 0.0 ? sites[j].cationic
                                              : sites[i].cationic;
        if (scale > 0.0) {
          pull += difference / scale;
        }
      }
      moved[i] = damping * pull;
      squares += moved[i] * moved[i];
    }
    for (std::size_t i = 0; i < sites.size(); ++i) {
      tsite& site = sites[i];
      site.charge += moved[i];
      site.atom->qpartial = static_cast<float>(site.charge);
      site.electronegativity = electronegativityatpartial(
          site.atom->element, site.atom->fcharge,
          site.charge - site.atom->fcharge);
    }
    if (squares < settledsquare) {
      break;
    }
    damping *= 0.5;
  }
}

tdipole dipolemoment(const TFragment& fragment) {
  tdipole result;
  std::vector<const tatm*> chemical;
  for (const tatm* atom : fragment.atoms) {
    if (atom->ischemical()) {
      chemical.push_back(atom);
    }
  }
  if (chemical.size() < 2) {
    return result;
  }
  TXYZ centre;
  for (const tatm* atom : chemical) {
    centre.x += atom->angstromx();
    centre.y += atom->angstromy();
    centre.z += atom->angstromz();
  }
  const double count = static_cast<double>(chemical.size());
  centre = {centre.x / count, centre.y / count, centre.z / count};
  TXYZ d;
  for (const tatm* atom : chemical) {
    const double q = atom->qpartial * debyeperelectronangstrom;
    d.x += (atom->angstromx() - centre.x) * q;
    d.y += (atom->angstromy() - centre.y) * q;
    d.z += (atom->angstromz() - centre.z) * q;
  }
  const double square = d.x * d.x + d.y * d.y + d.z * d.z;
  if (square > negligiblesquare) {
    result.vector = d;
    result.debye = std::sqrt(square);
  }
  return result;
}

}  // namespace molvane

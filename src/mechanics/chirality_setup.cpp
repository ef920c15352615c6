// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Setting up the restraints that hold stated stereo centres and double
// bonds.
#include "chemistry/stereo_lift.h"
#include "document/drawing.h"
#include "mechanics/force_field.h"
#include "model/vector3.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace molvane {

using detail::cross;
using detail::dot;

std::vector<tchirality> chiralityterms(
    const tstatedstereo& stereo,
    const std::unordered_map<const tatm*, std::int32_t>& indexof) {
  std::vector<tchirality> terms;
  auto add = [&terms](tchirality term) {
    term.kind = ttermkind::chirality;
    term.atomcount = 4;
    terms.push_back(term);
  };
  for (const tstatedcentre& centre : stereo.centres) {
    const std::array<TXYZ, 4> ideal = idealdirections(centre.anticlockwise);
    std::vector<std::size_t> real;
    for (std::size_t k = 0; k < 4; ++k) {
      if (centre.neighbours[k] != nullptr) {
        real.push_back(k);
      }
    }
    // Three neighbours span one volume; four span four, each leaving one
    // out, so that no neighbour can pass through the others' plane.
    for (std::size_t skip = 0; skip < real.size(); ++skip) {
      if (real.size() == 3 && skip > 0) {
        break;
      }
      std::vector<std::size_t> three;
      for (std::size_t k = 0; k < real.size(); ++k) {
        if (real.size() == 3 || k != skip) {
          three.push_back(real[k]);
        }
      }
      if (three.size() != 3) {
        break;
      }
      tchirality term;
      term.atoms = {indexof.at(centre.neighbours[three[0]]),
                    indexof.at(centre.neighbours[three[1]]),
                    indexof.at(centre.neighbours[three[2]]),
                    indexof.at(centre.centre)};
      // The drawing's y runs down the page: a mirror, which turns the sign.
      const double volume =
          dot(ideal[three[0]], cross(ideal[three[1]], ideal[three[2]]));
      term.sense = volume < 0.0 ? 1.0 : -1.0;
      add(term);
    }
  }
  for (const tstatedbond& bond : stereo.doublebonds) {
    tchirality term;
    term.doublebond = true;
    // Held with room to spare within 60 degrees of its plane.
    term.threshold = 0.5;
    term.atoms = {indexof.at(bond.neighbour1), indexof.at(bond.end1),
                  indexof.at(bond.end2), indexof.at(bond.neighbour2)};
    term.sense = bond.cis ? 1.0 : -1.0;
    add(term);
  }
  return terms;
}

void tforcefield::createchiralities() {
  const bool marked =
      std::any_of(atoms_.begin(), atoms_.end(),
                  [](const tatm* atom) {
                    return atom->stereomark == tstereomark::stated;
                  }) ||
      std::any_of(bonds_.begin(), bonds_.end(), [](const auto& bond) {
        return bond.first->stereomark == tstereomark::stated;
      });
  if (!marked) {
    return;
  }
  std::unordered_map<const tatm*, std::int32_t> indexof;
  for (std::size_t i = 0; i < atoms_.size(); ++i) {
    indexof.emplace(atoms_[i], static_cast<std::int32_t>(i));
  }
  tstatedstereo stereo = statedstereo(drawing_);
  std::erase_if(stereo.centres, [](const tstatedcentre& centre) {
    return centre.centre->stereomark != tstereomark::stated;
  });
  std::erase_if(stereo.doublebonds, [](const tstatedbond& bond) {
    return bond.bond->stereomark != tstereomark::stated;
  });
  for (tchirality& term : chiralityterms(stereo, indexof)) {
    registerterm(term, static_cast<std::int32_t>(chiralities_.size()));
    chiralities_.push_back(term);
  }
}

}  // namespace molvane

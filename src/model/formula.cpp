// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/formula.h"

#include "model/atom.h"
#include "model/element_data.h"
#include "model/fragment.h"
#include "support/number_text.h"

#include <algorithm>
#include <map>
#include <vector>

namespace molvane {

namespace {

struct telementcount {
  const tatm* representative = nullptr;
  int count = 0;
};

/// The elements the formula lists at fixed places when the list is long
/// enough to hold them there.
int fixedplace(int element) {
  switch (element) {
    case 6:
      return 0;
    case 7:
      return 1;
    case 8:
      return 2;
    case 9:
      return 3;
    case 15:
      return 4;
    case 16:
      return 5;
    case 17:
      return 6;
    case 35:
      return 7;
    case 53:
      return 8;
    default:
      return -1;
  }
}

/// One representative per element with its count, in the formula's order.
std::vector<telementcount> orderedelements(const TFragment& fragment) {
  std::vector<telementcount> found;
  for (const tatm* atom : fragment.atoms) {
    if (!atom->ischemical()) {
      continue;
    }
    auto same = std::find_if(found.begin(), found.end(), [atom](const auto& e) {
      return e.representative->element == atom->element;
    });
    if (same == found.end()) {
      found.push_back({atom, 1});
    } else {
      ++same->count;
    }
  }
  std::vector<telementcount> ordered;
  for (const telementcount& entry : found) {
    int place = fixedplace(entry.representative->element);
    if (place >= 0 && place <= static_cast<int>(ordered.size())) {
      ordered.insert(ordered.begin() + place, entry);
    } else {
      ordered.push_back(entry);
    }
  }
  return ordered;
}

bool hascarbon(const std::vector<telementcount>& elements) {
  return std::any_of(elements.begin(), elements.end(), [](const auto& e) {
    return e.representative->element == 6;
  });
}

}  // namespace

std::string formulatext(const TFragment& fragment) {
  std::vector<telementcount> elements = orderedelements(fragment);
  int hydrogens = fragment.hydrogencount();
  std::string hydrogenpart =
      hydrogens > 0 ? "H" + std::to_string(hydrogens) + " " : "";
  std::string text = hascarbon(elements) ? "" : hydrogenpart;
  for (const telementcount& entry : elements) {
    int element = entry.representative->element;
    if (element <= 1) {
      continue;
    }
    text += entry.representative->symbol;
    text += entry.count >= 2 ? std::to_string(entry.count) + " " : " ";
    if (element == 6) {
      text += hydrogenpart;
    }
  }
  return text;
}

std::string formulaweighttext(const TFragment& fragment) {
  return formatfixed(fragment.molmass(), 3, 10);
}

std::string compositiontext(const TFragment& fragment) {
  double weight = fragment.molmass();
  if (weight <= 0.0) {
    return "";
  }
  std::vector<telementcount> elements = orderedelements(fragment);
  std::string hydrogenpart;
  if (fragment.hydrogencount() > 0) {
    hydrogenpart =
        formatfixed(100.0 * fragment.hydrogenmass() / weight, 1, 3) + "H ";
  }
  std::string text = hascarbon(elements) ? "" : hydrogenpart;
  for (const telementcount& entry : elements) {
    int element = entry.representative->element;
    if (element == 1) {
      continue;
    }
    double share = 100.0 * entry.representative->mass * entry.count / weight;
    text += formatfixed(share, 1, 3) + entry.representative->symbol + " ";
    if (element == 6) {
      text += hydrogenpart;
    }
  }
  return text;
}

std::string hillformula(const TFragment& fragment) {
  std::map<std::string, int> counts;
  for (const tatm* atom : fragment.atoms) {
    if (atom->ischemical() && atom->element > 1) {
      ++counts[std::string(symbolof(atom->element))];
    }
  }
  int hydrogens = fragment.hydrogencount();
  auto item = [](const std::string& symbol, int count) {
    return count == 1 ? symbol : symbol + std::to_string(count);
  };
  std::string text;
  auto carbon = counts.find("C");
  if (carbon != counts.end()) {
    text += item("C", carbon->second);
    counts.erase(carbon);
    if (hydrogens > 0) {
      text += item("H", hydrogens);
    }
  } else if (hydrogens > 0) {
    counts["H"] = hydrogens;
  }
  for (const auto& [symbol, count] : counts) {
    text += item(symbol, count);
  }
  return text;
}

}  // namespace molvane

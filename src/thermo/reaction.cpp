// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/reaction.h"

#include "document/drawing.h"
#include "model/element_data.h"
#include "support/number_text.h"
#include "support/units.h"
#include "thermo/linear_system.h"
#include "thermo/partition_function.h"
#include "thermo/species.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace molvane {
namespace {

constexpr double lnten = 2.3025851;
constexpr double lnten2 = 2.302585093;
/// Sums closer than this count as equal in the balance check.
constexpr double balancetolerance = 0.001;
/// Smaller imbalances are not shown.
constexpr double shownimbalance = 0.01;
/// Classification limits, cal/mol.
constexpr double classificationlimit = 0.01;
constexpr std::size_t longestimbalance = 64;

bool isreactionarrow(const tSymbol& symbol) {
  return symbol.fragtype >= arrowtype && symbol.fragtype <= eqarrow2type;
}

bool isspecies(const tStructure& structure) {
  return std::any_of(
      structure.atoms.begin(), structure.atoms.end(),
      [](const tatm* atom) { return atom->ischemical() && atom->element > 0; });
}

double centrex(const tStructure& structure) {
  double sum = 0.0;
  int count = 0;
  for (const tatm* atom : structure.atoms) {
    if (atom->ischemical()) {
      sum += atom->x;
      ++count;
    }
  }
  return count > 0 ? sum / count : structure.cx;
}

/// +1 for a product, -1 for a reactant.
double sign(const tStructure& structure, const tSymbol& arrow) {
  return isreactant(structure, arrow) ? -1.0 : 1.0;
}

/// The species that take part in the balance: every structure with atoms
/// but the solvents.
std::vector<tStructure*> balancedspecies(const tdrawing& drawing) {
  std::vector<tStructure*> result;
  for (tStructure* structure : drawing.structures) {
    if (isspecies(*structure) && structure->phase != solventphase) {
      result.push_back(structure);
    }
  }
  return result;
}

/// How many atoms of element the structure holds; hydrogens count
/// explicit and implicit ones.
int elementcount(const tStructure& structure, int element) {
  if (element == 1) {
    return structure.hydrogencount();
  }
  int count = 0;
  for (const tatm* atom : structure.atoms) {
    if (atom->ischemical() && atom->element == element) {
      ++count;
    }
  }
  return count;
}

/// The elements of the structures in order of first appearance, hydrogen
/// first when any structure has hydrogens.
std::vector<int> elementsof(const std::vector<tStructure*>& structures) {
  std::vector<int> elements;
  const auto note = [&](int element) {
    if (std::find(elements.begin(), elements.end(), element) ==
        elements.end()) {
      elements.push_back(element);
    }
  };
  for (const tStructure* structure : structures) {
    if (structure->hydrogencount() > 0) {
      note(1);
    }
  }
  for (const tStructure* structure : structures) {
    for (const tatm* atom : structure->atoms) {
      if (atom->ischemical() && atom->element > 0) {
        note(atom->element);
      }
    }
  }
  return elements;
}

}  // namespace

tSymbol* reactionarrow(const tdrawing& drawing) {
  for (tSymbol* symbol : drawing.symbols) {
    if (isreactionarrow(*symbol)) {
      return symbol;
    }
  }
  return nullptr;
}

bool structuresoverlap(const tdrawing& drawing) {
  std::unordered_set<const tatm*> atoms;
  std::unordered_set<const tbond*> bonds;
  for (const tStructure* structure : drawing.structures) {
    std::unordered_set<const tatm*> ownatoms(structure->atoms.begin(),
                                             structure->atoms.end());
    for (const tatm* atom : ownatoms) {
      if (!atoms.insert(atom).second) {
        return true;
      }
    }
    std::unordered_set<const tbond*> ownbonds(structure->bonds.begin(),
                                              structure->bonds.end());
    for (const tbond* bond : ownbonds) {
      if (!bonds.insert(bond).second) {
        return true;
      }
    }
  }
  return false;
}

treactioncheck checkreaction(const tdrawing& drawing) {
  if (drawing.structures.count() == 0) {
    return treactioncheck::nostructures;
  }
  if (drawing.symbols.count() == 0 || reactionarrow(drawing) == nullptr) {
    return treactioncheck::noarrow;
  }
  if (structuresoverlap(drawing)) {
    return treactioncheck::improper;
  }
  // The first symbol must be the arrow (101 to 105).
  const tSymbol* first = drawing.symbols.items(0);
  if (first->fragtype < 101 || first->fragtype > eqarrow2type) {
    return treactioncheck::noarrow;
  }
  return treactioncheck::ready;
}

std::string_view checktext(treactioncheck check) {
  switch (check) {
    case treactioncheck::improper:
      return improperreactiontext;
    case treactioncheck::noarrow:
      return addarrowtext;
    default:
      return {};
  }
}

double arrowposition(const tSymbol& arrow) { return arrow.centre().x; }

bool isreactant(const tStructure& structure, const tSymbol& arrow) {
  return centrex(structure) <= arrowposition(arrow);
}

treactionspecies findspecies(const tdrawing& drawing, const tSymbol& arrow) {
  treactionspecies species;
  for (tStructure* structure : drawing.structures) {
    if (!isspecies(*structure)) {
      continue;
    }
    if (structure->phase == solventphase) {
      species.solvents.push_back(structure);
    } else if (isreactant(*structure, arrow)) {
      species.reactants.push_back(structure);
    } else {
      species.products.push_back(structure);
    }
  }
  return species;
}

bool balancereaction(tdrawing& drawing, const tSymbol& arrow,
                     const tStructure& reference) {
  const std::vector<tStructure*> species = balancedspecies(drawing);
  const auto referenceat =
      std::find(species.begin(), species.end(), &reference);
  if (referenceat == species.end()) {
    return false;
  }
  const int referencecolumn = static_cast<int>(referenceat - species.begin());
  const std::vector<int> elements = elementsof(species);
  const int s = static_cast<int>(species.size());
  const int e = static_cast<int>(elements.size());
  // Under-determined: single 1s with right-hand side 0 in the columns
  // after the element rows, never in the reference's column.
  std::vector<int> extracolumns;
  for (int column = e;
       static_cast<int>(extracolumns.size()) < s - 1 - e && column < s;
       ++column) {
    if (column != referencecolumn) {
      extracolumns.push_back(column);
    }
  }
  const int rows = e + 1 + static_cast<int>(extracolumns.size());
  tmatrix system(rows, s);
  for (int i = 0; i < e; ++i) {
    for (int j = 0; j < s; ++j) {
      const tStructure& structure = *species[static_cast<std::size_t>(j)];
      // Reactants count positive, products negative.
      system.at(i, j) =
          -sign(structure, arrow) *
          elementcount(structure, elements[static_cast<std::size_t>(i)]);
    }
  }
  system.at(e, referencecolumn) = 1.0;
  system.rhs(e) = 1.0;
  for (std::size_t i = 0; i < extracolumns.size(); ++i) {
    system.at(e + 1 + static_cast<int>(i), extracolumns[i]) = 1.0;
  }
  if (!system.solve()) {
    return false;
  }
  // A least-squares solution need not hold the reference at exactly 1;
  // the amounts keep their ratios.
  const double scale =
      system.solution()[static_cast<std::size_t>(referencecolumn)];
  if (!(std::abs(scale) > 1e-12)) {
    return false;
  }
  for (int j = 0; j < s; ++j) {
    species[static_cast<std::size_t>(j)]->amount =
        system.solution()[static_cast<std::size_t>(j)] / scale;
  }
  return true;
}

bool isbalanced(const tdrawing& drawing, const tSymbol& arrow) {
  const double divide = arrowposition(arrow);
  double elementsum = 0.0;
  double masssum = 0.0;
  for (const tStructure* structure : drawing.structures) {
    if (!isspecies(*structure) || !structure->isreactive()) {
      continue;
    }
    for (const tatm* atom : structure->atoms) {
      if (!atom->ischemical() || atom->element <= 0) {
        continue;
      }
      // Each atom's own position decides its side; its implicit
      // hydrogens go with it.
      const double side = atom->x <= divide ? 1.0 : -1.0;
      const int hydrogens = std::max(0, atom->implicithydrogens());
      elementsum += side * (atom->element + hydrogens) * structure->amount;
    }
    masssum +=
        -sign(*structure, arrow) * structure->molmass() * structure->amount;
  }
  return std::abs(elementsum) < balancetolerance &&
         std::abs(masssum) < balancetolerance;
}

std::string imbalancetext(const tdrawing& drawing, const tSymbol& arrow) {
  std::vector<tStructure*> species;
  for (tStructure* structure : drawing.structures) {
    if (isspecies(*structure)) {
      species.push_back(structure);
    }
  }
  std::string text;
  for (const int element : elementsof(species)) {
    double sum = 0.0;
    for (const tStructure* structure : species) {
      sum += sign(*structure, arrow) * elementcount(*structure, element) *
             structure->amount;
    }
    if (std::abs(sum) > shownimbalance) {
      text += formatfixed(sum, 1, 3) + std::string(symbolof(element)) + " ";
    }
  }
  if (text.size() > longestimbalance) {
    text.resize(longestimbalance);
  }
  return text;
}

treactionvalues reactionvalues(tdrawing& drawing, const tSymbol& arrow,
                               double temperature, double pressure) {
  treactionvalues values;
  for (tStructure* structure : drawing.structures) {
    if (!isspecies(*structure) || structure->amount == 0.0) {
      continue;
    }
    const double weight = sign(*structure, arrow) * structure->amount;
    // The bond depths are dissociation energies from the ground state;
    // the bottom of the well lies the zero-point energy lower.
    const double well =
        speciesenergy(*structure) - thermoobject(*structure).zeropointenergy();
    values.enthalpy +=
        weight * (well + thermoenthalpy(*structure, temperature, pressure));
    values.entropy += weight * thermoentropy(*structure, temperature, pressure);
  }
  const double t = std::max(temperature, lowesttemperature);
  values.freeenergy = values.enthalpy - temperature * values.entropy;
  values.logk = -values.freeenergy / (t * gasconstantcal * lnten);
  return values;
}

std::optional<std::string_view> classifyreaction(double enthalpy,
                                                 double freeenergy) {
  const double limit = classificationlimit;
  if (enthalpy > limit && freeenergy > limit) {
    return "Endothermic, Non-Spontaneous";
  }
  if (enthalpy < -limit && freeenergy > limit) {
    return "Exothermic, Non-spontaneous";
  }
  if (enthalpy > limit && freeenergy < -limit) {
    return "Endothermic, Spontaneous";
  }
  if (enthalpy < -limit && freeenergy < -limit) {
    return "Exothermic, Spontaneous";
  }
  if (std::abs(freeenergy) < limit) {
    return "Equilibrium";
  }
  return std::nullopt;
}

treactionlabels formatreaction(const treactionvalues& values,
                               double temperature, double pressure) {
  treactionlabels labels;
  labels.pressure = formatfixed(pressure, 1, 4);
  labels.temperature = formatfixed(temperature, 0, 4);
  const auto energy = [](double cal) {
    return formatfixed(0.001 * cal, std::abs(cal) >= 10000.0 ? 1 : 2, 10);
  };
  labels.enthalpy = energy(values.enthalpy);
  labels.freeenergy = energy(values.freeenergy);
  // In cal/K as the report under the drawing gives it.
  labels.entropy = formatfixed(values.entropy, 2, 10);
  labels.logk =
      formatfixed(values.logk, std::abs(values.logk) >= 10.0 ? 1 : 2, 10);
  return labels;
}

std::array<std::string, 3> reportlines(const treactionvalues& values,
                                       double temperature, double pressure) {
  const double t = std::max(temperature, lowesttemperature);
  const double logk = -values.freeenergy / (lnten2 * gasconstantcal * t);
  return {"P=" + formatfixed(pressure, 1, 4) +
              "atm    T=" + formatfixed(temperature, 0, 4) + " K",
          "dG=" + formatfixed(0.001 * values.freeenergy, 1, 6) +
              " LogK=" + formatfixed(logk, 3, 6),
          "dH=" + formatfixed(0.001 * values.enthalpy, 1, 6) +
              " dS=" + formatfixed(values.entropy, 2, 6) + "cal/K"};
}

std::string reportindenttext(const treactionvalues& values) {
  return "dG = " + formatfixed(0.001 * values.freeenergy, 1, 6) + " Kcal";
}

treactionanalysis analysereaction(tdrawing& drawing, double temperature,
                                  double pressure) {
  treactionanalysis analysis;
  const tSymbol* arrow = reactionarrow(drawing);
  if (arrow == nullptr) {
    return analysis;
  }
  analysis.hasarrow = true;
  analysis.balanced = isbalanced(drawing, *arrow);
  if (!analysis.balanced) {
    analysis.status = unbalancedtext;
    analysis.message = imbalancetext(drawing, *arrow);
    return analysis;
  }
  analysis.status = balancedtext;
  analysis.values = reactionvalues(drawing, *arrow, temperature, pressure);
  analysis.labels = formatreaction(analysis.values, temperature, pressure);
  if (const auto text = classifyreaction(analysis.values.enthalpy,
                                         analysis.values.freeenergy)) {
    analysis.message = std::string(*text);
  }
  return analysis;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

class tStructure;
class tSymbol;
class tdrawing;

/// The fixed texts of the reaction tool.
inline constexpr std::string_view improperreactiontext = "Improper Reaction";
inline constexpr std::string_view addarrowtext = "Please add an arrow ";
inline constexpr std::string_view nothingtoreporttext = "Nothing to Report";
inline constexpr std::string_view reportcopiedtext =
    "Report copied to clipboard";
inline constexpr std::string_view balancedtext = "Balanced";
inline constexpr std::string_view unbalancedtext = "Unbalanced";

/// What stands in the way of treating a drawing as a reaction.
enum class treactioncheck {
  ready,         ///< structures and a reaction arrow, no shared atoms
  nostructures,  ///< nothing to do, no message
  improper,      ///< two structures share an atom or a bond
  noarrow,       ///< no reaction arrow among the symbols
};

/// The first symbol of the drawing that is a reaction arrow (type codes
/// 102 to 105), or null.
tSymbol* reactionarrow(const tdrawing& drawing);
/// Whether two of the drawing's structures share an atom or a bond.
bool structuresoverlap(const tdrawing& drawing);
/// The checks made when the reaction tool opens, in their order.
treactioncheck checkreaction(const tdrawing& drawing);
/// The message for a check: "Improper Reaction", "Please add an arrow " or
/// "" (ready, nothing to do).
std::string_view checktext(treactioncheck check);

/// The horizontal position that divides reactants from products: the
/// centre of the arrow's points (drawing units).
double arrowposition(const tSymbol& arrow);
/// A structure is a reactant when its centroid lies at or left of the
/// arrow's position, a product otherwise.
bool isreactant(const tStructure& structure, const tSymbol& arrow);

/// The drawing's structures sorted by their part in the reaction, each
/// list in the drawing's order. Solvents (phase 5) take part in neither
/// side and are listed only as solvents.
struct treactionspecies {
  std::vector<tStructure*> reactants;
  std::vector<tStructure*> products;
  std::vector<tStructure*> solvents;
};
treactionspecies findspecies(const tdrawing& drawing, const tSymbol& arrow);

/// Solves the element balance for the amounts of every structure of the
/// drawing, the reference's amount fixed at 1. Hydrogens count explicit
/// and implicit ones. On success each structure's `amount` is set and the
/// result is true; a singular system leaves every amount as it was.
[[nodiscard]] bool balancereaction(tdrawing& drawing, const tSymbol& arrow,
                                   const tStructure& reference);
/// Whether the element sums and the masses of the reactive structures on
/// the two sides agree within 0.001.
bool isbalanced(const tdrawing& drawing, const tSymbol& arrow);
/// What the products have too much (positive) or too little (negative)
/// of: hydrogen first, then the other elements in order of first
/// appearance, e.g. " 2.0H -1.0O "; at most 64 characters, "" when
/// nothing differs by more than 0.01.
std::string imbalancetext(const tdrawing& drawing, const tSymbol& arrow);

/// Reaction quantities at T (K) and P (atm); energies in cal/mol,
/// entropies in cal/(mol·K).
struct treactionvalues {
  double enthalpy = 0.0;    ///< ΔH
  double entropy = 0.0;     ///< ΔS
  double freeenergy = 0.0;  ///< ΔG = ΔH - T ΔS
  double logk = 0.0;        ///< -ΔG / (R T ln 10)
};

/// Sums over the reactive species (products add, reactants subtract,
/// weighted by `amount`) of the energy counted from separated atoms plus
/// the thermal enthalpy, and of the entropy. Builds each structure's
/// thermochemistry object when it has none. A temperature below 0.01 K is
/// taken as 0.01 K, so nothing divides by zero.
treactionvalues reactionvalues(tdrawing& drawing, const tSymbol& arrow,
                               double temperature, double pressure);

/// The classification text for ΔH and ΔG in cal/mol
/// ("Exothermic, Spontaneous", ..., "Equilibrium"), or none when no rule
/// holds (the previous text then stays).
std::optional<std::string_view> classifyreaction(double enthalpy,
                                                 double freeenergy);

/// The texts of the value labels of the tool.
struct treactionlabels {
  std::string pressure;     ///< "P=" label: width 4, one decimal
  std::string temperature;  ///< "T=" label: width 4, no decimals
  std::string enthalpy;     ///< kcal, width 10
  std::string entropy;      ///< cal/K, width 10, two decimals
  std::string freeenergy;   ///< kcal, width 10
  std::string logk;         ///< width 10
};
treactionlabels formatreaction(const treactionvalues& values,
                               double temperature, double pressure);

/// The three lines of the report placed under the drawing.
std::array<std::string, 3> reportlines(const treactionvalues& values,
                                       double temperature, double pressure);
/// The text whose width sets where the report lines start, to the left of
/// the arrow's middle: "dG = " + ΔG in kcal + " Kcal".
std::string reportindenttext(const treactionvalues& values);

/// One analysis of the drawing, as the tool shows it after every change.
struct treactionanalysis {
  bool hasarrow = false;
  bool balanced = false;
  /// "Balanced" or "Unbalanced".
  std::string status;
  /// The imbalance text, the classification, or none when the previous
  /// message stays.
  std::optional<std::string> message;
  /// Only meaningful when balanced.
  treactionvalues values;
  treactionlabels labels;
};
treactionanalysis analysereaction(tdrawing& drawing, double temperature,
                                  double pressure);

}  // namespace molvane

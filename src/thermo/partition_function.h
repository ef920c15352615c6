// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/structure.h"
#include "support/units.h"
#include "thermo/species.h"

#include <cstdint>
#include <vector>

namespace molvane {

class tStructure;
class tforcefield;
struct tspeciescopy;

/// The physical constants of the thermochemistry.
namespace thermoconstant {
inline constexpr double c2 = 1.4387885812797891;  ///< cm·K
inline constexpr double R = gasconstantcal;       ///< cal/(mol·K)
inline constexpr double c = 29979250000.0;        ///< cm/s
inline constexpr double h = 6.6256e-27;           ///< erg·s
inline constexpr double k = 1.38054e-16;          ///< erg/K
inline constexpr double kcal = 3.29956979e-24;    ///< cal/K
inline constexpr double NA = avogadronumber;      ///< 1/mol
inline constexpr double Rv = 82.056;              ///< cm³·atm/(mol·K)
inline constexpr double Fnu = 1302.9;             ///< ν̃ = Fnu √(G F)
}  // namespace thermoconstant

/// The lowest temperature (K) the thermochemistry evaluates at; lower
/// temperatures, 0 included, are raised to it.
inline constexpr double lowesttemperature = 0.01;
/// The lowest pressure (atm); lower ones are raised to it.
inline constexpr double lowestpressure = 0.01;

/// A harmonic vibrational mode.
struct TNu_vib {
  int degeneracy = 1;       ///< 1 or 2
  double weight = 1.0;      ///< share of a redundant coordinate
  double wavenumber = 0.0;  ///< cm⁻¹
  double theta() const { return wavenumber * thermoconstant::c2; }
};

/// A hindered internal rotor about an open-chain single bond.
struct TNu_HR {
  double wavenumber = 0.0;  ///< cm⁻¹ of the torsional oscillation
  double moment = 0.0;      ///< reduced moment of inertia, g·cm²
  double rotorsymmetry = 1.0;
  /// Energies (cal/mol) of the rotor's staggered minima from the drawn
  /// one, the drawn one (0) included, when they are distinct conformers
  /// (ethanol's trans and two gauche forms); empty when the turn maps the
  /// molecule onto itself.
  std::vector<double> wells;
  bool valid = false;
  double theta() const { return wavenumber * thermoconstant::c2; }
};

/// The thermochemistry of one structure: its vibrational modes and internal
/// rotors as its force field gives them when it is made, with its mass,
/// moments and phase. Energies in cal/mol, entropies in cal/(mol·K),
/// temperatures in K, pressures in atm.
class tPF final : public tthermoobject {
 public:
  /// Builds the modes from a fresh force-field setup over the structure
  /// alone, which must outlive the object.
  explicit tPF(tStructure& structure);

  std::uint8_t state = gasphase;
  tStructure* structure = nullptr;
  double energyoffset = 0.0;
  int stretchcount = 0;
  int bendcount = 0;
  int torsioncount = 0;
  int symmetrynumber = 1;
  /// Degeneracy of the electronic ground state (3 for triplet oxygen).
  int electronicdegeneracy = 1;
  /// The vibrational modes, stretches, bends and ring torsions in order.
  std::vector<TNu_vib> modes;
  std::vector<TNu_HR> rotors;

  void setstate(std::uint8_t phase) override { state = phase; }

  double lnQvib(double temperature) const;
  double dlnQvib(double temperature) const;
  double Evib(double temperature) const;
  double EHR(double temperature) const;
  double lnQgas(double temperature, double pressure) const;
  double dlnQgas(double temperature) const;
  double Sgas(double temperature, double pressure);
  double lnQcond(double temperature) const;
  double dlnQcond(double temperature) const;
  double Scond(double temperature);
  double Hcond(double temperature) const;

  /// The energy of the modes' ground states, R θ / 2 each.
  double zeropointenergy() const;

  /// E(T), H(T, P) and S(T, P) by `state`.
  double energy(double temperature) const;
  double enthalpy(double temperature, double pressure) const;
  double entropy(double temperature, double pressure);

 private:
  void addstretches(tforcefield& field);
  void addbends(tforcefield& field);
  void addtorsions(tforcefield& field);
  void addrotors(tforcefield& field, tspeciescopy& copy);
  void limitmodes(std::size_t stretchmodes, std::size_t bendmodes,
                  std::size_t atoms);
  /// N_A × ln q of translation and rotation, without vibration.
  double lnQmotion(double temperature, double pressure) const;
  /// ln q and its T-derivative of the hindered rotors.
  double lnQrotors(double temperature) const;
  double dlnQrotors(double temperature) const;

  trotortype rotation_ = trotortype::nonlinear;
  double lnX_ = 0.0;  ///< ln of the rotational factor X
  double linearmoment_ = 0.0;
  double mass_ = 0.0;  ///< g per molecule
};

/// Harmonic oscillator energy of a mode of temperature theta (K).
double harmonicenergy(double theta, double temperature);
/// Energy of a hindered rotor; a rotor without a wavenumber turns freely.
/// The Boltzmann mean energy of its wells comes on top.
double rotorenergy(const TNu_HR& rotor, double temperature);
/// ln q of a hindered rotor, interpolated between the harmonic oscillator
/// at low and the free rotor at high temperature. A rotor with distinct
/// wells counts each with its Boltzmann weight while the barrier holds.
double rotorlnq(const TNu_HR& rotor, double temperature);

/// Frees any thermochemistry object of the structure and makes a new one
/// with the structure's `energyoffset` and phase.
tPF& makethermo(tStructure& structure);
/// The structure's object, made first when it has none.
tPF& thermoobject(tStructure& structure);
/// E(T), H(T, P), S(T, P) of the structure's object (made first when the
/// structure has none).
double thermoenergy(tStructure& structure, double temperature);
double thermoenthalpy(tStructure& structure, double temperature,
                      double pressure);
double thermoentropy(tStructure& structure, double temperature,
                     double pressure);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

/// Ångström that one standard bond length L stands for in every physical
/// quantity: the force field, thermochemistry, dipoles, measurements, the
/// readers and the text table.
inline constexpr double angstromperbond = 1.53;
/// Ångström per L in the CML and MDL companion copies, and in the
/// hydrogen distances of hydrogen completion.
inline constexpr double companionangstromperbond = 1.54;

/// The gas constant in cal/(mol·K).
inline constexpr double gasconstantcal = 1.98717;
/// Avogadro's number, per mol, as inertia and thermochemistry use it.
inline constexpr double avogadronumber = 6.02252e23;

/// Ångström per drawing unit in a drawing whose standard bond is
/// bondlength drawing units long; bondlength must be positive.
constexpr double angstromperunit(double bondlength,
                                 double perbond = angstromperbond) {
  return perbond / bondlength;
}

/// A length in drawing units, in ångström (see angstromperunit).
constexpr double toangstrom(double units, double bondlength,
                            double perbond = angstromperbond) {
  return units * angstromperunit(bondlength, perbond);
}

/// A length in ångström, in drawing units: angstrom × L / perbond.
constexpr double todrawingunits(double angstrom, double bondlength,
                                double perbond = angstromperbond) {
  return angstrom * bondlength / perbond;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/partition_function.h"

#include <memory>

namespace molvane {

tPF::tPF(tStructure& owner) : structure(&owner) {}
double tPF::lnQvib(double) const { return 0.0; }
double tPF::dlnQvib(double) const { return 0.0; }
double tPF::Evib(double) const { return 0.0; }
double tPF::EHR(double) const { return 0.0; }
double tPF::lnQgas(double, double) const { return 0.0; }
double tPF::dlnQgas(double) const { return 0.0; }
double tPF::Sgas(double, double) { return 0.0; }
double tPF::lnQcond(double) const { return 0.0; }
double tPF::dlnQcond(double) const { return 0.0; }
double tPF::Scond(double) { return 0.0; }
double tPF::Hcond(double) const { return 0.0; }
double tPF::energy(double) const { return 0.0; }
double tPF::enthalpy(double, double) const { return 0.0; }
double tPF::entropy(double, double) { return 0.0; }
double harmonicenergy(double, double) { return 0.0; }
double rotorenergy(const TNu_HR&, double) { return 0.0; }

tPF& makethermo(tStructure& structure) {
  auto object = std::make_unique<tPF>(structure);
  tPF& result = *object;
  structure.thermo = std::move(object);
  return result;
}
double thermoenergy(tStructure&, double) { return 0.0; }
double thermoenthalpy(tStructure&, double, double) { return 0.0; }
double thermoentropy(tStructure&, double, double) { return 0.0; }

}  // namespace molvane

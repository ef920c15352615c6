// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace molvane {

class tdrawing;

/// A drawing of ethanol with all its hydrogens in 3D, turned so that its
/// depth shows, its centre at (x, y); the hydrogens and the oxygen carry
/// their symbols. Pictures of the draw modes are painted from it. Bond
/// lengths follow the current bond-length setting.
std::unique_ptr<tdrawing> samplemolecule(double x, double y);

}  // namespace molvane

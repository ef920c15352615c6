// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tatm;
class tdrawing;
class tStructure;

/// Turns the implicit hydrogens of the atoms of scope (the whole drawing
/// when null) into hydrogen atoms drawn flat around each atom.
void addhydrogens2d(tdrawing& drawing, tStructure* scope = nullptr);
/// The same with hydrogens placed in 3D by each atom's hybridisation.
void addhydrogens3d(tdrawing& drawing, tStructure* scope = nullptr);
/// Deletes every hydrogen atom with its bond; structures left empty go.
void removehydrogens(tdrawing& drawing);
/// Stores the hybridisation code of every chemical atom.
void assignhybridization(tdrawing& drawing);
/// The ideal bond angle in radians by hybridisation and coordination.
double idealangle(int element, int charge, int hybridization, int coordination);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace molvane {

class tStructure;
class tdrawing;

/// The colour of the reference species while the reaction tool is open.
inline constexpr std::uint32_t referencecolour = 0xFF0000;

/// The temperature and pressure the reaction tool starts with (K, atm).
inline constexpr int starttemperature = 293;
inline constexpr double startpressure = 1.0;

/// The temperature after a step of delta kelvin; never below 0 K.
int steptemperature(int temperature, int delta);
/// The pressure after a step of delta atm; below 0.01 atm it is 0.01.
double steppressure(double pressure, double delta);

/// Whether the reaction tool can work on the drawing: more than one
/// chemical atom and none of element 0.
bool isreactiondrawing(const tdrawing& drawing);

/// The structure after current in the drawing's list, the first after the
/// last; the first when current is not in the list; null for a drawing
/// without structures.
tStructure* nextreference(const tdrawing& drawing, const tStructure* current);

/// Clears the colour of every structure's atoms and bonds, then colours
/// the reference's (none when it is null).
void highlightreference(tdrawing& drawing, tStructure* reference);

/// The choices of the tool's state group, in their order.
enum class tspeciesstate { gas, liquid, solute, solvent };
/// The choice that shows a phase: 3 gas, 2 liquid, 4 solute, 5 solvent;
/// none for the other phases (the group is then disabled).
std::optional<tspeciesstate> stateofphase(std::uint8_t phase);
/// Gives the structure the phase of a choice. A solvent takes no part
/// (amount 0); any other phase with amount 0 takes part once again
/// (amount 1).
void setspeciesstate(tStructure& structure, tspeciesstate state);

/// Switches the drawing to the flat draw mode and returns the mode it had.
std::uint8_t beginreaction(tdrawing& drawing);
/// Undoes what the tool showed: clears the highlights, gives back the draw
/// mode and clears every atom's mark.
void endreaction(tdrawing& drawing, std::uint8_t drawmode);

}  // namespace molvane

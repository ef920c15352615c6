// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

/// The program's fixed texts for building commands. Their spelling differs
/// from command to command, trailing blank included, and users and help
/// texts know them as they are.
inline constexpr const char* noatomsmessage = "No Atoms";
/// Branching a ring or phenyl on an empty drawing.
inline constexpr const char* noringanchormessage = "No atoms to link";
/// Branching a chain when the nearest atom takes no branch.
inline constexpr const char* nochainanchormessage = "No Atoms to Link ";
/// Fusing a ring without a bond in the drawing.
inline constexpr const char* nobondstofusemessage = "No Bonds To Fuse";
/// Fusing benzene without a bond in the drawing.
inline constexpr const char* nobondsforbenzenemessage = "No Bonds to Fuse";
/// Link Atoms picked the same atom twice.
inline constexpr const char* movepointermessage = "Please move mouse pointer";

}  // namespace molvane

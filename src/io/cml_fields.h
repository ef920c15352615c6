// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"

#include <optional>
#include <string>
#include <string_view>

namespace molvane {

/// The molecule id this program writes, which marks its own layout.
inline constexpr std::string_view cmlownmoleculeid = "MOLVANE3D_MOLECULE";
/// The molecule attribute that says y grows upwards. Files of the own
/// layout without it are older ones, which kept the drawing's downward y.
inline constexpr std::string_view cmlyaxisattribute = "yaxis";
inline constexpr std::string_view cmlupwards = "up";

/// An atom identifier without the blanks and stray quotes older files of
/// this program left around it (` a_1"`).
std::string cmlid(std::string_view text);

/// Bond orders: "1", "S", "2", "D", "3", "T", "A", or a number of bonds
/// such as "1.5" (aromatic) or "2.0"; none for anything else.
std::optional<tbondentry> cmlorder(std::string_view text);

}  // namespace molvane

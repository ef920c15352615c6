// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace molvane {

class tatm;
class tdrawing;

/// The memory a drawing takes, near enough to bound the undo history: its
/// atoms, bonds, symbols, structures and texts.
std::size_t drawingfootprint(const tdrawing& drawing);
/// What drawingfootprint counts for one atom or one bond object alone.
std::size_t atomfootprint(const tatm& atom);
std::size_t bondfootprint();
/// The drawing without its atom and bond objects: its fields, texts,
/// structures, symbols and list entries, entry bytes each (a drawing that
/// owns its objects keeps an ownership entry beside each list entry).
std::size_t framefootprint(const tdrawing& drawing, std::size_t entry);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tdrawing;

namespace testing {

/// Ethanol as a chain structure, a text label, a symbol and a changed font
/// and colour: one of everything a clone must copy.
void buildsampledrawing(tdrawing& drawing);

}  // namespace testing
}  // namespace molvane

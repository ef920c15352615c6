// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

namespace molvane {

class tLAtm;
class tSymbol;
class tcanvas;
class tdrawing;

/// Adds the lines of a reaction report to the drawing as text labels, one
/// under the other at 2, 3 and 4 times the height of "X" below the bottom
/// of what the drawing paints, all starting at the middle of the arrow less
/// the width of indent (in the label font, measured with canvas). Returns
/// the labels; none for a drawing without atoms.
std::vector<tLAtm*> addreportlabels(tdrawing& drawing, tcanvas& canvas,
                                    const std::array<std::string, 3>& lines,
                                    const std::string& indent,
                                    const tSymbol& arrow);

/// Takes the labels that addreportlabels added out of the drawing again.
void removereportlabels(tdrawing& drawing, const std::vector<tLAtm*>& labels);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace molvane {

class tLAtm;
class tSymbol;
class tcanvas;
class tdrawing;

/// One text of the balanced equation where it stands in the drawing: its
/// left edge and the middle of its height, in drawing units.
struct tequationtext {
  std::string text;
  double left = 0.0;
  double middle = 0.0;
};

/// The coefficient of a balanced amount as a chemist writes it: "" for 1,
/// "2", "0.5", "1.33".
std::string coefficienttext(double amount);

/// The texts that make the drawing read as an equation: before every
/// reactive species its coefficient, and "+" between neighbouring species
/// on the same side of the arrow, measured with canvas in the drawing's
/// first font. Species are ordered left to right on each side.
std::vector<tequationtext> equationtexts(tdrawing& drawing, tcanvas& canvas,
                                         const tSymbol& arrow);

/// Paints the texts in black, in the drawing's first font.
void paintequation(const tdrawing& drawing, tcanvas& canvas,
                   const std::vector<tequationtext>& texts);

/// Adds the texts to the drawing as text labels (for a picture of it);
/// removereportlabels takes them out again.
std::vector<tLAtm*> addequationlabels(tdrawing& drawing,
                                      const std::vector<tequationtext>& texts);

}  // namespace molvane

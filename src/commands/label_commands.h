// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace molvane {

struct tcommandcontext;

class tLAtm;

/// The label code creates at (x, y), in no drawing yet; the temperature
/// label shows temperature in kelvin. Null for a code that makes no label.
std::unique_ptr<tLAtm> makelabel(int code, double x, double y,
                                 double temperature);

/// The text labels of the symbol tool (codes 607, 608, 611, 613, 614,
/// 615), added to the context's drawing at the click: a plain text, a
/// formula (drawn like an atom label, with subscript digits, highlighted
/// while it is new), "+", the drawing's temperature in kelvin, and the
/// partial-charge marks. Null for any other code.
tLAtm* addlabel(tcommandcontext& context, double x, double y, int code);

/// Whether the window opens the text editor on the label code creates.
bool editsnewlabel(int code);

}  // namespace molvane

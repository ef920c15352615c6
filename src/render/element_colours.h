// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/canvas.h"

namespace molvane {

class tatm;

/// The label colour of an element when labels are coloured by element:
/// nitrogen blue, oxygen red, sulphur yellow-brown, fluorine and chlorine
/// green, bromine dark red, iodine violet, phosphorus orange and a few
/// more; carbon, hydrogen and every element without a colour of its own
/// stay black. Any atomic number is accepted.
tcolour elementlabelcolour(int element);

/// The colour an atom's label takes: its own colour when the user gave it
/// one (anything but black) or when colouring is off, otherwise the colour
/// of its element.
tcolour labelcolourof(const tatm& atom, bool colourbyelement);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/base_object.h"
#include "render/canvas.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

/// How one character of a label sits on its line.
enum class tcharacterclass { normal, superscript, subscript, skipped };

/// One character of a label where it is drawn: x is its left edge in
/// layouts 0 and 2 and its right edge in layouts 1 and 3.
struct tlabelcharacter {
  std::string text;  ///< one character, UTF-8
  int x = 0;
  int top = 0;
  int width = 0;
  tcharacterclass placement = tcharacterclass::normal;
};

/// Draws one atom label for one painting call: the first character
/// centred on the atom point, the text running away from it in the writing
/// direction, digits after letters lowered, charge signs raised.
///
/// Layouts by align and direction: 0 (align 0, +1) left to right; 1
/// (align 0, -1) right to left; 2 (align 2, +1) and 3 (align 2, -1) the
/// same with the characters in reverse order. Any align other than 2 counts
/// as 0 and any negative direction as -1.
class tLabel : public tbaseobject {
 public:
  static constexpr std::size_t maxcharacters = 64;

  /// Keeps at most 64 characters of text. charheight is measured on "8"
  /// in the canvas's current font.
  tLabel(tcanvas& canvas, int direction, int align, tcolour colour,
         std::string_view text);

  std::int32_t charheight = 0;
  tcolour colour = 0;
  std::string text;
  std::int8_t direction = 1;
  std::uint8_t layout = 0;
  std::int8_t align = 0;
  tcanvas& canvas;

  /// Draws the label around the atom point (x, y) in the canvas's font
  /// and in `colour`; the canvas's text alignment and font colour are
  /// restored afterwards. Nothing for an empty text.
  void draw(int x, int y);
  /// The characters draw writes, in drawing order, skipped ones included.
  /// Sets `layout`; `text` itself keeps its order.
  std::vector<tlabelcharacter> place(int x, int y);
  /// Reverses the characters (not the bytes) of `text` in place.
  void reversetext();
};

/// Splits UTF-8 text into its characters; a broken byte counts as one.
std::vector<std::string> labelcharacters(std::string_view text);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/font.h"

#include <cstdint>
#include <span>
#include <string>

namespace molvane {

/// Colours are 0x00BBGGRR throughout the model.
using tcolour = std::uint32_t;

inline constexpr tcolour blackcolour = 0x000000;
inline constexpr tcolour whitecolour = 0xFFFFFF;

enum class tpenstyle { solid, dotted, clear };
enum class tpenmode { copy, notxor };
enum class tbrushstyle { solid, clear };

/// Horizontal and vertical reference of text output.
enum class thorizontalalign { left, centre, right };
enum class tverticalalign { top, baseline, bottom };

struct tpoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const tpoint&, const tpoint&) = default;
};

struct tpen {
  tpenstyle style = tpenstyle::solid;
  /// Pixels; 0 and 1 both give the thinnest line.
  int width = 1;
  tcolour colour = blackcolour;
  tpenmode mode = tpenmode::copy;
  friend bool operator==(const tpen&, const tpen&) = default;
};

struct tbrush {
  tbrushstyle style = tbrushstyle::solid;
  tcolour colour = whitecolour;
  friend bool operator==(const tbrush&, const tbrush&) = default;
};

/// Where text output is anchored and whether it paints its background.
struct ttextformat {
  thorizontalalign horizontal = thorizontalalign::left;
  tverticalalign vertical = tverticalalign::top;
  /// Opaque text fills its box with the brush colour first.
  bool opaque = true;
  friend bool operator==(const ttextformat&, const ttextformat&) = default;
};

/// What every painter draws on: the window, a picture file or, in tests, a
/// recording of the calls. Coordinates are pixels, y downwards.
///
/// The canvas keeps the current pen, brush, font and text format; back ends
/// read them when they draw. A new canvas has a solid black pen one pixel
/// wide, a solid white brush, the standard label font in black and opaque
/// text anchored at its top left corner.
class tcanvas {
 public:
  virtual ~tcanvas() = default;

  void setpenstyle(tpenstyle style) { pen_.style = style; }
  void setpenwidth(int width) { pen_.width = width; }
  void setpencolour(tcolour colour) { pen_.colour = colour; }
  void setpenmode(tpenmode mode) { pen_.mode = mode; }
  void setbrushstyle(tbrushstyle style) { brush_.style = style; }
  void setbrushcolour(tcolour colour) { brush_.colour = colour; }
  /// Face name, height and style (italic, bold, underline, strike-out) of
  /// record; see selectfont for which fields a label font passes on.
  void setfont(const fontrecord& record) { font_ = record; }
  void setfontcolour(tcolour colour) { fontcolour_ = colour; }
  void settextalign(thorizontalalign horizontal, tverticalalign vertical) {
    textformat_.horizontal = horizontal;
    textformat_.vertical = vertical;
  }
  void settextopaque(bool opaque) { textformat_.opaque = opaque; }

  const tpen& pen() const { return pen_; }
  const tbrush& brush() const { return brush_; }
  const fontrecord& font() const { return font_; }
  tcolour fontcolour() const { return fontcolour_; }
  const ttextformat& textformat() const { return textformat_; }

  /// From (x1, y1) to (x2, y2); the end point itself is left out, so that
  /// lines drawn one after another do not paint their joints twice.
  virtual void line(int x1, int y1, int x2, int y2) = 0;
  virtual void polyline(std::span<const tpoint> points) = 0;
  /// Outlined with the pen, filled with the brush.
  virtual void polygon(std::span<const tpoint> points) = 0;
  /// The ellipse inside the box; right and bottom are just outside it.
  virtual void ellipse(int left, int top, int right, int bottom) = 0;
  virtual void rectangle(int left, int top, int right, int bottom) = 0;
  /// The part of the ellipse in the box from where the ray from its centre
  /// through the start point meets it to where the ray through the end
  /// point does, counter-clockwise on the screen.
  virtual void arc(int left, int top, int right, int bottom, int startx,
                   int starty, int endx, int endy) = 0;
  /// UTF-8 text in the font and font colour, anchored at (x, y) as the
  /// text format says.
  virtual void textout(int x, int y, const std::string& text) = 0;
  /// Size of text in the current font, in pixels.
  virtual int textwidth(const std::string& text) = 0;
  virtual int textheight(const std::string& text) = 0;

 private:
  tpen pen_;
  tbrush brush_;
  fontrecord font_ = fontrecord::standard();
  tcolour fontcolour_ = blackcolour;
  ttextformat textformat_;
};

/// Pen style, then width, then colour.
void setpen(tcanvas& canvas, tpenstyle style, int width, tcolour colour);
void setbrushcolour(tcanvas& canvas, tcolour colour);
/// Brush style, then colour.
void setbrush(tcanvas& canvas, tbrushstyle style, tcolour colour);
/// The brush every painter leaves behind: solid white.
void resetbrush(tcanvas& canvas);

}  // namespace molvane

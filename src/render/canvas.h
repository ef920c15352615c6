// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace molvane {

struct fontrecord;

/// Colours are 0x00BBGGRR throughout the model.
using tcolour = std::uint32_t;

enum class tpenstyle { solid, dotted, clear };
enum class tpenmode { copy, notxor };
enum class tbrushstyle { solid, clear };

/// Horizontal and vertical reference of text output.
enum class thorizontalalign { left, centre, right };
enum class tverticalalign { top, baseline, bottom };

struct tpoint {
  int x = 0;
  int y = 0;
};

/// What every painter draws on: the window, a picture file or, in tests, a
/// recording of the calls. Coordinates are pixels, y downwards.
class tcanvas {
 public:
  virtual ~tcanvas() = default;

  virtual void setpenstyle(tpenstyle style) = 0;
  virtual void setpenwidth(int width) = 0;
  virtual void setpencolour(tcolour colour) = 0;
  virtual void setpenmode(tpenmode mode) = 0;
  virtual void setbrushstyle(tbrushstyle style) = 0;
  virtual void setbrushcolour(tcolour colour) = 0;
  /// Face name, height and style (italic, bold, underline, strike-out) of
  /// record.
  virtual void setfont(const fontrecord& record) = 0;
  virtual void settextalign(thorizontalalign horizontal,
                            tverticalalign vertical) = 0;
  /// Opaque text fills its box with the brush colour first.
  virtual void settextopaque(bool opaque) = 0;

  virtual void line(int x1, int y1, int x2, int y2) = 0;
  virtual void polyline(std::span<const tpoint> points) = 0;
  /// Outlined with the pen, filled with the brush.
  virtual void polygon(std::span<const tpoint> points) = 0;
  virtual void ellipse(int left, int top, int right, int bottom) = 0;
  virtual void rectangle(int left, int top, int right, int bottom) = 0;
  /// The part of the ellipse in the box from the start point to the end
  /// point, counter-clockwise.
  virtual void arc(int left, int top, int right, int bottom, int startx,
                   int starty, int endx, int endy) = 0;
  virtual void textout(int x, int y, const std::string& text) = 0;
  virtual int textwidth(const std::string& text) = 0;
  virtual int textheight(const std::string& text) = 0;
};

/// Pen style, then width, then colour.
void setpen(tcanvas& canvas, tpenstyle style, int width, tcolour colour);
void setbrushcolour(tcanvas& canvas, tcolour colour);
/// Brush style, then colour.
void setbrush(tcanvas& canvas, tbrushstyle style, tcolour colour);

}  // namespace molvane

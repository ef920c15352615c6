// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/canvas.h"

#include <string>
#include <vector>

namespace molvane::testing {

/// A canvas that writes every drawing call as one line of text, with the
/// pen, brush or font it used, and measures text with fixed metrics so
/// that layouts do not depend on the fonts installed:
/// - a capital letter is 8 pixels wide, any other character 6, both scaled
///   by |font height| / 11 (integer division);
/// - every text is |font height| + 3 pixels high (14 for the standard
///   font).
///
/// Lines look like
///   line 10,20 40,20 pen=solid/1/000000
///   polygon 1,2 3,4 5,6 pen=solid/1/0000FF brush=solid/0000FF
///   text 10,5 "C" left/top font=-11/400 colour=000000 opaque
/// Colours are written as their 0x00BBGGRR value in six hex digits.
class trecordingcanvas final : public tcanvas {
 public:
  void line(int x1, int y1, int x2, int y2) override;
  void polyline(std::span<const tpoint> points) override;
  void polygon(std::span<const tpoint> points) override;
  void ellipse(int left, int top, int right, int bottom) override;
  void rectangle(int left, int top, int right, int bottom) override;
  void arc(int left, int top, int right, int bottom, int startx, int starty,
           int endx, int endy) override;
  void textout(int x, int y, const std::string& text) override;
  int textwidth(const std::string& text) override;
  int textheight(const std::string& text) override;

  /// The calls whose text starts with prefix ("line", "text" ...).
  std::vector<std::string> callsof(const std::string& prefix) const;
  void clear() { calls.clear(); }

  std::vector<std::string> calls;

 private:
  std::string penstate() const;
  std::string brushstate() const;
};

}  // namespace molvane::testing

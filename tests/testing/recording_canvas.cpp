// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/recording_canvas.h"

#include "render/label.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace molvane::testing {

namespace {

std::string hex(tcolour colour) {
  std::array<char, 16> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%06X", colour & 0xFFFFFFU);
  return buffer.data();
}

std::string point(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

std::string points(std::span<const tpoint> list) {
  std::string text;
  for (const tpoint& p : list) {
    text += " " + point(p.x, p.y);
  }
  return text;
}

int fontscale(const fontrecord& font) {
  const int height = font.height < 0 ? -font.height : font.height;
  return height == 0 ? 11 : height;
}

const char* penstylename(tpenstyle style) {
  return style == tpenstyle::dotted  ? "dotted"
         : style == tpenstyle::clear ? "clear"
                                     : "solid";
}

const char* horizontalname(thorizontalalign align) {
  return align == thorizontalalign::centre  ? "centre"
         : align == thorizontalalign::right ? "right"
                                            : "left";
}

const char* verticalname(tverticalalign align) {
  return align == tverticalalign::baseline ? "baseline"
         : align == tverticalalign::bottom ? "bottom"
                                           : "top";
}

}  // namespace

std::string trecordingcanvas::penstate() const {
  std::string state = std::string("pen=") + penstylename(pen().style) + "/" +
                      std::to_string(pen().width) + "/" + hex(pen().colour);
  if (pen().mode == tpenmode::notxor) {
    state += "/notxor";
  }
  return state;
}

std::string trecordingcanvas::brushstate() const {
  return std::string("brush=") + (brush().style == tbrushstyle::solid
                                      ? "solid/" + hex(brush().colour)
                                      : std::string("clear"));
}

void trecordingcanvas::line(int x1, int y1, int x2, int y2) {
  calls.push_back("line " + point(x1, y1) + " " + point(x2, y2) + " " +
                  penstate());
}

void trecordingcanvas::polyline(std::span<const tpoint> list) {
  calls.push_back("polyline" + points(list) + " " + penstate());
}

void trecordingcanvas::polygon(std::span<const tpoint> list) {
  calls.push_back("polygon" + points(list) + " " + penstate() + " " +
                  brushstate());
}

void trecordingcanvas::ellipse(int left, int top, int right, int bottom) {
  calls.push_back("ellipse " + point(left, top) + " " + point(right, bottom) +
                  " " + penstate() + " " + brushstate());
}

void trecordingcanvas::rectangle(int left, int top, int right, int bottom) {
  calls.push_back("rectangle " + point(left, top) + " " + point(right, bottom) +
                  " " + penstate() + " " + brushstate());
}

void trecordingcanvas::arc(int left, int top, int right, int bottom, int startx,
                           int starty, int endx, int endy) {
  calls.push_back("arc " + point(left, top) + " " + point(right, bottom) +
                  " from " + point(startx, starty) + " to " +
                  point(endx, endy) + " " + penstate());
}

void trecordingcanvas::textout(int x, int y, const std::string& text) {
  calls.push_back("text " + point(x, y) + " \"" + text + "\" " +
                  horizontalname(textformat().horizontal) + "/" +
                  verticalname(textformat().vertical) +
                  " font=" + std::to_string(font().height) + "/" +
                  std::to_string(font().weight) +
                  " colour=" + hex(fontcolour()) +
                  (textformat().opaque ? " opaque" : " transparent"));
}

int trecordingcanvas::textwidth(const std::string& text) {
  int width = 0;
  for (const std::string& character : labelcharacters(text)) {
    const bool capital =
        character.size() == 1 && character[0] >= 'A' && character[0] <= 'Z';
    width += capital ? 8 : 6;
  }
  return width * fontscale(font()) / 11;
}

int trecordingcanvas::textheight(const std::string&) {
  return fontscale(font()) + 3;
}

std::vector<std::string> trecordingcanvas::callsof(
    const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : calls) {
    if (call.rfind(prefix + " ", 0) == 0) {
      found.push_back(call);
    }
  }
  return found;
}

}  // namespace molvane::testing

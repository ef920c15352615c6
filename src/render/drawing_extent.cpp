// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/drawing_extent.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/fragment.h"
#include "render/atom_painter.h"
#include "render/canvas.h"
#include "render/font_selection.h"
#include "render/label.h"
#include "render/paint_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <string>

namespace molvane {

namespace {

std::optional<tbox> plaintextbox(const tatm& atom, tcanvas& canvas,
                                 const tdrawing& drawing) {
  if (atom.symbol.empty()) {
    return std::nullopt;
  }
  selectfont(drawing, atom.fontindex, canvas);
  const int width = canvas.textwidth(atom.symbol);
  const int height = canvas.textheight(atom.symbol);
  const int top = atom.sy - height / 2;
  const int left = atom.align == 2 ? atom.sx - width : atom.sx;
  return tbox{left, top, left + width - 1, top + height - 1};
}

std::optional<tbox> includeoptional(std::optional<tbox> box,
                                    const std::optional<tbox>& other) {
  if (!other) {
    return box;
  }
  if (!box) {
    return other;
  }
  box->include(*other);
  return box;
}

/// A canvas that paints nothing and keeps the box of everything painted on
/// it, measuring text with another canvas.
class tboundscanvas final : public tcanvas {
 public:
  explicit tboundscanvas(tcanvas& measure) : measure_(measure) {}

  std::optional<tbox> box;

  void line(int x1, int y1, int x2, int y2) override {
    includepoint(x1, y1);
    includepoint(x2, y2);
  }
  void polyline(std::span<const tpoint> points) override {
    for (const tpoint& p : points) {
      includepoint(p.x, p.y);
    }
  }
  void polygon(std::span<const tpoint> points) override { polyline(points); }
  void ellipse(int left, int top, int right, int bottom) override {
    includepoint(left, top);
    includepoint(right - 1, bottom - 1);
  }
  void rectangle(int left, int top, int right, int bottom) override {
    ellipse(left, top, right, bottom);
  }
  void arc(int left, int top, int right, int bottom, int startx, int starty,
           int endx, int endy) override;
  void textout(int x, int y, const std::string& text) override;
  int textwidth(const std::string& text) override {
    measure_.setfont(font());
    return measure_.textwidth(text);
  }
  int textheight(const std::string& text) override {
    measure_.setfont(font());
    return measure_.textheight(text);
  }

 private:
  /// A point of a line, widened by half the pen.
  void includepoint(int x, int y) {
    if (pen().style == tpenstyle::clear &&
        brush().style == tbrushstyle::clear) {
      return;
    }
    const int half = pen().width > 1 ? pen().width / 2 : 0;
    box = includeoptional(box, tbox{x - half, y - half, x + half, y + half});
  }

  tcanvas& measure_;
};

void tboundscanvas::arc(int left, int top, int right, int bottom, int startx,
                        int starty, int endx, int endy) {
  // The arc covers its two ends and every end of an axis it passes going
  // counter-clockwise on the screen (y down) from start to end.
  const double cx = (left + right - 1) / 2.0;
  const double cy = (top + bottom - 1) / 2.0;
  const auto angleof = [cx, cy](int x, int y) {
    const double angle = std::atan2(cy - y, x - cx) * 180.0 / std::numbers::pi;
    return angle < 0.0 ? angle + 360.0 : angle;
  };
  const double start = angleof(startx, starty);
  double sweep = angleof(endx, endy) - start;
  if (sweep <= 0.0) {
    sweep += 360.0;
  }
  const double rx = (right - 1 - left) / 2.0;
  const double ry = (bottom - 1 - top) / 2.0;
  const auto onellipse = [&](double angle) {
    const double radians = angle * std::numbers::pi / 180.0;
    includepoint(static_cast<int>(std::lround(cx + rx * std::cos(radians))),
                 static_cast<int>(std::lround(cy - ry * std::sin(radians))));
  };
  onellipse(start);
  onellipse(start + sweep);
  for (double axis = 0.0; axis < 360.0; axis += 90.0) {
    double ahead = axis - start;
    if (ahead < 0.0) {
      ahead += 360.0;
    }
    if (ahead <= sweep) {
      onellipse(axis);
    }
  }
}

void tboundscanvas::textout(int x, int y, const std::string& text) {
  const int width = textwidth(text);
  const int height = textheight(text);
  int left = x;
  if (textformat().horizontal == thorizontalalign::centre) {
    left = x - width / 2;
  } else if (textformat().horizontal == thorizontalalign::right) {
    left = x - width;
  }
  int top = y;
  // Without a baseline from the canvas, the baseline is taken at the
  // bottom, which keeps the whole text inside the box.
  if (textformat().vertical != tverticalalign::top) {
    top = y - height;
  }
  if (width > 0 && height > 0) {
    box = includeoptional(box,
                          tbox{left, top, left + width - 1, top + height - 1});
  }
}

}  // namespace

void tbox::include(const tbox& other) {
  left = std::min(left, other.left);
  top = std::min(top, other.top);
  right = std::max(right, other.right);
  bottom = std::max(bottom, other.bottom);
}

std::optional<tbox> labelbox(const tatm& atom, tcanvas& canvas,
                             const tdrawing& drawing) {
  if (atom.kind == labelatomkind && atom.labelmode == textlabel) {
    return plaintextbox(atom, canvas, drawing);
  }
  const std::optional<std::string> base = labelbase(atom, drawing);
  if (!base) {
    return std::nullopt;
  }
  selectfont(drawing, atom.fontindex, canvas);
  tLabel label(canvas, atom.direction, atom.align, atom.colour,
               completelabeltext(atom, *base, drawing));
  std::optional<tbox> box;
  for (const tlabelcharacter& character : label.place(atom.sx, atom.sy)) {
    if (character.placement == tcharacterclass::skipped) {
      continue;
    }
    const int left =
        label.direction < 0 ? character.x - character.width : character.x;
    box = includeoptional(box,
                          tbox{left, character.top, left + character.width - 1,
                               character.top + label.charheight - 1});
  }
  return box;
}

void calcframe(TFragment& fragment, tcanvas& canvas, const tdrawing& drawing) {
  std::optional<tbox> frame;
  for (const tatm* atom : fragment.atoms) {
    frame =
        includeoptional(frame, tbox{atom->sx, atom->sy, atom->sx, atom->sy});
    frame = includeoptional(frame, labelbox(*atom, canvas, drawing));
  }
  if (!frame) {
    fragment.frame = {0, 1, 0, 1};
    return;
  }
  fragment.frame = {frame->left, frame->top, frame->right, frame->bottom};
}

std::optional<tbox> drawingextent(tdrawing& drawing, tcanvas& canvas,
                                  int margin) {
  tboundscanvas bounds(canvas);
  paintdrawing(drawing, bounds);
  std::optional<tbox> extent = bounds.box;
  // An atom that shows no label still has its place on the page.
  for (const tatm* atom : drawing.atoms) {
    extent =
        includeoptional(extent, tbox{atom->sx, atom->sy, atom->sx, atom->sy});
  }
  if (extent) {
    extent->left -= margin;
    extent->top -= margin;
    extent->right += margin;
    extent->bottom += margin;
  }
  return extent;
}

}  // namespace molvane

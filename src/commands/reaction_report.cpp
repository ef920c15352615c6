// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/reaction_report.h"

#include "document/drawing.h"
#include "document/symbol.h"
#include "model/atom.h"
#include "render/canvas.h"
#include "render/drawing_extent.h"
#include "render/font_selection.h"

#include <memory>
#include <optional>

namespace molvane {

std::vector<tLAtm*> addreportlabels(tdrawing& drawing, tcanvas& canvas,
                                    const std::array<std::string, 3>& lines,
                                    const std::string& indent,
                                    const tSymbol& arrow) {
  std::vector<tLAtm*> labels;
  const std::optional<tbox> extent = drawingextent(drawing, canvas, 0);
  if (!extent) {
    return labels;
  }
  // New labels take the first font of the drawing, as a typed label does.
  selectfont(drawing, 0, canvas);
  const int height = canvas.textheight("X");
  const double left = arrow.centre().x - canvas.textwidth(indent);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const double y = extent->bottom + static_cast<double>(i + 2) * height;
    auto label = std::make_unique<tLAtm>(lines[i], left, y);
    labels.push_back(static_cast<tLAtm*>(drawing.addatom(std::move(label))));
  }
  return labels;
}

void removereportlabels(tdrawing& drawing, const std::vector<tLAtm*>& labels) {
  for (tLAtm* label : labels) {
    drawing.removeatom(label);
  }
}

}  // namespace molvane

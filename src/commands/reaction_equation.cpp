// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/reaction_equation.h"

#include "document/drawing.h"
#include "document/structure.h"
#include "document/symbol.h"
#include "model/atom.h"
#include "render/canvas.h"
#include "render/drawing_extent.h"
#include "render/font_selection.h"
#include "support/number_text.h"
#include "thermo/reaction.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace molvane {

namespace {

/// Amounts this close to a whole number are written as one.
constexpr double wholetolerance = 0.005;

void addside(std::vector<tStructure*> side, tcanvas& canvas,
             std::vector<tequationtext>& texts) {
  std::erase_if(side, [](const tStructure* s) { return !s->isreactive(); });
  std::sort(side.begin(), side.end(),
            [](const tStructure* a, const tStructure* b) {
              return a->frame[0] < b->frame[0];
            });
  const int space = canvas.textwidth("X") / 2;
  double previousright = 0.0;
  for (std::size_t i = 0; i < side.size(); ++i) {
    const auto& frame = side[i]->frame;
    const double middle = (frame[1] + frame[3]) / 2.0;
    const std::string coefficient = coefficienttext(side[i]->amount);
    double left = frame[0];
    if (!coefficient.empty()) {
      left -= space + canvas.textwidth(coefficient);
      texts.push_back({coefficient, left, middle});
    }
    if (i > 0) {
      const int plus = canvas.textwidth("+");
      texts.push_back({"+", (previousright + left - plus) / 2.0, middle});
    }
    previousright = frame[2];
  }
}

}  // namespace

std::string coefficienttext(double amount) {
  const double whole = std::round(amount);
  if (std::abs(amount - whole) < wholetolerance) {
    return whole == 1.0 ? std::string() : formatfixed(whole, 0);
  }
  std::string text = formatfixed(amount, 2);
  while (text.back() == '0') {
    text.pop_back();
  }
  return text;
}

std::vector<tequationtext> equationtexts(tdrawing& drawing, tcanvas& canvas,
                                         const tSymbol& arrow) {
  for (tStructure* structure : drawing.structures) {
    calcframe(*structure, canvas, drawing);
  }
  selectfont(drawing, 0, canvas);
  const treactionspecies species = findspecies(drawing, arrow);
  std::vector<tequationtext> texts;
  addside(species.reactants, canvas, texts);
  addside(species.products, canvas, texts);
  return texts;
}

void paintequation(const tdrawing& drawing, tcanvas& canvas,
                   const std::vector<tequationtext>& texts) {
  selectfont(drawing, 0, canvas);
  const tcolour colour = canvas.fontcolour();
  const ttextformat format = canvas.textformat();
  canvas.setfontcolour(blackcolour);
  canvas.settextalign(thorizontalalign::left, tverticalalign::top);
  for (const tequationtext& text : texts) {
    const int height = canvas.textheight(text.text);
    canvas.textout(static_cast<int>(std::lround(text.left)),
                   static_cast<int>(std::lround(text.middle - height / 2.0)),
                   text.text);
  }
  canvas.settextalign(format.horizontal, format.vertical);
  canvas.setfontcolour(colour);
}

std::vector<tLAtm*> addequationlabels(tdrawing& drawing,
                                      const std::vector<tequationtext>& texts) {
  std::vector<tLAtm*> labels;
  for (const tequationtext& text : texts) {
    auto label = std::make_unique<tLAtm>(text.text, text.left, text.middle);
    labels.push_back(static_cast<tLAtm*>(drawing.addatom(std::move(label))));
  }
  return labels;
}

}  // namespace molvane

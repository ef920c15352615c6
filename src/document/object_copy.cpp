// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/object_copy.h"

#include <bit>
#include <cstdint>

namespace molvane {

namespace {

// Reals compare by their bits: -0.0 and 0.0 save differently, and a NaN
// equals itself.
std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }
std::uint32_t bits(float value) { return std::bit_cast<std::uint32_t>(value); }

}  // namespace

std::unique_ptr<tatm> copyatom(const tatm& source) {
  std::unique_ptr<tatm> copy;
  if (source.kind == labelatomkind) {
    copy = std::make_unique<tLAtm>(source.symbol, source.x, source.y);
  } else if (source.kind == symbolpointkind) {
    copy = std::make_unique<tSXY>(source.x, source.y);
  } else {
    copy = std::make_unique<tatm>(6, nolabel, source.x, source.y);
  }
  copy->assign(source);
  copy->x0 = source.x0;
  copy->y0 = source.y0;
  copy->z0 = source.z0;
  copy->weight = source.weight;
  copy->mark = source.mark;
  copy->eqcharge = source.eqcharge;
  copy->qpartial = source.qpartial;
  copy->hybridization = source.hybridization;
  copy->nbcount = source.nbcount;
  copy->fixed = source.fixed;
  copy->selected = source.selected;
  return copy;
}

bool samecopy(const tatm& a, const tatm& b) {
  // The fields of copyatom, and of assign, which it calls. Plain tests
  // rather than tuples: this runs for every atom of every undo step.
  return a.kind == b.kind && a.element == b.element && bits(a.x) == bits(b.x) &&
         bits(a.y) == bits(b.y) && bits(a.z) == bits(b.z) &&
         bits(a.x0) == bits(b.x0) && bits(a.y0) == bits(b.y0) &&
         bits(a.z0) == bits(b.z0) && a.sx == b.sx && a.sy == b.sy &&
         a.sz == b.sz && a.osx == b.osx && a.osy == b.osy &&
         a.number == b.number && a.fontindex == b.fontindex &&
         a.direction == b.direction && a.align == b.align &&
         a.colour == b.colour && a.hfree == b.hfree &&
         a.valence2 == b.valence2 && a.fcharge == b.fcharge &&
         bits(a.mass) == bits(b.mass) && a.statednuclide == b.statednuclide &&
         a.labelmode == b.labelmode && a.hadjust == b.hadjust &&
         a.stereomark == b.stereomark && bits(a.weight) == bits(b.weight) &&
         a.mark == b.mark && bits(a.eqcharge) == bits(b.eqcharge) &&
         bits(a.qpartial) == bits(b.qpartial) &&
         a.hybridization == b.hybridization && a.nbcount == b.nbcount &&
         a.fixed == b.fixed && a.selected == b.selected && a.symbol == b.symbol;
}

bool samefields(const tlink& a, const tlink& b) {
  return a.chemical == b.chemical && a.colour == b.colour &&
         a.width == b.width && a.hybclass == b.hybclass && a.order == b.order &&
         a.style == b.style && a.spacing == b.spacing &&
         a.wideend == b.wideend && a.side == b.side && a.offx == b.offx &&
         a.offy == b.offy && a.ref1 == b.ref1 && a.ref2 == b.ref2 &&
         bits(a.kstretch) == bits(b.kstretch) &&
         bits(a.kdiss) == bits(b.kdiss) && a.selected == b.selected &&
         a.stereomark == b.stereomark && bits(a.weight) == bits(b.weight) &&
         a.mark == b.mark;
}

}  // namespace molvane

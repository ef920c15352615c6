// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/symbol.h"
#include "testing/test_session.h"

#include <memory>

namespace molvane::testing {

/// A session whose drawing can be filled with a sample of every kind of
/// record a document stores.
class tnativesampletest : public tdrawingtest {
 protected:
  void addsymbol(int code, double x, double y) {
    std::unique_ptr<tSymbol> symbol = makesymbol(code);
    tatm* tip = symbol->addatom(std::make_unique<tSXY>(x + 45, y));
    tatm* tail = symbol->addatom(std::make_unique<tSXY>(x, y));
    symbol
        ->addbond(std::make_unique<tbond>(tip, 0, tbondstyle::normal, 2, tail))
        ->chemical = 0;
    symbol->colour = 0x00AA00U + static_cast<std::uint32_t>(code);
    symbol->headstyle = static_cast<std::uint8_t>(code % 6);
    symbol->turn = -1;
    symbol->frame = {code, 1, code + 45, 5};
    drawing().addsymbol(std::move(symbol));
  }

  /// One of everything a document stores. Bonded atoms sit on whole
  /// pixels, so that their bonds' offsets come out the same when read.
  void buildsample() {
    tdrawing& d = drawing();
    d.settitle("Esterification");
    d.setauthor("A. Chemist");
    d.setnotes("reflux, 2 h");
    tatm* c = atom(6, 10, 20, 5, 2);
    tatm* n = atom(7, 40, 20, -3, 1);
    n->fcharge = 1;
    n->number = 12;
    n->eqcharge = 0.75;
    n->colour = 0x0000FF;
    n->direction = -1;
    n->align = 2;
    tatm* o = atom(8, 70, 35);
    o->fcharge = -1;
    tatm* deuterium = atom(1, 90, 35, 0, 1);
    deuterium->setdeuterium();
    atom(-1, 200.5, 10.75, -3.125, 1)->hfree = 3;
    bond(c, n, 2);
    bond(n, o, 4)->setdelocalised(true);
    bond(o, deuterium, 2);
    const int styles[] = {1, 2, 3, 4, 5, -7, 10};
    for (int k = 0; k <= 6; ++k) {
      tbond* each =
          bond(atom(6, 10 + 30 * k, 100), atom(6, 10 + 30 * k, 130), k);
      each->style = bondstylefromnumber(styles[k]);
      each->width = 1 + k % 4;
      each->colour = 0x102030U * static_cast<std::uint32_t>(k);
      each->wideend = 1 + k % 2;
      each->side = static_cast<std::int8_t>(k % 2 == 0 ? 1 : -1);
    }
    d.addatom(std::make_unique<tLAtm>("Heat", 100, 10));
    auto bold = std::make_unique<tLAtm>("H2SO4", 130, 10);
    fontrecord font = fontrecord::standard();
    font.weight = 700;
    font.setfacename("Courier New");
    bold->setfont(font);
    d.addatom(std::move(bold));
    for (int code : {102, 103, 104, 105, 106, 108, 109, 110}) {
      addsymbol(code, 300, 20.0 * code - 2000);
    }
    auto first = std::make_unique<tStructure>();
    first->atoms.add(c);
    first->atoms.add(n);
    first->bonds.add(d.bonds.items(0));
    first->amount = 2.5;
    for (std::size_t i = 0; i < first->thermovalues.size(); ++i) {
      first->thermovalues[i] = -100.5 + static_cast<double>(i);
    }
    first->phase = liquidphase;
    first->thermoflag = 3;
    first->frame = {1, 2, 300, 400};
    first->ringsize = 6;
    first->setrecordbytes({6, 2, 1, 1, 0, 1});
    first->selected = 1;
    d.mergestructure(std::move(first));
    auto second = std::make_unique<tStructure>();
    second->atoms.add(o);
    second->phase = solventphase;
    second->amount = 0.001;
    d.mergestructure(std::move(second));
    d.elementcolours[8] = 0x123456;
    d.elementcolours[103] = 0x010203;
    d.shownmrshifts = true;
    d.showstructurelabels = true;
    d.drawmode = 105;
  }
};

}  // namespace molvane::testing

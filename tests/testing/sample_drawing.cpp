// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/sample_drawing.h"

#include "document/drawing.h"
#include "document/symbol.h"
#include "model/font.h"

#include <cstdint>
#include <memory>

namespace molvane::testing {

void buildsampledrawing(tdrawing& drawing) {
  auto chain = std::make_unique<tChain>();
  chain->bondangle = 109.5;
  chain->name = "ethanol";
  tatm* c1 = chain->addatom(std::make_unique<tatm>(6, 0, 0.0, 0.0));
  tatm* c2 = chain->addatom(std::make_unique<tatm>(6, 0, 26.0, 15.0));
  tatm* o = chain->addatom(std::make_unique<tatm>(8, 2, 52.0, 0.0));
  chain->addbond(std::make_unique<tbond>(c1, 0, tbondstyle::normal, 2, c2));
  chain->addbond(std::make_unique<tbond>(c2, 0, tbondstyle::normal, 2, o));
  chain->ringatoms[1] = c1;
  drawing.placestructure(std::move(chain), 100, 100);

  auto label = std::make_unique<tLAtm>("EtOH", 200, 50);
  fontrecord font = fontrecord::standard();
  font.setfacename("Courier");
  label->fontindex = static_cast<std::uint8_t>(drawing.fontindexof(font));
  drawing.addatom(std::move(label));

  auto arrow = makesymbol(102);
  tatm* tip = arrow->addatom(std::make_unique<tSXY>(300, 100));
  tatm* tail = arrow->addatom(std::make_unique<tSXY>(255, 100));
  auto link = std::make_unique<tbond>(tip, 0, tbondstyle::normal, 2, tail);
  link->chemical = 0;
  arrow->addbond(std::move(link));
  arrow->headstyle = 2;
  drawing.addsymbol(std::move(arrow));

  drawing.elementcolours[8] = 0x123456;
  drawing.settitle("Ethanol");
  drawing.temperature = 350.0;
}

}  // namespace molvane::testing

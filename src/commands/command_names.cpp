// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/command_names.h"

#include "commands/command_codes.h"
#include "model/element_data.h"

#include <array>

namespace molvane {

namespace {

constexpr tcommanditem atomitems[] = {{"&Link Atoms", linkatomscommand}};

constexpr tcommanditem molecules[] = {
    {"CH4", 571},  {"H2O", 573},  {"NH3", 572},  {"H2S", 574},  {"PH3", 586},
    {"SiH4", 587}, {"H2", 576},   {"HF", 594},   {"HCl", 595},  {"HBr", 596},
    {"HI", 597},   {"HCN", 591},  {"O2", 581},   {"N2", 580},   {"F2", 583},
    {"Cl2", 577},  {"Br2", 578},  {"I2", 579},   {"CO2", 582},  {"SO2", 584},
    {"SiO2", 588}, {"CO", 589},   {"NO", 590},   {"NO2", 585},  {"BH3", 575},
    {"CH3-", 661}, {"NH4+", 663}, {"NH2-", 664}, {"H3O+", 666}, {"OH-", 667},
};

// Code 620 + Tag for Tags 0 .. 19, 646 + (Tag - 20) for Tags 20 .. 29.
constexpr tcommanditem hydrides[] = {
    {"CH4", 620},  {"CH3-", 621}, {"NH3", 622},  {"NH4+", 623}, {"NH2-", 624},
    {"H2O", 625},  {"H3O+", 626}, {"OH-", 627},  {"H2S", 628},  {"PH3", 629},
    {"H2", 630},   {"HF", 631},   {"HCl", 632},  {"HBr", 633},  {"HI", 634},
    {"BH3", 635},  {"BH4-", 636}, {"SiH4", 637}, {"H2Se", 638}, {"H2Te", 639},
    {"LiH", 646},  {"NaH", 647},  {"KH", 648},   {"RbH", 649},  {"CsH", 650},
    {"BeH2", 651}, {"MgH2", 652}, {"CaH2", 653}, {"SrH2", 654}, {"RaH2", 655},
};

constexpr tcommanditem branchatoms[] = {
    {"Bond", methylcommand},
    {"H", 522},
    {"CH3", 523},
    {"OH", 543},
    {"NH2", 544},
    {"F", 546},
    {"Cl", 547},
    {"Br", 548},
    {"I", 553},
    {"SH", 549},
    {"PH2", 550},
    {"SeH", 569},
    {"SiH3", 570},
    {"R", 645},
    {"=O", 545},
    {"=NH", 552},
    {"=CH2", 551},
    {"=S", 555},
    {"=N=O", 526},
    {"CN", 533},
    {"CO", 540},
    {"=NOH", 542},
    {"q-H", 640},
    {"q-OH", 641},
    {"q-CH3", 642},
    {"q-Me", 643},
    {"q-NH2", 657},
    {"q-R", 644},
};

constexpr tcommanditem groups[] = {
    {"CH2OH", 535},  {"CHO", 529},     {"C%CH", 562},     {"COCH3", 528},
    {"COOH", 527},   {"CH=CH2", 539},  {"CH=C=CH2", 566}, {"CONH2", 532},
    {"NO", 530},     {"NCH", 565},     {"NCO", 538},      {"NO2", 525},
    {"NHCH3", 557},  {"NHCOCH3", 559}, {"OCH3", 534},     {"OCOCH3", 564},
    {"OCONH2", 568}, {"OCOOH", 567},   {"OPO2H2", 563},   {"OPO3H2", 558},
    {"OSO3H", 598},  {"PO3H2", 560},   {"SCH3", 556},     {"SCOCH3", 561},
    {"SO3H", 536},   {"SO2NH2", 541},  {"SO2", 537},      {"SO2CH3", 554},
};

constexpr tcommanditem addchains[] = {
    {"&2-Ethane", 501},  {"&3-Propane", 502}, {"&4-Butane", 503},
    {"&5-Pentane", 504}, {"&6-Hexane", 505},  {"&7-Heptane", 506},
    {"&8-Octane", 507},  {"&9-Nonane", 508},  {"1&0-Decane", 509},
    {"i-&Butane", 510},  {"i-&Pentane", 592}, {"Ethylene", 680},
    {"Ethyne", 681},     {"Propene", 682},    {"Propyne", 683},
    {"1-Butene", 684},   {"2-Butene", 685},   {"1-Butyne", 686},
    {"2-Butyne", 687},   {"i-Butene", 688},   {"Allene", 689},
};

constexpr tcommanditem branchchains[] = {
    {"&1-Methyl", 511}, {"&2-Ethyl", 512},  {"&3-Propyl", 513},
    {"&4-Butyl", 514},  {"&5-Pentyl", 515}, {"&6-Hexyl", 516},
    {"&7-Heptyl", 517}, {"&8-Octyl", 518},  {"&9-Nonyl", 519},
    {"1&0-Decyl", 531}, {"i-&Propyl", 520}, {"t-&Butyl", 521},
    {"i-Butyl", 599},   {"2-Butyl", 690},   {"<Me2", 619},
};

constexpr std::array<const char*, 8> sizecaptions{"&3", "&4", "&5", "&6",
                                                  "&7", "&8", "&9", "1&0"};

/// The eight ring sizes 3 .. 10 from code first on, then extra items.
template <std::size_t extra = 0>
constexpr auto ringsizes(int first, std::array<tcommanditem, extra> more = {}) {
  std::array<tcommanditem, 8 + extra> items{};
  for (std::size_t i = 0; i < 8; ++i) {
    items[i] = {sizecaptions[i], first + static_cast<int>(i)};
  }
  for (std::size_t i = 0; i < extra; ++i) {
    items[8 + i] = more[i];
  }
  return items;
}

constexpr auto addrings =
    ringsizes<2>(firstaddringcommand,
                 {{{"6 &Boat", boatcommand}, {"6 &Chair", chaircommand}}});
constexpr auto fuserings = ringsizes(firstfuseringcommand);
constexpr auto branchrings = ringsizes(firstbranchringcommand);
constexpr auto joinrings = ringsizes(firstjoinringcommand);

constexpr tcommanditem benzeneitems[] = {
    {"&Add", addbenzenecommand, "Benzene"},
    {"&Fuse", fusebenzenecommand, "Fuse Benzene"},
    {"&Branch", branchphenylcommand, "Phenyl"},
};

constexpr tcommanditem symbolitems[] = {
    {"SingleArrow", firstsymbolcommand, "Arrow"},
    {"DoubleArrow", firstsymbolcommand + 1, "Double-headed arrow"},
    {"eqArrow1", firstsymbolcommand + 2, "Equilibrium arrow"},
    {"EqArrow2", firstsymbolcommand + 3, "Equilibrium arrow, short return"},
    {"ArcArrow1", firstsymbolcommand + 4, "Curved arrow 1"},
    {"ArcArrow2", firstsymbolcommand + 5, "Curved arrow 2"},
    {"ArcArrow3", firstsymbolcommand + 6, "Curved arrow 3"},
    {"ArcArrow4", firstsymbolcommand + 7, "Curved arrow 4"},
    {"AddArc", firstsymbolcommand + 8, "Arc"},
    {"AddTriangle", lastsymbolcommand, "Triangle (heat)"},
    {"AddText", textlabelcommand, "Text"},
    {"AddFormula", formulalabelcommand, "Formula"},
    {"AddPlus", pluslabelcommand, "Plus sign"},
    {"AddTempK", temperaturelabelcommand, "Temperature"},
    {"DeltaPlus", deltapluscommand, "Partial positive charge"},
    {"DeltaMinus", deltaminuscommand, "Partial negative charge"},
};

struct tmenu {
  tcommandmenu menu;
  std::span<const tcommanditem> items;
  /// Put before the captions of items without a name of their own: a bare
  /// ring size means nothing in the status bar, and the molecules share
  /// formulas with the groups and the hydrides.
  const char* nameprefix;
};

constexpr tmenu menus[] = {
    {tcommandmenu::atom, atomitems, ""},
    {tcommandmenu::molecules, molecules, "Add "},
    {tcommandmenu::hydrides, hydrides, "AHn "},
    {tcommandmenu::branch, branchatoms, ""},
    {tcommandmenu::groups, groups, ""},
    {tcommandmenu::addchain, addchains, ""},
    {tcommandmenu::branchchain, branchchains, ""},
    {tcommandmenu::addring, addrings, "Ring "},
    {tcommandmenu::fusering, fuserings, "Fuse Ring "},
    {tcommandmenu::branchring, branchrings, "Branch Ring "},
    {tcommandmenu::joinring, joinrings, "Join Ring "},
    {tcommandmenu::benzene, benzeneitems, ""},
    {tcommandmenu::symbols, symbolitems, ""},
};

std::string withoutaccesskeys(const char* caption) {
  std::string text;
  for (const char* c = caption; *c != '\0'; ++c) {
    if (*c != '&') {
      text += *c;
    }
  }
  return text;
}

}  // namespace

std::span<const tcommanditem> commanditems(tcommandmenu menu) {
  for (const tmenu& entry : menus) {
    if (entry.menu == menu) {
      return entry.items;
    }
  }
  return {};
}

std::string commandname(int code) {
  if (code >= firstelementcommand && code <= lastelementcommand) {
    return std::string(symbolof(code - elementcommandbase));
  }
  for (const tmenu& entry : menus) {
    for (const tcommanditem& item : entry.items) {
      if (item.code == code) {
        return item.name != nullptr
                   ? std::string(item.name)
                   : entry.nameprefix + withoutaccesskeys(item.caption);
      }
    }
  }
  return {};
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_menu.h"

#include "commands/command_codes.h"

#include <QAction>
#include <QMenu>

#include <map>
#include <span>

namespace molvane {

namespace {

struct titem {
  const char* caption;
  int code;
};

std::map<int, QString>& captions() {
  static std::map<int, QString> table;
  return table;
}

void additems(QMenu& menu, std::span<const titem> items,
              const std::function<void(QAction*)>& choose) {
  for (const titem& item : items) {
    QAction* action = menu.addAction(QString::fromUtf8(item.caption));
    action->setData(item.code);
    QString plain = QString::fromUtf8(item.caption);
    plain.remove(QLatin1Char('&'));
    captions().try_emplace(item.code, plain);
    QObject::connect(action, &QAction::triggered, action,
                     [action, choose] { choose(action); });
  }
}

constexpr const char* sizecaptions[] = {"&3", "&4", "&5", "&6",
                                        "&7", "&8", "&9", "1&0"};

/// The eight ring sizes 3 .. 10 starting at code first.
void addsizes(QMenu& menu, int first,
              const std::function<void(QAction*)>& choose) {
  titem items[8];
  for (int i = 0; i < 8; ++i) {
    items[i] = {sizecaptions[i], first + i};
  }
  additems(menu, items, choose);
}

constexpr titem molecules[] = {
    {"CH4", 571},  {"H2O", 573},  {"NH3", 572},  {"H2S", 574},  {"PH3", 586},
    {"SiH4", 587}, {"H2", 576},   {"HF", 594},   {"HCl", 595},  {"HBr", 596},
    {"HI", 597},   {"HCN", 591},  {"O2", 581},   {"N2", 580},   {"F2", 583},
    {"Cl2", 577},  {"Br2", 578},  {"I2", 579},   {"CO2", 582},  {"SO2", 584},
    {"SiO2", 588}, {"CO", 589},   {"NO", 590},   {"NO2", 585},  {"BH3", 575},
    {"CH3-", 661}, {"NH4+", 663}, {"NH2-", 664}, {"H3O+", 666}, {"OH-", 667},
};

constexpr const char* hydrides[] = {
    "CH4",  "CH3-", "NH3",  "NH4+", "NH2-", "H2O",  "H3O+", "OH-",
    "H2S",  "PH3",  "H2",   "HF",   "HCl",  "HBr",  "HI",   "BH3",
    "BH4-", "SiH4", "H2Se", "H2Te", "LiH",  "NaH",  "KH",   "RbH",
    "CsH",  "BeH2", "MgH2", "CaH2", "SrH2", "RaH2",
};

constexpr titem branchatoms[] = {
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

constexpr titem groups[] = {
    {"CH2OH", 535},  {"CHO", 529},     {"C%CH", 562},     {"COCH3", 528},
    {"COOH", 527},   {"CH=CH2", 539},  {"CH=C=CH2", 566}, {"CONH2", 532},
    {"NO", 530},     {"NCH", 565},     {"NCO", 538},      {"NO2", 525},
    {"NHCH3", 557},  {"NHCOCH3", 559}, {"OCH3", 534},     {"OCOCH3", 564},
    {"OCONH2", 568}, {"OCOOH", 567},   {"OPO2H2", 563},   {"OPO3H2", 558},
    {"OSO3H", 598},  {"PO3H2", 560},   {"SCH3", 556},     {"SCOCH3", 561},
    {"SO3H", 536},   {"SO2NH2", 541},  {"SO2", 537},      {"SO2CH3", 554},
};

constexpr titem addchains[] = {
    {"&2-Ethane", 501},  {"&3-Propane", 502}, {"&4-Butane", 503},
    {"&5-Pentane", 504}, {"&6-Hexane", 505},  {"&7-Heptane", 506},
    {"&8-Octane", 507},  {"&9-Nonane", 508},  {"1&0-Decane", 509},
    {"i-&Butane", 510},  {"i-&Pentane", 592}, {"Ethylene", 680},
    {"Ethyne", 681},     {"Propene", 682},    {"Propyne", 683},
    {"1-Butene", 684},   {"2-Butene", 685},   {"1-Butyne", 686},
    {"2-Butyne", 687},   {"i-Butene", 688},   {"Allene", 689},
};

constexpr titem branchchains[] = {
    {"&1-Methyl", 511}, {"&2-Ethyl", 512},  {"&3-Propyl", 513},
    {"&4-Butyl", 514},  {"&5-Pentyl", 515}, {"&6-Hexyl", 516},
    {"&7-Heptyl", 517}, {"&8-Octyl", 518},  {"&9-Nonyl", 519},
    {"1&0-Decyl", 531}, {"i-&Propyl", 520}, {"t-&Butyl", 521},
    {"i-Butyl", 599},   {"2-Butyl", 690},   {"<Me2", 619},
};

}  // namespace

void addatommenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  constexpr titem link[] = {{"&Link Atoms", linkatomscommand}};
  additems(menu, link, choose);
  additems(*menu.addMenu(QStringLiteral("Add Molecule")), molecules, choose);
  QMenu& ahn = *menu.addMenu(QStringLiteral("Add AHn"));
  for (int tag = 0; tag < 30; ++tag) {
    const int code = tag < 20 ? firsthydridecommand + tag
                              : firstsalthydridecommand + tag - 20;
    const titem item{hydrides[tag], code};
    additems(ahn, std::span(&item, 1), choose);
  }
}

void addbranchmenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  additems(menu, branchatoms, choose);
  additems(*menu.addMenu(QStringLiteral("Group")), groups, choose);
}

void addchainmenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  additems(*menu.addMenu(QStringLiteral("Add")), addchains, choose);
  additems(*menu.addMenu(QStringLiteral("Branch")), branchchains, choose);
}

void addringmenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  QMenu& add = *menu.addMenu(QStringLiteral("Add"));
  addsizes(add, firstaddringcommand, choose);
  constexpr titem forms[] = {{"6 &Boat", boatcommand},
                             {"6 &Chair", chaircommand}};
  additems(add, forms, choose);
  addsizes(*menu.addMenu(QStringLiteral("Fuse")), firstfuseringcommand, choose);
  addsizes(*menu.addMenu(QStringLiteral("Branch")), firstbranchringcommand,
           choose);
  addsizes(*menu.addMenu(QStringLiteral("Join")), firstjoinringcommand, choose);
}

void addbenzenemenu(QMenu& menu, const std::function<void(QAction*)>& choose) {
  constexpr titem items[] = {{"&Add", addbenzenecommand},
                             {"&Fuse", fusebenzenecommand},
                             {"&Branch", branchphenylcommand}};
  additems(menu, items, choose);
}

int commandcodeof(const QAction* action) {
  if (action == nullptr || !action->data().isValid()) {
    return 0;
  }
  return action->data().toInt();
}

QString commandcaption(int code) {
  const auto found = captions().find(code);
  return found == captions().end() ? QString() : found->second;
}

}  // namespace molvane

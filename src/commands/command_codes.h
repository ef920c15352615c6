// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

// Every building action is named by a 16-bit command code. A menu item, a
// symbol-tool button or an element of the periodic table stores its code;
// the next left click in the drawing runs it (runcommand). The codes below
// are the ones code refers to by name; the command table (command_table.h)
// holds every code with its caption, family and parameter (ring size,
// chain length, element).

inline constexpr int nocommand = 0;

// Ring menu.
inline constexpr int boatcommand = 159;   ///< Ring/Add/"6 &Boat"
inline constexpr int chaircommand = 161;  ///< Ring/Add/"6 &Chair"

// Chain menu.
inline constexpr int isobutanecommand = 510;
inline constexpr int isopentanecommand = 592;
inline constexpr int ethylenecommand = 680;
inline constexpr int ethynecommand = 681;
inline constexpr int propenecommand = 682;
inline constexpr int propynecommand = 683;
inline constexpr int butene1command = 684;
inline constexpr int butene2command = 685;
inline constexpr int butyne1command = 686;
inline constexpr int butyne2command = 687;
inline constexpr int isobutenecommand = 688;
inline constexpr int allenecommand = 689;
/// Branch/"Bond" and Chain/Branch/"&1-Methyl".
inline constexpr int methylcommand = 511;
inline constexpr int decylcommand = 531;
inline constexpr int isopropylcommand = 520;
inline constexpr int tertbutylcommand = 521;
inline constexpr int isobutylcommand = 599;
inline constexpr int secbutylcommand = 690;
inline constexpr int dimethylcommand = 619;  ///< Chain/Branch/"<Me2"

// Branch menu: single atoms.
inline constexpr int hydrogencommand = 522;        ///< "H"
inline constexpr int labelledmethylcommand = 523;  ///< "CH3"
/// Set by no menu item; runs as "CH3".
inline constexpr int hiddenmethylcommand = 499;
inline constexpr int hydroxycommand = 543;    ///< "OH"
inline constexpr int aminocommand = 544;      ///< "NH2"
inline constexpr int fluorocommand = 546;     ///< "F"
inline constexpr int chlorocommand = 547;     ///< "Cl"
inline constexpr int bromocommand = 548;      ///< "Br"
inline constexpr int thiolcommand = 549;      ///< "SH"
inline constexpr int phosphinocommand = 550;  ///< "PH2"
inline constexpr int iodocommand = 553;       ///< "I"
inline constexpr int selenolcommand = 569;    ///< "SeH"
inline constexpr int silylcommand = 570;      ///< "SiH3"
inline constexpr int rgroupcommand = 645;     ///< "R"
/// Set by no menu item: a deuterium atom.
inline constexpr int deuteriumcommand = 904;

// Branch menu: double-bonded atoms.
inline constexpr int oxocommand = 545;        ///< "=O"
inline constexpr int methylenecommand = 551;  ///< "=CH2"
inline constexpr int iminocommand = 552;      ///< "=NH"
inline constexpr int thioxocommand = 555;     ///< "=S"

// Branch menu: bonds laid along a screen axis ("q-" items).
inline constexpr int axishydrogencommand = 640;  ///< "q-H"
inline constexpr int axishydroxycommand = 641;   ///< "q-OH"
inline constexpr int axismethylcommand = 642;    ///< "q-CH3"
inline constexpr int axisbarecommand = 643;      ///< "q-Me"
inline constexpr int axisrgroupcommand = 644;    ///< "q-R"
inline constexpr int axisaminocommand = 657;     ///< "q-NH2"

// Branch menu and Branch/Group: groups.
inline constexpr int nitrocommand = 525;          ///< "NO2"
inline constexpr int nitrosyl2command = 526;      ///< "=N=O"
inline constexpr int carboxylcommand = 527;       ///< "COOH"
inline constexpr int acetylcommand = 528;         ///< "COCH3"
inline constexpr int formylcommand = 529;         ///< "CHO"
inline constexpr int nitrosocommand = 530;        ///< "NO"
inline constexpr int carbamoylcommand = 532;      ///< "CONH2"
inline constexpr int cyanocommand = 533;          ///< "CN"
inline constexpr int methoxycommand = 534;        ///< "OCH3"
inline constexpr int hydroxymethylcommand = 535;  ///< "CH2OH"
inline constexpr int sulfocommand = 536;          ///< "SO3H"
inline constexpr int sulfonylcommand = 537;       ///< "SO2"
inline constexpr int isocyanatocommand = 538;     ///< "NCO"
inline constexpr int vinylcommand = 539;          ///< "CH=CH2"
inline constexpr int carbonylcommand = 540;       ///< "CO"
inline constexpr int sulfamoylcommand = 541;      ///< "SO2NH2"
inline constexpr int oximecommand = 542;          ///< "=NOH"
inline constexpr int mesylcommand = 554;          ///< "SO2CH3"
inline constexpr int methylthiocommand = 556;     ///< "SCH3"
inline constexpr int methylaminocommand = 557;    ///< "NHCH3"
inline constexpr int phosphonooxycommand = 558;   ///< "OPO3H2"
inline constexpr int acetamidocommand = 559;      ///< "NHCOCH3"
inline constexpr int phosphonocommand = 560;      ///< "PO3H2"
inline constexpr int acetylthiocommand = 561;     ///< "SCOCH3"
inline constexpr int ethynylcommand = 562;        ///< "C%CH"
inline constexpr int phosphinicoxycommand = 563;  ///< "OPO2H2"
inline constexpr int acetoxycommand = 564;        ///< "OCOCH3"
inline constexpr int isocyanocommand = 565;       ///< "NCH"
inline constexpr int allenylcommand = 566;        ///< "CH=C=CH2"
inline constexpr int carboxyoxycommand = 567;     ///< "OCOOH"
inline constexpr int carbamoyloxycommand = 568;   ///< "OCONH2"
inline constexpr int sulfooxycommand = 598;       ///< "OSO3H"

// Atom menu.
inline constexpr int linkatomscommand = 524;  ///< Atom/"&Link Atoms"
// Atom/Add Molecule.
inline constexpr int methanecommand = 571;           ///< "CH4"
inline constexpr int ammoniacommand = 572;           ///< "NH3"
inline constexpr int watercommand = 573;             ///< "H2O"
inline constexpr int hydrogensulfidecommand = 574;   ///< "H2S"
inline constexpr int boranecommand = 575;            ///< "BH3"
inline constexpr int dihydrogencommand = 576;        ///< "H2"
inline constexpr int dichlorinecommand = 577;        ///< "Cl2"
inline constexpr int dibrominecommand = 578;         ///< "Br2"
inline constexpr int diiodinecommand = 579;          ///< "I2"
inline constexpr int dinitrogencommand = 580;        ///< "N2"
inline constexpr int dioxygencommand = 581;          ///< "O2"
inline constexpr int carbondioxidecommand = 582;     ///< "CO2"
inline constexpr int difluorinecommand = 583;        ///< "F2"
inline constexpr int sulfurdioxidecommand = 584;     ///< "SO2"
inline constexpr int nitrogendioxidecommand = 585;   ///< "NO2"
inline constexpr int phosphinecommand = 586;         ///< "PH3"
inline constexpr int silanecommand = 587;            ///< "SiH4"
inline constexpr int silicondioxidecommand = 588;    ///< "SiO2"
inline constexpr int carbonmonoxidecommand = 589;    ///< "CO"
inline constexpr int nitricoxidecommand = 590;       ///< "NO"
inline constexpr int hydrogencyanidecommand = 591;   ///< "HCN"
inline constexpr int hydrogenfluoridecommand = 594;  ///< "HF"
inline constexpr int hydrogenchloridecommand = 595;  ///< "HCl"
inline constexpr int hydrogenbromidecommand = 596;   ///< "HBr"
inline constexpr int hydrogeniodidecommand = 597;    ///< "HI"
inline constexpr int methanideioncommand = 661;      ///< "CH3-"
inline constexpr int ammoniumioncommand = 663;       ///< "NH4+"
inline constexpr int amideioncommand = 664;          ///< "NH2-"
inline constexpr int hydroniumioncommand = 666;      ///< "H3O+"
inline constexpr int hydroxideioncommand = 667;      ///< "OH-"

// Benzene menu.
inline constexpr int addbenzenecommand = 701;    ///< Benzene/"&Add"
inline constexpr int fusebenzenecommand = 702;   ///< Benzene/"&Fuse"
inline constexpr int branchphenylcommand = 704;  ///< Benzene/"&Branch"

// Symbol tool.
inline constexpr int textlabelcommand = 607;         ///< "AddText"
inline constexpr int formulalabelcommand = 608;      ///< "AddFormula"
inline constexpr int pluslabelcommand = 611;         ///< "AddPlus"
inline constexpr int temperaturelabelcommand = 613;  ///< "AddTempK"
inline constexpr int deltapluscommand = 614;         ///< "DeltaPlus"
inline constexpr int deltaminuscommand = 615;        ///< "DeltaMinus"
/// Set by no button: a curved arrow.
inline constexpr int curvedarrowsymbolcommand = 730;

}  // namespace molvane

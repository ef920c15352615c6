#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Predicted shifts of common laboratory compounds against textbook values
in CDCl3.

    bench/nmr_textbook_check.py build/dev/src/molvane3d-cli [--datadir DIR]

Two lists. "held out": the compounds below, which are in neither
data/nmr/everyday.sdf nor data/nmr/textbook.sdf, and none of them is among
the training spectra; it measures what the predictor does for a common
molecule it has no exact entry for. "taught": every measured atom of the
two reference files, which the shipped databases hold as exact entries; it
shows that the databases were built with them.

Cyclohexane stays out of the reference files: the window's tests teach
the database a six-ring that must not be there already. Held-out values
are those of the 13C and 1H tables of E. Pretsch,
P. Buhlmann, M. Badertscher, "Structure Determination of Organic
Compounds", 4th ed., Springer 2009 (monosubstituted benzenes, alcohols,
carbonyl compounds, alkyl and aryl halides). The bromine and iodine
compounds here have no exact entry: they measure the chlorine stand-in
that predicts them. Atoms are numbered as the heavy atoms of the SMILES;
a carbon's 1H value is the mean of its protons.
"""
import json
import re
import subprocess
import sys
import tempfile
from pathlib import Path

# name, SMILES, {atom: 13C ppm}, {atom: 1H ppm}
HELD_OUT = [
    ("1-butanol", "CCCCO", {0: 13.9, 1: 19.0, 2: 35.0, 3: 62.4},
     {0: 0.94, 3: 3.64}),
    ("2-butanol", "CC(O)CC", {0: 22.9, 1: 69.3, 3: 32.1, 4: 10.0}, {}),
    ("butanal", "CCCC=O", {0: 13.7, 1: 15.7, 2: 45.8, 3: 202.8},
     {3: 9.77}),
    ("cyclohexane", "C1CCCCC1", {0: 27.0}, {0: 1.43}),
    ("cyclopentanol", "OC1CCCC1", {1: 73.8, 2: 35.5, 3: 23.2}, {}),
    ("ethylbenzene", "CCc1ccccc1",
     {0: 15.6, 1: 28.9, 2: 144.2, 3: 127.9, 4: 128.4, 5: 125.7},
     {0: 1.24, 1: 2.65}),
    ("benzyl alcohol", "OCc1ccccc1",
     {1: 65.2, 2: 140.9, 3: 127.0, 4: 128.5, 5: 127.6}, {1: 4.67}),
    ("benzaldehyde", "O=Cc1ccccc1",
     {1: 192.3, 2: 136.4, 3: 129.7, 4: 129.0, 5: 134.4}, {1: 10.00}),
    ("methyl benzoate", "COC(=O)c1ccccc1",
     {0: 52.0, 2: 167.0, 4: 130.2, 5: 129.6, 6: 128.4, 7: 132.9},
     {0: 3.91}),
    ("1-bromobutane", "CCCCBr", {0: 13.2, 1: 21.4, 2: 34.8, 3: 33.4},
     {3: 3.41}),
    ("2-bromobutane", "CC(Br)CC", {0: 26.1, 1: 53.4, 3: 34.3, 4: 12.2},
     {1: 4.11}),
    ("1-iodobutane", "CCCCI", {0: 13.0, 1: 23.7, 2: 35.5, 3: 6.7},
     {3: 3.20}),
    ("benzyl bromide", "BrCc1ccccc1",
     {1: 33.5, 2: 137.8, 3: 129.0, 4: 128.8, 5: 128.4}, {1: 4.50}),
    ("4-bromotoluene", "Cc1ccc(Br)cc1",
     {0: 20.9, 1: 136.7, 2: 130.8, 3: 131.2, 4: 119.1}, {0: 2.30}),
]

REFERENCES = ["data/nmr/everyday.sdf", "data/nmr/textbook.sdf"]


def taught():
    """The compounds of the reference files, in the layout of HELD_OUT."""
    root = Path(__file__).resolve().parent.parent
    compounds = []
    for name in REFERENCES:
        for record in (root / name).read_text().split("$$$$"):
            smiles = re.search(r"> <SMILES>\n(.+)\n", record)
            if smiles is None:
                continue
            shifts = []
            for nucleus in ("13C", "1H"):
                found = re.search(rf"> <Spectrum {nucleus} \d+>\n(.+)\n",
                                  record)
                values = {}
                for item in (found.group(1) if found else "").split("|"):
                    parts = item.split(";")
                    if len(parts) == 3:
                        values[int(parts[2])] = float(parts[0])
                shifts.append(values)
            compounds.append((record.strip().splitlines()[0],
                              smiles.group(1), *shifts))
    return compounds


def predict(cli, extra, smiles, nucleus, folder):
    source = Path(folder) / "compound.smi"
    source.write_text(smiles + "\n")
    done = subprocess.run([cli, *extra, "--json", "nmr", str(source),
                           "--nucleus", nucleus],
                          capture_output=True, text=True, check=False)
    if done.returncode != 0:
        return {}
    return {atom["index"]: atom["shift"]
            for atom in json.loads(done.stdout)["atoms"]}


def compare(title, compounds, cli, extra, folder, verbose):
    for nucleus, column in (("13C", 2), ("1H", 3)):
        errors = []
        for compound in compounds:
            wanted = compound[column]
            found = predict(cli, extra, compound[1], nucleus, folder) \
                if wanted else {}
            for atom, shift in sorted(wanted.items()):
                got = found.get(atom)
                if got is None:
                    print(f"{nucleus} {compound[0]:15s} atom {atom}: "
                          "no prediction")
                    continue
                errors.append(abs(got - shift))
                if verbose:
                    print(f"{nucleus} {compound[0]:15s} atom {atom}: "
                          f"{got:7.2f} against {shift:7.2f} "
                          f"({got - shift:+.2f})")
        if errors:
            print(f"{title} {nucleus}: {len(errors)} atoms, mean "
                  f"{sum(errors) / len(errors):.2f} ppm, largest "
                  f"{max(errors):.2f} ppm")


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 1
    cli, extra = sys.argv[1], sys.argv[2:]
    with tempfile.TemporaryDirectory() as folder:
        compare("held out", HELD_OUT, cli, extra, folder, True)
        compare("taught", taught(), cli, extra, folder, False)
    return 0


if __name__ == "__main__":
    sys.exit(main())

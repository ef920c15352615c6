#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Predicted shifts of common laboratory compounds that are not in
data/nmr/everyday.sdf, against textbook values in CDCl3.

    bench/nmr_textbook_check.py build/dev/src/molvane3d-cli [--datadir DIR]

Sources: monosubstituted benzenes from the 13C and 1H tables of
E. Pretsch, P. Buhlmann, M. Badertscher, "Structure Determination of Organic
Compounds", 4th ed., Springer 2009 (the shifts its substituent increments
are built on); the aliphatic compounds from the same book's tables of
alkanes, alcohols, amines, carbonyl compounds and nitriles. Atoms are
numbered as the heavy atoms of the SMILES; a carbon's 1H value is the mean
of its protons. The check is not part of the test run: the compounds are
kept out of everyday.sdf (and all but 3-pentanone are absent from the
training spectra), so that it measures what the predictor does for molecules
it has no exact entry for.

The values were written down from those tables without the book at hand:
check each against the book or a spectral database before taking a
figure of this script as a goal.
"""
import json
import subprocess
import sys
import tempfile
from pathlib import Path

# name, SMILES, {atom: 13C ppm}, {atom: 1H ppm}
COMPOUNDS = [
    ("acetaldehyde", "CC=O", {0: 31.2, 1: 200.5}, {0: 2.21, 1: 9.80}),
    ("methyl acetate", "COC(C)=O", {0: 51.5, 2: 171.0, 3: 20.5},
     {0: 3.67, 3: 2.05}),
    ("3-pentanone", "CCC(=O)CC", {0: 7.9, 1: 35.5, 2: 211.6},
     {0: 1.05, 1: 2.42}),
    ("cyclohexanone", "O=C1CCCCC1", {1: 211.9, 2: 42.0, 3: 27.1, 4: 25.1},
     {2: 2.33, 3: 1.86, 4: 1.72}),
    ("cyclohexane", "C1CCCCC1", {0: 27.0}, {0: 1.43}),
    ("1-propanol", "CCCO", {0: 10.2, 1: 25.9, 2: 64.2},
     {0: 0.93, 1: 1.57, 2: 3.58}),
    ("diethylamine", "CCNCC", {0: 15.3, 1: 44.1}, {0: 1.10, 1: 2.65}),
    ("propionitrile", "CCC#N", {0: 10.6, 1: 10.9, 2: 120.8},
     {0: 1.31, 1: 2.36}),
    ("anisole", "COc1ccccc1",
     {0: 55.1, 2: 159.9, 3: 114.0, 4: 129.5, 5: 120.7}, {0: 3.80}),
    ("phenol", "Oc1ccccc1", {1: 155.0, 2: 115.3, 3: 129.7, 4: 121.0},
     {2: 6.84, 3: 7.24, 4: 6.93}),
    ("aniline", "Nc1ccccc1", {1: 146.4, 2: 115.1, 3: 129.3, 4: 118.5},
     {2: 6.70, 3: 7.18, 4: 6.78}),
    ("nitrobenzene", "O=[N+]([O-])c1ccccc1",
     {3: 148.3, 4: 123.5, 5: 129.4, 6: 134.7}, {4: 8.23, 5: 7.56, 6: 7.71}),
    ("chlorobenzene", "Clc1ccccc1", {1: 134.3, 2: 128.6, 3: 129.7, 4: 126.4},
     {}),
    ("benzonitrile", "N#Cc1ccccc1",
     {1: 118.7, 2: 112.4, 3: 132.1, 4: 129.1, 5: 132.8},
     {3: 7.65, 4: 7.48, 5: 7.62}),
    ("acetophenone", "CC(=O)c1ccccc1",
     {0: 26.5, 1: 198.1, 3: 137.1, 4: 128.3, 5: 128.6, 6: 133.0},
     {0: 2.60}),
]


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


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 1
    cli, extra = sys.argv[1], sys.argv[2:]
    with tempfile.TemporaryDirectory() as folder:
        for nucleus, column in (("13C", 2), ("1H", 3)):
            errors = []
            for compound in COMPOUNDS:
                wanted = compound[column]
                if not wanted:
                    continue
                found = predict(cli, extra, compound[1], nucleus, folder)
                for atom, shift in sorted(wanted.items()):
                    got = found.get(atom)
                    if got is None:
                        print(f"{nucleus} {compound[0]:15s} atom {atom}: "
                              "no prediction")
                        continue
                    errors.append(abs(got - shift))
                    print(f"{nucleus} {compound[0]:15s} atom {atom}: "
                          f"{got:7.2f} against {shift:7.2f} "
                          f"({got - shift:+.2f})")
            if errors:
                print(f"{nucleus}: {len(errors)} atoms, mean "
                      f"{sum(errors) / len(errors):.2f} ppm, largest "
                      f"{max(errors):.2f} ppm")
    return 0


if __name__ == "__main__":
    sys.exit(main())

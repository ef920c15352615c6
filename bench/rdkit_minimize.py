# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times the reference toolkit's MMFF94 minimisation of start geometries.

    /usr/bin/python3 rdkit_minimize.py FILE.sdf ...

For each file prints one line: the file, milliseconds (median of three,
setup included) and the minimiser's iterations; "failed" when the file or
its force field cannot be made.
"""
import statistics
import sys
import time

from rdkit import Chem
from rdkit.Chem import AllChem


def minimise(path):
    molecule = Chem.MolFromMolFile(path, removeHs=False)
    if molecule is None:
        return None
    times = []
    for _ in range(3):
        copy = Chem.Mol(molecule)
        start = time.perf_counter()
        properties = AllChem.MMFFGetMoleculeProperties(copy)
        field = AllChem.MMFFGetMoleculeForceField(copy, properties)
        if field is None:
            return None
        field.Initialize()
        field.Minimize(maxIts=100000)
        times.append(time.perf_counter() - start)
    return statistics.median(times) * 1000.0, iterations(molecule)


def converges(molecule, limit):
    copy = Chem.Mol(molecule)
    field = AllChem.MMFFGetMoleculeForceField(
        copy, AllChem.MMFFGetMoleculeProperties(copy))
    field.Initialize()
    return field.Minimize(maxIts=limit) == 0


def iterations(molecule):
    """The fewest iterations with which the minimiser converges: the
    toolkit reports only whether it did, so they are found by bisection."""
    high = 1
    while not converges(molecule, high):
        if high >= 100000:
            return high
        high *= 2
    low = high // 2
    while high - low > 1:
        middle = (low + high) // 2
        if converges(molecule, middle):
            high = middle
        else:
            low = middle
    return high


for path in sys.argv[1:]:
    result = minimise(path)
    if result is None:
        print(path, "failed")
    else:
        print(path, "%.3f" % result[0], result[1])
    sys.stdout.flush()

#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that stereo survives a SMILES read, judged by a reference toolkit.

Every molecule of the shared molecule set, every corpus file the reference
reads, and the SMILES field of every record of the stereo training set is
given to the command line as SMILES (the reference's canonical isomeric
SMILES), converted to SMILES and to a molfile, and both must give the same
canonical isomeric SMILES in the reference again: stated stereo kept,
unstated stereo left open.

Usage: stereo_round_trip.py CLI SHARED_DATA WORK_DIR [LIMIT]
(for example: bench/stereo_round_trip.py build/dev/src/molvane3d-cli
../shared/data /tmp/stereo). Prints the figures and every molecule that
differs; exits 1 when one does.
Exits 77 (skipped) when RDKit or the data is missing.
"""
import csv
import os
import subprocess
import sys

SKIP = 77

try:
    from rdkit import Chem, RDLogger
except ImportError:
    print("skipped: python3 with rdkit is not installed")
    sys.exit(SKIP)
RDLogger.DisableLog("rdApp.*")


def canonical(mol):
    # Canonical SMILES of the SMILES: the reference's canonical form of a
    # molecule read from a molfile can differ from that of the same molecule
    # read from SMILES when ring centres depend on each other, though every
    # centre has the same label; a second pass gives one form for both.
    if mol is None:
        return None
    again = Chem.MolFromSmiles(Chem.MolToSmiles(mol))
    return Chem.MolToSmiles(again if again is not None else mol)


def references(data):
    """(name, canonical SMILES) of every molecule of the shared data."""
    found = []
    molecules = os.path.join(data, "molecules")
    if os.path.isdir(molecules):
        for name in sorted(os.listdir(molecules)):
            path = os.path.join(molecules, name)
            if name.endswith(".mol"):
                found.append((name, canonical(Chem.MolFromMolFile(path))))
            elif name.endswith(".sdf"):
                found.append((name, canonical(next(iter(
                    Chem.SDMolSupplier(path)), None))))
    corpus = os.path.join(data, "corpus")
    expected = os.path.join(corpus, "expected.tsv")
    if os.path.exists(expected):
        with open(expected, newline="") as table:
            for row in csv.DictReader(table, delimiter="\t"):
                path = os.path.join(corpus, row["path"])
                if row["formula_of_first_record"] == "-":
                    continue
                if path.endswith((".mol", ".mdl")):
                    mol = Chem.MolFromMolFile(path)
                elif path.endswith((".sdf", ".sd")):
                    supplier = Chem.SDMolSupplier(path)
                    mol = next(iter(supplier), None) if len(supplier) else None
                else:
                    continue
                found.append((row["path"], canonical(mol)))
    train = os.path.join(data, "stereo", "train_stereo_2d.sdf")
    if os.path.exists(train):
        supplier = Chem.SDMolSupplier(train, sanitize=False)
        for index, mol in enumerate(supplier):
            if mol is None or not mol.HasProp("SMILES"):
                continue
            found.append(("train_stereo_2d.sdf#%d" % (index + 1),
                          canonical(Chem.MolFromSmiles(mol.GetProp("SMILES")))))
    # Pseudo atoms and empty records say nothing about stereo.
    return [(name, smiles) for name, smiles in found
            if smiles and "*" not in smiles]


def converted(cli, source, target):
    try:
        out = subprocess.run([cli, "convert", source, target],
                             capture_output=True, text=True, timeout=120)
    except subprocess.TimeoutExpired:
        return None
    if out.returncode != 0 or not os.path.exists(target):
        return None
    if target.endswith(".smi"):
        with open(target) as text:
            words = text.read().split()
        return canonical(Chem.MolFromSmiles(words[0])) if words else None
    return canonical(Chem.MolFromMolFile(target))


def main():
    cli, data, work = sys.argv[1:4]
    limit = int(sys.argv[4]) if len(sys.argv) > 4 else None
    molecules = references(data)[:limit]
    if not molecules:
        print("skipped: no shared data at", data)
        sys.exit(SKIP)
    os.makedirs(work, exist_ok=True)
    source = os.path.join(work, "in.smi")
    counts = {"smi": 0, "mol": 0}
    failures = []
    for name, smiles in molecules:
        with open(source, "w") as out:
            out.write(smiles + "\n")
        for kind in counts:
            target = os.path.join(work, "out." + kind)
            if os.path.exists(target):
                os.remove(target)
            got = converted(cli, source, target)
            if got == smiles:
                counts[kind] += 1
            else:
                failures.append("%s as %s: %s\n  gave %s" %
                                (name, kind, smiles, got))
    total = len(molecules)
    print("SMILES to SMILES: %d of %d agree" % (counts["smi"], total))
    print("SMILES to molfile: %d of %d agree" % (counts["mol"], total))
    for failure in failures:
        print("DIFFERENT", failure)
    sys.exit(1 if failures else 0)


main()

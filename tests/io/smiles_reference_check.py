#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Compares this program's SMILES with a reference toolkit's.

For every molecule file of the shared data (the molecule set, and the
readable molfile, SD and CML entries of the reader corpus), the SMILES the
command line writes must give the same canonical SMILES (stereo included)
as the file itself does in RDKit; and RDKit's own SMILES of the file, read
and written again by the command line, must too.

Usage: smiles_reference_check.py CLI SHARED_DATA WORK_DIR
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

# Files where the reference reads something other than the molecule the
# file means, so no SMILES can agree with it.
KNOWN = {
    # The reference leaves atom 60 unassigned although its coordinates make
    # it a centre like the other ten.
    "molecules/gly_ala_11_start.sdf",
    # A wavy bond leaves the double bond open; drawings have no wavy bond.
    "corpus/mdl/SimpleWiggleDoubleBond.mol",
    # Bonds of unknown order ("~") are not SMILES.
    "corpus/mdl/FeCO5.mol",
    # Every atom states its usual isotope, which a drawing does not keep.
    "corpus/cml/3.cml",
    # The reference reads hydrogens without bonds as H2 molecules.
    "corpus/cml/methanol1.cml",
    "corpus/cml/methanol2.cml",
}


def canonical(smiles):
    mol = Chem.MolFromSmiles(smiles) if smiles else None
    return None if mol is None else Chem.MolToSmiles(mol)


def reference(path):
    if path.endswith((".cml", ".xml")):
        try:
            out = subprocess.run(["obabel", "-icml", path, "-l", "1", "-osmi"],
                                 capture_output=True, text=True, timeout=60)
        except (OSError, subprocess.TimeoutExpired):
            return None
        words = out.stdout.split()
        return canonical(words[0]) if words else None
    if path.endswith((".sdf", ".sd")):
        supplier = Chem.SDMolSupplier(path)
        mol = next(iter(supplier), None) if len(supplier) else None
    else:
        mol = Chem.MolFromMolFile(path)
    if mol is None or mol.GetNumAtoms() == 0:
        return None
    if any(atom.GetAtomicNum() == 0 for atom in mol.GetAtoms()):
        return None
    return Chem.MolToSmiles(mol)


def ours(cli, path):
    try:
        out = subprocess.run([cli, "smiles", path], capture_output=True,
                             text=True, timeout=120)
    except subprocess.TimeoutExpired:
        return None, "timed out"
    if out.returncode != 0:
        return None, out.stderr.strip()
    # A file of several records gives a SMILES file, one line a record with
    # its name; the reference reads the first.
    lines = out.stdout.strip().splitlines()
    return (lines[0].split()[0] if lines and lines[0].split() else ""), ""


def files(data):
    found = []
    molecules = os.path.join(data, "molecules")
    if os.path.isdir(molecules):
        for name in sorted(os.listdir(molecules)):
            if name.endswith((".sdf", ".mol")):
                found.append(os.path.join(molecules, name))
    corpus = os.path.join(data, "corpus")
    expected = os.path.join(corpus, "expected.tsv")
    if os.path.exists(expected):
        with open(expected, newline="") as table:
            for row in csv.DictReader(table, delimiter="\t"):
                if row["formula_of_first_record"] == "-":
                    continue
                if row["path"].split("/")[0] in ("mdl", "sdf", "cml"):
                    found.append(os.path.join(corpus, row["path"]))
    return found


def main():
    cli, data, work = sys.argv[1:4]
    paths = files(data)
    if not paths:
        print("skipped: no shared data at", data)
        sys.exit(SKIP)
    os.makedirs(work, exist_ok=True)
    compared = agreed = back = backagreed = 0
    failures = []
    for path in paths:
        name = os.path.relpath(path, data)
        expected = reference(path)
        if expected is None:
            print("unreadable by the reference:", name)
            continue
        compared += 1
        smiles, problem = ours(cli, path)
        got = canonical(smiles)
        if got == expected:
            agreed += 1
        elif name not in KNOWN:
            failures.append("%s: written %s\n  ours %s\n  reference %s" %
                            (name, smiles or problem, got, expected))
        # RDKit's SMILES read and written again.
        smi = os.path.join(work, "reference.smi")
        with open(smi, "w") as out:
            out.write(expected + "\n")
        back += 1
        smiles, problem = ours(cli, smi)
        if canonical(smiles) == expected:
            backagreed += 1
        elif name not in KNOWN:
            failures.append("%s: read back %s\n  ours %s\n  reference %s" %
                            (name, expected, smiles or problem,
                             canonical(smiles)))
    print("written: %d of %d agree" % (agreed, compared))
    print("read back: %d of %d agree" % (backagreed, back))
    for failure in failures:
        print("DIFFERENT", failure)
    sys.exit(1 if failures else 0)


main()

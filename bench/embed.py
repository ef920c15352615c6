#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Benchmark of 3D models built from wedged drawings (never a timed test).

For each drawing: `embed` (one CLI process, as a user runs it), and
`hydrogens --3d` followed by `optimize` with every method; RDKit judges the
stereo of each output from its coordinates against the drawing, counts
clashes, and relaxes the embed result in MMFF94 to compare bond lengths and
angles. RDKit's own ETKDG + MMFF is timed on the same molecules.

usage: bench/embed.py CLI [--sample N] [--methods-sample M] [--shared DIR]
"""
import argparse
import json
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from embed_judge import geometry_against_mmff, judge  # noqa: E402

from rdkit import Chem  # noqa: E402
from rdkit.Chem import AllChem  # noqa: E402

METHODS = [("normal", []), ("refine", []),
           ("anneal", ["--seed", "1", "--max-seconds", "2"]),
           ("global", ["--seed", "1", "--max-seconds", "2"]),
           ("random", ["--seed", "1", "--max-seconds", "2"]),
           ("molecules", [])]


def records(path):
    text = open(path).read()
    for block in text.split("$$$$\n"):
        if "M  END" in block:
            yield block[:block.index("M  END") + 6] + "\n"


def run(cli, *arguments):
    start = time.perf_counter()
    done = subprocess.run([cli, *arguments], capture_output=True, text=True)
    return done, time.perf_counter() - start


def rdkit_seconds(molblock):
    mol = Chem.MolFromMolBlock(molblock)
    if mol is None:
        return None
    start = time.perf_counter()
    mol = Chem.AddHs(mol)
    if AllChem.EmbedMolecule(mol, randomSeed=1) == 0:
        AllChem.MMFFOptimizeMolecule(mol)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--sample", type=int, default=100)
    parser.add_argument("--methods-sample", type=int, default=10)
    parser.add_argument("--shared", default=os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "shared",
        "data"))
    options = parser.parse_args()
    train = list(records(os.path.join(options.shared, "stereo",
                                      "train_stereo_2d.sdf")))
    random.Random(1).shuffle(train)
    named = []
    for name in ("cholesterol_2d.mol", "glucose_2d.mol", "gly_ala_11_2d.mol"):
        named.append((name, open(os.path.join(options.shared, "molecules",
                                              name)).read()))
    chosen = named + [("train %d" % i, block)
                      for i, block in enumerate(train[:options.sample])]
    work = tempfile.mkdtemp()
    embed = {"molecules": 0, "kept": 0, "clashstarts": 0, "failed": 0,
             "clashmodels": 0,
             "seconds": [], "atoms": [], "rdkit": [], "bond": [], "angle": []}
    methods = {m: {"molecules": 0, "kept": 0, "failed": 0} for m, _ in METHODS}
    for index, (name, block) in enumerate(chosen):
        source = os.path.join(work, "in%d.mol" % index)
        open(source, "w").write(block)
        ref = Chem.MolFromMolBlock(block)
        if ref is None:
            continue
        out = os.path.join(work, "embed%d.mol" % index)
        done, seconds = run(options.cli, "--json", "embed", source, out)
        embed["molecules"] += 1
        seconds_rdkit = rdkit_seconds(block)
        if seconds_rdkit is not None:
            embed["rdkit"].append(seconds_rdkit)
        if done.returncode != 0:
            embed["failed"] += 1
            print("embed failed:", name, done.stderr.strip())
            continue
        report = json.loads(done.stdout)
        embed["seconds"].append(seconds)
        embed["atoms"].append(Chem.AddHs(ref).GetNumAtoms())
        embed["clashstarts"] += 1 if report["startclashes"] > 0 else 0
        verdict = judge(block, out)
        if verdict and verdict["clashes"]:
            embed["clashmodels"] += 1
        if verdict and verdict["readable"] and \
                verdict["kept"] == verdict["stated"]:
            embed["kept"] += 1
        else:
            print("embed lost stereo:", name, verdict)
        geometry = geometry_against_mmff(out)
        if geometry:
            embed["bond"].append(geometry[0])
            embed["angle"].append(geometry[1])
        if index >= len(named) + options.methods_sample:
            continue
        with_h = os.path.join(work, "h%d.mol" % index)
        run(options.cli, "hydrogens", "--3d", source, with_h)
        for method, extra in METHODS:
            result = os.path.join(work, "%s%d.mol" % (method, index))
            done, _ = run(options.cli, "optimize", with_h, result,
                          "--method", method, *extra)
            methods[method]["molecules"] += 1
            if done.returncode != 0:
                methods[method]["failed"] += 1
                continue
            verdict = judge(block, result)
            if verdict and verdict["readable"] and \
                    verdict["kept"] == verdict["stated"]:
                methods[method]["kept"] += 1
            else:
                print("%s lost stereo:" % method, name, verdict)
    mean = lambda v: statistics.mean(v) if v else float("nan")
    print("embed: %d molecules, stereo kept %d, starts with a clash %d, "
          "models with a clash %d, failed %d" % (
              embed["molecules"], embed["kept"], embed["clashstarts"],
              embed["clashmodels"], embed["failed"]))
    print("embed: mean %.1f ms per molecule (median %.1f), RDKit ETKDG+MMFF "
          "in process mean %.1f ms (median %.1f)" % (
              1000 * mean(embed["seconds"]),
              1000 * statistics.median(embed["seconds"] or [0]),
              1000 * mean(embed["rdkit"]),
              1000 * statistics.median(embed["rdkit"] or [0])))
    by_size = {}
    for atoms, seconds in zip(embed["atoms"], embed["seconds"]):
        by_size.setdefault(min(atoms // 20, 5), []).append(seconds)
    for bucket in sorted(by_size):
        print("  %3d-%3d atoms: %3d molecules, mean %.1f ms" % (
            20 * bucket, 20 * bucket + 19, len(by_size[bucket]),
            1000 * mean(by_size[bucket])))
    print("embed against MMFF94 relaxed from it: mean bond %.4f A, "
          "mean angle %.2f deg" % (mean(embed["bond"]), mean(embed["angle"])))
    for method, counts in methods.items():
        print("hydrogens --3d + optimize --method %s: %d molecules, stereo "
              "kept %d, failed %d" % (method, counts["molecules"],
                                      counts["kept"], counts["failed"]))


if __name__ == "__main__":
    main()

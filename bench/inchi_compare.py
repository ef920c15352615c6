#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Our standard InChI beside Open Babel's, record by record.

    inchi_compare.py BUILD_DIR [SHARED_DATA]

Reads every molecule file of SHARED_DATA/molecules, every corpus file Open
Babel reads and every record of SHARED_DATA/stereo/train_stereo_2d.sdf,
prints each difference and the share of records whose InChI is equal.
"""
import os
import subprocess
import sys
import tempfile

FORMATS = {".mol": "mol", ".mdl": "mol", ".sdf": "sdf", ".sd": "sdf",
           ".cml": "cml", ".xml": "cml", ".xyz": "xyz"}


def ours(cli, path, folder):
    out = os.path.join(folder, "out.inchi")
    if os.path.exists(out):
        os.remove(out)
    run = subprocess.run([cli, "convert", path, out], capture_output=True,
                         text=True)
    if run.returncode != 0:
        return None, run.stderr.strip()
    with open(out, encoding="utf-8") as handle:
        # A line is the InChI, then the record's title.
        return [(line.split() or [""])[0] for line in handle], \
            run.stderr.strip()


def obabel(path, index=None):
    kind = FORMATS[os.path.splitext(path)[1].lower()]
    command = ["obabel", "-i" + kind, path, "-oinchi"]
    if index is not None:
        command += ["-f", str(index), "-l", str(index)]
    run = subprocess.run(command, capture_output=True, text=True)
    return [line.split()[0] for line in run.stdout.splitlines()
            if line.startswith("InChI=")]


def records_of(path):
    if os.path.splitext(path)[1].lower() not in (".sdf", ".sd"):
        return 1
    with open(path, "rb") as handle:
        return max(1, handle.read().count(b"\n$$$$"))


def files(shared):
    found = []
    molecules = os.path.join(shared, "molecules")
    for name in sorted(os.listdir(molecules)):
        if os.path.splitext(name)[1].lower() in FORMATS:
            found.append(os.path.join(molecules, name))
    corpus = os.path.join(shared, "corpus")
    with open(os.path.join(corpus, "expected.tsv"), encoding="utf-8") as t:
        for line in t.read().splitlines()[1:]:
            name = line.split("\t")[0]
            if os.path.splitext(name)[1].lower() in FORMATS:
                found.append(os.path.join(corpus, name))
    found.append(os.path.join(shared, "stereo", "train_stereo_2d.sdf"))
    return found


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = os.path.join(sys.argv[1], "src", "molvane3d-cli")
    here = os.path.dirname(os.path.abspath(__file__))
    shared = sys.argv[2] if len(sys.argv) > 2 else os.path.join(
        here, "..", "..", "shared", "data")
    equal = compared = 0
    with tempfile.TemporaryDirectory() as folder:
        for path in files(shared):
            count = records_of(path)
            theirs = obabel(path) if count == 1 else [
                (obabel(path, i) or [""])[0] for i in range(1, count + 1)]
            mine, warnings = ours(cli, path, folder)
            name = os.path.relpath(path, shared)
            if mine is None:
                if not any(theirs):
                    continue  # neither describes it
                print(f"{name}: ours failed: {warnings}")
                compared += max(1, len(theirs))
                continue
            for i in range(max(len(mine), len(theirs))):
                a = mine[i] if i < len(mine) else ""
                b = theirs[i] if i < len(theirs) else ""
                if not a and not b:
                    continue
                compared += 1
                if a == b:
                    equal += 1
                else:
                    print(f"{name} #{i + 1}:\n  ours   {a or '-'}\n"
                          f"  obabel {b or '-'}")
    share = 100.0 * equal / compared if compared else 0.0
    print(f"equal: {equal} of {compared} ({share:.1f} %)")


if __name__ == "__main__":
    main()

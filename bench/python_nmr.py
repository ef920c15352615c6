#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""13C shifts for every record of train.sdf: the Python module against the
command line, then with two threads and two processes.

    PYTHONPATH=build/release/python /usr/bin/python3 bench/python_nmr.py \\
        --cli build/release/src/molvane3d-cli [../shared/data/nmr/train.sdf]

The command line's time is its own run over the file less the run of a
one-atom file (start-up and the database), so both sides count reading the
records and predicting. Prints seconds and ratios; the load average comes
first, since other work on the machine slows every figure.
"""

import argparse
import concurrent.futures
import os
import pathlib
import subprocess
import tempfile
import time

import molvane


def predict(path, start, stop):
    shifts = 0
    for molecule in molvane.read_records(path, start=start, stop=stop):
        shifts += len(molecule.predict_nmr("13C"))
    return shifts


def halves(count):
    return [(0, count // 2), (count // 2, count)]


def timed(action):
    began = time.perf_counter()
    value = action()
    return time.perf_counter() - began, value


def cli_seconds(cli, path):
    with tempfile.TemporaryDirectory() as folder:
        tiny = pathlib.Path(folder) / "methane.smi"
        tiny.write_text("C\n")
        run = lambda file: subprocess.run(  # noqa: E731
            [cli, "--json", "nmr", str(file), "--nucleus", "13C"],
            check=True, stdout=subprocess.DEVNULL,
        )
        start_up, _ = timed(lambda: run(tiny))
        whole, _ = timed(lambda: run(path))
    return whole - start_up


def main():
    default = pathlib.Path(__file__).resolve().parents[1] / "../shared/data/nmr/train.sdf"
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("sdf", nargs="?", default=str(default.resolve()))
    parser.add_argument("--cli", required=True)
    arguments = parser.parse_args()
    path = arguments.sdf
    count = molvane.count_records(path)
    print(f"load average {os.getloadavg()[0]:.2f}, {count} records")
    predict(path, 0, 1)  # reads the database once
    module, shifts = timed(lambda: predict(path, 0, count))
    cli = cli_seconds(arguments.cli, path)
    print(f"module   {module:7.2f} s  ({shifts} shifts)")
    print(f"cli      {cli:7.2f} s  module/cli {module / cli:.3f}")
    for name, pool in (
        ("threads", concurrent.futures.ThreadPoolExecutor),
        ("processes", concurrent.futures.ProcessPoolExecutor),
    ):
        with pool(max_workers=2) as workers:
            if name == "processes":  # start-up is not the work
                list(workers.map(predict, [path] * 2, [0, 0], [1, 1]))
            parts = halves(count)
            two, _ = timed(
                lambda: sum(
                    workers.map(
                        predict, [path] * 2, [p[0] for p in parts],
                        [p[1] for p in parts],
                    )
                )
            )
        print(f"2 {name:9} {two:7.2f} s  speed-up {module / two:.2f}")


if __name__ == "__main__":
    main()

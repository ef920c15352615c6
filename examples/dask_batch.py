#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""13C shifts and a 3D model for every record of an SD file, with Dask.

The file is cut into ranges of records; each Dask task reads its own range
straight from the file (so only the file name and two numbers travel) and
returns plain numbers. The results come back in record order and equal
those of a serial run.

    /usr/bin/python3 examples/dask_batch.py molecules.sdf [--workers 2]
    /usr/bin/python3 examples/dask_batch.py molecules.sdf --scheduler tcp://scheduler:8786

Every worker needs the molvane package and the file at the same path.
"""

import argparse
import sys

import molvane


def process_range(path, start, stop, seed=1):
    """Shifts and Make 3D for records start to stop (0-based, stop not
    included): one (record, shifts, energy) tuple per record; shifts are
    (atom, ppm or None) pairs, energy the model's in kcal/mol, or None and
    the error for a record that could not be built."""
    results = []
    records = molvane.read_records(path, start=start, stop=stop)
    for number, molecule in enumerate(records, start):
        shifts = [(s.atom, s.shift) for s in molecule.predict_nmr("13C")]
        try:
            energy = round(molecule.embed(conformers=1, seed=seed).energy, 6)
        except molvane.Error as error:
            energy = str(error)
        results.append((number, shifts, energy))
    return results


def ranges(path, size):
    count = molvane.count_records(path)
    return [(start, min(start + size, count)) for start in range(0, count, size)]


def serial(path, size=25):
    results = []
    for start, stop in ranges(path, size):
        results.extend(process_range(path, start, stop))
    return results


def with_dask(path, client, size=25):
    futures = [
        client.submit(process_range, path, start, stop, pure=False)
        for start, stop in ranges(path, size)
    ]
    results = []
    for part in client.gather(futures):
        results.extend(part)
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("sdf")
    parser.add_argument("--workers", type=int, default=2)
    parser.add_argument("--scheduler", help="address of a running scheduler")
    parser.add_argument("--records-per-task", type=int, default=25)
    arguments = parser.parse_args()
    from dask.distributed import Client, LocalCluster

    if arguments.scheduler:
        client = Client(arguments.scheduler)
    else:
        cluster = LocalCluster(
            n_workers=arguments.workers, threads_per_worker=1, processes=True
        )
        client = Client(cluster)
    for number, shifts, energy in with_dask(
        arguments.sdf, client, arguments.records_per_task
    ):
        ppm = " ".join("-" if s is None else f"{s:.1f}" for _, s in shifts)
        print(f"{number + 1}\t{energy}\t{ppm}")
    client.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())

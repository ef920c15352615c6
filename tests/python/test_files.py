# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
import subprocess
import sys

import pytest

import molvane
from conftest import shared

# Every format the program writes and reads back as a molecule; the
# companion layout and the text table keep no charges or isotopes.
FORMATS = ["mlv", "mdl", "mol", "sdf", "cml", "xml", "xyz", "smi"]
LOSSY = {"mdl", "xyz"}


def element_counts(molecule):
    counts = {}
    for atom in molecule.atoms:
        counts[atom.element] = counts.get(atom.element, 0) + 1
    return counts


@pytest.mark.parametrize("extension", FORMATS)
def test_file_round_trip_keeps_atoms_charges_and_isotopes(tmp_path, extension):
    original = molvane.Molecule.from_smiles("[13CH3]C(=O)[O-].[Na+]")
    path = tmp_path / f"salt.{extension}"
    molvane.write(original, path)
    again = molvane.read(path)
    heavy = lambda m: {e: n for e, n in element_counts(m).items() if e != "H"}
    assert heavy(again) == heavy(original)
    if extension not in LOSSY:
        assert again.hill_formula == original.hill_formula
        assert again.charge == original.charge == 0
        assert sorted(a.charge for a in again.atoms) == [-1, 0, 0, 0, 1]
        assert sorted(a.isotope for a in again.atoms)[-1] == 13
        assert len(again.bonds) == len(original.bonds)


@pytest.mark.parametrize("name", ["sdf", "mol", "cml", "smiles", "xyz"])
def test_string_round_trip_keeps_the_geometry(name):
    original = molvane.Molecule.from_smiles("OCC")
    original.embed(conformers=1)
    text = molvane.to_string(original, name)
    again = molvane.from_string(text, name)
    assert element_counts(again) == element_counts(original)
    if name != "smiles":
        # Writers move the first atom or the corner to the origin.
        centred = lambda m: m.coordinates - m.coordinates.mean(axis=0)
        assert centred(again) == pytest.approx(centred(original), abs=2e-3)


def test_native_document_goes_through_bytes_not_text():
    molecule = molvane.Molecule.from_smiles("c1ccccc1")
    with pytest.raises(molvane.Error):
        molvane.to_string(molecule, "mlv")
    again = molvane.from_bytes(molvane.to_bytes(molecule, "mlv"), "mlv")
    assert again.to_smiles() == molecule.to_smiles()


def test_damaged_and_foreign_input_raises_with_the_programs_message(tmp_path):
    garbage = tmp_path / "noise.sdf"
    garbage.write_bytes(bytes(range(256)) * 40)
    with pytest.raises(molvane.Error, match="File Read Error"):
        molvane.read(garbage)
    with pytest.raises(molvane.Error, match="File Read Error"):
        molvane.read(tmp_path / "missing.mol")
    with pytest.raises(molvane.Error, match="unknown format"):
        molvane.from_string("C", "doc")
    with pytest.raises(molvane.Error):
        molvane.Molecule.from_smiles("C1CC(")
    # A molfile cut short in its atom block.
    block = molvane.to_string(molvane.Molecule.from_smiles("CCCCCC"), "mol")
    cut = "\n".join(block.splitlines()[:7]) + "\n"
    with pytest.raises(molvane.Error):
        molvane.from_string(cut, "mol")


def test_records_read_in_ranges_and_bad_records_named(tmp_path):
    path = tmp_path / "many.sdf"
    smiles = ["C", "CC", "CCC", "CCCC", "CCCCC"]
    count = molvane.write_records(
        (molvane.Molecule.from_smiles(s) for s in smiles), path
    )
    assert count == 5 and molvane.count_records(path) == 5
    hills = [m.hill_formula for m in molvane.read_records(path)]
    assert hills == ["CH4", "C2H6", "C3H8", "C4H10", "C5H12"]
    ranged = [m.hill_formula for m in molvane.read_records(path, start=1, stop=3)]
    assert ranged == hills[1:3]
    smi = tmp_path / "many.smi"
    smi.write_text("CC\nnot(smiles\nCCO\n")
    with pytest.raises(molvane.Error, match="line 2"):
        list(molvane.read_records(smi))
    with pytest.warns(UserWarning):
        kept = list(molvane.read_records(smi, skip_errors=True))
    assert [m.hill_formula for m in kept] == ["C2H6", "C2H6O"]


def peak_kilobytes(path, stop):
    # Peak resident size of a fresh interpreter that reads stop records.
    code = (
        "import resource, sys, molvane\n"
        "for m in molvane.read_records(sys.argv[1], stop=int(sys.argv[2])):\n"
        "    len(m)\n"
        "print(resource.getrusage(resource.RUSAGE_SELF).ru_maxrss)\n"
    )
    done = subprocess.run(
        [sys.executable, "-c", code, str(path), str(stop)],
        capture_output=True, text=True, check=True,
    )
    return int(done.stdout)


def test_records_stream_in_flat_memory():
    path = shared("nmr/train.sdf")
    growth = peak_kilobytes(path, 100000) - peak_kilobytes(path, 10)
    assert growth < 30_000  # all 6383 records held would take far more

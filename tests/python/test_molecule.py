# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
import numpy
import pytest

import molvane
from conftest import cli_json


def test_info_values_are_the_command_lines(tmp_path):
    molecule = molvane.Molecule.from_smiles("OC(=O)C[NH3+]")
    molecule.embed(conformers=1)
    path = tmp_path / "glycine.mdl"
    molvane.write(molecule, path)
    molecule = molvane.read(path)
    info = cli_json("info", path)
    assert molecule.formula == info["formula"].rstrip()
    assert molecule.hill_formula == info["hill"]
    assert molecule.weight == pytest.approx(info["weight"], abs=1e-3)
    assert molecule.charge == info["charge"] == 1
    debye, vector = molecule.dipole
    assert debye == pytest.approx(info["dipoledebye"], abs=1e-3)
    # The module's vector points y up, as molfiles do.
    expected = info["dipolevector"]
    assert vector == pytest.approx(
        (expected[0], -expected[1], expected[2]), abs=1e-3
    )
    assert molecule.principal_moments == pytest.approx(
        info["principalmoments"], abs=1e-3
    )


def test_coordinates_are_a_copy_until_written_back():
    molecule = molvane.Molecule.from_smiles("CCO")
    xyz = molecule.coordinates
    assert xyz.shape == (3, 3) and xyz.dtype == numpy.float64
    xyz += 10.0
    assert molecule.coordinates == pytest.approx(xyz - 10.0)
    molecule.set_coordinates(xyz)
    assert molecule.coordinates == pytest.approx(xyz, abs=1e-9)
    assert molecule.atoms[2].position == pytest.approx(tuple(xyz[2]), abs=1e-9)
    with pytest.raises(molvane.Error, match="shape"):
        molecule.set_coordinates(numpy.zeros((2, 3)))
    with pytest.raises(molvane.Error, match="finite"):
        molecule.set_coordinates(numpy.full((3, 3), numpy.nan))


def test_atoms_bonds_and_hydrogens():
    molecule = molvane.Molecule.from_smiles("C=C[N+](=O)[O-]")
    assert [a.element for a in molecule.atoms] == ["C", "C", "N", "O", "O"]
    assert sorted(b.order for b in molecule.bonds) == [1.0, 1.0, 2.0, 2.0]
    copy = molecule.copy()
    assert copy.add_hydrogens() == 3
    assert len(copy) == 8 and len(molecule) == 5
    assert copy.remove_hydrogens() == 3


def test_embed_and_optimize_give_energies_and_convergence():
    molecule = molvane.Molecule.from_smiles("CC(C)CC(=O)O")
    built = molecule.embed(conformers=2, seed=3)
    assert built.hydrogens == 10
    assert numpy.ptp(molecule.coordinates[:, 2]) > 0.5  # really 3D
    again = molvane.Molecule.from_smiles("CC(C)CC(=O)O")
    again.embed(conformers=2, seed=3)
    assert again.coordinates == pytest.approx(molecule.coordinates)
    molecule.set_coordinates(molecule.coordinates * 1.1)
    result = molecule.optimize(method="refine", tolerance=1.0)
    assert result.converged and result.energy < result.start_energy
    with pytest.raises(molvane.Error, match="unknown method"):
        molecule.optimize(method="fast")
    with pytest.raises(molvane.Error):
        molvane.Molecule().optimize()


def test_nmr_shifts_are_the_command_lines(tmp_path):
    molecule = molvane.Molecule.from_smiles("CC(=O)Oc1ccccc1C(=O)O")
    path = tmp_path / "aspirin.mol"
    molvane.write(molecule, path)
    expected = cli_json("nmr", path, "--nucleus", "13C")["atoms"]
    shifts = molvane.read(path).predict_nmr("13C")
    assert [s.atom for s in shifts] == [e["index"] for e in expected]
    for shift, wanted in zip(shifts, expected):
        if wanted["shift"] is None:
            assert shift.shift is None
        else:
            assert shift.shift == pytest.approx(wanted["shift"], abs=0.051)
    with pytest.raises(molvane.Error, match="nucleus"):
        molecule.predict_nmr("2H")


def test_reaction_from_lists_is_the_command_lines(tmp_path):
    species = [molvane.Molecule.from_smiles(s) for s in ("[H][H]", "O=O", "O")]
    for molecule in species:
        molecule.embed(conformers=1)
    result = molvane.reaction(reactants=species[:2], products=species[2:])
    assert result.balanced
    assert result.amounts == pytest.approx([1.0, 0.5, 1.0])
    path = tmp_path / "water.rxn"
    path.write_text(molvane._reaction_text(species[:2], species[2:]))
    expected = cli_json("reaction", path)
    assert result.delta_h == pytest.approx(expected["deltaHkcal"], abs=1e-4)
    assert result.delta_g == pytest.approx(expected["deltaGkcal"], abs=1e-4)
    assert result.log_k == pytest.approx(expected["logK"], abs=1e-4)
    with pytest.raises(molvane.Error):
        molvane.reaction(species[0])  # no arrow


def test_pictures():
    molecule = molvane.Molecule.from_smiles("c1ccncc1")
    svg = molecule.to_svg(width=200)
    assert "<svg" in svg and molecule._repr_svg_().startswith(svg[:20])
    assert molecule.to_png(width=120).startswith(b"\x89PNG")
    assert molvane.to_bytes(molecule, "jpg")[:2] == b"\xff\xd8"
    assert molvane.Molecule()._repr_svg_() is None
    with pytest.raises(molvane.Error):
        molecule.to_png(width=-1)


def test_inchi_keys_of_stereo_and_charged_molecules():
    if not hasattr(molvane.Molecule, "inchikey"):
        pytest.skip("the core has no InChI yet")
    keys = {
        "C[C@H](N)C(=O)O": "QNAYBMKLOCPYGJ-REOHCLBHSA-N",  # L-alanine
        "C/C=C/C(=O)O": "LDHQCZJRKDOVOX-NSCUHMNNSA-N",  # crotonic acid
        "C[N+](C)(C)C": "QEMXHQIAXOOASZ-UHFFFAOYSA-N",  # tetramethylammonium
    }
    for smiles, key in keys.items():
        assert molvane.Molecule.from_smiles(smiles).inchikey == key

# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
import pytest

import molvane

Chem = pytest.importorskip("rdkit.Chem", reason="RDKit is not installed")
AllChem = pytest.importorskip("rdkit.Chem.AllChem")

STEREO = [
    "C[C@H](N)C(=O)O",
    "C/C=C/C(=O)O",
    "F/C=C\\Cl",
    "O[C@@H]1CC[C@H](C)CC1",
    "C[C@@](Cl)(Br)[N+](C)(C)C",
]


def canonical(smiles):
    return Chem.MolToSmiles(Chem.MolFromSmiles(smiles))


@pytest.mark.parametrize("smiles", STEREO)
def test_exchange_keeps_stereo_both_ways(smiles):
    ours = molvane.Molecule.from_smiles(smiles)
    rdmol = ours.to_rdkit()
    assert Chem.MolToSmiles(Chem.RemoveHs(rdmol)) == canonical(smiles)
    theirs = Chem.AddHs(Chem.MolFromSmiles(smiles))
    AllChem.EmbedMolecule(theirs, randomSeed=1)
    back = molvane.Molecule.from_rdkit(theirs)
    assert canonical(back.to_smiles()) == canonical(smiles)
    assert back.charge == Chem.GetFormalCharge(theirs)


def test_a_3d_model_keeps_its_centres():
    ours = molvane.Molecule.from_smiles("C[C@H](O)CC")
    ours.embed(conformers=1)
    rdmol = ours.to_rdkit()
    assert Chem.MolToSmiles(Chem.RemoveHs(rdmol)) == canonical("C[C@H](O)CC")

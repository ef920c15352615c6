# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Exchange with RDKit through molblocks, where RDKit is installed."""

from . import _core


def _chem():
    try:
        from rdkit import Chem
    except ImportError as error:
        raise ImportError("RDKit is not installed") from error
    return Chem


def from_rdkit(rdmol):
    """A Molecule from an RDKit molecule (its molblock, stereo included)."""
    Chem = _chem()
    block = Chem.MolToMolBlock(rdmol, includeStereo=True, kekulize=True)
    return _core.from_string(block, "mol")


def to_rdkit(molecule):
    """An RDKit molecule from a Molecule, explicit hydrogens kept and stereo
    taken from the wedges or the 3D coordinates."""
    Chem = _chem()
    rdmol = Chem.MolFromMolBlock(
        _core.to_string(molecule, "mol"), sanitize=True, removeHs=False
    )
    if rdmol is None:
        raise _core.Error("RDKit could not read the molblock")
    if rdmol.GetNumConformers() and rdmol.GetConformer().Is3D():
        Chem.AssignStereochemistryFrom3D(rdmol)
    return rdmol

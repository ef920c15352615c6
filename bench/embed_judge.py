# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Judges 3D models against the drawings they came from, with RDKit.

judge(reference_molblock, model_path) -> dict with 'stated' (stereo centres
and double bonds the drawing states), 'kept' (those the model's coordinates
give the same way), 'clashes' (non-bonded pairs closer than 0.8 of the sum
of their covalent radii).
"""
from rdkit import Chem
from rdkit.Chem import AllChem

_TABLE = Chem.GetPeriodicTable()


def stated_stereo(mol):
    """{atom index: CIP label} and {(a, b): 'E'|'Z'} the molecule states."""
    Chem.AssignStereochemistry(mol, cleanIt=True, force=True)
    centres = {a.GetIdx(): a.GetProp("_CIPCode") for a in mol.GetAtoms()
               if a.HasProp("_CIPCode")}
    bonds = {}
    for b in mol.GetBonds():
        s = b.GetStereo()
        if s in (Chem.BondStereo.STEREOE, Chem.BondStereo.STEREOZ):
            bonds[(b.GetBeginAtomIdx(), b.GetEndAtomIdx())] = \
                "E" if s == Chem.BondStereo.STEREOE else "Z"
    return centres, bonds


def model_stereo(path):
    model = Chem.MolFromMolFile(path, removeHs=False, sanitize=True)
    if model is None:
        return None
    Chem.AssignStereochemistryFrom3D(model)
    return model


def clashes(model):
    conf = model.GetConformer()
    n = model.GetNumAtoms()
    dm = Chem.Get3DDistanceMatrix(model)
    topo = Chem.GetDistanceMatrix(model)
    count = 0
    for i in range(n):
        ri = _TABLE.GetRcovalent(model.GetAtomWithIdx(i).GetAtomicNum())
        for j in range(i + 1, n):
            if topo[i][j] < 2:
                continue
            rj = _TABLE.GetRcovalent(model.GetAtomWithIdx(j).GetAtomicNum())
            if dm[i][j] < 0.8 * (ri + rj):
                count += 1
    del conf
    return count


def _skeleton(mol):
    copy = Chem.RWMol(mol)
    for bond in copy.GetBonds():
        bond.SetBondType(Chem.BondType.SINGLE)
        bond.SetIsAromatic(False)
    for atom in copy.GetAtoms():
        atom.SetIsAromatic(False)
        atom.SetFormalCharge(0)
    return copy


def judge(reference, model_path):
    ref = Chem.MolFromMolBlock(reference, removeHs=True)
    if ref is None:
        return None
    centres, bonds = stated_stereo(ref)
    model = model_stereo(model_path)
    result = {"stated": len(centres) + len(bonds), "kept": 0,
              "clashes": None, "readable": model is not None}
    if model is None:
        return result
    result["clashes"] = clashes(model)
    heavy = Chem.RemoveHs(model)
    Chem.AssignStereochemistry(heavy, cleanIt=True, force=True)
    match = heavy.GetSubstructMatch(ref, useChirality=False)
    if not match:
        # Bond orders may be written another way (Kekulé or charged forms):
        # match the skeleton alone.
        match = _skeleton(heavy).GetSubstructMatch(_skeleton(ref))
    if not match:
        result["readable"] = False
        return result
    kept = 0
    for index, label in centres.items():
        atom = heavy.GetAtomWithIdx(match[index])
        if atom.HasProp("_CIPCode") and atom.GetProp("_CIPCode") == label:
            kept += 1
    for (a, b), label in bonds.items():
        bond = heavy.GetBondBetweenAtoms(match[a], match[b])
        s = bond.GetStereo() if bond is not None else None
        got = {Chem.BondStereo.STEREOE: "E", Chem.BondStereo.STEREOZ: "Z"}.get(s)
        if got == label:
            kept += 1
    result["kept"] = kept
    return result


def geometry_against_mmff(model_path):
    """Mean |bond length| (Å) and |angle| (degrees) change when MMFF94
    relaxes the model, or None when MMFF cannot type it."""
    model = Chem.MolFromMolFile(model_path, removeHs=False)
    if model is None:
        return None
    props = AllChem.MMFFGetMoleculeProperties(model)
    if props is None:
        return None
    relaxed = Chem.Mol(model)
    AllChem.MMFFOptimizeMolecule(relaxed, maxIters=2000)
    a = model.GetConformer()
    b = relaxed.GetConformer()
    from rdkit.Chem import rdMolTransforms as T
    lengths = [abs(T.GetBondLength(a, x.GetBeginAtomIdx(), x.GetEndAtomIdx()) -
                   T.GetBondLength(b, x.GetBeginAtomIdx(), x.GetEndAtomIdx()))
               for x in model.GetBonds()]
    angles = []
    for atom in model.GetAtoms():
        n = [x.GetIdx() for x in atom.GetNeighbors()]
        for i in range(len(n)):
            for j in range(i + 1, len(n)):
                angles.append(abs(
                    T.GetAngleDeg(a, n[i], atom.GetIdx(), n[j]) -
                    T.GetAngleDeg(b, n[i], atom.GetIdx(), n[j])))
    mean = lambda v: sum(v) / len(v) if v else 0.0
    return mean(lengths), mean(angles)

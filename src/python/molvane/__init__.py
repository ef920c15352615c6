# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Molvane 3D from Python: read and write chemistry files, build 3D models,
relax them in the force field, predict NMR shifts and balance reactions.

    >>> import molvane
    >>> mol = molvane.Molecule.from_smiles("CCO")
    >>> mol.formula
    'C2H6O'

Every failure the program reports raises molvane.Error (a ValueError) with
the program's one-line message.
"""

import os as _os

from . import _core, _installed
from ._core import (
    Atom,
    Bond,
    EmbedResult,
    Error,
    Molecule,
    OptimizeResult,
    Reaction,
    RecordReader,
    Shift,
    count_records,
    from_bytes,
    from_string,
    read,
    read_records,
    to_bytes,
    to_string,
    write,
    write_records,
)
from ._rdkit import from_rdkit, to_rdkit

__version__ = _core.__version__

__all__ = [
    "Atom",
    "Bond",
    "EmbedResult",
    "Error",
    "Molecule",
    "OptimizeResult",
    "Reaction",
    "RecordReader",
    "Shift",
    "count_records",
    "from_bytes",
    "from_string",
    "reaction",
    "read",
    "read_records",
    "to_bytes",
    "to_string",
    "write",
    "write_records",
]

# An installed package reads the databases installed beside the program; a
# package in the build folder keeps those of the source tree.
_core._use_data_near(
    _os.path.normpath(
        _os.path.join(_os.path.dirname(__file__), _installed.BIN_FROM_PACKAGE)
    )
)

Molecule.from_rdkit = staticmethod(from_rdkit)
Molecule.to_rdkit = to_rdkit


def _reaction_text(reactants, products):
    # An MDL reaction file: its header, the counts, then each molfile.
    lines = ["$RXN", "", "      molvane", "", f"{len(reactants):3d}{len(products):3d}"]
    text = "\n".join(lines) + "\n"
    for molecule in list(reactants) + list(products):
        text += "$MOL\n" + to_string(molecule, "mol")
    return text


def reaction(
    drawing=None,
    *,
    reactants=None,
    products=None,
    temperature=293.0,
    pressure=1.0,
    optimize=False,
    reference=1,
):
    """Balances a reaction and works out its thermochemistry.

    Either drawing (a Molecule or a file name) holds structures on both
    sides of a reaction arrow, or reactants and products are lists of
    Molecules, set out left and right of an arrow. temperature in K,
    pressure in atm; optimize relaxes every reactive structure first;
    reference (1-based) is the structure whose amount stays 1. Returns a
    Reaction; raises Error when the drawing is no reaction.
    """
    if drawing is None:
        if not reactants or not products:
            raise Error("give a drawing, or reactants and products")
        drawing = from_string(_reaction_text(reactants, products), "rxn")
    elif reactants is not None or products is not None:
        raise Error("give a drawing, or reactants and products, not both")
    elif isinstance(drawing, (str, _os.PathLike)):
        drawing = read(drawing)
    else:
        drawing = drawing.copy()
    return _core._react(drawing, temperature, pressure, optimize, reference)

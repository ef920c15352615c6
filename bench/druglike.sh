#!/bin/sh
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds start files of drug-like molecules from SMILES with `embed` (the
# 3D model a user gets from a SMILES) and times the default method on them
# beside the reference toolkit, both starting from those files:
#
#   druglike.sh BUILD_DIR OUT_DIR
set -e
build=$1
out=$2
here=$(dirname "$0")
mkdir -p "$out"
while read -r smiles name; do
  printf '%s %s\n' "$smiles" "$name" > "$out/$name.smi"
  "$build/src/molvane3d-cli" embed "$out/$name.smi" "$out/${name}_start.sdf" \
    --seed 1 > /dev/null
done <<'LIST'
CC(=O)Oc1ccccc1C(=O)O aspirin
CC(C)Cc1ccc(cc1)C(C)C(=O)O ibuprofen
CC(=O)Nc1ccc(O)cc1 paracetamol
CN1CCCC1c1cccnc1 nicotine
CN1C(=O)CN=C(c2ccccc2)c2cc(Cl)ccc12 diazepam
CNCCC(Oc1ccc(cc1)C(F)(F)F)c1ccccc1 fluoxetine
CC(C)NCC(O)COc1cccc2ccccc12 propranolol
CN(C)CCCN1c2ccccc2CCc2ccccc12 imipramine
OC(=O)CCCc1ccc(cc1)N(CCCl)CCCl chlorambucil
CCOC(=O)C1=C(C)NC(C)=C(C1c1ccccc1[N+](=O)[O-])C(=O)OC nitrendipine
CC12CCC3C(CCC4=CC(=O)CCC34C)C1CCC2O testosterone
COc1ccc2[nH]cc(CCNC(C)=O)c2c1 melatonin
LIST
"$build/bench/optimize_bench" --reference "$here/rdkit_minimize.py" "$out"

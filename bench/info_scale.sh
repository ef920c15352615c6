#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Time and peak memory of `info` on one long chain and on files of many
# records, all made at run time in a temporary folder:
#
#   bench/info_scale.sh [CLI] [SCALE]
#
# CLI defaults to the release build's molvane3d-cli; SCALE (default 1)
# divides every size, for a quick look on a debug build. Needs GNU time.
set -euo pipefail
cli=${1:-build/release/src/molvane3d-cli}
scale=${2:-1}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

carbons=$((10001 / scale))
smilesrecords=$((2000000 / scale))
cmlrecords=$((200000 / scale))
sdrecords=$((200000 / scale))

awk -v n="$carbons" 'BEGIN { s = ""; for (i = 0; i < n; ++i) s = s "C";
  print s " chain" }' > "$folder/chain.smi"
awk -v n="$smilesrecords" 'BEGIN { for (i = 0; i < n; ++i) print "CCO x" }' \
  > "$folder/many.smi"
awk -v n="$cmlrecords" 'BEGIN {
  print "<?xml version=\"1.0\"?>"; print "<cml>"
  for (i = 0; i < n; ++i)
    printf "<molecule id=\"m%d\"><atomArray><atom id=\"a1\" elementType=\"C\" x2=\"0\" y2=\"0\"/><atom id=\"a2\" elementType=\"C\" x2=\"1.5\" y2=\"0\"/><atom id=\"a3\" elementType=\"O\" x2=\"2.2\" y2=\"1.3\"/></atomArray><bondArray><bond atomRefs2=\"a1 a2\" order=\"1\"/><bond atomRefs2=\"a2 a3\" order=\"1\"/></bondArray></molecule>\n", i
  print "</cml>" }' > "$folder/many.cml"
awk -v n="$sdrecords" 'BEGIN {
  for (i = 0; i < n; ++i) {
    print "ethanol"; print "  bench"; print ""
    print "  3  2  0  0  0  0  0  0  0  0999 V2000"
    print "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0"
    print "    1.5000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0"
    print "    2.2000    1.3000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0"
    print "  1  2  1  0"; print "  2  3  1  0"; print "M  END"; print "$$$$" } }' \
  > "$folder/many.sdf"

printf '%-34s %10s %12s\n' "info on" "seconds" "peak MB"
for case in "chain.smi:chain of $carbons carbons" \
            "many.smi:$smilesrecords SMILES lines" \
            "many.cml:$cmlrecords CML molecules" \
            "many.sdf:$sdrecords SD records"; do
  file=${case%%:*}
  /usr/bin/time -f "%e %M" -o "$folder/time" "$cli" info "$folder/$file" \
    > /dev/null 2>&1
  read -r seconds kilobytes < "$folder/time"
  printf '%-34s %10s %12d\n' "${case#*:}" "$seconds" $((kilobytes / 1024))
done

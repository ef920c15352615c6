#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Wall time and peak memory of `nmr --nucleus 13C` and `embed` over the
# records of an SD file with --jobs 1 and 2, and whether their outputs agree:
#
#   bench/cli_jobs.sh [CLI] [SD] [EMBEDRECORDS]
#
# CLI defaults to the release build's molvane3d-cli, SD to the NMR training
# file of the shared data; embed runs on its first EMBEDRECORDS records
# (default 200). Needs GNU time. Prints the load average beside the figures,
# since other work on the machine changes them.
set -euo pipefail
cli=${1:-build/release/src/molvane3d-cli}
sd=${2:-../shared/data/nmr/train.sdf}
embedrecords=${3:-200}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

awk -v n="$embedrecords" '{ print } /^\$\$\$\$/ && ++records == n { exit }' \
  "$sd" > "$folder/embed.sdf"

run() {
  local name=$1
  shift
  /usr/bin/time -f "$name: %e s, %M KiB peak, load $(cut -d' ' -f1-3 /proc/loadavg)" \
    "$@" > /dev/null
}

for jobs in 1 2; do
  run "nmr 13C --jobs $jobs" \
    sh -c "'$cli' nmr '$sd' --nucleus 13C --jobs $jobs > '$folder/nmr$jobs.txt'"
  run "embed $embedrecords records --jobs $jobs" \
    "$cli" embed "$folder/embed.sdf" "$folder/embed$jobs.sdf" --jobs "$jobs"
done
cmp -s "$folder/nmr1.txt" "$folder/nmr2.txt" && echo "nmr outputs agree"
cmp -s "$folder/embed1.sdf" "$folder/embed2.sdf" && echo "embed outputs agree"

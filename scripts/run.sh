#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs the program on a
# bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

example="examples/sample.mlv"
echo "Molvane 3D: $example"
./build/release/src/molvane3d-cli info "$example"

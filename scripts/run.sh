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
./build/release/src/molvane3d-cli reaction "$example"
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec ./build/release/src/molvane3d "$example"
fi
picture="build/release/sample.png"
echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): rendering $example to $picture"
./build/release/src/molvane3d-cli render "$example" "$picture"

#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs the program on a
# bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
./build/release/tests/model/model_tests --gtest_brief=1 >/dev/null
echo "Molvane 3D core built. The command-line front end and the window follow."

#!/usr/bin/env bash
# Installs what is missing, then: builds with gcc and runs every test with
# ctest; builds the core tests with AddressSanitizer and UBSan and runs them;
# builds everything with clang and runs every test again; builds the fuzz
# targets with clang and replays their corpus; runs clang-tidy over the files
# changed lately (scripts/tidy.sh). Prints how long each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

jobs=$(nproc)

# Configures, builds and tests one preset.
run_preset() {
  local started=$SECONDS
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
  ctest --preset "$1" -j "$jobs"
  echo "== $1: $((SECONDS - started)) s"
}

run_preset dev
run_preset asan
run_preset clang
run_preset fuzz

started=$SECONDS
./scripts/tidy.sh build/clang
echo "== tidy: $((SECONDS - started)) s"

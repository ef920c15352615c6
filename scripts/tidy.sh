#!/usr/bin/env bash
# Runs clang-tidy (the repository's .clang-tidy) over the .cpp files
# of src/ and fuzz/ that changed since BASE, and over the .cpp files
# beside changed headers.
#
#   scripts/tidy.sh [BUILD_DIR [BASE [CLANG_TIDY_OPTION...]]]
#
# BUILD_DIR holds compile_commands.json (default build/clang, a build made
# with clang so the flags match). BASE is any commit; by default it is the
# newest commit more than six hours older than HEAD, so a fresh clone with
# no remote still sees a whole session's work as changed. The working tree
# is compared, so uncommitted edits count too. Further arguments go to
# clang-tidy (e.g. --checks='clang-analyzer-*'). Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build/clang}
database="$build_dir/compile_commands.json"
if [ ! -f "$database" ]; then
  echo "tidy: no $database; configure that build first" >&2
  exit 2
fi

if [ $# -ge 2 ]; then
  base=$2
  shift 2
else
  set --
  head_time=$(git log -1 --format=%ct HEAD)
  base=$(git rev-list -1 --before=$((head_time - 6 * 3600)) HEAD)
  # A history younger than six hours: everything counts as changed.
  if [ -z "$base" ]; then
    base=$(git hash-object -t tree /dev/null)
  fi
fi

# The program's own code only: a test file costs twice as much (the
# GoogleTest headers), and most findings there and in the timing programs
# of bench/ are deliberate (integer grids, counts printed as doubles).
mapfile -t changed < <(git diff --name-only --diff-filter=d "$base" -- \
  'src/*.cpp' 'src/*.h' 'fuzz/*.cpp')

# Only files the build compiles can be checked; headers stand for the .cpp
# of the same name beside them.
mapfile -t compiled < <(sed -n 's|^ *"file": "'"$PWD"'/\(.*\)",\{0,1\}$|\1|p' \
  "$database" | sort -u)

files=()
for path in "${changed[@]}"; do
  case "$path" in
    *.h) path="${path%.h}.cpp" ;;
  esac
  files+=("$path")
done
mapfile -t files < <(printf '%s\n' "${files[@]}" | sort -u |
  comm -12 - <(printf '%s\n' "${compiled[@]}"))

if [ "${#files[@]}" -eq 0 ]; then
  echo "tidy: no compiled file changed since ${base:0:12}"
  exit 0
fi
echo "tidy: ${#files[@]} files changed since ${base:0:12}"

# Findings in a changed header are reported through the .cpp beside it.
header_filter=$(printf '%s\n' "${changed[@]}" | grep '\.h$' |
  sed 's/[.[\*^$+?(){}|]/\\&/g' | paste -sd '|' || true)

printf '%s\0' "${files[@]}" |
  xargs -0 -n 1 -P "$(nproc)" clang-tidy -p "$build_dir" --quiet \
    --warnings-as-errors='*' ${header_filter:+"--header-filter=$header_filter"} \
    "$@"

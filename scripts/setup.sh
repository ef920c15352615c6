#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Sourced by run.sh and test.sh; safe to run again (it only installs what is
# absent). Works as root or as a user with sudo.
set -euo pipefail

molvane_packages=(
  cmake
  g++
  clang
  clang-tidy
  libclang-rt-dev
  make
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  clang-format
  libjpeg-dev
  libpugixml-dev
  libcoordgen-dev
  libinchi-dev
  locales
  qt6-base-dev
  qt6-svg-dev
  libgl-dev
  pybind11-dev
  python3-dev
  python3-numpy
  python3-pytest
  python3-dask
  python3-distributed
)

molvane_missing=()
for package in "${molvane_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null |
      grep -q 'install ok installed'; then
    molvane_missing+=("$package")
  fi
done

if [ "$(id -u)" -eq 0 ]; then
  molvane_sudo=()
else
  molvane_sudo=(sudo)
fi

if [ "${#molvane_missing[@]}" -gt 0 ]; then
  echo "Installing: ${molvane_missing[*]}"
  "${molvane_sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${molvane_sudo[@]}" \
    apt-get install -y -qq --no-install-recommends "${molvane_missing[@]}"
fi

# One test reads and writes files under a decimal-comma locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  "${molvane_sudo[@]+"${molvane_sudo[@]}"}" localedef -i de_DE -f UTF-8 de_DE.UTF-8 ||
    echo "Could not generate de_DE.UTF-8; the locale test will be skipped."
fi

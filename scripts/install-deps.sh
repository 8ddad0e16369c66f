#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when missing.
set -euo pipefail

packages=(cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev pkgconf)
# The Python module, its packaging and its tests (Dask for the example).
packages+=(python3-dev pybind11-dev python3-pybind11 python3-pytest python3-venv python3-setuptools python3-pip
  python3-wheel python3-dask python3-distributed)
# The fuzz targets' toolchain: wanted, but the build and the tests do not
# need it, so a release of Debian that names it otherwise is no failure.
fuzzing=(clang libclang-rt-14-dev)
# The benchmarks' timer and the Debian data they make their texts from.
benchmarks=(time wamerican wbrazilian dict-gcide fortunes-br focalinux-text)

missing() {
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || echo "$package"
  done
}
needed=($(missing "${packages[@]}"))
wanted=($(missing "${fuzzing[@]}" "${benchmarks[@]}"))
[ ${#needed[@]} -eq 0 ] && [ ${#wanted[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
if [ ${#needed[@]} -gt 0 ]; then
  echo "Installing: ${needed[*]}"
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${needed[@]}" >/dev/null
fi
if [ ${#wanted[@]} -gt 0 ]; then
  echo "Installing: ${wanted[*]}"
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${wanted[@]}" >/dev/null ||
    echo "Could not install ${wanted[*]}: the fuzz targets or benchmarks that need them will be skipped"
fi

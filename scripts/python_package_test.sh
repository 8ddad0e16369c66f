#!/usr/bin/env bash
# Installs the Python package as its README says, with no package index:
# `pip install --no-build-isolation ./python` in a fresh virtual environment
# over Debian's Python packages, then `pip wheel` the same way; runs the
# Python tests against the installed module, outside the checkout.
#   scripts/python_package_test.sh [PROGRAM]   (PROGRAM: the kernova program
#   the tests compare with; default build/bin/kernova)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(pwd)
program=$(realpath "${1:-build/bin/kernova}")
python=${KERNOVA_PYTHON:-/usr/bin/python3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$python" -m venv --system-site-packages "$work/venv"
pip=("$work/venv/bin/pip" --disable-pip-version-check --no-input)
"${pip[@]}" install --quiet --no-index --no-build-isolation ./python
"${pip[@]}" wheel --quiet --no-index --no-build-isolation --no-deps --wheel-dir "$work/wheels" ./python

wheel=$(echo "$work"/wheels/kernova-*.whl)
contents=$("$work/venv/bin/python" -m zipfile -l "$wheel")
for member in kernova/__init__.py kernova/_kernova.pyi kernova/py.typed kernova/_kernova.cpython; do
  grep -q "$member" <<<"$contents" || { echo "$wheel lacks $member"; exit 1; }
done

cd "$work"
installed=$("$work/venv/bin/python" -c 'import kernova; print(kernova.__file__)')
[[ "$installed" == "$work/venv/"* ]] || { echo "kernova imported from $installed, not the environment"; exit 1; }
KERNOVA="$program" KERNOVA_SOURCE_DIR="$source_dir" \
  "$work/venv/bin/python" -m pytest -q -p no:cacheprovider "$source_dir/python/tests"
echo "Python package: installed, wheel $(basename "$wheel") built, tests passed"

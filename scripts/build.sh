#!/usr/bin/env bash
# Configures and builds the given presets (default: all three), warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native win64 win32)
for preset in "${presets[@]}"; do
    echo "== build $preset"
    cmake --preset "$preset" -DZARKIT_WERROR=ON >/dev/null
    cmake --build --preset "$preset"
done

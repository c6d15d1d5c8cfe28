#!/usr/bin/env bash
# Fails when a C++ file does not follow .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -co --exclude-standard '*.cpp' '*.h' | grep -v '^build/' | xargs clang-format --dry-run --Werror
echo "format: all files follow .clang-format"

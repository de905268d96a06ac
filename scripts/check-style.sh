#!/usr/bin/env bash
# The checks on the code's shape: clang-format over every tracked C++ file, the core's layering,
# and clang-tidy (.clang-tidy) over core/ and cli/ with the compile commands of build dir $1.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build/test}

echo "-- clang-format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "-- layers"
python3 scripts/check-layers.py

echo "-- clang-tidy"
git ls-files 'core/*.cpp' 'cli/*.cpp' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build_dir" --quiet 2> >(grep -v "warnings generated" >&2)

#!/usr/bin/env bash
# Installs what is missing, builds Velmora and starts it in the current directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/app" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=OFF
cmake --build "$root/build/app" -j "$(nproc)"
exec "$root/build/app/app/velmora" "$@"

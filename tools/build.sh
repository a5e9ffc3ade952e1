#!/usr/bin/env bash
# Configures and builds into build/<type> (default Release) with Ninja, in parallel.
set -euo pipefail
cd "$(dirname "$0")/.."
type=${1:-Release}
dir=build/$(echo "$type" | tr '[:upper:]' '[:lower:]')
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"

#!/usr/bin/env bash
# Configures and builds into build/<type> (default Release) with Ninja, in parallel:
# everything, or only the targets named after the type (e.g. "build.sh Release clinic").
set -euo pipefail
cd "$(dirname "$0")/.."
type=${1:-Release}
shift || true
dir=build/$(echo "$type" | tr '[:upper:]' '[:lower:]')
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"

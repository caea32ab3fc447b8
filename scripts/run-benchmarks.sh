#!/usr/bin/env bash
# Runs every benchmark found in a build folder; builds nothing.
# Usage: scripts/run-benchmarks.sh BUILD_DIR
set -uo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
found=0
for benchmark in "$1"/bench/bench_*; do
    [ -f "$benchmark" ] && [ -x "$benchmark" ] || continue
    found=1
    echo "== $(basename "$benchmark")"
    # A benchmark reports figures; a slow machine is no failure.
    "$benchmark" || echo "($(basename "$benchmark") ended with status $?)"
done
[ $found -eq 1 ] || echo "no benchmarks in $1/bench (build them first)"
exit 0

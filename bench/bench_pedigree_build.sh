#!/usr/bin/env bash
# Pedigree building benchmark: the search for missing parents with the growth
# of the table, the linking and the sort, timed on one core for
#  - a pedigree of 1,000,000 animals made in memory (file order, then the
#    same lines in random order), with about 6000 parents without a record;
#  - the 1,000,000-animal file of generate_pedigree, in file order and with
#    --shuffle.
#
#   bench/bench_pedigree_build.sh [animals] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
animals="${1:-1000000}"
build="${2:-build/bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELDMARSH_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target generate_pedigree bench_pedigree_build >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
bin="$build/bench_pedigree_build"
taskset -c 0 "$bin" "$animals" 1
"$build/generate_pedigree" --animals "$animals" --seed 1 --out "$work/ped.csv"
"$build/generate_pedigree" --animals "$animals" --seed 1 --shuffle --out "$work/shuffled.csv"
echo "generate_pedigree, file order:"
taskset -c 0 "$bin" --file "$work/ped.csv"
echo "generate_pedigree, --shuffle:"
taskset -c 0 "$bin" --file "$work/shuffled.csv"

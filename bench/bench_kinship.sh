#!/usr/bin/env bash
# Kinship benchmark: kinship per birth year with the rates of inbreeding,
# timed on one core
#  - on the 1,000,000-animal pedigree of generate_pedigree with two
#    subpopulations (after the inbreeding coefficients);
#  - on a 20,000-animal pedigree, against the slow method that fills the
#    relationship matrix of every year column by column.
#
#   bench/bench_kinship.sh [animals] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
animals="${1:-1000000}"
build="${2:-build/bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELDMARSH_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target generate_pedigree bench_kinship >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/generate_pedigree" --animals "$animals" --seed 1 --subpops 2 --out "$work/ped.csv"
"$build/generate_pedigree" --animals 20000 --seed 1 --subpops 2 --out "$work/small.csv"
echo "generate_pedigree --animals $animals --subpops 2:"
taskset -c 0 "$build/bench_kinship" "$work/ped.csv"
echo
echo "generate_pedigree --animals 20000 --subpops 2, with the whole-matrix method:"
taskset -c 0 "$build/bench_kinship" "$work/small.csv" --matrix

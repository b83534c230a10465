#!/usr/bin/env bash
# Reading benchmark: builds the program's tools, generates a pedigree of
# 1,000,000 animals (two subpopulations, 400 breeders, lines in random order)
# and times its reading as the program does it (steering file, line count,
# animal table, data lines, birth years, breeder list), with the wall time
# of each phase, the total and the peak memory.
#
#   bench/bench_reading.sh [animals] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
animals="${1:-1000000}"
build="${2:-build/bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELDMARSH_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target generate_pedigree bench_reading >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/generate_pedigree" --animals "$animals" --seed 1 --subpops 2 --breeders 400 --shuffle --out "$work/ped.csv"
printf 'Bench\nped.csv\n;\nn\ndd-mm-yyyy\ndog\nM\nen\ny\n2\nSUB1\nSUB2\n0\nn\n' > "$work/brindlemoor.ini"
bin="$(cd "$build" && pwd)/bench_reading"
echo "reading $animals animals ($(du -h "$work/ped.csv" | cut -f1)):"
(cd "$work" && /usr/bin/time -f "wall time %e s, peak memory %M KB" taskset -c 0 "$bin" > /dev/null)

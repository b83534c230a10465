#!/usr/bin/env bash
# Plants ten typical faults in the program, one at a time, and lists for each
# the tests that fail on it: proof that the suite catches them. Every fault is
# planted in a scratch copy of the tree (a git revision, HEAD by default),
# which is built once and then again for each fault; the checkout itself is
# never changed. A fault whose text is no longer found in the source is
# reported as not planted, and the script then ends with status 1.
#
#   tools/plant_faults.sh [revision]
#
# Environment: PLANT_FAULTS_DIR (scratch folder, default build/plant-faults in
# the checkout), JOBS (build and test jobs, default 2).
set -euo pipefail
checkout="$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"
revision="${1:-HEAD}"
scratch="${PLANT_FAULTS_DIR:-$checkout/build/plant-faults}"
jobs="${JOBS:-2}"
tree="$scratch/tree"
build="$tree/build/release"

# name | file | sed expression that plants the fault
faults=(
  'kinship sum: + for - in the mean kinship without self|src/inbreeding/calc_kinship_by_year.cpp|s/(set.relationship\[k\] - t - set.sum_inbreeding\[k\])/(set.relationship[k] - t + set.sum_inbreeding[k])/'
  'sort: < for <= when a parent link is read|src/run/sort_pedigree.cpp|s/return link > 0 && link <= n ? link : 0;/return link > 0 \&\& link < n ? link : 0;/'
  'dates: the year of ddmmyyyy and mmddyyyy one place late|src/run/data_fields.cpp|s/last = part_of(field, 4, 8);/last = part_of(field, 5, 8);/'
  'report: population size shows the other fathers for the own|src/reports/population_tables.cpp|s/{y, c\[1\], c\[2\], c\[4\], c\[5\],/{y, c[1], c[3], c[4], c[5],/'
  'Dutch text: one byte of "Aantal vari\xEBteiten" changed|src/run/data_and_report_files.cpp|s/Aantal vari\\xEBteiten/Aantal vari\\xE9teiten/'
  'Fw.d: ties rounded away from zero|src/common/fixed_format.cpp|s/std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed/std::to_chars(buf, buf + sizeof buf, v + std::copysign(1e-9, v), std::chars_format::fixed/'
  'inbreeding: the full-sib shortcut taken for half sibs|src/inbreeding/calc_inbreeding.cpp|s/else if (s == previous_sire && d == previous_dam)/else if (s == previous_sire)/'
  'line ends: no CR after the report line of varieties|src/common/output_channel.cpp|s/channel.buffer.append("\\r\\n", 2);/channel.buffer.append(text.starts_with(" Number of varieties") ? "\\n" : "\\r\\n");/'
  'kinship: a year split from 72001 animals|src/inbreeding/calc_kinship_by_year.h|s/std::int64_t split_from = 72000;/std::int64_t split_from = 72001;/'
  'progress: reading 4001 to 10000 records reports every 400|src/common/progress_interval.h|s/{4000, 10000, 25000}, {100, 500, 1000, 5000}/{4000, 10000, 25000}, {100, 400, 1000, 5000}/'
)

# The failing tests of the last ctest run, one short name a line.
failing_tests() {
  sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (\(Failed\|Timeout\|SEGFAULT\|Subprocess aborted\|Child aborted\|Exception\|Not Run\).*$/\1/p' \
    "$scratch/ctest.log" | sed -e 's/  *# GetParam.*$//' -e 's#^Cases/EndToEnd.OutputsEqualExpectedFiles/#e2e/#'
}

run_suite() {
  ctest --test-dir "$build" -j "$jobs" --timeout 300 >"$scratch/ctest.log" 2>&1 || true
}

rm -rf "$scratch"
mkdir -p "$tree"
git -C "$checkout" archive "$revision" | tar -x -C "$tree"
echo "revision $(git -C "$checkout" rev-parse --short "$revision"), scratch copy in $tree"
(cd "$tree" && cmake --preset release >/dev/null && cmake --build --preset release -j "$jobs" >"$scratch/build.log" 2>&1) ||
  { echo "the unchanged tree does not build: see $scratch/build.log"; exit 1; }
run_suite
if [ -n "$(failing_tests)" ]; then
  echo "the unchanged tree fails tests already:"; failing_tests | sed 's/^/  /'; exit 1
fi
echo "unchanged tree: $(grep -o '[0-9]*% tests passed.*' "$scratch/ctest.log")"
echo

status=0
n=0
for fault in "${faults[@]}"; do
  n=$((n + 1))
  IFS='|' read -r name file expression <<<"$fault"
  target="$tree/$file"
  cp "$target" "$scratch/original"
  sed -i "$expression" "$target"
  echo "fault $n: $name ($file)"
  if cmp -s "$target" "$scratch/original"; then
    echo "  NOT PLANTED: the text to change is not in the source"
    status=1
    continue
  fi
  if ! cmake --build "$build" -j "$jobs" >"$scratch/build.log" 2>&1; then
    echo "  the tree with this fault does not build: see $scratch/build.log"
    status=1
  else
    run_suite
    failed="$(failing_tests)"
    if [ -z "$failed" ]; then
      echo "  NOT CAUGHT: every test passes"
      status=1
    else
      echo "  caught by $(echo "$failed" | wc -l) tests:"
      echo "$failed" | sed 's/^/    /'
    fi
  fi
  # Restored by writing the bytes back, so that the next build sees a newer file.
  cat "$scratch/original" >"$target"
done
exit "$status"

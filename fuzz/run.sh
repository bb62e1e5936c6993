#!/bin/bash
# Builds the fuzz targets of the archive parsers with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer), seeds their corpora from
# the test archives, and runs each for the given time, all at once, at low
# priority. Crashes are written to fuzz/work/crashes/<target>/.
#   fuzz/run.sh [seconds per target, default 1800] [target ...]
set -eu

seconds=${1:-1800}
shift || true
here=$(cd "$(dirname "$0")" && pwd)
work=$here/work
targets=${*:-zip_directory lzh_header member_names}

command -v clang++ >/dev/null || apt-get install -y clang libclang-rt-14-dev >/dev/null
CXX=clang++ cmake -S "$here" -B "$work/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice cmake --build "$work/build" -j2 >/dev/null
"$work/build/seed_writer" "$work/seeds"

for target in $targets; do
    mkdir -p "$work/corpus/$target" "$work/crashes/$target"
    (cd "$work/crashes/$target" &&
        nice -n 19 "$work/build/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$work/crashes/$target/" "$work/corpus/$target" "$work/seeds/$target" \
            > "$work/$target.log" 2>&1) &
done
wait
for target in $targets; do
    echo "== $target: $(grep -E '^stat::number_of_executed_units' "$work/$target.log" | awk '{ print $2 }') runs," \
        "$(ls "$work/crashes/$target" | wc -l) findings"
done

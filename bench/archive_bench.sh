#!/bin/bash
# Extraction speed against the reference tools, side by side in one loop:
# 10,000 small files as ZIP (bsdtar -xf) and as LZH (lhasa x), and one
# 200 MiB member of each kind. Prints the median wall-clock and processor
# (user + system) times of each and their ratios. The files live under
# $TMPDIR (default /tmp); a tmpfs there keeps the disk's noise out.
#   bench/archive_bench.sh [build folder, default build/qt6] [rounds, default 5]
set -eu

build=${1:-build/qt6}
rounds=${2:-5}
driver=$build/bench/archive_bench_driver

if ! command -v bsdtar >/dev/null || ! command -v lhasa >/dev/null; then
    apt-get install -y libarchive-tools lhasa >/dev/null
fi
[ -x "$driver" ] || cmake --build "$build" --target archive_bench_driver

work=$(mktemp -d "${TMPDIR:-/tmp}/velda-archive-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
driver=$(realpath "$driver")

"$driver" tree "$work/small" 10000
mkdir "$work/large"
"$driver" big "$work/large/member.bin" 200
(cd "$work/small" && bsdtar --format zip -cf "$work/small.zip" .)
(cd "$work/large" && bsdtar --format zip -cf "$work/large.zip" .)
"$driver" lzh "$work/small.lzh" "$work/small"
"$driver" lzh "$work/large.lzh" "$work/large"

# run <name> <command...>: times one extraction into a fresh, empty folder.
run() {
    local name=$1
    shift
    rm -rf "$work/out"
    mkdir "$work/out"
    sync
    local TIMEFORMAT='%R %U %S'
    { time (cd "$work/out" && "$@" >/dev/null); } 2>> "$work/$name.times"
}

# median <file> <awk expression of $1 wall, $2 user, $3 system>, in ms.
median() {
    awk "{ print $2 }" "$1" | sort -g | awk '{ v[NR] = $1 } END { printf "%.0f", (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) * 1000 }'
}

for round in $(seq "$rounds"); do
    for kind in small large; do
        run "velda-$kind-zip" "$driver" extract "$work/$kind.zip" "$work/out"
        run "bsdtar-$kind-zip" bsdtar -xf "$work/$kind.zip"
        run "velda-$kind-lzh" "$driver" extract "$work/$kind.lzh" "$work/out"
        run "lhasa-$kind-lzh" lhasa x "$work/$kind.lzh"
    done
    echo "round $round done" >&2
done

printf '%-30s %9s %9s %6s %9s %9s %6s\n' case "velda ms" "ref ms" ratio "velda cpu" "ref cpu" ratio
for pair in "small zip bsdtar" "small lzh lhasa" "large zip bsdtar" "large lzh lhasa"; do
    set -- $pair
    ours=$work/velda-$1-$2.times
    theirs=$work/$3-$1-$2.times
    vw=$(median "$ours" '$1'); rw=$(median "$theirs" '$1')
    vc=$(median "$ours" '$2 + $3'); rc=$(median "$theirs" '$2 + $3')
    [ "$1" = small ] && label="$2 10,000 files ($3)" || label="$2 200 MiB member ($3)"
    printf '%-30s %9s %9s %6.2f %9s %9s %6.2f\n' "$label" "$vw" "$rw" "$(awk "BEGIN { print $vw / $rw }")" \
        "$vc" "$rc" "$(awk "BEGIN { print $vc / $rc }")"
done

#!/usr/bin/env bash
# Configures and builds one deliverable: build.sh 6 (velda16) or build.sh 5
# (velda11); targets after the version build only those (default: everything).
set -euo pipefail
cd "$(dirname "$0")/.."

qt_major=${1:-6}
shift $(( $# > 0 ? 1 : 0 ))
build_dir=build/qt${qt_major}
cmake -S . -B "$build_dir" -DVELDA_QT_MAJOR="$qt_major" -DVELDA_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)" ${1:+--target "$@"}

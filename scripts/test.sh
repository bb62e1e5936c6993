#!/usr/bin/env bash
# Installs what is missing, builds both deliverables (Qt 6 and Qt 5), runs
# every test headless and checks both Debian packages with lintian. Fails when
# any build, test or check fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
for qt_major in 6 5; do
  echo "== Qt ${qt_major}: build"
  scripts/build.sh "$qt_major"
  echo "== Qt ${qt_major}: test"
  ctest --test-dir "build/qt${qt_major}" --output-on-failure -j"$(nproc)"
  echo "== Qt ${qt_major}: package"
  scripts/package.sh "$qt_major"
done

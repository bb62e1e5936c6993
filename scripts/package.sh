#!/usr/bin/env bash
# Builds the Debian package of one deliverable and checks it with lintian:
# package.sh 6 (build/qt6/velda16_*.deb) or package.sh 5 (build/qt5/velda11_*.deb).
set -euo pipefail
cd "$(dirname "$0")/.."

qt_major=${1:-6}
build_dir=build/qt${qt_major}
program=$([ "$qt_major" = 5 ] && echo velda11 || echo velda16)
scripts/install-deps.sh
scripts/build.sh "$qt_major"
(cd "$build_dir" && cpack -G DEB >/dev/null)
package=$(ls "$build_dir/${program}"_*.deb)
lintian --fail-on error "$package"
echo "$package"

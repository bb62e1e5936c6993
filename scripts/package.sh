#!/usr/bin/env bash
# Builds the Debian package of one deliverable and checks it with lintian:
# package.sh 6 (build/qt6/velda16_*.deb) or package.sh 5 (build/qt5/velda11_*.deb).
# Only the program is built for it, not the tests or the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."

qt_major=${1:-6}
build_dir=build/qt${qt_major}
program=$([ "$qt_major" = 5 ] && echo velda11 || echo velda16)
scripts/install-deps.sh
scripts/build.sh "$qt_major" "$program" velda_packaging_files
# The package just made, not an older one left in the folder.
package=$(cd "$build_dir" && cpack -G DEB | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
[ -f "$package" ] || { echo "cpack made no package" >&2; exit 1; }
lintian --display-info --fail-on error,warning,info "$package"
echo "$package"

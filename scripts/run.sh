#!/usr/bin/env bash
# Installs what is missing, builds velda16 and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh 6
exec build/qt6/src/velda16

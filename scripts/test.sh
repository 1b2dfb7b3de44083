#!/usr/bin/env bash
# Installs what is missing, builds Examora and runs every test headless.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
unset QT_QPA_PLATFORMTHEME
cd "$here/build"
ctest --output-on-failure -j2

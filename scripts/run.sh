#!/usr/bin/env bash
# Installs what is missing, builds Examora and starts it. The data file "Examora.TXT" is read from
# and written to the folder the program is started in (here: the folder this command runs from).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
exec "$here/build/src/examora"

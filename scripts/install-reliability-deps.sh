#!/usr/bin/env bash
# Installs what the sanitizer build and the fuzz targets need beyond the program's own tools, on
# Debian 12, as root (or through sudo): clang with its libFuzzer and sanitizer runtimes, and
# llvm-symbolizer so that a report names the lines it comes from.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh" clang libclang-rt-14-dev llvm util-linux

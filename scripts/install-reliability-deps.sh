#!/usr/bin/env bash
# Installs what the sanitizer build and the fuzz targets need beyond the program's own tools, on
# Debian 12, as root (or through sudo): clang with its libFuzzer and sanitizer runtimes, and
# llvm-symbolizer so that a report names the lines it comes from.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
packages=(clang libclang-rt-14-dev llvm util-linux)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

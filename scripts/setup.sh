#!/usr/bin/env bash
# Installs what building and testing ULMAR needs on Debian (as root, or with sudo).
set -euo pipefail
PACKAGES=(cmake g++ make python3 g++-mingw-w64-x86-64 wine xvfb imagemagick cups ghostscript poppler-utils
          googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

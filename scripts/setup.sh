#!/usr/bin/env bash
# Installs, on Debian (as root, or with sudo), every package that building,
# running, testing and packaging ULMAR uses, so a fresh machine needs nothing
# else. Recommended packages are left out, so each one needed is named here.
set -euo pipefail
PACKAGES=(
  # the native core, its unit tests, benchmarks and fuzzers
  cmake make g++ python3 googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format
  # the Windows program, its installer and portable ZIP
  g++-mingw-w64-x86-64 nsis
  # running it: Wine (64-bit), the X libraries it loads at run time, a virtual display
  wine wine64 libcups2 libfreetype6 libfontconfig1 libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1
  libxinerama1 libxfixes3 libxext6 libxxf86vm1 xvfb
  # the fonts the test rig gives its Wine prefixes: Wine's own (MS Sans Serif,
  # Courier, Tahoma) and Liberation Mono standing in for Courier New
  fonts-wine fonts-liberation
  # the scenarios: screenshots and pixels, a private print spooler, PostScript
  # read back as text and pictures, moving windows as a user does
  imagemagick cups ghostscript poppler-utils xdotool
  # the receiver's real daemon, rigctld and rigctl, for the receiver tests
  libhamlib-utils
)
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

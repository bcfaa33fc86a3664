#!/usr/bin/env bash
# Installs, on Debian as root, whatever the build and the tests need and is not there yet.
# Usage: scripts/setup.sh [extra Debian packages...]
set -euo pipefail

# gnuplot-nox, its fonts and ghostscript give octave-cli a graphics toolkit that prints
# figures to files without a display (the forecast demonstration's PNG).
# libnlopt-dev: NLopt's C library, which the compiled fit (volfilter_estimate) links.
packages=(cmake make g++ clang clang-format libclang-rt-14-dev libgtest-dev libbenchmark-dev
          octave octave-dev octave-nlopt octave-parallel libnlopt-dev pkg-config gnuplot-nox
          fonts-freefont-otf ghostscript "$@")
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

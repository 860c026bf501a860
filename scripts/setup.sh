#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, then configures and
# builds. Safe to run again: packages already present are not touched.
set -euo pipefail

cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libqt6svg6
  libicu-dev nlohmann-json3-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  xvfb xauth poppler-utils
  locales
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine wine64 googletest
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Release build of the program, the tests and the benchmarks.
cmake --preset default
cmake --build --preset default

#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal
# build, once built with AddressSanitizer and UndefinedBehaviorSanitizer, once
# built for Windows and run under Wine, and the fuzz targets of the catalogue
# and case file readers over their committed corpora with a fixed seed, so that the outcome depends on
# the code alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export QT_QPA_PLATFORM=offscreen

ctest --preset default

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

# The engine, its tests and orvalt99-cli built for Windows (MinGW-w64) and run
# under Wine, in a Wine prefix of their own inside build-windows/.
windows_start=$SECONDS
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
echo "Windows build and Wine tests: $((SECONDS - windows_start)) s"

# The fuzz step replays each corpus (the golden files and every input that
# once found a fault) and explores from it for a fixed time with a fixed seed.
# Longer runs with a random seed: scripts/fuzz.sh.
if command -v clang++ >/dev/null 2>&1; then
  cmake --preset fuzz
  cmake --build --preset fuzz
  scripts/fuzz.sh --ci
else
  echo "clang++ not found: the readers not fuzzed"
fi

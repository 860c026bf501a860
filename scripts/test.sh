#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal
# build, once built with AddressSanitizer and UndefinedBehaviorSanitizer, and
# the catalogue reader's fuzz target over its committed corpus with a fixed
# seed, so that the outcome depends on the code alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export QT_QPA_PLATFORM=offscreen

ctest --preset default

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

# The fuzz step replays the corpus (the golden catalogues and every input that
# once found a fault) and explores from it for a fixed time with a fixed seed.
# Longer runs with a random seed: scripts/fuzz.sh.
if command -v clang++ >/dev/null 2>&1; then
  cmake --preset fuzz
  cmake --build --preset fuzz
  scripts/fuzz.sh --ci
else
  echo "clang++ not found: catalogue reader not fuzzed"
fi

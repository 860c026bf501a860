#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal
# build, once built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export QT_QPA_PLATFORM=offscreen

ctest --test-dir build --output-on-failure

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVALT_SANITIZE=ON
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure

# Fuzz the catalogue reader for a minute when clang is there, starting from a
# copy of the golden catalogue files (libFuzzer adds what it finds to the
# corpus folder). A crash or a failed check stops the script.
if command -v clang++ >/dev/null 2>&1; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DORVALT_FUZZ=ON \
    -DORVALT_BUILD_GUI=OFF -DORVALT_BUILD_TESTS=OFF
  cmake --build build-fuzz --target fuzz_catalogue_reader
  fuzz_corpus=$(mktemp -d)
  cp tests/engine/golden/*.dat "$fuzz_corpus"/
  build-fuzz/fuzz/fuzz_catalogue_reader -max_total_time=60 \
    -artifact_prefix=build-fuzz/ "$fuzz_corpus"
  rm -rf "$fuzz_corpus"
else
  echo "clang++ not found: catalogue reader not fuzzed"
fi

#!/usr/bin/env bash
# Fuzzes the catalogue reader (build-fuzz/, `cmake --preset fuzz` and
# `cmake --build --preset fuzz` first).
#   scripts/fuzz.sh [seconds]   explore with a random seed (default 600 s)
#   scripts/fuzz.sh --ci        the corpus and 30 s with seed 1: what CI runs
# The committed corpus (fuzz/corpus) is read, never written: the run works on
# a copy. A crash leaves its input in build-fuzz/crash-*; once fixed, copy it
# into fuzz/corpus with a name that says what it found.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzzer=build-fuzz/fuzz/fuzz_catalogue_reader
if [[ ! -x $fuzzer ]]; then
  echo "$fuzzer is missing: run cmake --preset fuzz && cmake --build --preset fuzz" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp fuzz/corpus/* "$work"/

if [[ ${1:-} == --ci ]]; then
  # Every committed input once, then a fixed exploration.
  "$fuzzer" -runs=0 -artifact_prefix=build-fuzz/ fuzz/corpus
  "$fuzzer" -seed=1 -max_total_time=30 -artifact_prefix=build-fuzz/ "$work"
else
  "$fuzzer" -max_total_time="${1:-600}" -artifact_prefix=build-fuzz/ "$work"
fi

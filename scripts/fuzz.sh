#!/usr/bin/env bash
# Fuzzes the catalogue reader and the case file reader (build-fuzz/,
# `cmake --preset fuzz` and `cmake --build --preset fuzz` first).
#   scripts/fuzz.sh [seconds]   explore each with a random seed (default 600 s)
#   scripts/fuzz.sh --ci        each corpus and 30 s with seed 1: what CI runs
# The committed corpora (fuzz/corpus for the catalogue, fuzz/case_corpus for
# the case file) are read, never written: a run works on a copy. A crash
# leaves its input in build-fuzz/crash-*; once fixed, copy it into the
# target's corpus with a name that says what it found.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each target with its committed corpus (read, never written: a run works on
# a copy).
targets=("fuzz_catalogue_reader fuzz/corpus" "fuzz_case_reader fuzz/case_corpus")

for entry in "${targets[@]}"; do
  read -r name corpus <<<"$entry"
  fuzzer=build-fuzz/fuzz/$name
  if [[ ! -x $fuzzer ]]; then
    echo "$fuzzer is missing: run cmake --preset fuzz && cmake --build --preset fuzz" >&2
    exit 1
  fi
done

work=
trap 'rm -rf "$work"' EXIT
for entry in "${targets[@]}"; do
  read -r name corpus <<<"$entry"
  fuzzer=build-fuzz/fuzz/$name
  work=$(mktemp -d)
  cp "$corpus"/* "$work"/
  echo "== $name" >&2
  if [[ ${1:-} == --ci ]]; then
    # Every committed input once, then a fixed exploration.
    "$fuzzer" -runs=0 -artifact_prefix=build-fuzz/ "$corpus"
    "$fuzzer" -seed=1 -max_total_time=30 -artifact_prefix=build-fuzz/ "$work"
  else
    "$fuzzer" -max_total_time="${1:-600}" -artifact_prefix=build-fuzz/ "$work"
  fi
  rm -rf "$work"
done

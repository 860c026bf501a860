#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [[ ! -x build/orvalt99 ]]; then
  echo "The program orvalt99 is not built yet in this version; only the engine and its tests are." >&2
  exit 1
fi
exec build/orvalt99

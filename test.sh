#!/usr/bin/env bash
# Sets up, builds and runs every test of Pluvana.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh
cd build
ctest --output-on-failure -j "$(nproc)" "$@"

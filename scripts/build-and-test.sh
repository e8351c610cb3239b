#!/usr/bin/env bash
# Installs what the project needs, builds it and runs every test.
#   scripts/build-and-test.sh          the normal build (build/default)
#   scripts/build-and-test.sh asan     the AddressSanitizer + UBSan build (build/asan)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"

scripts/install-deps.sh --tests
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset" -j "$(nproc)"

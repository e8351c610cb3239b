#!/usr/bin/env bash
# Installs what the project needs, builds Orvella and starts it. Arguments go to the program
# (for example: scripts/build-and-run.sh -wall -close).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)" --target orvella
exec build/default/src/app/orvella "$@"

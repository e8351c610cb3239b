#!/usr/bin/env bash
# The real program, pointed at a folder of its own: it must come up, create its folders,
# and still be running with its window open when we stop it.
set -u
program="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORVELLA_PROGRAM_DIR="$work/prog" ORVELLA_WINDOWS_DIR="$work/win"
export ORVELLA_REGISTRY="$work/registry.reg" ORVELLA_NONINTERACTIVE=no

timeout 4 "$program" >"$work/out" 2>&1
status=$?
if [ "$status" -ne 124 ]; then
    echo "orvella ended by itself with status $status:"; cat "$work/out"; exit 1
fi
for folder in "$work/prog" "$work/win"; do
    [ -d "$folder" ] || { echo "missing folder $folder"; exit 1; }
done
echo "orvella started and stayed up"

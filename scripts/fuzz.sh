#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 30 s).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

cmake --preset fuzz
cmake --build --preset fuzz -j "$(nproc)"
for target in profile_fuzzer registry_fuzzer window_message_fuzzer file_mask_fuzzer \
    screensaver_settings_fuzzer thunar_actions_fuzzer language_module_fuzzer \
    bmp_fuzzer jpeg_fuzzer png_fuzzer gif_fuzzer ico_fuzzer; do
    corpus="build/fuzz/corpus/$target"
    mkdir -p "$corpus"
    cp -n fuzz/seeds/"${target%_fuzzer}"/* "$corpus"/ 2>/dev/null || true
    echo "== $target: ${seconds}s"
    build/fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 -malloc_limit_mb=512 \
        -print_final_stats=1 "$corpus"
done

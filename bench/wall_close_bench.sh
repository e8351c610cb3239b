#!/bin/bash
# Times a scripted wallpaper change, `orvella -wall -close` with the x11 backend, beside
# xwallpaper setting the same picture on the same Xvfb display in the same run: centre, tile
# and stretch, for a 3840 x 2160 and a 6000 x 4000 JPEG. The two programs take turns, so a
# busy machine slows both alike. Prints the median wall time and the median peak memory
# (maximum resident set, from /usr/bin/time) of each, and their ratio.
#
#   bench/wall_close_bench.sh [path/to/orvella] [runs]
# WALL_BENCH_DISPLAY names the Xvfb display to start (default: a random one from :200).
set -euo pipefail

orvella=$(realpath "${1:-build/default/src/app/orvella}")
runs=${2:-5}
for tool in Xvfb xwallpaper convert /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/install-deps.sh)" >&2; exit 1; }
done
[[ -x $orvella ]] || { echo "no program at $orvella" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

display=${WALL_BENCH_DISPLAY:-:$((200 + RANDOM % 500))}
Xvfb "$display" -screen 0 3840x2160x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done

echo "making the pictures..."
convert -size 3840x2160 -seed 7 plasma:fractal -quality 92 "$work/uhd.jpg"
convert -size 6000x4000 -seed 7 plasma:fractal -quality 92 "$work/large.jpg"

# One category holding the picture, so "-wall" picks it; the display mode in "ovl.dat".
prepare_orvella() {  # picture mode
    local prog=$work/prog
    rm -rf "$prog" "$work/home"
    mkdir -p "$prog/Icons" "$work/home"
    chmod 700 "$work/home"
    printf '[Categories]\r\nCat_0=\r\nCat_1=\r\n[Cat_0.Details]\r\nName=Alle\r\nIcon=%s\r\n[Cat_1.Details]\r\nName=Bench\r\nIcon=%s\r\n[Cat_1.Wallpapers]\r\n%s=\r\n[Custom]\r\nActiveCat=1\r\n' \
        "$prog/Icons/StdImage.bmp" "$prog/Icons/StdImage.bmp" "$1" >"$prog/ovlimg.dat"
    printf '[Wallpaper]\r\nFormVersion=3\r\nWallProps=%s\r\n' "$2" >"$prog/ovl.dat"
}

# Runs a command under /usr/bin/time; prints "seconds kib".
measure() {
    /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/stderr" || {
        echo "failed: $*" >&2
        cat "$work/stderr" >&2
        exit 1
    }
    cat "$work/time"
}

run_orvella() {  # picture mode
    prepare_orvella "$1" "$2"
    measure env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/home" \
        DISPLAY="$display" ORVELLA_PROGRAM_DIR="$work/prog/" ORVELLA_REGISTRY="$work/hive.reg" \
        ORVELLA_WINDOWS_DIR="$work/windows" ORVELLA_DESKTOP=x11 "$orvella" -wall -close
}

run_xwallpaper() {  # picture option
    measure env -i PATH=/usr/bin:/bin DISPLAY="$display" xwallpaper "$2" "$1"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '\n%-22s %12s %12s %7s   %12s %12s %7s\n' "picture, mode" "orvella s" "xwallpaper s" "ratio" \
    "orvella MiB" "xwallp. MiB" "ratio"
modes=("0 --center centre" "1 --tile tile" "2 --stretch stretch")
for picture in uhd large; do
    for entry in "${modes[@]}"; do
        read -r wall_props option name <<<"$entry"
        : >"$work/o_s"; : >"$work/o_k"; : >"$work/x_s"; : >"$work/x_k"
        for _ in $(seq "$runs"); do
            run_orvella "$work/$picture.jpg" "$wall_props" >"$work/m"
            read -r s k <"$work/m"
            echo "$s" >>"$work/o_s"; echo "$k" >>"$work/o_k"
            run_xwallpaper "$work/$picture.jpg" "$option" >"$work/m"
            read -r s k <"$work/m"
            echo "$s" >>"$work/x_s"; echo "$k" >>"$work/x_k"
        done
        os=$(median <"$work/o_s"); xs=$(median <"$work/x_s")
        ok=$(median <"$work/o_k"); xk=$(median <"$work/x_k")
        awk -v label="$picture, $name" -v os="$os" -v xs="$xs" -v ok="$ok" -v xk="$xk" 'BEGIN {
            printf "%-22s %12.2f %12.2f %6.1fx   %12.1f %12.1f %6.2fx\n", label, os, xs,
                   (xs > 0 ? os / xs : 0), ok / 1024, xk / 1024, ok / xk }'
    done
done
echo "(medians of $runs runs each; uhd = 3840 x 2160, large = 6000 x 4000; screen 3840 x 2160)"

#!/usr/bin/env bash
# Installs every Debian package Orvella needs to build, run and test.
#   scripts/install-deps.sh           what building, running and most tests need
#   scripts/install-deps.sh --tests   also a real KDE Plasma shell for the Plasma backend's test
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # toolchain and build
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev clang-format
  # tests
  googletest libgtest-dev libgmock-dev
  # the calendar's midnight across the clock changes is tested in a named time zone
  tzdata
  # GUI
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools qt6-translations-l10n qt6-qpa-plugins libgl-dev
  # sounds through Qt Multimedia need GStreamer's base plugins to play at all
  gstreamer1.0-plugins-base
  # picture codecs
  libjpeg62-turbo-dev libpng-dev libgif-dev zlib1g-dev
  # desktop integration and headless runs; the X11 root drawn per monitor (RandR, Xinerama),
  # whose tests lay out monitors with xrandr
  libx11-dev libxrandr-dev libxinerama-dev xvfb xauth x11-utils x11-xserver-utils imagemagick
  # the codec benchmark's comparison (bench/codecs_bench)
  libvips-tools
  # the scripted wallpaper change's comparison (bench/wall_close_bench.sh)
  xwallpaper time
  # the GNOME backend and its tests in a private session, on the keyfile store and on dconf
  dbus libglib2.0-bin gsettings-desktop-schemas dconf-service
  # the desktops' real services the backends are tested against: a headless sway with
  # swaybg and the grim screenshot tool, XFCE's xfconfd, and a JavaScript engine that runs
  # the Plasma script against a stand-in of Plasma's scripting objects
  sway swaybg grim xfconf libxfconf-0-3 duktape
  # the installed form: icons drawn from the SVG, the validators, the Debian package
  # (dpkg-shlibdeps computes its dependencies)
  librsvg2-bin desktop-file-utils appstream dpkg-dev gzip
)
if [ "${1:-}" = "--tests" ]; then
  # a real plasmashell (with the desktop containment and the image wallpaper) that the Plasma
  # backend's script is tested against; several minutes to install, so only for the tests
  packages+=(plasma-workspace plasma-desktop)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

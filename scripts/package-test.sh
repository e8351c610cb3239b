#!/usr/bin/env bash
# Checks the installed form of Orvella: validates the desktop entry and the AppStream
# metadata, makes the Debian package from the default build (scripts/build-and-test.sh
# builds it), installs it, starts the installed program headless with a fresh home, checks
# that it ran from the installed layout, and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
fail() { echo "package-test: $*" >&2; exit 1; }

desktop-file-validate resources/desktop/org.orvella.Orvella.desktop
cmake --build --preset default -j "$(nproc)"
appstreamcli validate --no-net build/default/org.orvella.Orvella.metainfo.xml
rm -f build/default/orvella_*.deb
(cd build/default && cpack -G DEB)
deb=$(ls build/default/orvella_*_*.deb)
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "no library dependencies in $deb"

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "./$deb"
home=$(mktemp -d)
trap '"${sudo_cmd[@]}" apt-get remove -y -q orvella >/dev/null 2>&1 || true; rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
run_installed() {
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/run" \
        QT_QPA_PLATFORM=offscreen ORVELLA_NONINTERACTIVE=yes ORVELLA_DESKTOP=none \
        timeout 60 /usr/bin/orvella "$@"
}
run_installed -close
data="$home/.local/share/orvella"
[ -f "$data/ovlimg.dat" ] || fail "the installed program kept no ovlimg.dat in $data"
[ -f "$data/Icons/StdImage.bmp" ] || fail "no Icons/StdImage.bmp in $data"
[ ! -e /usr/bin/ovlimg.dat ] || fail "the installed program wrote beside itself"
[ -f /usr/share/orvella/Icons/StdImage.bmp ] || fail "no run-time files in /usr/share/orvella"
# Help pages and the English module, installed beside the other run-time files.
for file in help/liesmich.htm help/readme.htm; do
    [ -f "/usr/share/orvella/$file" ] || echo "package-test: note: /usr/share/orvella/$file is not there yet"
done

run_installed -shellex
link="$home/.local/share/nautilus/scripts/Zu Orvella-Kategorie hinzufügen..."
[ "$(readlink "$link")" = /usr/bin/orvella-add-to-category ] || fail "no Nautilus entry after -shellex"
run_installed -delshellex
[ ! -e "$link" ] || fail "the Nautilus entry is still there after -delshellex"

"${sudo_cmd[@]}" apt-get remove -y -q orvella
for path in /usr/bin/orvella /usr/share/orvella /usr/share/applications/org.orvella.Orvella.desktop; do
    [ ! -e "$path" ] || fail "$path is still there after removal"
done
echo "package-test: $deb built, installed, ran and was removed"

#!/usr/bin/env bash
# installed_package.sh <build-folder> <cpack>
#
# Makes the Debian package with the tools that scripts/install-deps brings, unpacks it into a scratch root,
# checks its dependencies and description, checks that every file lands in its place, validates the desktop
# entry and the AppStream metadata, and runs the installed program offscreen with a scratch data folder:
# past the splash it must still be running, with nothing reported by the sanitizers. The user's own settings are never touched.
set -euo pipefail

build=$1
cpack=$2
id=com.brevantic.Sonarelle

scratch=$(mktemp -d)
program=
cleanup() {
    if [ -n "$program" ] && kill -0 "$program" 2>/dev/null; then
        kill -KILL "$program" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The tools that making and checking the package needs must come from scripts/install-deps, not from
# whatever else a developer's machine happens to have (cpack needs file, for one).
install_deps=$(dirname "$0")/../../scripts/install-deps
for tool in dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli; do
    path=$(command -v "$tool") || fail "$tool is missing (scripts/install-deps)"
    owner=$(dpkg-query -S "$(readlink -f "$path")" 2>/dev/null | head -n1 | cut -d: -f1) ||
        fail "no Debian package owns $path"
    essential=$(dpkg-query -W -f='${Essential}' "$owner" 2>/dev/null || true)
    [ "$essential" = yes ] || grep -Eq "(^|[[:space:]])$owner([[:space:]]|\$)" "$install_deps" ||
        fail "$tool comes from $owner, which scripts/install-deps does not install"
done

root=$scratch/root
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack could not make the package"; }
deb=$(ls "$scratch"/package/sonarelle_*.deb)
dpkg-deb -x "$deb" "$root"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in fonts-liberation fonts-dejavu-core libqt6widgets6 libqt6serialport6 libqt6network6 libtelnet2; do
    [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed"
done
description=$(dpkg-deb -f "$deb" Description)
echo "Description: $description"
if grep -q '^ *;' <<<"$description"; then
    fail "a line of the package's description starts with \";\""
fi
prefix=$root/usr

for file in bin/sonarelle bin/sonarelle-emulator share/applications/$id.desktop share/metainfo/$id.metainfo.xml; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for program_file in bin/sonarelle bin/sonarelle-emulator; do
    [ -x "$prefix/$program_file" ] || fail "$program_file is not executable"
done
# Each icon is a PNG of its size: the width and height stand in the header's IHDR chunk.
for side in 16 22 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${side}x${side}/apps/$id.png
    [ -f "$icon" ] || fail "the ${side}x${side} icon is not installed"
    read -r width height < <(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$width $height" = "$side $side" ] || fail "the ${side}x${side} icon is ${width}x${height}"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
grep -qx "Exec=sonarelle" "$prefix/share/applications/$id.desktop" || fail "the desktop entry does not run sonarelle"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the desktop entry names another icon"

# The installed program, offscreen, with its data and configuration in the scratch folder. The splash
# pauses about five seconds; then the main window runs (with a warning box, as there is no settings file).
mkdir -p "$scratch/data" "$scratch/config"
env QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" \
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$prefix/bin/sonarelle" >"$scratch/program.log" 2>&1 &
program=$!
sleep 7
if ! kill -0 "$program" 2>/dev/null; then
    status=0
    wait "$program" || status=$?
    program=
    cat "$scratch/program.log" >&2
    fail "the installed program ended by itself (status $status) instead of running on"
fi
kill -TERM "$program"
wait "$program" || true
program=
if grep -Eq "AddressSanitizer|runtime error|Segmentation fault|QFATAL|Aborted" "$scratch/program.log"; then
    cat "$scratch/program.log" >&2
    fail "the installed program reported a fault"
fi
echo "PASS: installed into $root, validated, and ran offscreen past the splash"

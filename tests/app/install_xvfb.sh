#!/usr/bin/env bash
# An installed copy: `cmake --install` into a scratch prefix gives the usual tree (program, default
# settings, desktop entry, metadata, icons, fontconfig rule and its link, manual page, copyright), the
# desktop entry and the metadata validate, and the installed program, started on a virtual X display
# for a user with a fresh home, shows its main window, copies the default settings into that user's
# data folder and saves a card there, never into the prefix. The prefix is writable (the tests run as
# root): that must not turn the installed copy into a portable one.
# Usage: install_xvfb.sh BUILD_DIR APP_ID. Exit 77 (skipped) when the X tools are missing.
set -u
build=$1
app_id=$2
# shellcheck source=xwindows.sh
. "$(dirname "$0")/xwindows.sh"

if [ -z "${VELNOR_INSTALL_INSIDE:-}" ]; then
    for tool in xvfb-run xdotool xwininfo; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
    export VELNOR_INSTALL_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$@"
fi

scratch=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}
ok() { echo "ok: $*"; }

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 || {
    cat "$scratch/install.log"
    fail "cmake --install failed"
}

# 1. The tree.
expected=(
    bin/velnor
    share/velnor/myset.ini
    "share/applications/$app_id.desktop"
    "share/metainfo/$app_id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$app_id.svg"
    share/fontconfig/conf.avail/65-velnor-songti.conf
    share/man/man1/velnor.1.gz
    share/doc/velnor/copyright
    share/doc/velnor/changelog.Debian.gz
    share/lintian/overrides/velnor
)
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for f in "${expected[@]}"; do
    [ -f "$prefix/$f" ] || fail "not installed: $f"
done
[ -x "$prefix/bin/velnor" ] || fail "bin/velnor is not executable"
ok "installed ${#expected[@]} files"

# Each PNG is as large as the folder it lies in says (width and height from the PNG header).
for size in 16 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
                    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$w $h" = "$size $size" ] || fail "icon ${size}x${size} is $w x $h"
done
ok "icon sizes match their folders"

# The shipped settings file is the build's pristine default, GBK, CRLF.
cmp -s "$prefix/share/velnor/myset.ini" "$build/app/default-settings/myset.ini" ||
    fail "share/velnor/myset.ini is not the default settings file"
grep -q $'^\[Text\]\r$' "$prefix/share/velnor/myset.ini" || fail "myset.ini has no [Text] section with CRLF"

link="$prefix/etc/fonts/conf.d/65-velnor-songti.conf"
[ -L "$link" ] || fail "no link $link"
[ "$(readlink "$link")" = "$prefix/share/fontconfig/conf.avail/65-velnor-songti.conf" ] ||
    fail "the fontconfig link points to $(readlink "$link")"
ok "fontconfig rule linked from etc/fonts/conf.d"

grep -q "^Exec=velnor$" "$prefix/share/applications/$app_id.desktop" || fail "the desktop entry does not run velnor"
grep -q "^Icon=$app_id$" "$prefix/share/applications/$app_id.desktop" || fail "the desktop entry names another icon"
if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$prefix/share/applications/$app_id.desktop" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate reports: $out"
    ok "desktop-file-validate: no errors, warnings or hints"
else
    echo "skipped: desktop-file-validate is not installed (Debian package desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
    out=$(appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app_id.metainfo.xml" 2>&1) ||
        fail "appstreamcli validate: $out"
    ok "appstreamcli validate --pedantic: $(echo "$out" | tail -1)"
else
    echo "skipped: appstreamcli is not installed (Debian package appstream)"
fi
if command -v xmllint >/dev/null; then
    xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" || fail "the SVG icon is not well-formed XML"
fi
if command -v fc-match >/dev/null; then
    # The installed rule, read after the system's own configuration.
    printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n<fontconfig><include>/etc/fonts/fonts.conf</include><include>%s</include></fontconfig>\n' \
        "$link" >"$scratch/fonts.conf"
    for face in 宋体 SimSun 新宋体 NSimSun; do
        got=$(FONTCONFIG_FILE=$scratch/fonts.conf fc-match -f '%{family[0]}' "$face")
        [ "$got" = "AR PL UMing CN" ] || fail "with the rule, \"$face\" is drawn in $got"
    done
    ok "with the fontconfig rule the four Song names are AR PL UMing CN"
fi

# 2. The installed program, for a user with a fresh home.
export QT_QPA_PLATFORM=xcb
export HOME=$scratch/home
export XDG_DATA_HOME=$HOME/.local/share
export XDG_CONFIG_HOME=$HOME/.config
export XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$HOME" "$XDG_RUNTIME_DIR"
userdir=$XDG_DATA_HOME/Velnor
touch "$scratch/before"

"$prefix/bin/velnor" 2>"$scratch/stderr" &
velnor=$!
pids+=("$velnor")
main=$(main_window "$velnor") || fail "the installed program showed no main window"
ok "the installed program shows its main window"

[ -d "$userdir" ] || fail "no per-user folder $userdir"
[ "$(stat -c %a "$userdir")" = 700 ] || fail "$userdir is readable by others ($(stat -c %a "$userdir"))"
cmp -s "$userdir/myset.ini" "$prefix/share/velnor/myset.ini" || fail "the first start did not copy the default settings"
[ -w "$userdir/myset.ini" ] || fail "the user's myset.ini is not writable"
ok "the first start copied the default settings into $userdir (mode 700)"

save_card "$velnor" "$main" installed1
card=$userdir/mycard/installed1.bmp
for _ in $(seq 30); do [ -f "$card" ] && break; sleep 0.1; done
is_card_bmp "$card" || fail "no saved card at $card (card folder: $(ls -l "$userdir/mycard" 2>&1))"
ok "a card saved by the installed program lies in $card"

# Nothing was written into the prefix.
written=$(find "$prefix" -newer "$scratch/before" ! -type d)
[ -z "$written" ] || fail "the installed program wrote into its prefix: $written"
ok "nothing written into the prefix"

# The exit button ends it.
exit_program "$velnor" "$main" || fail "the exit button did not end the installed program"
wait "$velnor" || fail "the installed program ended with status $?"
ok "the exit button ended the installed program"

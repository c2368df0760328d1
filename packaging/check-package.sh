#!/usr/bin/env bash
# Tries the Debian package on this machine as a user would, and leaves the machine as it was:
# installs it with apt, starts the program from its desktop entry (dex, or gtk-launch) as an ordinary
# user on a virtual X display, saves a card, checks that it lies in that user's own data folder,
# removes the package and checks that the card is still there. Then purges the package and deletes the
# scratch user again (unless --keep-user). Changes the system: run it as root on a test machine, not
# from `make test`.
# Usage: packaging/check-package.sh [--keep-user] ./velnor_2.0-1_amd64.deb
# LAUNCHER=gtk-launch picks GTK's launcher over dex.
set -u
keep_user=""
if [ "${1:-}" = --keep-user ]; then keep_user=1; shift; fi
deb=${1:?usage: check-package.sh [--keep-user] path/to/velnor_VERSION_ARCH.deb}
here=$(cd "$(dirname "$0")" && pwd)
app_id=com.example.velnor
user=velnor-check

fail() {
    echo "FAIL: $*"
    exit 1
}
ok() { echo "ok: $*"; }

if [ -z "${VELNOR_CHECK_INSIDE:-}" ]; then
    [ "$(id -u)" -eq 0 ] || fail "run as root: it installs the package and adds a user"
    dpkg-query -W -f='${Status}' velnor 2>/dev/null | grep -q "install ok installed" &&
        fail "velnor is installed already; remove it first"
    missing=""
    launcher_package=dex
    [ "${LAUNCHER:-dex}" = gtk-launch ] && launcher_package=libgtk-3-bin
    for p in xvfb xauth xdotool x11-utils $launcher_package; do
        dpkg-query -W -f='${Status}' $p 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null ||
            fail "cannot install$missing"
    fi
    case $deb in /*) ;; *) deb=$PWD/$deb ;; esac
    export VELNOR_CHECK_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" ${keep_user:+--keep-user} "$deb"
fi

# shellcheck source=../tests/app/xwindows.sh
. "$here/../tests/app/xwindows.sh"
scratch=$(mktemp -d)
chmod 755 "$scratch"
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    if dpkg-query -W -f='${Status}' velnor 2>/dev/null | grep -q "installed"; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq velnor >/dev/null 2>&1
    fi
    if [ -z "$keep_user" ] && id "$user" >/dev/null 2>&1; then
        userdel -r "$user" 2>/dev/null
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# 1. Install, as a user would.
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$scratch/apt.log" 2>&1 || {
    cat "$scratch/apt.log"
    fail "apt install $deb failed"
}
ok "apt install $(basename "$deb")"
for f in /usr/bin/velnor /usr/share/velnor/myset.ini "/usr/share/applications/$app_id.desktop" \
         "/usr/share/metainfo/$app_id.metainfo.xml" "/usr/share/icons/hicolor/48x48/apps/$app_id.png" \
         "/usr/share/icons/hicolor/scalable/apps/$app_id.svg" /usr/share/man/man1/velnor.1.gz \
         /usr/share/doc/velnor/copyright; do
    [ -f "$f" ] || fail "not installed: $f"
done
got=$(fc-match -f '%{family[0]}' 宋体)
[ "$got" = "AR PL UMing CN" ] || fail "after the install, fc-match 宋体 gives $got"
ok "installed; fc-match 宋体 gives AR PL UMing CN system-wide"

# 2. An ordinary user starts it from the desktop entry and saves a card.
id "$user" >/dev/null 2>&1 || useradd -m -s /bin/bash "$user" || fail "cannot add the user $user"
home=$(getent passwd "$user" | cut -d: -f6)
runtime=$scratch/runtime-$user
mkdir -p "$runtime"
chown "$user:" "$runtime"
chmod 700 "$runtime"
# The user may use the display.
touch "$home/.Xauthority" && chown "$user:" "$home/.Xauthority"
xauth extract - "$DISPLAY" | runuser -u "$user" -- xauth -f "$home/.Xauthority" merge - ||
    fail "cannot give $user the display"
as_user() {
    runuser -u "$user" -- env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$home" USER="$user" LANG=C.UTF-8 \
        DISPLAY="$DISPLAY" XAUTHORITY="$home/.Xauthority" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb "$@"
}
if [ "${LAUNCHER:-dex}" = dex ]; then
    as_user dex "/usr/share/applications/$app_id.desktop" >"$scratch/launch.log" 2>&1 &
    how="dex /usr/share/applications/$app_id.desktop"
else
    as_user gtk-launch "$app_id" >"$scratch/launch.log" 2>&1 &
    how="gtk-launch $app_id"
fi
for _ in $(seq 100); do
    pid=$(pgrep -u "$user" -x velnor | head -1)
    [ -n "$pid" ] && break
    sleep 0.1
done
[ -n "$pid" ] || { cat "$scratch/launch.log"; fail "$how started no velnor"; }
main=$(main_window "$pid") || fail "the program started by $how showed no main window"
ok "$how started /usr/bin/velnor as $user (pid $pid) and it shows its main window"

userdir=$home/.local/share/Velnor
save_card "$pid" "$main" fromthemenu
card=$userdir/mycard/fromthemenu.bmp
for _ in $(seq 30); do [ -f "$card" ] && break; sleep 0.1; done
is_card_bmp "$card" || fail "no saved card at $card"
[ "$(stat -c %U "$card")" = "$user" ] || fail "the card belongs to $(stat -c %U "$card")"
[ "$(stat -c %a "$userdir")" = 700 ] || fail "$userdir is mode $(stat -c %a "$userdir")"
cmp -s "$userdir/myset.ini" /usr/share/velnor/myset.ini || fail "the first start did not copy the default settings"
[ ! -e /usr/bin/mycard ] && [ ! -e /usr/bin/myset.ini ] || fail "the program wrote beside /usr/bin/velnor"
runuser -u nobody -- ls "$userdir" >/dev/null 2>&1 && fail "another user can look into $userdir"
ok "the card lies in $card (owned by $user, folder mode 700), the default settings were copied"
exit_program "$pid" "$main" || fail "the exit button did not end the program"
pid=""

# 3. Removing the package leaves the user's files.
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq velnor >"$scratch/remove.log" 2>&1 || {
    cat "$scratch/remove.log"
    fail "apt remove velnor failed"
}
[ ! -e /usr/bin/velnor ] || fail "/usr/bin/velnor is still there after the removal"
[ ! -e /etc/fonts/conf.d/65-velnor-songti.conf ] || fail "the fontconfig link is still there after the removal"
is_card_bmp "$card" || fail "the removal took the card $card"
[ -f "$userdir/myset.ini" ] || fail "the removal took the user's settings"
ok "apt remove velnor: the program is gone, $card and the user's settings stay"
echo "PASS: installed, started from the desktop entry as $user, card saved, package removed, card kept"

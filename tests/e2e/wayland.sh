#!/usr/bin/env bash
# QV in a headless Wayland session, through Xwayland, opened from its StatusNotifierItem:
#   mutter       the menu opens in the monitor's bottom-right corner;
#   gnome-shell  the same, with the AppIndicator extension (the tray Ubuntu ships) as the
#                host, which reads the item's menu as it registers: that opens nothing;
#   sway         the menu opens where sway puts floating windows, the monitor's centre.
# mutter and GNOME Shell insist on the X displays :0 and :1, so they run in a mount
# namespace with a private /tmp, and GNOME Shell with an empty private system bus and
# without systemd's session records; sway refuses to run as root, so it runs as qvtester.
# Usage: wayland.sh SESSION QV SEED
set -euo pipefail
session=$1 qv=$2 seed=$3
here=$(cd "$(dirname "$0")" && pwd)

case ${QV_WAYLAND_STAGE:-outside} in
  outside)
    export QV_WAYLAND_STAGE=namespace
    if [ "$session" = sway ]; then
      export QV_WAYLAND_STAGE=inside
      [ "$(id -u)" -ne 0 ] && exec dbus-run-session -- bash "$0" "$@"
      # As qvtester, from copies: the checkout may be closed to other users.
      copy=$(mktemp -d /tmp/qv-sway-XXXXXX)
      trap 'rm -rf "$copy"' EXIT
      mkdir "$copy/tests" "$copy/tools" "$copy/bin"
      cp -r "$here" "$copy/tests/e2e"
      cp "$here/../../tools/desktop.sh" "$copy/tools/"
      cp "$qv" "$(dirname "$qv")/libqv_app.so" "$seed" "$copy/bin/"
      chown -R qvtester: "$copy"
      setpriv --reuid=qvtester --regid=qvtester --init-groups env HOME="$copy" \
        dbus-run-session -- bash "$copy/tests/e2e/wayland.sh" sway "$copy/bin/qv" \
        "$copy/bin/$(basename "$seed")"
      exit
    fi
    [ "$(id -u)" -eq 0 ] && exec unshare --mount bash "$0" "$@"
    exec unshare --map-root-user --mount bash "$0" "$@"
    ;;
  namespace)
    # A private /tmp; what this run needs from the real one (a checkout or build kept
    # there) is bound back in at the same place.
    exec {real_tmp}</tmp
    mount -t tmpfs tmpfs /tmp
    for path in "$here" "$qv" "$seed"; do
      [[ $path == /tmp/* ]] || continue
      top=${path#/tmp/} && top=${top%%/*}
      [ -e "/tmp/$top" ] && continue
      mkdir "/tmp/$top"
      mount --no-canonicalize --bind "/proc/self/fd/$real_tmp/$top" "/tmp/$top"
    done
    [ -d /run/systemd ] && mount -t tmpfs tmpfs /run/systemd
    mkdir -m 1777 /tmp/.X11-unix
    system_bus=$(dbus-daemon --session --address=unix:path=/tmp/system-bus --fork \
      --nopidfile --print-pid)
    export QV_SYSTEM_BUS_PID=$system_bus DBUS_SYSTEM_BUS_ADDRESS=unix:path=/tmp/system-bus
    export QV_WAYLAND_STAGE=inside
    status=0
    dbus-run-session -- bash "$0" "$@" || status=$?
    kill "$system_bus"
    exit $status
    ;;
esac

QV_OWN_DESKTOP=1 source "$here/common.sh"
host=(/usr/bin/python3 "$here/sni_host.py")  # Debian's python, which has dbus
"$seed" set show no

# Starts the session, and sets DISPLAY (and XAUTHORITY) to its Xwayland.
start_mutter() {  # mutter | gnome-shell
  "$@" --headless --wayland --virtual-monitor 1280x800 >"$scratch/session.log" 2>&1 &
  desktop_pids+=($!)
  desktop_wait 300 eval 'ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* >/dev/null 2>&1' ||
    { cat "$scratch/session.log"; fail "$session started no Xwayland"; }
  export DISPLAY=:0 XAUTHORITY
  XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*)
}
start_gnome_shell() {  # with the AppIndicator extension on, through a schema override
  mkdir "$scratch/schemas"
  cp /usr/share/glib-2.0/schemas/*.xml "$scratch/schemas/"
  printf "[org.gnome.shell]\nenabled-extensions=['ubuntu-appindicators@ubuntu.com']\n" \
    >"$scratch/schemas/90_qv.gschema.override"
  glib-compile-schemas "$scratch/schemas"
  GSETTINGS_SCHEMA_DIR="$scratch/schemas" GSETTINGS_BACKEND=memory start_mutter gnome-shell
}
start_sway() {
  printf 'xwayland enable\noutput HEADLESS-1 resolution 1280x800\nexec echo $DISPLAY >%s\n' \
    "$scratch/display" >"$scratch/sway.conf"
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$scratch/sway.conf" >"$scratch/session.log" 2>&1 &
  desktop_pids+=($!)
  desktop_wait 300 test -s "$scratch/display" ||
    { cat "$scratch/session.log"; fail "sway started no Xwayland"; }
  export DISPLAY
  DISPLAY=$(cat "$scratch/display")
}

case $session in
  mutter) start_mutter mutter && corner="1116 531" ;;  # 1280-151-13, 800-256-13
  gnome-shell) start_gnome_shell && corner="1116 531" ;;
  sway) start_sway && corner="564 272" ;;  # (1280-151)/2, (800-256)/2
  *) fail "no session $session" ;;
esac

if [ "$session" = gnome-shell ]; then  # the extension is the host, and reads the menu
  dbus-monitor --session "interface='com.canonical.dbusmenu'" >"$scratch/menu-calls" 2>&1 &
  desktop_pids+=($!)
else
  "${host[@]}" serve &
  desktop_pids+=($!)
fi
"$qv" 2>"$scratch/stderr" &
desktop_pids+=($!)
"${host[@]}" wait-item >/dev/null || { cat "$scratch/stderr"; fail "the item never registered"; }
if [ "$session" = gnome-shell ]; then
  desktop_wait 100 grep -q "member=AboutToShow" "$scratch/menu-calls" ||
    fail "GNOME Shell did not read the item's menu"
  "${host[@]}" read-menu >/dev/null  # a round trip: QV has handled the shell's calls
  no_menu_open || fail "the menu opened by itself as GNOME Shell read the item's menu"
fi
"${host[@]}" activate
menu=$(wait_for_window 151x256) || fail "a click on the item did not open the menu"
at=$(wait_for_origin "$menu" "$corner") || fail "the menu is at $at, not at $corner"
echo "e2e $session: the menu opens at $at"

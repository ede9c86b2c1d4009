#!/bin/bash
# Runs a command on a virtual screen of the size given, under the openbox window manager, with Qt's scaling.
# The screen may keep a band at its bottom for a task bar (the window manager leaves it out of the available
# area).
#
#     on-virtual-screen.sh 1366x768 1.25 [task-bar-height] -- command [arguments...]
set -eu

if [ "${1:-}" = "--inside" ]; then
    shift
    taskbar=$1
    shift
    config=$(mktemp --suffix=.xml)
    cat >"$config" <<CONFIG
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>0</top><bottom>$taskbar</bottom><left>0</left><right>0</right></margins>
</openbox_config>
CONFIG
    openbox --config-file "$config" >/dev/null 2>&1 &
    wm=$!
    for _ in $(seq 100); do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
            break
        fi
        sleep 0.1
    done
    status=0
    "$@" || status=$?
    kill "$wm" 2>/dev/null || true
    rm -f "$config"
    exit "$status"
fi

size=$1
scale=$2
shift 2
taskbar=0
if [ "${1:-}" != "--" ]; then
    taskbar=$1
    shift
fi
shift # --
export QT_SCALE_FACTOR="$scale"
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 ${size}x24" bash "$0" --inside "$taskbar" "$@"

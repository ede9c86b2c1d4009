#!/bin/bash
# Runs a command on a virtual screen of the size given, under the openbox window manager, with Qt's scaling.
# The screen may keep a band at its bottom for a task bar (the window manager leaves it out of the available
# area).
#
#     on-virtual-screen.sh [--time-limit seconds] 1366x768 1.25 [task-bar-height] -- command [arguments...]
#
# The command starts only once the window manager runs. A busy machine may take long to start it: the script
# waits for it as long as the time limit allows (the test's own, 600 s unless given), keeping a few seconds to
# report, and fails with "the window manager did not start" if it never does, or if openbox ends first.
set -eu

if [ "${1:-}" = "--inside" ]; then
    shift
    taskbar=$1
    deadline=$2
    shift 2
    config=$(mktemp --suffix=.xml)
    log=$(mktemp --suffix=.log)
    cat >"$config" <<CONFIG
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>0</top><bottom>$taskbar</bottom><left>0</left><right>0</right></margins>
</openbox_config>
CONFIG
    openbox --config-file "$config" >"$log" 2>&1 &
    wm=$!
    # shellcheck disable=SC2317 # (run by the trap)
    finish() {
        kill "$wm" 2>/dev/null || true
        rm -f "$config" "$log"
    }
    trap finish EXIT
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        if ! kill -0 "$wm" 2>/dev/null || [ "$(date +%s)" -ge "$deadline" ]; then
            echo "the window manager did not start" >&2
            if kill -0 "$wm" 2>/dev/null; then
                echo "(openbox still starting when the time limit ran out)" >&2
            else
                echo "(openbox ended; its output follows)" >&2
                cat "$log" >&2
            fi
            exit 1
        fi
        sleep 0.1
    done
    status=0
    "$@" || status=$?
    exit "$status"
fi

limit=600
if [ "${1:-}" = "--time-limit" ]; then
    limit=$2
    shift 2
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
# The time the window manager may take to start, from now: the whole limit but for a few seconds to report in.
deadline=$(($(date +%s) + limit - 5))
export QT_SCALE_FACTOR="$scale"
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 ${size}x24" bash "$0" --inside "$taskbar" "$deadline" "$@"

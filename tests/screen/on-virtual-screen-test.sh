#!/usr/bin/env bash
# The virtual screen's wait for its window manager, with a stand-in openbox (and xprop, which answers once the
# stand-in says it is up): a window manager that comes up late, later than an idle machine ever needs, is waited
# for and the command runs only then; one that ends at once, or that never comes up within the time limit, fails
# with "the window manager did not start" and the command never runs.
#   on-virtual-screen-test.sh path/to/on-virtual-screen.sh
set -euo pipefail
script=$1
fakes=$(mktemp -d)
trap 'rm -rf "$fakes"' EXIT
ready=$fakes/ready

cat >"$fakes/openbox" <<FAKE
#!/bin/bash
case "\$FAKE_WM" in
exit) exit 1 ;;
late) sleep 12; touch "$ready"; exec sleep 600 ;;
hang) exec sleep 600 ;;
esac
FAKE
cat >"$fakes/xprop" <<FAKE
#!/bin/bash
[ -e "$ready" ] && echo "_NET_SUPPORTING_WM_CHECK(WINDOW): window id # 0x200001"
true
FAKE
chmod +x "$fakes/openbox" "$fakes/xprop"

fail() { echo "FAIL: $*" >&2; exit 1; }
# The command leaves a mark, and finds the window manager up.
command=(bash -c "touch '$fakes/ran'; test -e '$ready'")

run() { # behaviour, time limit
    rm -f "$ready" "$fakes/ran"
    FAKE_WM=$1 PATH="$fakes:$PATH" bash "$script" --time-limit "$2" 1024x768 1 -- "${command[@]}" 2>&1
}

out=$(run late 60) || fail "a window manager up after 12 s was not waited for: $out"
[ -e "$fakes/ran" ] || fail "the command did not run: $out"

for case in "exit 60" "hang 10"; do
    read -r behaviour limit <<<"$case"
    SECONDS=0
    if out=$(run "$behaviour" "$limit"); then fail "$behaviour: passed: $out"; fi
    grep -q "the window manager did not start" <<<"$out" || fail "$behaviour: no message in: $out"
    [ ! -e "$fakes/ran" ] || fail "$behaviour: the command ran without a window manager"
    [ "$SECONDS" -le "$limit" ] || fail "$behaviour: took $SECONDS s, beyond its limit of $limit s"
done
echo "ok"

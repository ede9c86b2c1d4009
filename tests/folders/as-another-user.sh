#!/bin/bash
# Runs a test program as a user other than root: root writes into read-only folders and makes any missing home
# folder, so tests of folders that cannot be used need another user. As root, the program and a copy of the
# shipped data go into a temporary folder that user "nobody" can read, and the program runs there as nobody
# (setpriv, else runuser), with the copy named in KORVEL_TEST_DATA; as anyone else, it runs as it is.
# Exits 77 (skipped) when it runs as root and no other user can be taken.
#
#     as-another-user.sh <shipped data folder> <test program> [arguments...]
set -euo pipefail
data=$1
program=$2
shift 2

if [ "$(id -u)" != 0 ]; then
    exec "$program" "$@"
fi
if ! id nobody >/dev/null 2>&1; then
    echo "skipped: running as root and there is no user nobody to run the test as"
    exit 77
fi
uid=$(id -u nobody)
gid=$(id -g nobody)

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null || true; rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$program" "$work/program"
cp -r "$data" "$work/data"
mkdir "$work/home" "$work/tmp"
chown "$uid:$gid" "$work/home" "$work/tmp"
chmod -R a+rX "$work"

environment=(env HOME="$work/home" TMPDIR="$work/tmp" KORVEL_TEST_DATA="$work/data")
if command -v setpriv >/dev/null 2>&1; then
    setpriv --reuid="$uid" --regid="$gid" --clear-groups "${environment[@]}" "$work/program" "$@"
elif command -v runuser >/dev/null 2>&1; then
    runuser -u nobody -- "${environment[@]}" "$work/program" "$@"
else
    echo "skipped: running as root and neither setpriv nor runuser can run the test as another user"
    exit 77
fi

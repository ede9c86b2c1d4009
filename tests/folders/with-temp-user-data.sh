#!/bin/bash
# Runs a command with a temporary user's data folder (XDG_DATA_HOME), removed afterwards, so that the real
# program under test never writes into the user's own folder.
#
#     with-temp-user-data.sh command [arguments...]
set -eu
XDG_DATA_HOME=$(mktemp -d)
export XDG_DATA_HOME
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
status=0
"$@" || status=$?
exit $status

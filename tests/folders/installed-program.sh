#!/bin/bash
# An install into a temporary prefix, moved to another folder and made read-only, then started: the installed
# program itself (headless, with a temporary user's folder) must find its shipped crop library, and the test
# driver, on the installed data folder, saves a custom crop and runs once. Nothing may be written below the
# prefix (checked by its listing too, since root writes into read-only folders).
#
#     installed-program.sh <build folder> <korvel_ui_tests>
set -euo pipefail
build=$1
driver=$2

work=$(mktemp -d)
cleanup() {
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$work/staged" >/dev/null
mv "$work/staged" "$work/prefix" # a moved install finds its data from the executable
prefix=$work/prefix
chmod -R a-w "$prefix"
listing() { (cd "$prefix" && find . -printf '%p %s %m %T@\n' | sort); }
before=$(listing)

status=0
XDG_DATA_HOME="$work/user-data" QT_QPA_PLATFORM=offscreen KORVEL_SCREENSHOT="$work/pictures" \
    "$prefix/bin/korvel" || { echo "the installed program did not start with its crop library"; status=1; }
if [ ! -d "$work/user-data/Korvel/crops/custom" ]; then
    echo "the installed program made no custom crop folder in the user's folder"
    status=1
fi

KORVEL_INSTALLED_DATA="$prefix/share/korvel" "$driver" --gtest_filter='InstalledProgram.*' || status=1

if [ "$(listing)" != "$before" ]; then
    echo "something was written below the installed prefix:"
    diff <(echo "$before") <(listing) || true
    status=1
fi
exit $status

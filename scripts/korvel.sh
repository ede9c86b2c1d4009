#!/usr/bin/env bash
# Sets up a Debian 12 machine for Korvel, builds it, and either starts the program or runs every test.
#   scripts/korvel.sh run    install what is missing, build (Release), start Korvel
#   scripts/korvel.sh test   install what is missing, build with warnings as errors, run every test headless
#                            (plus the model and window tests again under AddressSanitizer and UBSan, the
#                            model tests under ThreadSanitizer, and a short run of each fuzz target, built
#                            with clang), then
#                            the layout check and clang-tidy over every source, each failing on any finding
# Safe to run again: installed packages are skipped and builds are incremental.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-}
case "$mode" in run|test) ;; *) echo "usage: $0 run|test" >&2; exit 2 ;; esac

# shellcheck source=scripts/packages.sh
. "$here/scripts/packages.sh"
packages=(g++ cmake ninja-build qt6-base-dev libgl1-mesa-dev libgtest-dev libgmock-dev googletest xvfb xauth)
if [ "$mode" = test ]; then packages+=(openbox x11-utils); fi # the window checks on a virtual screen
if [ "$mode" = test ]; then packages+=(clang libclang-rt-14-dev clang-tidy-14 clang-format-14); fi # the fuzz targets, tidy, layout
install_missing "${packages[@]}"

# Every build is a preset of CMakePresets.json, in build/<preset>.
cd "$here"
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc 2>/dev/null || echo 4)}
if [ "$mode" = run ]; then
  cmake --preset release
  cmake --build --preset release -j "$jobs"
  exec "$here/build/release/app/korvel"
fi

status=0
cmake --preset test
cmake --build --preset test -j "$jobs"
ctest --preset test -j "$jobs" || status=1

echo "== model and window tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs" || status=1

echo "== model tests under ThreadSanitizer =="
cmake --preset tsan
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs" || status=1

echo "== fuzz targets (clang, AddressSanitizer and UBSan): a few seconds each =="
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
bash "$here/scripts/fuzz.sh" 5 || status=1

echo "== layout (clang-format) =="
bash "$here/scripts/format.sh" --check || status=1

# Both compile databases it reads (build/test and build/fuzz) exist by now.
echo "== clang-tidy =="
bash "$here/scripts/tidy.sh" --check || status=1
exit $status

#!/usr/bin/env bash
# Sets up a Debian 12 machine for Korvel, builds it, and either starts the program or runs every test.
#   scripts/korvel.sh run    install what is missing, build (Release), start Korvel
#   scripts/korvel.sh test   install what is missing, build, run every test headless
#                            (plus the model tests again under AddressSanitizer and UBSan, and a short run of
#                            each fuzz target, built with clang)
# Safe to run again: installed packages are skipped and builds are incremental.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-}
case "$mode" in run|test) ;; *) echo "usage: $0 run|test" >&2; exit 2 ;; esac

packages=(g++ cmake ninja-build qt6-base-dev libgl1-mesa-dev libgtest-dev libgmock-dev googletest xvfb xauth)
if [ "$mode" = test ]; then packages+=(clang libclang-rt-14-dev); fi # the fuzz targets
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 4)
if [ "$mode" = run ]; then
  cmake -S "$here" -B "$here/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVEL_TESTS=OFF
  cmake --build "$here/build/release" -j "$jobs" --target korvel
  exec "$here/build/release/app/korvel"
fi

cmake -S "$here" -B "$here/build/test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEL_TESTS=ON
cmake --build "$here/build/test" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
status=0
ctest --test-dir "$here/build/test" --output-on-failure -j "$jobs" || status=1

echo "== model tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S "$here" -B "$here/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVEL_TESTS=ON -DKORVEL_SANITIZE=ON -DKORVEL_GUI=OFF
cmake --build "$here/build/asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir "$here/build/asan" --output-on-failure -j "$jobs" -L model || status=1

echo "== fuzz targets (clang, AddressSanitizer and UBSan): a few seconds each =="
cmake -S "$here" -B "$here/build/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVEL_FUZZ=ON -DKORVEL_GUI=OFF -DKORVEL_TESTS=OFF -DKORVEL_BENCH=OFF
cmake --build "$here/build/fuzz" -j "$jobs"
bash "$here/scripts/fuzz.sh" 5 || status=1
exit $status

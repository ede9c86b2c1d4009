#!/usr/bin/env bash
# Runs clang-tidy 14 with the project's .clang-tidy over the sources, one file per core, each with its flags from
# the compile_commands.json of the test build (build/test), or of the fuzz build (build/fuzz) for the fuzz
# targets; a build that is missing is configured with its preset first.
#   scripts/tidy.sh [FILE...]           prints every finding, then their counts per check and per folder
#   scripts/tidy.sh --check [FILE...]   the same, and fails when there is any finding
# Each file's full output, with clang-tidy's notes, is kept in build/tidy/.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
check=0
if [ "${1:-}" = --check ]; then check=1; shift; fi
# shellcheck source=scripts/packages.sh
. "$here/scripts/packages.sh"
install_missing clang-tidy-14 clang
cd "$here"

# Pairs of build folder and file: the tracked sources each build compiles (or only those named), the test
# build's first.
declare -A buildOf=()
for preset in test fuzz; do
  build="$here/build/$preset"
  [ -f "$build/compile_commands.json" ] || cmake --preset "$preset" >/dev/null
  while read -r f; do
    [ -n "${buildOf[$f]:-}" ] || buildOf[$f]=$build
  done < <(sed -n 's|^ *"file": "'"$here"'/\(.*\)",\{0,1\}$|\1|p' "$build/compile_commands.json")
done
files=("$@")
[ ${#files[@]} -gt 0 ] || mapfile -t files < <(git ls-files -- '*.cpp')
pairs=()
for f in "${files[@]}"; do
  f=${f#"$here"/}
  f=${f#./}
  if [ -n "${buildOf[$f]:-}" ]; then
    pairs+=("${buildOf[$f]}" "$f")
  elif [ $# -gt 0 ]; then
    echo "tidy: no build compiles $f" >&2
    exit 2
  fi
done
logs="$here/build/tidy"
rm -rf "$logs"
mkdir -p "$logs"
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc 2>/dev/null || echo 4)}
# -Wno-error: the compiler's own warnings are the build's business, not tidy's. A file clang-tidy fails on (it
# does when the file does not compile, and when it crashes) is named in failed.txt.
printf '%s\0' "${pairs[@]}" | xargs -0 -n 2 -P "$jobs" sh -c \
  'clang-tidy-14 -p "$1" --quiet --extra-arg=-Wno-error "$2" >"$0/$(echo "$2" | tr / _).log" 2>&1 ||
     echo "$2" >>"$0/failed.txt"' "$logs"

# One line per finding (a header's findings come once, however many files include it), with the path made
# relative to the project.
findings="$logs/findings.txt"
cat "$logs"/*.log 2>/dev/null | grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error): .*\[[^]]+\]$' |
  sed "s|^$here/||" | sort -u >"$findings" || true
count=$(wc -l <"$findings")
cat "$findings"
if [ "$count" -gt 0 ]; then
  echo "== findings per check =="
  sed -E 's/.*\[([^]]+)\]$/\1/' "$findings" | sort | uniq -c | sort -rn
  echo "== findings per folder =="
  sed -E 's/:[0-9]+:[0-9]+: .*//; s|/[^/]*$||' "$findings" | sort | uniq -c | sort -rn
fi
failed=0
if [ -s "$logs/failed.txt" ]; then
  failed=$(wc -l <"$logs/failed.txt")
  echo "== files clang-tidy failed on =="
  sort "$logs/failed.txt"
fi
echo "tidy: $count findings in $((${#pairs[@]} / 2)) files, $failed failed (each file's output: $logs)"
[ "$check" -eq 0 ] || { [ "$count" -eq 0 ] && [ "$failed" -eq 0 ]; }

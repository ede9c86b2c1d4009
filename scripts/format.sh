#!/usr/bin/env bash
# Lays out the C++ sources with clang-format 14 and the project's .clang-format.
#   scripts/format.sh [FILE...]           rewrites the files in place (every tracked .cpp and .h when none given)
#   scripts/format.sh --check [FILE...]   changes nothing; lists each file that is not laid out so, and fails
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
check=0
if [ "${1:-}" = --check ]; then check=1; shift; fi
# shellcheck source=scripts/packages.sh
. "$here/scripts/packages.sh"
install_missing clang-format-14
cd "$here"
files=("$@")
[ ${#files[@]} -gt 0 ] || mapfile -t files < <(git ls-files -- '*.cpp' '*.h')

if [ "$check" -eq 0 ]; then
  printf '%s\0' "${files[@]}" | xargs -0 -n 16 -P "$(nproc)" clang-format-14 --style=file -i
  exit 0
fi
mapfile -t unformatted < <(printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P "$(nproc)" \
  sh -c 'clang-format-14 --style=file --dry-run -Werror "$1" >/dev/null 2>&1 || echo "$1"' sh | sort)
if [ ${#unformatted[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${unformatted[@]}"
  echo "format: ${#unformatted[@]} of ${#files[@]} files differ (scripts/format.sh rewrites them)"
  exit 1
fi
echo "format: ${#files[@]} files checked, none differs"

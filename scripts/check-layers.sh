#!/usr/bin/env bash
# Checks that the layers of Korvel are used one way only:
#
#   model <- ui/platform <- ui/main <- ui/results <- trend <- app
#
# (an arrow reads "is used by"). A file may include headers of its own folder and of the folders to its left,
# never of one to its right, and the model includes no Qt header. Every #include "..." (and, in model/, every
# #include <Q...>) of the six folders is read; each wrong-way include is printed as file:line with the two
# layers, and the check fails if there is any.
#   scripts/check-layers.sh [root]   root: the source tree (by default the one holding this script)
set -euo pipefail
root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cd "$root"

layers=(model ui/platform ui/main ui/results trend app)
files=()
for layer in "${layers[@]}"; do
  if [ -d "$layer" ]; then
    while IFS= read -r f; do
      files+=("$f")
    done < <(find "$layer" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
  fi
done
if [ ${#files[@]} -eq 0 ]; then
  echo "check-layers: no sources under $root" >&2
  exit 2
fi

awk -v order="${layers[*]}" '
BEGIN { n = split(order, names, " "); for (i = 1; i <= n; ++i) rank[names[i]] = i }
# The layer a path belongs to: its first folder, or ui/<folder> under ui/.
function layerOf(path,    parts, k) {
  k = split(path, parts, "/")
  if (parts[1] == "ui" && k > 2) return "ui/" parts[2]
  return parts[1]
}
FNR == 1 { own = layerOf(FILENAME) }
/^[ \t]*#[ \t]*include[ \t]*"/ {
  line = $0
  sub(/^[ \t]*#[ \t]*include[ \t]*"/, "", line)
  sub(/".*/, "", line)
  if (index(line, "/") == 0) next # beside the file, in its own folder
  target = layerOf(line)
  if (!(target in rank)) {
    printf "%s:%d: %s includes \"%s\", which is in no layer\n", FILENAME, FNR, own, line
    bad = 1
  } else if (rank[target] > rank[own]) {
    printf "%s:%d: %s includes %s (\"%s\"): %s is above %s\n", FILENAME, FNR, own, target, line, target, own
    bad = 1
  }
  next
}
own == "model" && /^[ \t]*#[ \t]*include[ \t]*<Q/ {
  line = $0
  sub(/^[ \t]*#[ \t]*include[ \t]*/, "", line)
  printf "%s:%d: model includes the Qt header %s: the model is plain C++ and the standard library\n",
         FILENAME, FNR, line
  bad = 1
}
END {
  if (bad) {
    print "check-layers: wrong-way includes (the layers: " order ", each used only by those after it)"
    exit 1
  }
}
' "${files[@]}"
echo "check-layers: ${#files[@]} files, every include keeps to the layers"

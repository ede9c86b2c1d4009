#!/usr/bin/env bash
# The layer check on a tiny tree: it passes on the clean tree and fails, naming the file, the line and the two
# layers, on each planted wrong-way include (ui/main including trend, the model including Qt).
#   check-layers-test.sh path/to/check-layers.sh
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

mkdir -p "$tree/model" "$tree/ui/platform" "$tree/ui/main" "$tree/ui/results" "$tree/trend" "$tree/app"
printf '#pragma once\n#include <vector>\n#include "Crop.h"\n' >"$tree/model/Field.h"
printf '#pragma once\n' >"$tree/model/Crop.h"
printf '#include "model/Field.h"\n#include <QWidget>\n' >"$tree/ui/platform/Shell.cpp"
printf '#include "ui/platform/Shell.h"\n#include "model/Crop.h"\n' >"$tree/ui/main/MainPane.cpp"
printf '#include "ui/main/MainPane.h"\n' >"$tree/ui/results/ResultsPane.cpp"
printf '#include "ui/results/ResultsPane.h"\n#include "ui/main/MainPane.h"\n' >"$tree/trend/TrendPanes.cpp"
printf '#include "trend/TrendPanes.h"\n#include "model/Crop.h"\n' >"$tree/app/main.cpp"

fail() { echo "FAIL: $*" >&2; exit 1; }

out=$(bash "$check" "$tree" 2>&1) || fail "the clean tree was refused: $out"

# A wrong-way include in ui/main.
printf '#include "ui/platform/Shell.h"\n#include "trend/TrendSetupPane.h"\n' >"$tree/ui/main/MainWindow.cpp"
if out=$(bash "$check" "$tree" 2>&1); then fail "ui/main including trend passed: $out"; fi
grep -q 'ui/main/MainWindow.cpp:2: ui/main includes trend' <<<"$out" || fail "no file:line and layers in: $out"
rm "$tree/ui/main/MainWindow.cpp"

# ui/results including trend, one step up.
printf '#include "trend/TrendPanes.h"\n' >"$tree/ui/results/DetailsPane.h"
if out=$(bash "$check" "$tree" 2>&1); then fail "ui/results including trend passed: $out"; fi
grep -q 'ui/results/DetailsPane.h:1: ui/results includes trend' <<<"$out" || fail "no file:line and layers in: $out"
rm "$tree/ui/results/DetailsPane.h"

# A Qt header in the model.
printf '#pragma once\n#include <QString>\n' >"$tree/model/Names.h"
if out=$(bash "$check" "$tree" 2>&1); then fail "a Qt header in the model passed: $out"; fi
grep -q 'model/Names.h:2: model includes the Qt header <QString>' <<<"$out" || fail "no file:line in: $out"
rm "$tree/model/Names.h"

out=$(bash "$check" "$tree" 2>&1) || fail "the tree cleaned again was refused: $out"
echo "check-layers-test: the check passes a clean tree and names every wrong-way include"

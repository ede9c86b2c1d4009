#!/bin/bash
# After the tests: no inputs file and no custom crop file written since the stamp (made before the tests)
# anywhere in the build folder or the shipped data; a test that saves writes into temporary folders only.
#
#     no-user-files.sh <stamp file> <folder>...
set -eu
stamp=$1
shift
found=$(find "$@" -newer "$stamp" -type f \( -name inputs.txt -o -path '*/crops/custom/*' \) -print)
if [ -n "$found" ]; then
    echo "the tests wrote user's files outside their temporary folders:"
    echo "$found"
    exit 1
fi

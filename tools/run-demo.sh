#!/usr/bin/env bash
# Set-up, Release build and the main job on the bundled example project.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DVARTESK_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)" >/dev/null
out=build-release/demo-output
mkdir -p "$out"
vartesk=build-release/bin/vartesk
echo "== vartesk info examples/demo.vsk"
"$vartesk" info examples/demo.vsk
echo
echo "== vartesk calc examples/demo.vsk (first strain sections)"
"$vartesk" calc examples/demo.vsk | head -n 40
"$vartesk" calc examples/demo.vsk --format csv >"$out/demo-stringing.csv"
"$vartesk" calc examples/demo.vsk --format json >"$out/demo-stringing.json"
"$vartesk" resave examples/demo.vsk "$out/demo-resaved.vsk"
echo
echo "== vartesk sagging examples/demo.vsk (the field sagging sheet, first strain section)"
"$vartesk" sagging examples/demo.vsk | head -n 12
"$vartesk" sagging examples/demo.vsk --format json >"$out/demo-sagging.json"
echo
echo "== vartesk report all: the stringing tables in three forms, the anchor-support loads,"
echo "   the journal of supports, the field sagging sheet and the scheme for CAD"
"$vartesk" report all examples/demo.vsk -o "$out"
echo
echo "Produced in $out:"
ls -l "$out"
echo
echo "== The second example: a line in the Far North with an optical ground wire as its cord"
echo "   and the damper calculation switched on; its outputs include the damper report and"
echo "   the field sagging sheet of its long crossings"
# The shipped catalog, for a working catalog seeded before the optical ground wires came.
"$vartesk" report all examples/north-opgw.vsk -o "$out" --catalog build-release/bin/base_provod.dat

#!/usr/bin/env bash
# Builds the fuzz target (clang, libFuzzer, ASan, UBSan) and runs it once over
# its committed corpus and the shared DXF corpus, as a regression test.
#   tests/fuzz/replay.sh [--junit FILE]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
junit=""
if [ "${1:-}" = "--junit" ]; then junit=$2; fi

build="$root/build/fuzz"
log=$(mktemp)
status=0
{
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORBEL_FUZZ=ON -DVORBEL_BENCH=OFF >/dev/null &&
    cmake --build "$build" --target dxf_fuzzer -j2 >/dev/null
} >"$log" 2>&1 || status=$?
if [ "$status" -eq 0 ]; then
  "$build/tests/fuzz/dxf_fuzzer" -runs=0 "$root/tests/fuzz/corpus" "$root/../shared/dxf-corpus" >"$log" 2>&1 || status=$?
fi
inputs=$(grep -c '' < <(ls "$root/tests/fuzz/corpus" "$root/../shared/dxf-corpus"/*.dxf 2>/dev/null))
if [ "$status" -eq 0 ]; then
  echo "fuzz replay: $inputs inputs, no failure"
else
  echo "fuzz replay FAILED (status $status):"
  tail -n 40 "$log"
fi
if [ -n "$junit" ]; then
  failures=$([ "$status" -eq 0 ] && echo 0 || echo 1)
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo "<testsuites><testsuite name=\"fuzz_replay\" tests=\"1\" failures=\"$failures\">"
    echo "<testcase name=\"dxf_fuzzer_corpus_$inputs\">"
    [ "$failures" -eq 1 ] && echo '<failure message="replay failed"/>'
    echo '</testcase></testsuite></testsuites>'
  } >"$junit"
fi
rm -f "$log"
exit "$status"

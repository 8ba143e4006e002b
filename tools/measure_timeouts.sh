#!/usr/bin/env bash
# measure_timeouts.sh [RUNS]: the time of every test program under the sanitizers on two cores,
# which its TIMEOUT is set against. Builds build-asan (`make asan-build`), then runs the whole
# suite RUNS times (default 3) as `make asan-test JOBS=2` does, on processors 0 and 1 only.
# Prints each program's slowest time of the runs, its TIMEOUT and TIMEOUT / time; ends non-zero
# when a TIMEOUT is under five times its time or a run failed.
set -uo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-3}
ASAN_BUILD=build-asan

make -s asan-build ASAN_BUILD="$ASAN_BUILD" >/dev/null || exit 1
log=$(mktemp)
trap 'rm -f "$log"' EXIT
failed=0
for run in $(seq "$RUNS"); do
  echo "run $run of $RUNS: ctest -j2 on processors 0 and 1" >&2
  taskset -c 0,1 make -s asan-test JOBS=2 ASAN_BUILD="$ASAN_BUILD" >>"$log" 2>&1 || failed=1
done

# "  3/27 Test  #5: test_driver ......   Passed   43.21 sec": the slowest time of each program.
times=$(awk '/Test +#[0-9]+: / {
               for (i = 1; i < NF; i++) if ($i ~ /^#[0-9]+:$/) name = $(i + 1)
               for (i = 2; i <= NF; i++) if ($i == "sec") t = $(i - 1) + 0
               if (t > worst[name]) worst[name] = t
             }
             END {for (n in worst) print n, worst[n]}' "$log" | sort)
# The TIMEOUT of each test as CMake wrote it for CTest.
limits=$(grep -rh --include=CTestTestfile.cmake "set_tests_properties" "$ASAN_BUILD" |
         sed -n 's/.*(\[=\[\([^]]*\)\]=\] PROPERTIES.* TIMEOUT "\([0-9.]*\)".*/\1 \2/p' | sort)

table=$(join <(echo "$times") <(echo "$limits") |
        awk '{ratio = $3 / ($2 > 0 ? $2 : 0.01)
              printf "%-24s %9.2f %8d %8.1f%s\n", $1, $2, $3, ratio, (ratio < 5 ? "  under 5 x" : "")}')
printf '%-24s %9s %8s %8s\n' program "slowest s" TIMEOUT ratio
echo "$table"
status=0
unmeasured=$(join -v 2 <(echo "$times") <(echo "$limits") | awk '{print $1}')
if [ -n "$unmeasured" ]; then
  echo "not run:" $unmeasured
  status=1
fi
if [ "$failed" != 0 ]; then
  echo "a run failed:"
  grep -E "\*\*\*|Failed" "$log" | head -n 20
  status=1
fi
grep -q "under 5 x" <<<"$table" && status=1
exit $status

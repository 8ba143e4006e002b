#!/usr/bin/env bash
# Benchmarks: processor use of a timed wait, start-up to the first painted frame, Lobbo's fall,
# chess speed, the computer players of the duels.
set -euo pipefail
BUILD=${1:-build}
echo "== timed wait (offscreen)"
QT_QPA_PLATFORM=offscreen "$BUILD/vpk-waitbench" 3
echo "== start-up to first paint under Xvfb (10 runs)"
out=$(xvfb-run -a -s "-screen 0 800x600x24" bash -c "
  for i in \$(seq 10); do VPK_STARTUP_PROBE=1 $BUILD/vantixpack 2>/dev/null; done")
times=$(echo "$out" | awk '/first-paint-ms/ {print $2}' | sort -n)
median=$(echo "$times" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
worst=$(echo "$times" | tail -n 1)
peak=$(echo "$out" | awk '/peak-rss-kb/ {if ($2>m) m=$2} END {printf "%.1f", m/1024}')
echo "first paint: median ${median} ms, worst ${worst} ms; peak memory ${peak} MB"
echo "== Lobbo: processor use while a piece falls, row times against the formula (Xvfb)"
xvfb-run -a -s "-screen 0 800x600x24" "$BUILD/vpk-lobbobench" 2>/dev/null
if [ -x "$BUILD/vpk-chess" ]; then
  echo "== chess engine"
  "$BUILD/vpk-chess" bench
fi
if [ -x "$BUILD/vpk-duelbench" ]; then
  echo "== computer players of Fendo, Spredo and Stakk 3D (slowest reply; each under 50 ms)"
  "$BUILD/vpk-duelbench"
fi

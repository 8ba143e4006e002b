#!/usr/bin/env bash
# Benchmarks: processor use of a timed wait, start-up to the first painted frame beside an empty
# Qt window, memory over game switches, Lobbo's fall, the computer players' speed (chess, duels).
set -euo pipefail
BUILD=${1:-build}
echo "== timed wait (offscreen)"
QT_QPA_PLATFORM=offscreen "$BUILD/vpk-waitbench" 3
echo "== start-up to first paint under Xvfb (10 runs each, the pack and an empty Qt window)"
out=$(xvfb-run -a -s "-screen 0 800x600x24" bash -c "
  for i in \$(seq 10); do VPK_STARTUP_PROBE=1 $BUILD/vantixpack 2>/dev/null | sed 's/^/pack /';
                          $BUILD/vpk-emptywindow 2>/dev/null | sed 's/^/empty /'; done")
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
pack=$(echo "$out" | awk '/^pack first-paint-ms/ {print $3}' | median)
empty=$(echo "$out" | awk '/^empty first-paint-ms/ {print $3}' | median)
worst=$(echo "$out" | awk '/^pack first-paint-ms/ {print $3}' | sort -n | tail -n 1)
peak=$(echo "$out" | awk '/^pack peak-rss-kb/ {if ($3>m) m=$3} END {printf "%.1f", m/1024}')
ratio=$(awk -v p="$pack" -v e="$empty" 'BEGIN {printf "%.2f", p / e}')
echo "first paint: pack median ${pack} ms (worst ${worst} ms), empty Qt window median ${empty} ms: ${ratio} x; peak memory ${peak} MB"
echo "== memory over game switches (offscreen)"
"$BUILD/vpk-membench" 2>/dev/null
if [ -x "$BUILD/vpk-duelbench" ]; then
  echo "== computer players of Fendo, Spredo and Stakk 3D (slowest reply; each under 50 ms)"
  "$BUILD/vpk-duelbench"
fi
for extra in "$BUILD"/vpk-*bench-*; do
  [ -x "$extra" ] || continue
  echo "== $(basename "$extra")"
  "$extra"
done
echo "== Lobbo: processor use while a piece falls, row times against the formula (Xvfb)"
xvfb-run -a -s "-screen 0 800x600x24" "$BUILD/vpk-lobbobench" 2>/dev/null
if [ -x "$BUILD/vpk-chess" ]; then
  echo "== chess engine"
  "$BUILD/vpk-chess" bench
fi

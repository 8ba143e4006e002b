#!/usr/bin/env bash
# Plays each game a few moves through the driver and saves one picture per game:
# tools/screenshots/<window>.txt holds the driver commands (fixed seed, "open N", moves),
# the picture goes to <out>/<window>.png.
set -euo pipefail
BUILD=${1:-build}
OUT=${2:-docs/screenshots}
mkdir -p "$OUT"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
for script in tools/screenshots/*.txt; do
  name=$(basename "$script" .txt)
  { cat "$script"; echo "shot $OUT/$name.png"; } |
    VPK_DATA="$data" QT_QPA_PLATFORM=offscreen "$BUILD/vpk-driver" 2>/dev/null |
    grep -q '"ok":false' && echo "$name: a command failed (see $script)" >&2
  echo "$OUT/$name.png"
done

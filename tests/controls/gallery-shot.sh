#!/usr/bin/env bash
# Runs the controls gallery under Wine and saves a screenshot of its dialog as a PNG:
#   gallery-shot.sh WINE-RUN PREFIX GALLERY-EXE OUT-PNG
set -euo pipefail
runner=$1 prefix=$2 exe=$3 out=$4

work=$(mktemp -d)
trap 'touch "$work/done"; rm -rf "$work"' EXIT
mkdir -p "$(dirname "$out")"

# The shot is taken from the display wine-run gives the gallery. A first run also creates the Wine
# prefix, which takes a while.
display=$("$(dirname "$runner")/x-display")
(cd "$work" && "$runner" "$prefix" "$exe" ready done) &
runner_pid=$!

for _ in $(seq 600); do
  [ -s "$work/ready" ] && break
  kill -0 "$runner_pid" 2>/dev/null || { echo "gallery ended before it was ready"; exit 1; }
  sleep 0.1
done
[ -s "$work/ready" ] || { echo "gallery not ready in time"; exit 1; }

geometry=$(tr -d '\r\n' < "$work/ready")
DISPLAY=$display import -window root -crop "$geometry" +repage "$out"
touch "$work/done"
wait "$runner_pid"

# A blank or uniform picture means nothing was drawn.
colours=$(identify -format '%k' "$out")
echo "gallery: $out ($geometry, $colours colours)"
[ "$colours" -gt 16 ]

#!/usr/bin/env bash
# still_view_cpu.sh — processor time of a viewer showing a still globe.
#
# Starts the built tyx on the NASA day map (Debian's xplanet-images; a plain
# grey map when it is missing) with the base configuration and nothing
# moving, lets it settle for 2 s, then reads its user + system time from
# /proc/<pid>/stat over the next 10 s and prints it as a share of one core.
# Runs under its own Xvfb when no display is set.
#
# Usage: bench/still_view_cpu.sh [BUILD_DIR] [FRAME_RATE_LIMIT]
#   FRAME_RATE_LIMIT: the "#FrameRateLimit" to run with (default: the
#   configured one, unset); 0 = unlimited.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
limit=${2:-}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" "$0" "$build" "$limit"
fi

folder=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$folder"' EXIT
pid=0
cp -r "$build/data" "$folder/data"
mkdir -p "$folder/map"
if [ -f /usr/share/xplanet/images/earth.jpg ]; then
  cp /usr/share/xplanet/images/earth.jpg "$folder/map/sample1.jpg"
  suffix=jpg
else
  { printf 'P6\n512 256\n255\n'; head -c $((512 * 256 * 3)) /dev/zero | tr '\0' '\200'; } \
    >"$folder/map/sample1.ppm"
  suffix=ppm
fi
{
  echo "#TextureSuffix $suffix"
  echo "#Animation 0"
  echo "#Spin 0"
  [ -n "$limit" ] && echo "#FrameRateLimit $limit"
} >"$folder/data/conf/conf.txt"

(cd "$folder" && exec "$build/tyx" >/dev/null 2>&1) &
pid=$!

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
sleep 2
kill -0 "$pid" 2>/dev/null || { echo "tyx did not start" >&2; exit 1; }
start=$(ticks)
sleep 10
end=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((end - start)) -v hz="$hz" -v limit="${limit:-configured}" 'BEGIN {
  printf "still viewer, frame rate limit %s: %.2f s of processor time in 10 s = %.1f %% of one core\n",
         limit, t / hz, 100 * t / hz / 10 }'

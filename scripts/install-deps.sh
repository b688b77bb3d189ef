#!/usr/bin/env bash
# Installs the Debian packages that tyx needs and that are not yet present.
# Usage: scripts/install-deps.sh [demo|test|package]
set -euo pipefail

packages=(cmake make g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev
          libgl1-mesa-dri libjpeg62-turbo-dev libpng-dev libx11-dev libgtest-dev libbenchmark-dev
          xplanet-images libfreetype-dev libfontconfig-dev fonts-dejavu-core)
# Films as map series: demuxing, decoding and pixel conversion.
packages+=(libavformat-dev libavcodec-dev libswscale-dev libavutil-dev)
case "${1:-test}" in
  test) packages+=(clang libclang-rt-14-dev xvfb xauth xdotool x11-apps x11-utils ffmpeg
                   desktop-file-utils groff-base man-db) ;;
  demo) ;;
  package) packages+=(dpkg-dev file) ;; # cpack -G DEB: dpkg-shlibdeps
  *) echo "usage: $0 [demo|test|package]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs what building and testing Harnlo needs on Debian 12, as root.
# Idempotent: when everything is present it prints nothing and returns at once.
set -euo pipefail

PACKAGES=(
  cmake g++ clang clang-format libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix mingw-w64-tools
  wine wine32:i386 xvfb xdotool x11-utils xclip imagemagick
  libxfixes3:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386
  libxcursor1:i386 libxinerama1:i386 libxcomposite1:i386
  fonts-wqy-microhei
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "setup: missing packages (run as root to install): ${missing[*]}" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need; skips what is present.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-private-dev qt6-translations-l10n libsqlite3-dev libjpeg-dev libssl-dev zlib1g-dev libzstd-dev libcups2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fontconfig fonts-wqy-microhei fonts-liberation2 fonts-dejavu
  xvfb xauth poppler-utils lua5.4 imagemagick
  openbox xdotool x11-utils sqlite3
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

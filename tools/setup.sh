#!/usr/bin/env bash
# Installs what the build needs and is missing; does nothing when all is there.
set -euo pipefail

packages=(build-essential cmake pkg-config qt6-base-dev qt6-serialport-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev poppler-utils fonts-dejavu-core
          libqcustomplot-dev qt6-translations-l10n qt6-base-private-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root, or install these packages first." >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (only missing packages).
set -euo pipefail
# fonts-wqy-microhei: printed sheets in Chinese; poppler-utils: the tests read printed PDFs back;
# libcsv-dev: reading and quoting the channel lists of CSV files.
packages=(cmake g++ make pkg-config qt6-base-dev qt6-serialport-dev qt6-translations-l10n libgtest-dev
          libgmock-dev libcsv-dev fonts-wqy-microhei poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"

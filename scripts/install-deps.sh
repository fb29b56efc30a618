#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Cindral need.
# Does nothing when they are all present; uses sudo when not run as root.
set -eu

PACKAGES="
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
  qt6-webengine-dev
  qt6-speech-dev qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  libespeak-ng1 wordnet-base
  libsqlite3-dev
  python3-jieba curl ca-certificates
  dpkg-dev file desktop-file-utils appstream reuse man-db
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libfuzzer-14-dev libclang-rt-14-dev
  fonts-wqy-microhei fonts-arphic-uming fontconfig libfontconfig-dev
  fcitx5-frontend-qt6
  xvfb xauth
  qt6-wayland weston
  openbox libxcb1-dev libxcb-damage0-dev
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo > /dev/null 2>&1; then
    echo "Cindral needs these Debian packages, and sudo is not installed to install them." >&2
    echo "Install them as root, then run this command again:" >&2
    echo "  apt-get update && apt-get install --no-install-recommends$missing" >&2
    exit 1
  fi
  SUDO="sudo"
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing

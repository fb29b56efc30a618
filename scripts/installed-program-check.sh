#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run as an ordinary user in a root where the package was just installed:
# the programs and their libraries are all there, the licence and what
# software centres read are installed, --version answers without a display,
# the shipped word book is sound, and the installed program starts
# (offscreen), copies the learner's
# files into the XDG data folder, runs the day's first steps and ends
# cleanly when the desktop asks it to.
set -eu
fail() {
  echo "installed program: $*" >&2
  exit 1
}

for program in /usr/bin/cindral /usr/bin/cindral-db /usr/lib/*/cindral/cindral-pages.so; do
  [ -e "$program" ] || fail "$program is missing"
  if ldd "$program" | grep 'not found'; then fail "$program needs libraries the package does not bring"; fi
done
grep -q '^License: GPL-3+$' /usr/share/doc/cindral/copyright 2> /dev/null ||
  fail "/usr/share/doc/cindral/copyright does not grant the GPL"
for file in /usr/share/metainfo/org.cindral.Cindral.metainfo.xml /usr/share/applications/org.cindral.Cindral.desktop; do
  [ -f "$file" ] || fail "$file is missing"
done
grep -q '<project_license>GPL-3.0-or-later</project_license>' /usr/share/metainfo/org.cindral.Cindral.metainfo.xml ||
  fail "the metainfo does not name the licence"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM cindral --version) || fail "cindral --version failed"
case $version in
  *"GPLv3+"*) ;;
  *) fail "cindral --version does not name the licence: $version" ;;
esac
cindral-db check /usr/share/cindral/单词本.EDB > /dev/null || fail "the shipped word book is not sound"
# The Chinese meanings index the package ships, found beside share/cindral.
meanings=$(cindral-db meanings apple) || fail "cindral-db finds no Chinese meanings index"
tab=$(printf '\t')
case $meanings in
  "apple${tab}苹果 (píng guǒ)"*) ;;
  *) fail "apple has the meanings \"$meanings\", not 苹果 first" ;;
esac

data=$HOME/.local/share/cindral
QT_QPA_PLATFORM=offscreen cindral > /tmp/cindral.log 2>&1 &
pid=$!
waited=0
until grep -q 'minus=true' "$data/Config.ini" 2> /dev/null; do
  kill -0 "$pid" 2> /dev/null || { cat /tmp/cindral.log; fail "the program ended at start-up"; }
  [ "$waited" -lt 600 ] || { cat /tmp/cindral.log; fail "the program did not start within 60 s"; }
  sleep 0.1
  waited=$((waited + 1))
done
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { cat /tmp/cindral.log; fail "the program ended with $status when asked to close"; }
for file in 单词本.EDB 单词本.EDT 艾宾浩斯.txt Config.ini; do
  [ -f "$data/$file" ] || fail "$data/$file was not made"
done
cmp -s /usr/share/cindral/艾宾浩斯.txt "$data/艾宾浩斯.txt" || fail "the plan table was not copied whole"
grep -q 'reviewnumber=1' "$data/Config.ini" || fail "the counters were not written on closing"
echo "installed program: started as $(id -un), made its files in $data and closed cleanly"

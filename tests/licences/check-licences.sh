#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Lints the licences of the project's own files:
#
#   check-licences.sh SOURCE
#
# In a git checkout reuse reads .gitignore itself. A plain copy of the tree
# (a source tarball, CI) has no VCS for reuse to ask, so build folders and
# other ignored files would count as the project's: the tree is copied
# without what the top .gitignore names and the copy is linted.
set -eu
source=$1
if git -C "$source" rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  exec reuse --root "$source" lint
fi
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
excludes=$copy/excludes
: > "$excludes"
if [ -f "$source/.gitignore" ]; then
  # "/x/" and "/x" are anchored at the top; other patterns match anywhere.
  sed -e '/^#/d' -e '/^[[:space:]]*$/d' -e 's#/$##' -e 's#^/#./#' \
    "$source/.gitignore" > "$excludes"
fi
mkdir "$copy/tree"
(cd "$source" && tar -cf - --exclude-from="$excludes" --exclude=./.git .) |
  (cd "$copy/tree" && tar -xf -)
reuse --root "$copy/tree" lint

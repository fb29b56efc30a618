#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's commands on a freshly installed minimal Debian 12, as a
# new user would run them: debootstrap --variant=minbase bookworm into a
# temporary folder, a clean clone of the checked-out commit inside it, make
# (the one thing the README asks for first), then the command, with
# MEANINGS=required: the CC-CEDICT data must be fetched, so the meanings
# index is made, tested and packaged. Nothing of this machine's packages
# reaches the root, so every install step the project forgets fails here.
#
#   scripts/fresh-root.sh test      make test in a fresh root
#   scripts/fresh-root.sh package   make deb in a fresh root; the package checked by lintian
#                                   there, then installed into a second fresh root and the
#                                   installed program started offscreen as an ordinary user
#   scripts/fresh-root.sh ci        both in one root: make test, then the package
#   scripts/fresh-root.sh can-run   exit 0 when roots can be made here, else say why, exit 1
#
# Needs root on Debian (debootstrap, chroot, mounts); installs debootstrap
# when it is missing. /proc, /sys, /dev and /dev/pts are mounted into each
# root and always unmounted again, also when the run fails or is stopped;
# then the roots are removed. Settings, from the environment:
#   CINDRAL_DEBIAN_MIRROR   the archive (default http://deb.debian.org/debian)
#   CINDRAL_ROOTS_DIR       where the roots are made (default /var/tmp)
#   CINDRAL_KEEP_ROOTS=1    keep the roots for a look afterwards (still unmounted)
set -eu

mirror=${CINDRAL_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${CINDRAL_DEBIAN_SECURITY:-http://deb.debian.org/debian-security}
roots_dir=${CINDRAL_ROOTS_DIR:-/var/tmp}
source_dir=$(cd "$(dirname "$0")/.." && pwd)

say() { echo "fresh-root: $*" >&2; }

# Why roots cannot be made here, or nothing.
why_not() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "not run as root (debootstrap, chroot and mounts need root)"
  elif ! command -v apt-get > /dev/null 2>&1 || [ ! -f /etc/debian_version ]; then
    echo "this machine is not Debian"
  elif ! command -v chroot > /dev/null 2>&1 || ! command -v mount > /dev/null 2>&1; then
    echo "chroot or mount is missing"
  elif ! command -v git > /dev/null 2>&1; then
    echo "git is missing (it makes the clean clone)"
  fi
}

work=""
cleanup() {
  status=$?
  trap - EXIT INT TERM HUP
  [ -n "$work" ] || exit "$status"
  for made in "$work"/root-*; do
    [ -d "$made" ] || continue
    stop_processes "$made"
    unmount_all "$made" || status=1
  done
  if grep -q " $work/" /proc/self/mounts; then
    say "something is still mounted under $work; it is left there"
    exit 1
  fi
  if [ "${CINDRAL_KEEP_ROOTS:-0}" = 1 ]; then
    say "the roots are kept in $work"
  else
    rm -rf --one-file-system "$work"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Ends every process whose root is this one (services the tests started).
stop_processes() {
  dir=$(readlink -f "$1")
  for signal in TERM KILL; do
    found=""
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2> /dev/null)" = "$dir" ] || continue
      kill "-$signal" "${p#/proc/}" 2> /dev/null && found=1
    done
    [ -n "$found" ] || return 0
    sleep 1
  done
}

# Unmounts everything under the root, innermost first.
unmount_all() {
  dir=$(readlink -f "$1")
  for target in $(awk -v r="$dir" '$2 == r || index($2, r "/") == 1 { print $2 }' /proc/self/mounts | sort -r); do
    umount "$target" 2> /dev/null || umount -l "$target" || return 1
  done
}

mount_all() {
  dir=$1
  mount -t proc proc "$dir/proc"
  mount -t sysfs sysfs "$dir/sys"
  mount --bind /dev "$dir/dev"
  mount --bind /dev/pts "$dir/dev/pts"
  mount -t tmpfs -o mode=1777 tmpfs "$dir/dev/shm"
}

# Runs a command in the background and waits for it, so that a signal
# reaches the traps at once: the shell runs a trap only once a foreground
# command has ended, and some (apt-get among them) do not end on SIGINT.
# The clean-up then ends whatever still runs inside the roots.
waiting() {
  "$@" &
  wait $!
}

# A fresh minimal Debian 12 in $work/root-NAME, left in $root. The first is
# made by debootstrap and kept as an archive, from which later ones are
# unpacked.
make_root() {
  root="$work/root-$1"
  mkdir -p "$root"
  if [ -f "$work/minbase.tar" ]; then
    waiting tar -C "$root" -xpf "$work/minbase.tar"
  else
    say "debootstrap --variant=minbase bookworm ($mirror)"
    waiting debootstrap --variant=minbase bookworm "$root" "$mirror" > "$work/debootstrap.log" 2>&1 || {
      tail -20 "$work/debootstrap.log"
      return 1
    }
    waiting tar -C "$root" -cpf "$work/minbase.tar" .
  fi
  # What an installed Debian 12 has besides: its update and security archives,
  # the name server, and no services started by packages inside a chroot.
  cat > "$root/etc/apt/sources.list" << EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  # And the certificate authorities this machine adds to Debian's (a network
  # that inspects HTTPS signs with one of its own): the root reaches the npm
  # registry as this machine does once ca-certificates is installed there.
  if [ -d /usr/local/share/ca-certificates ]; then
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp -R /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
  fi
  printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"
  mount_all "$root"
}

# Runs a command as root inside a root, in a clean environment.
in_root() {
  into=$1
  shift
  waiting chroot "$into" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive /bin/sh -c "$*"
}

# The build root, left in $root: a clean clone of the commit and make, as
# the README says.
make_build_root() {
  make_root build
  commit=$(git -C "$source_dir" rev-parse HEAD)
  waiting git clone -q --no-local "$source_dir" "$root/root/cindral"
  git -C "$root/root/cindral" checkout -q "$commit"
  say "clean clone of $commit; installing make"
  in_root "$root" "apt-get update -q > /dev/null && apt-get install -y -q --no-install-recommends make > /dev/null"
}

run_test() {
  say "make test MEANINGS=required"
  in_root "$1" "cd /root/cindral && make test MEANINGS=required"
}

run_package() {
  root=$1
  say "make deb MEANINGS=required"
  in_root "$root" "cd /root/cindral && make deb MEANINGS=required"
  deb=$(cd "$root/root/cindral/build" && ls cindral_*.deb)
  say "lintian $deb"
  in_root "$root" "apt-get install -y -q --no-install-recommends lintian > /dev/null && \
    cd /root/cindral/build && lintian --fail-on error,warning --info $deb"

  say "installing $deb into a second fresh root"
  build=$root
  make_root install
  target=$root
  root=$build
  cp "$root/root/cindral/build/$deb" "$target/tmp/$deb"
  in_root "$target" "apt-get update -q > /dev/null && \
    apt-get install -y -q --no-install-recommends /tmp/$deb > /tmp/install.log 2>&1 || \
    { tail -30 /tmp/install.log; exit 1; }"
  cp "$source_dir/scripts/installed-program-check.sh" "$target/tmp/"
  in_root "$target" "useradd -m learner && runuser -u learner -- sh /tmp/installed-program-check.sh"
}

command=${1:-}
case $command in
  can-run)
    reason=$(why_not)
    [ -z "$reason" ] && exit 0
    say "cannot make a fresh Debian root here: $reason"
    exit 1
    ;;
  test | package | ci) ;;
  *)
    sed -n '2,23p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac

reason=$(why_not)
if [ -n "$reason" ]; then
  say "cannot make a fresh Debian root here: $reason"
  exit 1
fi
if ! command -v debootstrap > /dev/null 2>&1; then
  say "installing debootstrap"
  apt-get install -y -q --no-install-recommends debootstrap > /dev/null
fi
work=$(mktemp -d "$roots_dir/cindral-roots.XXXXXX")
started=$(date +%s)
make_build_root
case $command in
  test) run_test "$root" ;;
  package) run_package "$root" ;;
  ci)
    run_test "$root"
    run_package "$root"
    ;;
esac
say "done in $(($(date +%s) - started)) s"

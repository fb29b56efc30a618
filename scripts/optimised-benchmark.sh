#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Google Benchmark optimised into PREFIX (default build/google-benchmark)
# from the source Debian 12 packages it from, so that the benchmarks' figures
# come from an optimised library: Debian's own libbenchmark is built without
# NDEBUG (it says "Library was built as DEBUG"). The source is fetched from
# Debian's archive by apt's own downloader and checked against the checksum
# Debian's source package records. Does nothing when PREFIX already holds it.
set -eu
prefix=${1:-build/google-benchmark}
version=1.7.1
sha256=6430e4092653380d9dc4ccb45a1e2dc9259d581f4866dc0759713126056bc1d7
mirror=${CINDRAL_DEBIAN_MIRROR:-http://deb.debian.org/debian}

mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
[ -f "$prefix/lib/cmake/benchmark/benchmarkConfig.cmake" ] && exit 0

work=$(mktemp -d "${TMPDIR:-/tmp}/google-benchmark.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
tarball=benchmark_$version.orig.tar.gz
echo "Building Google Benchmark $version (optimised) into $prefix"
/usr/lib/apt/apt-helper download-file "$mirror/pool/main/b/benchmark/$tarball" \
  "$work/$tarball" "SHA256:$sha256" > "$work/download.log" 2>&1 || {
  cat "$work/download.log" >&2
  exit 1
}
tar -C "$work" -xzf "$work/$tarball"
cmake -S "$work/benchmark-$version" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
  -DBENCHMARK_ENABLE_INSTALL=ON -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib > "$work/configure.log"
cmake --build "$work/build" --target install > "$work/build.log"

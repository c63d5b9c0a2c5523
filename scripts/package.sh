#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package kestrolab_<version>_<arch>.deb in the repository root, from a
# Release build in ./build-package without tests or benchmarks. Extra arguments go to cmake,
# e.g. scripts/package.sh -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
# The package's maintainer (control file, changelog, copyright contact) is KESTRO_MAINTAINER,
# e.g. KESTRO_MAINTAINER="Ada Lovelace <ada@example.org>" scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-dev: dpkg-shlibdeps finds the Debian packages of the libraries the programs link.
scripts/ensure-packages.sh dpkg-dev
# The hardening flags of a Debian build: stack protector, fortify, read-only relocations bound
# at start.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DKESTRO_BUILD_TESTS=OFF \
  -DKESTRO_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DKESTRO_PACKAGE_MAINTAINER="${KESTRO_MAINTAINER:-KestroLab developers <developers@kestrolab.example>}" "$@" >/dev/null
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)
cp build-package/kestrolab_*.deb .
ls -1 kestrolab_*.deb

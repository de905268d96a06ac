#!/usr/bin/env bash
# Builds the Debian package velmora_VERSION_ARCH.deb in build/package: a Release build installed
# under /usr, the programs stripped, the dependencies computed from the binaries (dpkg-shlibdeps),
# with the desktop entry, AppStream data, icons, manual pages, copyright and changelog; lintian
# and appstreamcli check it. Installs what is missing first (root or sudo). Then:
#   apt install ./build/package/velmora_*.deb
# With a build folder as argument, that folder's configuration is packaged as it is (the test
# command packages its own build, configured for /usr).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then
  ./scripts/install-deps.sh
  build=build/package
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVELMORA_BUILD_TESTS=OFF >/dev/null
else
  build=$1
fi
cmake --build "$build" -j "$(nproc)" --target velmora velmora-cli velmora_curl \
  velmora_packaging_docs
rm -f "$build"/velmora_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/velmora_*.deb)

# lintian's errors and warnings fail the build.
lintian --fail-on error,warning "$package"
appstreamcli validate --no-net packaging/org.velmora.Velmora.metainfo.xml >/dev/null
echo "$package"

#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built: what it holds (stripped programs,
# desktop entry, AppStream data, icons, manual pages, copyright, changelog), and that its
# velmora-cli runs from a scratch root it is unpacked into. Argument: the package.
set -euo pipefail
package=$1
contents=$(dpkg-deb -c "$package" | awk '{print $6}')
for path in ./usr/bin/velmora ./usr/bin/velmora-cli ./usr/lib/*/velmora/velmora-curl.so \
  ./usr/share/applications/org.velmora.Velmora.desktop \
  ./usr/share/metainfo/org.velmora.Velmora.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/velmora.svg \
  ./usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/velmora.png \
  ./usr/share/man/man1/velmora.1.gz ./usr/share/man/man1/velmora-cli.1.gz \
  ./usr/share/doc/velmora/copyright ./usr/share/doc/velmora/changelog.gz; do
  found=no
  for entry in $contents; do
    # shellcheck disable=SC2053 # the path may be a pattern
    [[ $entry == $path ]] && found=yes
  done
  [ $found = yes ] || { echo "check-package: $path missing" >&2; exit 1; }
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$package" "$root"
for program in velmora velmora-cli; do
  file "$root/usr/bin/$program" | grep -q ", stripped" ||
    { echo "check-package: $program is not stripped" >&2; exit 1; }
done
# The manual page is the program's own --help.
zcat "$root/usr/share/man/man1/velmora-cli.1.gz" | grep -q "update\\\\-parts" ||
  { echo "check-package: velmora-cli(1) lacks the actions" >&2; exit 1; }
version=$("$root/usr/bin/velmora-cli" --version)
[ "$version" = "velmora-cli $(dpkg-deb -f "$package" Version)" ] ||
  { echo "check-package: velmora-cli --version says '$version'" >&2; exit 1; }
echo "check-package: $package ok ($version)"

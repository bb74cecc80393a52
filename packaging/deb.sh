#!/usr/bin/env bash
# Builds the Debian package from the source tarball, doing by hand the few
# steps debhelper would: Debian's build flags, the games in /usr/games, man
# pages gzipped, the copyright and changelog in the doc folder, stripped
# binaries, the libc dependency from dpkg-shlibdeps, files owned by root.
# Building from the tarball rather than the work tree ties the package to the
# committed sources, as the tarball beside it holds them.
#
# Usage: packaging/deb.sh TARBALL WEB_PAGE WORK_DIR OUTPUT_DIR
# The revision is DEB_REVISION (default 1); the changelog's date and the
# files' times are the commit's, so that a rebuild gives the same package.
set -euo pipefail
umask 022

[ $# -eq 4 ] || { echo "usage: $0 TARBALL WEB_PAGE WORK_DIR OUTPUT_DIR" >&2; exit 2; }
tarball=$(realpath "$1")
[ -f "$2" ] || { echo "deb: no web page at $2 (make web builds it)" >&2; exit 1; }
page=$(realpath "$2")
work=$3 out=$(realpath "$4")
revision=${DEB_REVISION:-1}

rm -rf "$work"
mkdir -p "$work" "$out"
tar -xzf "$tarball" -C "$work"
cd "$work/$(basename "$tarball" .tar.gz)"

version=$(sed -n 's/^project.tramontalia VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "deb: no project version in CMakeLists.txt" >&2; exit 1; }
# git archive dates every file at the commit.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(stat -c %Y CMakeLists.txt)}

cp -r packaging/debian debian
maintainer=$(sed -n 's/^Maintainer: //p' debian/control)
{
  printf 'tramontalia (%s-%s) unstable; urgency=medium\n\n' "$version" "$revision"
  printf '  * Package of the upstream release %s.\n\n' "$version"
  printf ' -- %s  %s\n' "$maintainer" "$(LC_ALL=C date -R -u -d "@$SOURCE_DATE_EPOCH")"
} > debian/changelog

# CMake reads CXXFLAGS and LDFLAGS from the environment, but not CPPFLAGS.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
stage=debian/tramontalia
# Quiet, but for the log of a step that fails.
{
  cmake -S . -B obj -DCMAKE_BUILD_TYPE=Release -DTRAMONTALIA_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games -DTRAMONTALIA_WEB_PAGE="$page" &&
    cmake --build obj -j --target tramontalia tramontalia-utf8 &&
    DESTDIR=$PWD/$stage cmake --install obj
} > obj.log 2>&1 || { cat obj.log; exit 1; }
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$stage"/usr/games/*
# The UTF-8 edition's page is a link to the other, and stays one.
for manual in "$stage"/usr/share/man/man6/*.6; do
  if [ -L "$manual" ]; then
    ln -s "$(readlink "$manual").gz" "$manual.gz"
    rm "$manual"
  else
    gzip -9n "$manual"
  fi
done
doc=$stage/usr/share/doc/tramontalia
install -d "$doc"
install -m 644 debian/copyright "$doc/copyright"
gzip -9nc debian/changelog > "$doc/changelog.Debian.gz"
install -D -m 644 debian/lintian-overrides "$stage/usr/share/lintian/overrides/tramontalia"

install -d "$stage/DEBIAN"
(cd "$stage" && find . -type f ! -path './DEBIAN/*' -printf '%P\0' | LC_ALL=C sort -z |
  xargs -0 md5sum) > "$stage/DEBIAN/md5sums"
dpkg-shlibdeps "$stage"/usr/games/*
dpkg-gencontrol -ptramontalia -P"$stage"
dpkg-deb --root-owner-group --build "$stage" \
  "$out/tramontalia_${version}-${revision}_$(dpkg --print-architecture).deb"

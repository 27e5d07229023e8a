#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks what it would install.
set -euo pipefail
build_dir=$1
source_dir=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build_dir/CPackConfig.cmake" -B "$out" >/dev/null || fail "cpack failed"
deb=$(ls "$out"/quillsmith_*.deb 2>/dev/null | head -n 1)
[[ -n "$deb" ]] || fail "no .deb was made"

contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/quillsmith ./usr/bin/quillsmith-cli \
  ./usr/share/applications/quillsmith.desktop ./usr/share/mime/packages/quillsmith.xml \
  ./usr/share/icons/hicolor/scalable/apps/quillsmith.svg \
  ./usr/share/icons/hicolor/48x48/apps/quillsmith.png \
  ./usr/share/man/man1/quillsmith-cli.1.gz ./usr/share/man/man1/quillsmith.1.gz \
  ./usr/share/metainfo/io.github.quillsmith.quillsmith.metainfo.xml \
  ./usr/share/doc/quillsmith/copyright ./usr/share/doc/quillsmith/changelog.Debian.gz \
  ./usr/share/quillsmith/QuillSmith.chm ./usr/share/quillsmith/website/Index.html; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done
grep -q "/quillsmith/quillsmith-webviews.so\$" <<<"$contents" ||
  fail "the package lacks the web-view module"

depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6webenginewidgets6 libqt6widgets6; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib ($depends)"
done
dpkg-deb --field "$deb" Recommends | grep -q fp-utils || fail "fp-utils is not recommended"
# The newest changelog entry is this version's, and the release date software centres show is
# that entry's day.
tree="$out/tree"
dpkg-deb --extract "$deb" "$tree"
doc="$tree/usr/share/doc/quillsmith"
gzip -dc "$doc/changelog.Debian.gz" >"$out/changelog"
version=$(dpkg-deb --field "$deb" Version)
logged=$(dpkg-parsechangelog -l "$out/changelog" -S Version)
[[ "$logged" == "$version" ]] ||
  fail "the newest changelog entry is for $logged, the package is $version: add an entry"
day=$(date -u -d "$(dpkg-parsechangelog -l "$out/changelog" -S Date)" +%F)
metainfo="$tree/usr/share/metainfo/io.github.quillsmith.quillsmith.metainfo.xml"
release=$(xmllint --xpath "concat(//release[1]/@version, ' ', //release[1]/@date)" "$metainfo")
[[ "$release" == "${version%-*} $day" ]] ||
  fail "the metainfo's newest release is '$release', not '${version%-*} $day'"

# The copyright file grants what the source's licence grants, word for word.
[[ -f "$source_dir/LICENSE" ]] || fail "the source has no LICENSE"
granted=$(awk -v RS= '/^License: Expat\n/' "$doc/copyright" | sed '1d; s/^ //; s/^\.$//')
licence=$(sed '1,/^Copyright/d' "$source_dir/LICENSE" | sed '/./,$!d')
[[ "$granted" == "$licence" ]] || fail "the copyright file's licence differs from LICENSE"
grep -qx "Copyright: .*QuillSmith developers" "$doc/copyright" || fail "the copyright file names no holder"
echo "package $(basename "$deb") is complete"

#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks what it would install.
set -euo pipefail
build_dir=$1
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
  ./usr/share/man/man1/quillsmith-cli.1 ./usr/share/quillsmith/QuillSmith.chm \
  ./usr/share/quillsmith/website/Index.html; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done
grep -q "/quillsmith/quillsmith-webviews.so\$" <<<"$contents" ||
  fail "the package lacks the web-view module"

depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6webenginewidgets6 libqt6widgets6; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib ($depends)"
done
dpkg-deb --field "$deb" Recommends | grep -q fp-utils || fail "fp-utils is not recommended"
echo "package $(basename "$deb") is complete"

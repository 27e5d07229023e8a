#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the tree a desktop would see.
set -euo pipefail
build_dir=$1
version=$2  # as the programs show it
webviews=$3  # the web-view module's folder, relative to the program's, where it looks
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$dest" cmake --install "$build_dir" --prefix /usr >/dev/null
root="$dest/usr"

for program in quillsmith quillsmith-cli; do
  [[ -x "$root/bin/$program" ]] || fail "bin/$program is not installed"
done
"$root/bin/quillsmith-cli" --version | grep -qxF "quillsmith-cli $version" ||
  fail "the installed quillsmith-cli does not run"

# The browsers are a module the program loads when the first is made, from where it looks:
# the program itself must not load the web engine at its start.
module="$root/bin/$webviews/quillsmith-webviews.so"
[[ -f "$module" ]] || fail "the web-view module is not installed where the program looks ($module)"
# (Read whole before grep looks: a grep that stops at its first match can cut the writer
# off, which pipefail would count as a failure.)
grep -q libQt6WebEngineWidgets <<<"$(ldd "$module")" || fail "the web-view module lacks the web engine"
if grep -qi webengine <<<"$(ldd "$root/bin/quillsmith")"; then
  fail "the program links the web engine, which it should load only with its first browser"
fi

desktop="$root/share/applications/quillsmith.desktop"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -qx "MimeType=application/x-quillsmith-project;" "$desktop" ||
  fail "desktop entry does not open project files"

mime="$root/share/mime/packages/quillsmith.xml"
xmllint --noout "$mime" || fail "MIME definition is not valid XML"
glob=$(xmllint --xpath "string(//*[local-name()='mime-type'][@type='application/x-quillsmith-project']/*[local-name()='glob']/@pattern)" "$mime")
[[ "$glob" == "*.qsp" ]] || fail "MIME definition does not name *.qsp (found '$glob')"

[[ -s "$root/share/icons/hicolor/scalable/apps/quillsmith.svg" ]] || fail "no scalable icon"
for size in 16 32 48 64 128 256; do
  png="$root/share/icons/hicolor/${size}x${size}/apps/quillsmith.png"
  [[ -s "$png" ]] || fail "no ${size}px icon"
  file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a ${size}px PNG"
done

# The manual pages are compressed without a name or time in the gzip header, so that two
# builds of the same sources install the same bytes.
manual_page() {
  local page="$root/share/man/man1/$1.1.gz"
  [[ -s "$page" ]] || fail "no manual page for $1"
  gzip -t "$page" || fail "the manual page of $1 is not gzip data"
  [[ $(od -An -tx1 -j3 -N5 "$page" | tr -d ' \n') == 0000000000 ]] ||
    fail "the manual page of $1 carries a file name or time in its gzip header"
  gzip -dc "$page"
}
for program in quillsmith-cli quillsmith; do
  man=$(manual_page "$program")
  grep -qF "\"QuillSmith $version\"" <<<"$man" || fail "$program's manual page lacks the version"
  [[ $(MANWIDTH=80 man --warnings -l - <<<"$man" 2>&1 >/dev/null) == "" ]] ||
    fail "$program's manual page does not format cleanly"
done
man=$(manual_page quillsmith-cli)
for word in 'B quillsmith-cli list' 'B quillsmith-cli extract' 'B quillsmith-cli build' \
  'B quillsmith-cli unique' 'B quillsmith-cli web' '\-\-fresh' '\-\-help\-folder' '\-\-out' '\-\-compile' \
  '\-\-compiler' '\-\-erase' '\-\-language\-file' 'SH DIAGNOSTICS' 'SH EXIT STATUS'; do
  grep -qF -- "$word" <<<"$man" || fail "manual page does not describe $word"
done
man=$(manual_page quillsmith)
for word in 'SH OPTIONS' 'I PROJECT.qsp' 'SH FILES' 'QuillSmith.ini' 'Recovery/' 'SH ENVIRONMENT' \
  'B PUREBASIC_HOME' 'B QUILLSMITH_LOG' 'XDG_CONFIG_HOME' 'B DICPATH'; do
  grep -qF -- "$word" <<<"$man" || fail "quillsmith's manual page does not describe $word"
done

# What software centres read: valid on its own, and naming the desktop entry and icon
# installed beside it.
metainfo="$root/share/metainfo/io.github.quillsmith.quillsmith.metainfo.xml"
[[ -s "$metainfo" ]] || fail "no AppStream metainfo"
appstreamcli validate --strict --no-net "$metainfo" >/dev/null || fail "AppStream metainfo"
appstreamcli validate-tree --strict --no-net "$dest" >/dev/null ||
  fail "AppStream metainfo does not agree with the installed tree"

chm="$root/share/quillsmith/QuillSmith.chm"
[[ -s "$chm" ]] || fail "the program's help file is missing or empty"
grep -q "/QuillSmith.html$" <<<"$(chmls list "$chm")" || fail "the help file has no QuillSmith.html"
[[ -s "$root/share/quillsmith/QuillSmithHelp/QuillSmith.html" ]] ||
  fail "the help pages for the program's own preview are missing"
for file in Index.html keywords.html assets/search-index.js assets/site.js live-pane.png; do
  [[ -s "$root/share/quillsmith/website/$file" ]] || fail "the manual's website lacks $file"
done
echo "installed tree is complete"

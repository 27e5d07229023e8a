#!/usr/bin/env bash
# quillsmith-cli.exe under Wine against the Linux quillsmith-cli on the same inputs: list,
# extract (fresh and merging), build, unique and the manual's build must give the same bytes;
# the compile step runs a stand-in compiler through the Windows runner.
#
# Usage: cli_endtoend.sh LINUX_CLI SAMPLE_LIBRARY WINDOWS_CLI STANDIN_COMPILER DOCS_FOLDER
# WINE (the wine64 program) and WINEPREFIX (a throw-away prefix) come from the environment.
#
# The project file and the build log name full paths, which differ between the systems by
# nature (C:\... against /tmp/...): their path lines are compared with the paths given, and
# everything else byte for byte. Pages, contents and project files of the help folder and the
# unique HTML file embed no path and must be identical.
set -euo pipefail

linux_cli=$1 sample=$2 windows_cli=$3 standin=$4 docs=$5
: "${WINE:?}" "${WINEPREFIX:?}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same layout on both sides; blanks in the names on purpose.
lin="$work/qs e2e"
win_unix="$WINEPREFIX/drive_c/qs e2e"
win='C:\qs e2e'
rm -rf "$win_unix"
mkdir -p "$lin" "$win_unix/stand in"
for side in "$lin" "$win_unix"; do
  cp "$sample" "$side/TextKit"
  cp "$docs/QuillSmith.qsp" "$docs/QuillSmith_Manual.lng" "$side/"
done
cp "$standin" "$win_unix/stand in/hhc.exe"

checks=0
fail() {
  echo "cli_endtoend: $*" >&2
  exit 1
}
pass() { checks=$((checks + 1)); }

# Runs quillsmith-cli.exe (bounded: Wine can hang), keeping its output and exit status.
run_windows() {
  local name=$1
  shift
  set +e
  timeout 120 "$WINE" "$windows_cli" "$@" >"$work/$name.win.out" 2>"$work/$name.win.err"
  echo $? >"$work/$name.win.status"
  set -e
}
run_linux() {
  local name=$1
  shift
  set +e
  timeout 120 "$linux_cli" "$@" >"$work/$name.lin.out" 2>"$work/$name.lin.err"
  echo $? >"$work/$name.lin.status"
  set -e
}
status_is() { # name side expected
  local got
  got=$(cat "$work/$1.$2.status")
  [[ $got == "$3" ]] || fail "$1 ($2): exit status $got, wanted $3: $(cat "$work/$1.$2.err")"
  pass
}
same_file() { # label linux-file windows-file
  cmp -s "$2" "$3" || fail "$1: the Windows bytes differ from the Linux bytes ($2, $3)"
  pass
}
same_tree() { # label linux-folder windows-folder
  diff -r "$2" "$3" >/dev/null || fail "$1: the folders differ: $(diff -rq "$2" "$3" | head -5)"
  pass
}
# The project file: its three path lines as given, everything after them identical.
same_project() { # label linux-file windows-file help-folder-line
  local lin_file=$2 win_file=$3
  [[ $(sed -n 2,4p "$win_file" | tr -d '\r') == "$(printf '%s\n%s\n%s' \
    "$win\\TextKit.qsp" "$win\\TextKit" "$win\\help folder\\")" ]] ||
    fail "$1: the Windows project's path lines are $(sed -n 2,4p "$win_file" | tr -d '\r')"
  [[ $(sed -n 2,4p "$lin_file" | tr -d '\r') == "$(printf '%s\n%s\n%s' \
    "$lin/TextKit.qsp" "$lin/TextKit" "$lin/help folder/")" ]] ||
    fail "$1: the Linux project's path lines are $(sed -n 2,4p "$lin_file" | tr -d '\r')"
  cmp -s <(sed 2,4d "$lin_file") <(sed 2,4d "$win_file") ||
    fail "$1: the projects differ beyond their paths"
  pass
}

# list: the function table, byte for byte (LF-ended lines on both systems).
run_linux list list "$lin/TextKit"
run_windows list list "$win\\TextKit"
status_is list lin 0
status_is list win 0
[[ -s "$work/list.lin.out" ]] || fail "list printed nothing"
same_file "list output" "$work/list.lin.out" "$work/list.win.out"

# extract afresh, then again into the saved project (load, merge, save).
for round in fresh merge; do
  run_linux "extract-$round" extract "$lin/TextKit" "$lin/TextKit.qsp" --help-folder "$lin/help folder"
  run_windows "extract-$round" extract "$win\\TextKit" "$win\\TextKit.qsp" \
    --help-folder "$win\\help folder"
  status_is "extract-$round" lin 0
  status_is "extract-$round" win 0
  same_project "project after extract ($round)" "$lin/TextKit.qsp" "$win_unix/TextKit.qsp"
done

# build: the same files in the same order, each with the same bytes.
run_linux build build "$lin/TextKit.qsp"
run_windows build build "$win\\TextKit.qsp"
status_is build lin 0
status_is build win 0
cmp -s <(sed "s|^$lin/help folder/||" "$work/build.lin.out") \
  <(sed 's|^C:\\qs e2e\\help folder\\||' "$work/build.win.out") ||
  fail "build logs name different files: $(paste -d' ' "$work/build.lin.out" "$work/build.win.out" | head -3)"
[[ $(wc -l <"$work/build.win.out") -gt 10 ]] || fail "build wrote too few files"
pass
same_tree "help folder" "$lin/help folder" "$win_unix/help folder"

# unique: the one-page help file.
run_linux unique unique "$lin/TextKit.qsp" --out "$lin/web"
run_windows unique unique "$win\\TextKit.qsp" --out "$win\\web"
status_is unique lin 0
status_is unique win 0
same_tree "unique HTML file" "$lin/web" "$win_unix/web"

# The program's manual: user topics, sub-headings and captions from a language file.
run_linux manual build "$lin/QuillSmith.qsp" --out "$lin/manual" \
  --language-file "$lin/QuillSmith_Manual.lng"
run_windows manual build "$win\\QuillSmith.qsp" --out "$win\\manual" \
  --language-file "$win\\QuillSmith_Manual.lng"
status_is manual lin 0
status_is manual win 0
same_tree "manual" "$lin/manual" "$win_unix/manual"

# The compile step through the Windows runner. The stand-in pauses before it writes the
# compiled file, so a compiled file found afterwards shows that the run waited; its log shows
# the one argument (the .hhp, blanks and all) and the working folder: the copy of the help
# folder in a private folder of the run, which is gone afterwards.
compiler="$win\\stand in\\hhc.exe"
help_unix="$win_unix/help folder"
QS_STANDIN_LOG="$win\\standin.log" run_windows compile build "$win\\TextKit.qsp" --compile \
  --compiler "$compiler" --erase
status_is compile win 0
[[ $(tail -n 1 "$work/compile.win.out") == "$win\\help folder\\TextKit.chm" ]] ||
  fail "compile printed $(tail -n 1 "$work/compile.win.out")"
[[ -s "$help_unix/TextKit.chm" ]] || fail "no compiled help file"
mapfile -t started <"$win_unix/standin.log"
copy_folder=${started[2]%$'\r'}
[[ ${#started[@]} == 3 && ${started[0]} == 1 && ${started[1]} == "$copy_folder\\TextKit.hhp" &&
  $copy_folder == *'\quillsmith-compile-'*'\help' ]] ||
  fail "the compiler was started as $(cat "$win_unix/standin.log")"
# --erase left the compiled file and nothing of the build.
[[ $(ls "$help_unix" | tr '\n' ' ') == "TextKit.chm " ]] ||
  fail "after erasing the help folder holds $(ls "$help_unix")"
pass

# A compiled file that comes out empty, or not at all, is a failure: the old one is deleted
# first, so it cannot pass for the new one. The message names the file as Windows writes it.
for mode in empty none; do
  printf 'old compiled help' >"$help_unix/TextKit.chm"
  QS_STANDIN_CHM=$mode run_windows "compile-$mode" build "$win\\TextKit.qsp" --compile \
    --compiler "$compiler"
  status_is "compile-$mode" win 1
  [[ $(cat "$work/compile-$mode.win.err") == "$(printf "Could not create CHM help file!\n'%s'" \
    "$win\\help folder\\TextKit.chm")" ]] ||
    fail "compile ($mode) said $(cat "$work/compile-$mode.win.err")"
  pass
done
run_windows compile-missing build "$win\\TextKit.qsp" --compile --compiler "$win\\nothing.exe"
status_is compile-missing win 1

echo "End-to-end under Wine: $checks checks passed (quillsmith-cli.exe gives the Linux bytes)"

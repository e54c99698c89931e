#!/usr/bin/env bash
# Installs the program into a temporary prefix and starts the installed copy
# offscreen with a project, as the desktop entry would: it must open the
# project, find its help page and carry its icon, write nothing beside
# itself, and take its arguments byte for byte. Then starts it where no
# display can be opened: one line on standard error and status 1.
# Arguments: the cmake program, the build folder, the source folder.
set -euo pipefail
cmake=$1 build=$2 source=$3
work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAILED: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
desktop=$prefix/share/applications/brindlemar.desktop
for f in bin/brindlemar share/brindlemar/Brindlemar.html share/applications/brindlemar.desktop \
         share/mime/packages/brindlemar.xml share/icons/hicolor/scalable/apps/brindlemar.svg \
         share/icons/hicolor/256x256/apps/brindlemar.png; do
  [ -f "$prefix/$f" ] || fail "cmake --install left out $f"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
fi
# the type the desktop entry opens is the one the file type gives to *.bmi
type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")
grep -q "type=\"$type\"" "$prefix/share/mime/packages/brindlemar.xml" || fail "no file type $type"
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" || fail "the file type does not load"
  grep -qx "$type:\*.bmi" "$prefix/share/mime/globs" || fail "*.bmi is not $type"
fi

# a project in a folder with blanks, handed over as one argument (Exec=... %f)
mkdir -p "$work/my walls" "$work/home"
project="$work/my walls/north wall.bmi"
cp "$source/fuzz/corpus/ProjectFile/built-in-2.60.bmi" "$project"
run() { (cd "$work" && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" timeout 60 "$@"); }
# starts the installed program with the arguments after the first, which
# names the project it must open without a word
start_check() {
  local opened=$1 status=0 report expected
  shift
  report=$(run env QT_QPA_PLATFORM=offscreen BRINDLEMAR_START_CHECK=1 "$prefix/bin/brindlemar" "$@" \
           2>"$work/stderr") || status=$?
  expected="project: $opened
help: $prefix/share/brindlemar/Brindlemar.html
icon: shown"
  if [ "$status" -ne 0 ] || [ "$report" != "$expected" ]; then
    cat "$work/stderr"
    fail "the installed program started with $* (status $status) reported
$report
instead of
$expected"
  fi
}
start_check "$project" "$project"
# the end of options, a second file, and an old Latin-1 name that is no UTF-8
start_check "$project" -- "$project"
start_check "$project" "$project" "$work/my walls/other.bmi"
latin1="$work/my walls/qu"$'\xe9'" wall.bmi"
cp "$project" "$latin1"
start_check "$latin1" -- "$latin1" "$project"

# the user's defaults go to the user's configuration folder, nothing into bin/
[ "$(ls -A "$prefix/bin")" = "brindlemar" ] || fail "the program wrote into its bin/: $(ls -A "$prefix/bin")"
[ -f "$work/home/.config/Brindlemar/Default.dat" ] || fail "no defaults file in the configuration folder"

# no display named, and a display named that is not there
for display in "" ":2147"; do
  status=0
  run env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$prefix/bin/brindlemar" "$project" \
    >/dev/null 2>"$work/stderr" || status=$?
  lines=$(wc -l <"$work/stderr")
  if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q "^Brindlemar cannot open a window: " "$work/stderr"; then
    cat "$work/stderr"
    fail "with DISPLAY=\"$display\" the program ended with status $status and $lines lines on standard error"
  fi
done
echo "installed program started, opened the project and found its help page"

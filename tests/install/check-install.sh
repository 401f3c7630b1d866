#!/usr/bin/env bash
# check-install.sh <build dir> <scratch prefix>
# Installs the built game and checks what a packager and a player rely on:
# the program folder with its language files and help, the launcher on the
# PATH, the menu entry, the icons and valid desktop and AppStream metadata;
# then starts the installed game from the launcher and checks it runs.
set -euo pipefail
build=$1
prefix=$2
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_file() { [ -f "$prefix/$1" ] || fail "missing $1"; }

expect_file lib/tavro/tavro
[ -x "$prefix/lib/tavro/tavro" ] || fail "lib/tavro/tavro is not executable"
[ -L "$prefix/bin/tavro" ] || fail "bin/tavro is not a link to the program"
[ "$(readlink -f "$prefix/bin/tavro")" = "$(readlink -f "$prefix/lib/tavro/tavro")" ] ||
  fail "bin/tavro does not lead to lib/tavro/tavro"
for lang in deutsch english spanish italian french; do expect_file "lib/tavro/lang/$lang.lng"; done
for help in de en es it fr; do expect_file "lib/tavro/help/$help/index.html"; done
expect_file lib/tavro/Readme.htm
for section in de en es it fr; do
  grep -q "<section id=\"$section\"" "$prefix/lib/tavro/Readme.htm" || fail "Readme.htm has no section $section"
done
expect_file share/applications/tavro.desktop
# The solver's command-line tool is on the PATH and answers.
[ -x "$prefix/bin/tavro-solve" ] || fail "bin/tavro-solve is missing or not executable"
[ "$(printf 'btc 2\nboard\n12\n12\n00\n' | "$prefix/bin/tavro-solve" | head -1)" = "best 22" ] ||
  fail "the installed tavro-solve does not solve a board"
expect_file share/metainfo/tavro.metainfo.xml
for size in 16 32 48 64 128 256; do
  icon=share/icons/hicolor/${size}x${size}/apps/tavro.png
  expect_file "$icon"
  [ "$(file -b "$prefix/$icon" | grep -o "$size x $size")" = "$size x $size" ] ||
    fail "$icon is not $size x $size"
done

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/tavro.desktop" || fail "desktop entry invalid"
else
  echo "desktop-file-validate not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/tavro.metainfo.xml" >/dev/null ||
    fail "AppStream metadata invalid"
else
  echo "appstreamcli not installed: AppStream metadata not validated"
fi

# The installed game, started as the menu entry starts it (its Exec command
# found on the PATH), runs, stays up and reports no error.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/tavro.desktop")
read -r -a command <<<"$exec_line"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
PATH=$prefix/bin:$PATH XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
  "${command[@]}" >"$home/out" 2>&1 &
pid=$!
sleep 4
kill -0 "$pid" 2>/dev/null || { cat "$home/out" >&2; fail "the installed game ended by itself"; }
kill "$pid"
wait "$pid" 2>/dev/null || true
for log in "$prefix/lib/tavro/tavro.EPT" "$home/data/Tavro/Tavro/tavro.EPT"; do
  [ ! -e "$log" ] || { cat "$log" >&2; fail "the installed game reported an error"; }
done

# A player cannot write into the installed program folder, so the error log
# goes to the per-user data folder. A stored "Cols" of "abc" makes the game
# report an error at start-up. As root the game runs as "nobody" from a copy
# installed under /tmp (every folder above it must be open to that user);
# otherwise the program folder is made read-only.
player=$(mktemp -d)
chmod 755 "$player"
trap 'rm -rf "$home" "$player"' EXIT
cmake --install "$build" --prefix "$player/prefix" >/dev/null
mkdir -p "$player/home/config/Tavro"
printf '[Settings]\nCols=abc\n' >"$player/home/config/Tavro/Tavro.conf"
as_player=()
if [ "$(id -u)" = 0 ]; then
  chown -R 65534:65534 "$player/home"
  as_player=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  chmod a-w "$player/prefix/lib/tavro"
fi
HOME=$player/home XDG_CONFIG_HOME=$player/home/config XDG_DATA_HOME=$player/home/data \
  "${as_player[@]}" "$player/prefix/bin/tavro" >"$player/out" 2>&1 &
pid=$!
log=$player/home/data/Tavro/Tavro/tavro.EPT
for _ in $(seq 100); do [ -s "$log" ] && break; sleep 0.1; done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
chmod u+w "$player/prefix/lib/tavro"
[ -s "$log" ] || { cat "$player/out" >&2; fail "no error log in the per-user data folder"; }
grep -q "Type mismatch" "$log" && grep -q "Form_Load" "$log" ||
  fail "the error log does not describe the failed setting"
[ ! -e "$player/prefix/lib/tavro/tavro.EPT" ] || fail "error log written into the program folder"
echo "installed tree OK"

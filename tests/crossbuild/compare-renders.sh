#!/usr/bin/env bash
# The Windows build draws exactly what the Linux build draws, apart from the texts: every window
# kind of both demo skins, as it opens and after mouse scripts, rendered by both morvish-render
# programs and compared byte for byte (both write PNG with the same encoder and zlib).
#
#   tests/crossbuild/compare-renders.sh LINUX_BIN WINDOWS_BIN WINE_PREFIX
#
# Texts are left out of both pictures (--no-text, which takes the path of a system without the
# fonts): GDI draws them on Windows and FreeType on Linux, so their pixels differ on purpose and
# are compared by eye instead. Everything else must match to the pixel. The Windows program gets what a Windows user gives
# it: drive-letter paths with backslashes (and once UNC paths), a skin folder and an output file
# named in Japanese, and it runs from a folder other than its own, so that it must find its sample pictures beside
# itself. The sample pictures and the skins' bitmaps the two demo skin generators wrote must be
# the same bytes too.
set -euo pipefail
linux=$(realpath "$1")
windows=$(realpath "$2")
prefix=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../cmake/wine-run.sh"

work=$(mktemp -d)
# Wine serves \\morvish\work from its prefix's dosdevices/unc folder (a UNC path, below).
unc_share="$prefix/dosdevices/unc/morvish"
trap 'rm -rf "$work"; rm -f "$unc_share/work"' EXIT
mkdir -p "$work/elsewhere" "$work/linux" "$work/windows"

passed=0
failed=0
check() {  # check NAME COMMAND...: counts the result of one comparison
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "DIFFERS: $name"
  fi
}

# Both generators' output, screenshots aside (their texts differ).
same_generated_files() {
  diff -rq --exclude=ss.png --exclude=SkinDir.txt "$linux/$1" "$windows/$1"
}
check "graphic/" same_generated_files graphic
check "skins/" same_generated_files skins

# The skins under Japanese names, in a root folder named in Japanese.
root="$work/スキン置き場"
mkdir -p "$root"
cp -r "$linux/skins/parchment" "$root/羊皮紙"
cp -r "$linux/skins/nightfall" "$root/夜の帳"

# winepath now and then prints nothing while Wine is busy with the tests just run: try again.
windows_path() {
  local path attempt
  for attempt in 1 2 3 4 5; do
    path=$(WINEPREFIX=$prefix WINEDEBUG=-all winepath -w "$1" 2>/dev/null) || true
    if [ -n "$path" ]; then
      printf '%s\n' "$path"
      return 0
    fi
    sleep "$attempt"
  done
  echo "winepath gave no Windows path for $1" >&2
  return 1
}

# Mouse scripts: none; a press and release at a spread of points (tabs, minimise buttons, rows),
# ending with a hover; and a drag that ends held down over the top-right buttons.
printf '' >"$work/plain.events"
{
  for point in "270 8" "40 30" "100 60" "20 100" "150 150" "250 200" "60 230" "200 30"; do
    printf 'down 1 %s\nup 1 %s\n' "$point" "$point"
  done
  printf 'move 0 120 40\n'
} >"$work/clicks.events"
printf 'move 0 10 10\nmove 1 200 8\ndown 1 262 8\nmove 1 262 9\n' >"$work/held.events"

renders=0
cd "$work/elsewhere"
for skin in 羊皮紙 夜の帳; do
  skin_windows=$(windows_path "$root/$skin")
  for kind in all basic msgbox status option item equip chat party skill trade etc; do
    for script in plain clicks held; do
      name="$skin-$kind-$script"
      out_linux="$work/linux/全ウィンドウ-$name.png"
      out_windows="$work/windows/全ウィンドウ-$name.png"
      "$linux/morvish-render" --no-text --skin "$root/$skin" --window "$kind" \
        --events "$work/$script.events" -o "$out_linux"
      "$wine_run" "$prefix" "$windows/morvish-render.exe" --no-text --skin "$skin_windows" \
        --window "$kind" --events "$(windows_path "$work/$script.events")" \
        -o "$(windows_path "$out_windows")"
      check "$name" cmp -s "$out_linux" "$out_windows"
      renders=$((renders + 1))
    done
  done
done

# A skin folder, an events file and an output file given as UNC paths (\\server\share\...).
mkdir -p "$unc_share"
ln -sfn "$work" "$unc_share/work"
unc='\\morvish\work'
"$wine_run" "$prefix" "$windows/morvish-render.exe" --no-text --skin "$unc\スキン置き場\羊皮紙" \
  --window all --events "$unc\clicks.events" -o "$unc\windows\unc.png"
check "UNC paths" cmp -s "$work/linux/全ウィンドウ-羊皮紙-all-clicks.png" "$work/windows/unc.png"
renders=$((renders + 1))

echo "Compared $renders pictures of the Linux and the Windows build."
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

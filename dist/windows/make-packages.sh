#!/usr/bin/env bash
# Makes the Windows packages from a Windows build's program folder: the portable zip
# morvish-VERSION-win64.zip (the programs, the sample pictures, the demo skins, a root list naming
# them relative to the program and a read-me) and the setup program morvish-VERSION-win64-setup.exe
# (NSIS) installing the same folder.
#
#   dist/windows/make-packages.sh VERSION BIN_DIR WORK_DIR OUT_DIR STRIP
set -euo pipefail
version=$1
bin=$(realpath "$2")
work=$(realpath -m "$3")
out=$(realpath -m "$4")
strip=$5
here=$(realpath "$(dirname "$0")")
name=morvish-$version-win64

rm -rf "$work"
folder=$work/$name
mkdir -p "$folder" "$out"
for program in morvish.exe morvish-render.exe; do
  "$strip" -o "$folder/$program" "$bin/$program"
done
cp -r "$bin/graphic" "$folder/"
mkdir "$folder/skins"
for skin in parchment nightfall broken; do cp -r "$bin/skins/$skin" "$folder/skins/"; done
# Relative to the list's own folder, so that the program folder can be moved anywhere.
printf 'skins\\\r\n' >"$folder/SkinDir.txt"
# Notepad reads the byte order mark as UTF-8; lines end with CR LF.
{ printf '\xEF\xBB\xBF'; sed "s/@VERSION@/$version/; s/\$/\r/" "$here/README-ja-en.txt.in"; } \
  >"$folder/README.txt"
cp "$here/morvish.ico" "$work/"

rm -f "$out/$name.zip"
(cd "$work" && zip -qr -X "$out/$name.zip" "$name")

# The uninstaller's list: every installed file, then the folders, deepest first.
files=$work/files.nsh
{
  echo '!macro MORVISH_DELETE_FILES'
  (cd "$folder" && find . -type f | sort) | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
  (cd "$folder" && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
  echo '!macroend'
} >"$files"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSOURCE="$folder" -DFILES="$files" \
  -DOUTFILE="$out/$name-setup.exe" "$here/installer.nsi"
echo "Made $out/$name.zip and $out/$name-setup.exe"

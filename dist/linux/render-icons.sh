#!/usr/bin/env bash
# Renders the icon's hicolor sizes from its drawings (needs rsvg-convert from librsvg2-bin).
# 16x16 has a drawing of its own on whole pixels; 256x256 is org.morvish.Morvish.png, which the
# desktop program also carries inside itself.
set -euo pipefail
cd "$(dirname "$0")"
id=org.morvish.Morvish
for size in 16 22 24 32 48 64 128; do
  drawing=$id.svg
  [ "$size" -eq 16 ] && drawing=$id-16.svg
  mkdir -p "icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$drawing" -o "icons/${size}x${size}/$id.png"
done

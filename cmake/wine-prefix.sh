#!/usr/bin/env bash
# Makes the private Wine prefix in which the Windows build's programs and tests run, unless it is
# made already: a fresh 64-bit prefix, and the Windows faces of the sample texts mapped to the free
# faces Debian installs (MS PGothic to IPAPGothic, Arial to Liberation Sans), so that the texts are
# drawn by Wine's GDI in the faces the program asks for; and MS UI Gothic, the face Wine links to
# its menus, dialogs and controls for Japanese text, mapped to IPAPGothic too, so that the desktop
# program's Japanese captions show.
#
#   cmake/wine-prefix.sh PREFIX
set -euo pipefail
prefix=$(realpath -m "$1")
export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: their install dialogs would wait for a user, and nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine's services outlive the commands below and keep what they inherit: no descriptor but the
# standard ones reaches them (a build lock held by the caller among them).
for fd in /proc/$$/fd/*; do
  fd=${fd##*/}
  if [ "$fd" -gt 2 ] && [ "$fd" -ne 255 ]; then eval "exec $fd>&-"; fi
done

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
# The marker names the version of this set-up; a prefix made by an older one is made anew.
version=2
[ "$(cat "$prefix/.morvish-ready" 2>/dev/null)" = "$version" ] && exit 0

rm -rf "$prefix"
replacements='HKCU\Software\Wine\Fonts\Replacements'
{
  wineboot -i
  wine reg add "$replacements" /v 'MS PGothic' /t REG_SZ /d IPAPGothic /f
  wine reg add "$replacements" /v Arial /t REG_SZ /d 'Liberation Sans' /f
  wine reg add "$replacements" /v 'MS UI Gothic' /t REG_SZ /d IPAPGothic /f
  # The registry reaches the prefix's files when the server ends.
  wineserver -w
} >/dev/null 2>&1 9>&-
echo "$version" >"$prefix/.morvish-ready"

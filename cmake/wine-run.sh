#!/usr/bin/env bash
# Runs a program of the Windows build under Wine, in the build's private prefix (made on first
# use). CMake uses it as the cross-compiling emulator: test discovery, the tests and the demo skin
# generator run through it.
#
#   cmake/wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
#
# The first program in a prefix starts Wine's own services, which outlive it and keep every
# descriptor they inherit. So the program gets no descriptor but the standard three (a build lock
# held by the caller would otherwise stay locked), and writes its output to files that are shown
# when it ends: a caller reading a pipe (ctest, a build log) would otherwise wait for the services.
set -euo pipefail
here=$(dirname "$0")
prefix=$1
shift
"$here/wine-prefix.sh" "$prefix"
export WINEPREFIX=$(realpath "$prefix") WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
status=0
(
  for fd in /proc/$BASHPID/fd/*; do
    fd=${fd##*/}
    if [ "$fd" -gt 2 ]; then eval "exec $fd>&-"; fi
  done
  exec wine "$@"
) >"$output" 2>"$errors" || status=$?
cat "$output"
cat "$errors" >&2
exit "$status"

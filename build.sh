#!/usr/bin/env bash
# Morvish: install what the build needs, build, and run.
#
#   ./build.sh run      install the packages, build, and open the desktop program on the demo skins
#   ./build.sh test     install the packages, build, run every test, then the sanitizer build's
#                       tests, a bounded fuzz run of the BMP decoder, the Windows build's tests
#                       and the Debian package's checks
#   ./build.sh windows  install the packages, cross-build for Windows into build-windows/ and run
#                       its tests under Wine, compare its pictures with the Linux build's, make
#                       dist/morvish-VERSION-win64.zip and dist/morvish-VERSION-win64-setup.exe
#                       and drive the desktop program and the setup program under Wine on a
#                       virtual screen
#   ./build.sh package  install the packages, make dist/morvish_VERSION_amd64.deb, check it with
#                       Debian's validators and install, run and remove it in a fresh Debian root
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  qt6-base-dev libgl-dev libfreetype-dev libfontconfig-dev zlib1g-dev
  googletest libgtest-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-liberation
  qt6-translations-l10n
  chromium
)
# The Windows build: MinGW-w64 with POSIX threads, zlib for it, and Wine to run what it builds.
# GoogleTest is compiled from the googletest package's sources. The packages: zip and NSIS. The
# desktop program's tests: a virtual screen, a window manager, xdotool, wmctrl, xprop and
# ImageMagick.
WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev wine wine64
  zip unzip nsis xvfb openbox xdotool wmctrl x11-utils imagemagick
)
# The Debian package: its tools, validators and the minimal Debian it is tried in.
PACKAGE_PACKAGES=(
  dpkg-dev help2man lintian desktop-file-utils appstream debootstrap debian-archive-keyring file
)

install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)

build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j "$jobs"
}

# Builds for Windows and runs the tests under Wine, in a Wine prefix of the build's own, then
# draws every window of the demo skins with both builds and compares the pictures. The Linux
# build in build/ must be there already.
windows() {
  local prefix=$PWD/build-windows/wine-prefix
  cmake/wine-prefix.sh "$prefix"
  export WINEPREFIX=$prefix WINEDEBUG=-all
  # One Wine server for the whole run, so that each program does not start Wine anew; it gets
  # none of this script's descriptors (a caller's pipe would stay open while it runs).
  (
    for fd in /proc/$BASHPID/fd/*; do
      fd=${fd##*/}
      if [ "$fd" -gt 2 ]; then eval "exec $fd>&-"; fi
    done
    exec wineserver -p
  ) </dev/null >/dev/null 2>&1
  trap 'wineserver -k 2>/dev/null || true' EXIT
  build build-windows --toolchain cmake/mingw-w64-x86_64.cmake -DMORVISH_WERROR=ON
  # Now and then Wine fails to start a test program at all (it ends at once, printing nothing):
  # a test that fails is run once more, and fails the run only if it fails again.
  (cd build-windows && ctest --output-on-failure -j "$jobs" --repeat until-pass:2)
  tests/crossbuild/compare-renders.sh build/bin build-windows/bin "$prefix"
  cmake --build build-windows --target windows_packages
  tests/windows-desktop/run-tests.sh dist build-windows/desktop-tests
}

# dist/morvish_VERSION_amd64.deb, built for /usr with Debian's own compiler flags and without tests
# or benchmark; checked by the distribution's validators, then installed, run and purged in a fresh
# minimal Debian made inside build-package/.
package() {
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  build build-package -DMORVISH_WERROR=ON -DMORVISH_PACKAGE=ON -DCMAKE_INSTALL_PREFIX=/usr \
    -DMORVISH_BUILD_TESTS=OFF -DMORVISH_BUILD_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
  rm -f dist/morvish_*.deb
  (cd build-package && cpack)
  local deb
  deb=$(echo dist/morvish_*_amd64.deb)
  desktop-file-validate dist/linux/org.morvish.Morvish.desktop
  appstreamcli validate --no-net dist/linux/org.morvish.Morvish.metainfo.xml
  lintian --fail-on error,warning --display-info "$deb"
  build-package/bin/morvish-render --skin build-package/bin/skins/parchment --window all \
    -o build-package/parchment-all.png
  dist/debian/test-package.sh "$deb" build-package/pkgtest build-package/parchment-all.png
}

case "${1:-}" in
  run)
    install_packages "${PACKAGES[@]}"
    build build
    exec build/bin/morvish
    ;;
  test)
    install_packages "${PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    build build -DMORVISH_WERROR=ON
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
    build build-sanitize -DMORVISH_WERROR=ON -DMORVISH_SANITIZE=ON -DMORVISH_BUILD_BENCH=OFF
    (cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
      UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")
    if [ -x tests/fuzz/run-fuzz.sh ]; then tests/fuzz/run-fuzz.sh 60; fi
    windows
    package
    ;;
  windows)
    install_packages "${PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
    # Of the Linux build, only what the comparison needs: its renderer and its demo skins.
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVISH_WERROR=ON
    cmake --build build -j "$jobs" --target morvish-render demo_skins
    windows
    ;;
  package)
    install_packages "${PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    package
    ;;
  *)
    sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac

#!/usr/bin/env bash
# Morvish: install what the build needs, build, and run.
#
#   ./build.sh run    install the packages, build, and open the desktop program on the demo skins
#   ./build.sh test   install the packages, build, run every test, then the sanitizer build's tests
#                     and a bounded fuzz run of the BMP decoder
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  qt6-base-dev libgl-dev libfreetype-dev libfontconfig-dev libpng-dev
  googletest libgtest-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-liberation
  qt6-translations-l10n
)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
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

case "${1:-}" in
  run)
    install_packages
    build build
    exec build/bin/morvish
    ;;
  test)
    install_packages
    build build -DMORVISH_WERROR=ON
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
    build build-sanitize -DMORVISH_WERROR=ON -DMORVISH_SANITIZE=ON -DMORVISH_BUILD_BENCH=OFF
    (cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
      UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")
    if [ -x tests/fuzz/run-fuzz.sh ]; then tests/fuzz/run-fuzz.sh 60; fi
    ./build.sh package
    ;;
  package)
    # dist/morvish_VERSION_amd64.deb, built for /usr with Debian's own compiler flags and without
    # tests or benchmark; checked by the distribution's validators, then installed, run and purged
    # in a fresh minimal Debian made inside build-package/.
    PACKAGES+=(dpkg-dev help2man lintian desktop-file-utils appstream debootstrap
      debian-archive-keyring file)
    install_packages
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    build build-package -DMORVISH_WERROR=ON -DMORVISH_PACKAGE=ON -DCMAKE_INSTALL_PREFIX=/usr \
      -DMORVISH_BUILD_TESTS=OFF -DMORVISH_BUILD_BENCH=OFF \
      "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
    rm -f dist/morvish_*.deb
    (cd build-package && cpack)
    deb=$(echo dist/morvish_*_amd64.deb)
    desktop-file-validate dist/linux/org.morvish.Morvish.desktop
    appstreamcli validate --no-net dist/linux/org.morvish.Morvish.metainfo.xml
    lintian --fail-on error,warning --display-info "$deb"
    build-package/bin/morvish-render --skin build-package/bin/skins/parchment --window all \
      -o build-package/parchment-all.png
    dist/debian/test-package.sh "$deb" build-package/pkgtest build-package/parchment-all.png
    ;;
  *)
    sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac

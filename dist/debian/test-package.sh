#!/usr/bin/env bash
# Installs the Debian package into a fresh minimal Debian made here, checks that the installed
# programs run there from their installed files alone, then purges the package and checks that
# the system is as it was before, file for file.
#
#   dist/debian/test-package.sh PACKAGE.deb WORK_DIR [REFERENCE.png]
#
# WORK_DIR (inside the build folder) receives the root; it is made anew on every run. REFERENCE.png
# is the all-windows view of the parchment demo skin drawn by the renderer of the build tree: the
# installed renderer must draw the same bytes. Needs root, debootstrap and the network to a Debian
# mirror (MORVISH_DEBIAN_MIRROR, default http://deb.debian.org/debian).
set -euo pipefail

deb=$(realpath "$1")
work=$(realpath -m "$2")
reference=${3:+$(realpath "$3")}
mirror=${MORVISH_DEBIAN_MIRROR:-http://deb.debian.org/debian}
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
root=$work/root

started=$SECONDS
step() { echo "== [$((SECONDS - started)) s] $*"; }
fail() { echo "test-package: $*" >&2; exit 1; }

# Whatever is mounted below the root is unmounted on every way out, so that nothing is left
# mounted and a later rm -r of the root never reaches into the host's /proc.
unmount_all() {
  local point
  for point in $(findmnt -rn -o TARGET | grep -F "$root/" | sort -r); do umount -l "$point"; done
}
trap unmount_all EXIT

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }
# The root has no terminals to give dpkg (no /dev/pts), and needs none.
apt_get() { in_root apt-get -o Dpkg::Use-Pty=0 "$@"; }

# Every entry of the root but the kernel's views and the caches and logs that any apt run changes,
# with its type and permissions; the contents of configuration files and databases are left out.
snapshot() {
  (cd "$root" && find . -xdev \( -path ./proc -o -path ./sys -o -path ./dev -o -path ./run \
    -o -path ./tmp -o -path ./var/cache/apt -o -path ./var/log \) -prune -o -printf '%y %m %p\n' |
    LC_ALL=C sort) > "$1"
}

unmount_all
if findmnt -rn -o TARGET | grep -qF "$root/"; then fail "$root still has mounts below it"; fi
rm -rf "$root"
mkdir -p "$work/debootstrap-cache"

step "debootstrap --variant=minbase $suite"
debootstrap --variant=minbase --cache-dir="$work/debootstrap-cache" "$suite" "$root" "$mirror" \
  > "$work/debootstrap.log" 2>&1 || { tail -20 "$work/debootstrap.log"; fail "debootstrap failed"; }
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"

# The dependencies come first, as apt would install them, so that the snapshot before the package
# holds everything but the package itself.
step "installing the dependencies the package names"
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/|.*//; s/(.*)//; s/ //g' | grep .)
apt_get install -y --no-install-recommends $depends > "$work/depends.log" 2>&1 ||
  { tail -20 "$work/depends.log"; fail "the dependencies did not install"; }
snapshot "$work/before.txt"

step "installing $(basename "$deb")"
cp "$deb" "$root/tmp/package.deb"
apt_get install -y --no-install-recommends /tmp/package.deb > "$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "the package did not install"; }
rm "$root/tmp/package.deb"
while read -r path; do
  [ -e "$root$path" ] || fail "$path is listed by dpkg but not installed"
done < <(in_root dpkg -L morvish)

# The programs run as an ordinary user who may write nothing but a home of their own, as a user
# who installed the package would run them.
step "running the installed programs"
run=/tmp/morvish-run
mkdir -p "$root$run/home"
chown -R nobody:nogroup "$root$run"
as_user() { chroot --userspec=nobody:nogroup "$root" /usr/bin/env -i PATH=/usr/bin:/bin \
  HOME=$run/home LANG=C.UTF-8 "$@"; }
as_user morvish-render --help > "$work/help.txt" || fail "morvish-render --help failed"
as_user morvish-render --skin /usr/share/morvish/skins/parchment --window all -o $run/all.png ||
  fail "morvish-render failed on the installed demo skin parchment"
file "$root$run/all.png" | grep -q 'PNG image data' || fail "morvish-render wrote no PNG"
if [ -n "$reference" ]; then
  cmp "$reference" "$root$run/all.png" ||
    fail "the installed morvish-render draws parchment differently from the build's"
fi
# The desktop program has no way to quit by itself: it passes when it is still running after a few
# seconds on Qt's offscreen platform, having loaded its libraries, plugins and fonts.
status=0
as_user timeout 8 morvish -platform offscreen > "$work/morvish.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/morvish.log"; fail "morvish stopped by itself ($status)"; }
rm -r "${root:?}$run"

step "purging the package"
apt_get purge -y morvish > "$work/purge.log" 2>&1 ||
  { cat "$work/purge.log"; fail "the package did not purge"; }
snapshot "$work/after.txt"
if ! diff -u "$work/before.txt" "$work/after.txt"; then
  fail "purging the package left the system changed (- before, + after)"
fi

step "installed, ran and purged without a trace; removing the root"
unmount_all
rm -rf "$root"

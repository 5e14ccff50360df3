#!/bin/sh
# Proves that the demo and the test suite need nothing beyond what the project's own scripts
# install: makes a new Debian 12 root with debootstrap (outside the repository), puts a clean
# clone of this repository's HEAD into it and runs the README's two commands there as root,
# printing how each ended and how long it took.
#   scripts/clean-root-check.sh [FOLDER]   (default /var/tmp/ruvoda-clean-root; emptied first)
# Needs root (debootstrap, chroot and mounts) and the Debian mirror.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-/var/tmp/ruvoda-clean-root}
mirror=http://deb.debian.org/debian
[ "$(id -u)" -eq 0 ] || { echo "clean-root-check: run as root (debootstrap, chroot, mount)" >&2; exit 1; }
case "$target" in
  /*) ;;
  *) echo "clean-root-check: FOLDER must be an absolute path" >&2; exit 1 ;;
esac
case "$target/" in
  "$repo"/*) echo "clean-root-check: $target lies inside the repository" >&2; exit 1 ;;
esac
if ! command -v debootstrap >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi

bootstrap=""
# Ends whatever still runs inside the root (only the processes this check started there)
# and an unfinished debootstrap, then unmounts everything below the root, deepest first.
cleanup() {
  [ -z "$bootstrap" ] || kill -TERM -- "-$bootstrap" 2>/dev/null || true
  for link in /proc/[0-9]*/root; do
    [ "$(readlink "$link" 2>/dev/null)" = "$target" ] || continue
    pid=${link#/proc/}; pid=${pid%/root}
    kill -9 "$pid" 2>/dev/null || true
  done
  grep " $target/" /proc/self/mounts | cut -d' ' -f2 | sort -r | while read -r m; do
    umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
  done
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# Refuse to empty a folder that still has something mounted inside (a previous run killed
# before its cleanup): removing it would reach into the host's /dev or /proc.
if grep -q " $target/" /proc/self/mounts; then
  echo "clean-root-check: something is still mounted under $target; unmount it first" >&2
  exit 1
fi
rm -rf "$target"
mkdir -p "$target"

elapsed() { echo $(( $(date +%s) - $1 )); }
start=$(date +%s)
echo "== debootstrap bookworm into $target"
# A process group of its own, which cleanup ends whole when this script is stopped early.
setsid debootstrap --variant=minbase bookworm "$target" "$mirror" >"$target.debootstrap.log" 2>&1 &
bootstrap=$!
wait $bootstrap || { tail -n 20 "$target.debootstrap.log" >&2; exit 1; }
bootstrap=""
echo "debootstrap: $(elapsed "$start") s"
cp /etc/resolv.conf "$target/etc/resolv.conf"
# The sources of a new installation: the release with its updates and security fixes.
cat >"$target/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
# Packages installed in a chroot must not try to start services.
printf '#!/bin/sh\nexit 101\n' >"$target/usr/sbin/policy-rc.d"
chmod +x "$target/usr/sbin/policy-rc.d"

mount_in() {  # type source path [options]
  mkdir -p "$target$3"
  mount -t "$1" ${4:+-o "$4"} "$2" "$target$3"
}
bind_in() {  # path; nothing mounted below it later reaches the host's tree
  mkdir -p "$target$1"
  mount --bind "$1" "$target$1"
  mount --make-rslave "$target$1"
}
mount_in proc proc /proc
bind_in /dev
bind_in /dev/pts
mount_in tmpfs tmpfs /dev/shm mode=1777
mount_in sysfs sysfs /sys ro
mount_in tmpfs tmpfs /tmp mode=1777

# A clean clone of HEAD: committed files only, no build trees, no local changes.
head=$(git -C "$repo" rev-parse HEAD)
git clone -q --no-hardlinks --no-checkout "$(git -C "$repo" rev-parse --path-format=absolute --git-common-dir)" \
  "$target/root/ruvoda"
git -C "$target/root/ruvoda" checkout -q --detach "$head"
echo "== clone of $head in $target/root/ruvoda"

# A fresh login's environment: nothing of this shell's (display, Wine, locale) leaks in.
in_root() {
  chroot "$target" /usr/bin/env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/sh TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    sh -c "cd /root/ruvoda && $1"
}
run_step() {  # name command
  step_start=$(date +%s)
  echo "== $1"
  # In the background (as debootstrap), so that a signal to this script ends it at once.
  in_root "$2" >"$target.$1.log" 2>&1 &
  set +e
  wait $!
  rc=$?
  set -e
  tail -n 25 "$target.$1.log"
  echo "== $1: exit $rc after $(elapsed "$step_start") s (log: $target.$1.log)"
  return $rc
}
status=0
run_step run-demo ./run-demo.sh || status=1
run_step run-tests ./run-tests.sh || status=1
echo "== clean root check: $( [ $status -eq 0 ] && echo passed || echo FAILED ) after $(elapsed "$start") s"
exit $status

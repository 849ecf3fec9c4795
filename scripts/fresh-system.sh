#!/usr/bin/env bash
# Proves the README's two commands on a fresh system. As root:
#   scripts/fresh-system.sh [FOLDER]          (default build/fresh-root)
# debootstraps this machine's Debian release (minbase) into FOLDER, afresh each
# time, adds git, clones this repository's current commit to /root/ulmar in
# there, and runs the commands of the README's first sh block one by one in a
# chroot (with /proc, /dev, /dev/pts and /dev/shm), from /root/ulmar, with a
# clean environment, no display and no terminal. ULMAR_* variables set here
# are passed on (for example ULMAR_FUZZ_SECONDS). The last line printed is the
# closing line of the last command (scripts/test.sh: "N passed, M failed").
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
target=$(realpath -m "${1:-$repo/build/fresh-root}")
log=$repo/build/fresh-system.log
release=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=http://deb.debian.org/debian
[ "$(id -u)" -eq 0 ] || { echo "fresh-system.sh runs as root (debootstrap, chroot, mounts)" >&2; exit 1; }

mounts_under() {  # deepest first
  awk -v root="$target" '$2 == root || index($2, root "/") == 1 { print $2 }' /proc/self/mounts | sort -r
}
stop_chroot() {
  # Ends what still runs inside the chroot (by process id), then unmounts.
  for proc in /proc/[0-9]*; do
    [ "$(readlink "$proc/root" 2>/dev/null)" = "$target" ] && kill -9 "${proc#/proc/}" 2>/dev/null || true
  done
  mounts_under | while read -r mount; do umount -l "$mount" || true; done
}
in_chroot() {
  local vars=(HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=dumb)
  while IFS='=' read -r name value; do vars+=("$name=$value"); done < <(env | grep '^ULMAR_' || true)
  chroot "$target" /usr/bin/env -i "${vars[@]}" /bin/bash -c "$1" </dev/null
}

command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
mkdir -p "$repo/build"
: >"$log"
if [ -e "$target" ]; then
  stop_chroot
  rm -rf --one-file-system "$target"
fi
trap stop_chroot EXIT

echo "== debootstrap $release (minbase) into $target"
debootstrap --variant=minbase "$release" "$target" "$mirror" >>"$log" 2>&1 \
  || { echo "debootstrap failed, see $log" >&2; exit 1; }
cat >"$target/etc/apt/sources.list" <<EOF
deb $mirror $release main
deb $mirror $release-updates main
deb http://deb.debian.org/debian-security $release-security main
EOF
cp /etc/resolv.conf "$target/etc/resolv.conf"
# Packages install as on a machine, but start no services inside the chroot.
printf '#!/bin/sh\nexit 101\n' >"$target/usr/sbin/policy-rc.d"
chmod +x "$target/usr/sbin/policy-rc.d"
mount -t proc proc "$target/proc"
mount --bind /dev "$target/dev"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$target/dev/pts"
mount -t tmpfs -o mode=1777 tmpfs "$target/dev/shm"

echo "== git, and a clone of $(git rev-parse --short HEAD) in /root/ulmar"
git bundle create "$target/root/ulmar.bundle" HEAD >>"$log" 2>&1
in_chroot "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends git \
           && git clone -q /root/ulmar.bundle /root/ulmar && rm /root/ulmar.bundle" >>"$log" 2>&1 \
  || { echo "could not clone in the fresh system, see $log" >&2; exit 1; }

status=0
while read -r command; do
  echo "== $command (in /root/ulmar)"
  started=$(date +%s)
  set +e
  in_chroot "cd /root/ulmar && $command" 2>&1 | tee -a "$log" | tail -3
  code=${PIPESTATUS[0]}
  set -e
  echo "   exit $code after $(( $(date +%s) - started )) s"
  [ "$code" -eq 0 ] || status=1
done < <(sed -n '/^```sh$/,/^```$/p' README.md | sed '1d;$d' | sed 's/[[:space:]]*#.*$//' | grep -v '^$')
cp "$target/root/ulmar/build/ulmar-screenshot.png" "$repo/build/fresh-screenshot.png" 2>/dev/null || true
tail -1 "$log"
exit $status

# Fresh Debian roots, for running the suite on another release and for installing the
# package where nothing else was installed. Source this file; it needs root and mmdebstrap.
#
# A root is made once from Debian's archive (minbase and the packages asked for) and kept as a
# tarball under $QUORVANTIX_ROOT_CACHE; it is made again when it is older than a week or when
# another package list is asked for (the tarball's name carries a hash of the list; a folder
# keeps one root per release, so roots of other lists belong in folders of their own). Each use
# unpacks it into a folder of its own, mounts what programs inside need and, on every way
# out, stops what still runs inside, unmounts, and removes the folder only when nothing is
# mounted under it any more.

root_cache=${QUORVANTIX_ROOT_CACHE:-/var/cache/quorvantix/roots}
root_max_age_days=7

# The Debian release this machine runs: bookworm, trixie, …
debian_release() { (. /etc/os-release && printf '%s\n' "$VERSION_CODENAME"); }

root_say() { printf 'debian-root: %s\n' "$*" >&2; }

# Runs COMMAND with only standard input, output and error open. mmdebstrap hands apt a
# descriptor number that dash must redirect to, and dash cannot name one above 9: with a few
# descriptors inherited (a test runner's, the lock below), it fails with "Bad fd number".
without_inherited_fds() {
  (
    local fd
    for fd in /proc/"$BASHPID"/fd/*; do
      fd=${fd##*/}
      ((fd > 2)) && eval "exec $fd>&-"
    done
    exec "$@"
  )
}

# root_tarball RELEASE [PACKAGE...]: prints the path of a tarball of that release with those
# packages installed (without their recommendations), making it when needed.
root_tarball() {
  local release=$1
  shift
  local key
  key=$(printf '%s\n' "$@" | sort -u | sha256sum | cut -c1-16)
  local tarball="$root_cache/$release-$key.tar"
  mkdir -p "$root_cache"
  (
    flock 9
    if [ -n "$(find "$tarball" -mtime -"$root_max_age_days" 2>/dev/null)" ]; then
      exit 0
    fi
    rm -f "$root_cache/$release"-*.tar "$root_cache/$release"-*.tar.new
    root_say "making a $release root with ${#@} packages from Debian's archive (kept in $root_cache)"
    local include
    include=$(IFS=,; printf '%s' "$*")
    without_inherited_fds mmdebstrap --quiet --variant=minbase --format=tar \
      ${include:+--include="$include"} "$release" "$tarball.new" >&2 ||
      { rm -f "$tarball.new"; exit 1; }
    mv "$tarball.new" "$tarball"
  ) 9>"$root_cache/.lock" || return 1
  printf '%s\n' "$tarball"
}

# open_root TARBALL FOLDER: unpacks the root into FOLDER (which must not exist) and mounts
# /proc, /dev and /sys in it, and the root cache, so that roots made inside are kept too.
# Call close_root FOLDER on the way out, also when this fails half-way.
open_root() {
  local tarball=$1 dir=$2
  # Mode 0755: ordinary users inside (the sway tests make one) must be able to enter it.
  mkdir -m 755 "$dir"
  tar -xf "$tarball" -C "$dir"
  chmod 755 "$dir"
  cp /etc/resolv.conf "$dir/etc/resolv.conf" 2>/dev/null || true
  mount -t proc proc "$dir/proc"
  local shared
  for shared in dev sys; do
    mount --rbind "/$shared" "$dir/$shared"
    mount --make-rslave "$dir/$shared"
  done
  mkdir -p "$dir$root_cache"
  mount --bind "$root_cache" "$dir$root_cache"
}

# The mount points under FOLDER, deepest first.
mounts_under() {
  local dir
  dir=$(realpath "$1")
  awk -v dir="$dir" '$5 == dir || index($5, dir "/") == 1 { print $5 }' /proc/self/mountinfo |
    sort -r
}

# Stops every process whose root is FOLDER: a daemon a test left behind would keep its mounts.
stop_processes_in() {
  local dir pid attempt
  dir=$(realpath "$1")
  for attempt in TERM TERM KILL; do
    local found=0
    for pid in /proc/[0-9]*; do
      [ "$(readlink "$pid/root" 2>/dev/null)" = "$dir" ] || continue
      kill -s "$attempt" "${pid#/proc/}" 2>/dev/null && found=1
    done
    [ "$found" = 0 ] && return 0
    sleep 0.5
  done
}

# close_root FOLDER: stops what runs inside, unmounts everything under it and removes it.
# A folder that still has something mounted is left where it is, and said so: deleting
# through a mount would delete the host's files.
close_root() {
  local dir=$1 mount_point
  [ -d "$dir" ] || return 0
  stop_processes_in "$dir"
  for mount_point in $(mounts_under "$dir"); do
    umount "$mount_point" 2>/dev/null || umount -l "$mount_point" 2>/dev/null || true
  done
  if [ -n "$(mounts_under "$dir")" ]; then
    root_say "still mounted under $dir, so it is left in place: $(mounts_under "$dir" | tr '\n' ' ')"
    return 1
  fi
  rm -rf --one-file-system "$dir"
}

# in_root FOLDER COMMAND...: runs COMMAND as root inside, with a clean environment.
in_root() {
  local dir=$1
  shift
  chroot "$dir" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

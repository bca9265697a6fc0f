# Sourced by the benchmark scripts: a scratch folder, removed on exit, that is also ZULNAME_HOME,
# and `timed COMMAND…`, which runs the command under /usr/bin/time and leaves its CPU seconds
# (user + system) in $cpu, its wall seconds in $wall and its peak memory in $kilobytes.
[ -x /usr/bin/time ] || { echo "$0: needs /usr/bin/time (Debian package time)" >&2; exit 1; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
export ZULNAME_HOME="$folder"

timed() {
  /usr/bin/time -f '%U %S %e %M' -o "$folder/time" "$@"
  read -r user system wall kilobytes < "$folder/time"
  cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')
}

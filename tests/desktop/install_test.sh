#!/usr/bin/env bash
# Installs the build into a scratch root, as `make install DESTDIR=…` does, and checks what a
# desktop and a shell see of it: every file in its place, a launcher and metadata that the
# desktop's validators accept, and commands whose --help and --version agree with their manuals.
set -euo pipefail
build=$1
version=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr

for file in bin/zulname bin/zulname-ini bin/zulname-export bin/zulname-sheets \
    bin/zulname-cards bin/zulname-designs share/zulname/help/index.html share/zulname/designs/01-simple.ini \
    share/applications/zulname.desktop share/metainfo/jp.zulname.namecard.metainfo.xml \
    share/icons/hicolor/scalable/apps/zulname.svg; do
  [ -s "$usr/$file" ] || fail "$file is not installed"
done

# A PNG's width and height are the big-endian numbers at bytes 16 and 20.
for size in 16 22 24 32 48 64 128 256; do
  png=$usr/share/icons/hicolor/${size}x${size}/apps/zulname.png
  if [ ! -s "$png" ]; then fail "no ${size} pixel icon"; continue; fi
  dimensions=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
  [ "$dimensions" = "${size}x${size}" ] || fail "the ${size} pixel icon is $dimensions"
done
grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/zulname.svg" || fail "the scalable icon is no SVG"

desktop-file-validate "$usr/share/applications/zulname.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/jp.zulname.namecard.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate: $(appstreamcli validate --no-net "$usr/share/metainfo/jp.zulname.namecard.metainfo.xml")"

# The installed commands find the built-in designs beside them.
ZULNAME_HOME=$root "$usr/bin/zulname-designs" list | grep -q "^シンプル	内蔵	" ||
  fail "zulname-designs does not find the installed designs"

# Every installed command has a manual page whose synopsis, as man shows it, is the one --help prints.
for command in "$usr"/bin/*; do
  name=$(basename "$command")
  page=$usr/share/man/man1/$name.1
  if [ ! -s "$page" ]; then fail "no manual page for $name"; continue; fi
  [ "$("$command" --version)" = "$name $version" ] || fail "$name --version: $("$command" --version)"
  from_help=$("$command" --help | sed -n '1,/^$/p' | sed '/^$/d; s/^usage: //; s/^ *//')
  from_manual=$(groff -man -Tutf8 -K utf8 -P -cbou -ww "$page" | sed -n '/^SYNOPSIS/,/^[A-Z]/p' | sed '1d; $d; /^$/d; s/^ *//')
  [ -n "$from_help" ] && [ "$from_help" = "$from_manual" ] ||
    fail "$name: --help shows \"$from_help\", the manual \"$from_manual\""
done

[ "$failures" = 0 ] && echo "installed files, launcher, metadata and manuals: all checked"
exit "$failures"

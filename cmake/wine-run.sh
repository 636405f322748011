#!/bin/sh
# Runs a Windows program under Wine:  wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use (one maker at a time) and kept for the
# build tree's later tests. Wine's own chatter is switched off.
set -eu
prefix=$1
shift
wine=${QUILLHAVEN_WINE:-/usr/lib/wine/wine64}
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$prefix")"
flock "$prefix.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] || "$1" wineboot --init >/dev/null 2>&1' sh "$wine"
exec "$wine" "$@"

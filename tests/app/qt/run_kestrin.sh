#!/usr/bin/env bash
# Starts the kestrin program offscreen with a temporary profile that names a
# catalog, asks it to close (SIGTERM, as a session logout does) and checks
# that it ended cleanly and wrote its settings back.
set -euo pipefail
exe=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# An empty catalog: four zero counts, the filter-list count 7, seven zero
# counts and four zero counts.
printf '\0\0\0\0\0\0\0\0\7\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' > "$dir/base.kdb"
printf '[Base File List]\nFile1=%s\n' "$dir/base.kdb" > "$dir/kestrin.ini"
KESTRIN_PROFILE="$dir/kestrin.ini" QT_QPA_PLATFORM=offscreen "$exe" &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid" || true
  echo "kestrin ended by itself" >&2
  exit 1
fi
kill -TERM "$pid"
rc=0
wait "$pid" || rc=$?
if [ "$rc" -ne 0 ]; then
  echo "kestrin exited with $rc" >&2
  exit 1
fi
grep -q '^Line20=' "$dir/kestrin.ini" || { echo "line styles not written" >&2; exit 1; }
grep -q '^Font1=' "$dir/kestrin.ini" || { echo "font not written" >&2; exit 1; }
grep -q "^File1=$dir/base.kdb" "$dir/kestrin.ini" || { echo "catalog list lost" >&2; exit 1; }
echo "kestrin started and closed cleanly"

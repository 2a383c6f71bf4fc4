#!/usr/bin/env bash
# Starts the kestrin program offscreen with a temporary profile that names a
# catalog, asks it to close (SIGTERM, as a session logout does) and checks
# that it ended cleanly and wrote its settings back.  Then starts it on a task
# whose name is not UTF-8 and checks the task it remembers.
set -euo pipefail
exe=$1
examples=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Runs the program with the profile and arguments given, closes it after two
# seconds and fails unless it ended cleanly.
run_and_close() {
  KESTRIN_PROFILE="$dir/kestrin.ini" QT_QPA_PLATFORM=offscreen "$exe" "$@" &
  local pid=$!
  sleep 2
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || true
    echo "kestrin ended by itself" >&2
    exit 1
  fi
  kill -TERM "$pid"
  local rc=0
  wait "$pid" || rc=$?
  if [ "$rc" -ne 0 ]; then
    echo "kestrin exited with $rc" >&2
    exit 1
  fi
}

# An empty catalog: four zero counts, the filter-list count 7, seven zero
# counts and four zero counts.
printf '\0\0\0\0\0\0\0\0\7\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' > "$dir/base.kdb"
printf '[Base File List]\nFile1=%s\n' "$dir/base.kdb" > "$dir/kestrin.ini"
run_and_close
grep -q '^Line20=' "$dir/kestrin.ini" || { echo "line styles not written" >&2; exit 1; }
grep -q '^Font1=' "$dir/kestrin.ini" || { echo "font not written" >&2; exit 1; }
grep -q "^File1=$dir/base.kdb" "$dir/kestrin.ini" || { echo "catalog list lost" >&2; exit 1; }

# A task named by the bytes FF FE, beside another whose name is the text
# those bytes become in Qt ("��.ktf"): the command line's name is taken as
# its bytes, so the first task opens and is the recent task.
mkdir "$dir/tasks"
tasks=$(cd "$dir/tasks" && pwd -P)
own=$'\xff\xfe.ktf'
cp "$examples/typical.kdb" "$tasks/"
cp "$examples/vl110-phase-earth.ktf" "$tasks/$own"
cp "$examples/vl220-bypass-tap.ktf" "$tasks/"$'\xef\xbf\xbd\xef\xbf\xbd.ktf'
printf '[Base File List]\nFile1=%s\n' "$tasks/typical.kdb" > "$dir/kestrin.ini"
(cd "$tasks" && run_and_close "$own")
LC_ALL=C grep -qxF "File1=$tasks/$own" "$dir/kestrin.ini" || { echo "the task named by bytes is not the recent task" >&2; exit 1; }
echo "kestrin started and closed cleanly"

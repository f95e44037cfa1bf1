#!/usr/bin/env bash
# scripts/install-deps for a user who is not root and has no sudo, with a
# package missing: it must stop with a message that says what to run as root,
# and must not try apt-get itself.
#   tests/package/install-deps-no-root.sh WORK_DIR
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
rm -rf "$work"
mkdir -p "$work/bin"
fail() { echo "FAIL: $*" >&2; exit 1; }

# A PATH with only what the script needs: every package missing, a user id
# that is not 0, no sudo, and an apt-get that records being called.
cat >"$work/bin/dpkg-query" <<'SH'
#!/bin/sh
exit 1
SH
cat >"$work/bin/id" <<'SH'
#!/bin/sh
echo 1000
SH
cat >"$work/bin/apt-get" <<SH
#!/bin/sh
touch "$work/apt-get-called"
SH
chmod +x "$work/bin/"*
ln -s "$(command -v grep)" "$work/bin/grep"

status=0
PATH="$work/bin" "$BASH" "$src/scripts/install-deps" >"$work/out" 2>&1 || status=$?
[[ $status -eq 1 ]] || { cat "$work/out" >&2; fail "exit status $status, expected 1"; }
[[ ! -e "$work/apt-get-called" ]] || fail "apt-get ran without root"
grep -q "needs root" "$work/out" || fail "no word of root: $(cat "$work/out")"
grep -q "apt-get install -y --no-install-recommends .*libqt6opengl6-dev" "$work/out" ||
  fail "the command to run as root is not shown: $(cat "$work/out")"
if grep -q "command not found" "$work/out"; then fail "$(cat "$work/out")"; fi
echo "install-deps without root ok"

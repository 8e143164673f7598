#!/usr/bin/env bash
# A save reaches the disk before it replaces the old file. Under a shim that fails every
# rename of a file not flushed first (checked here on a rename that is not), saving the
# settings works and keeps what was saved.
set -euo pipefail
seed=$1 shim=$2
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cd "$XDG_CONFIG_HOME"
LD_PRELOAD=$shim /usr/bin/python3 -c 'import os; open("a", "w").write("x"); os.rename("a", "b")' \
  2>/dev/null && fail "the shim let an unflushed file be renamed"
LD_PRELOAD=$shim "$seed" set show no || fail "the first save failed under the shim"
LD_PRELOAD=$shim "$seed" slot 1 Mail /usr/bin/mail || fail "the second save failed"
grep -qx 'show=no' qv/qv.ini || fail "the first save is not in the file"
[ "$("$seed" get prog1)" = /usr/bin/mail ] || fail "the second save is not in the file"
echo "saves flush before they rename"

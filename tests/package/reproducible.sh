#!/usr/bin/env bash
# Reproducible packages: the same commit, built again from scratch in another folder,
# gives the same bytes for the .deb, the Windows installer and the zip as dist/ holds
# (./package's SHA256SUMS).
# Usage: tests/package/reproducible.sh   (after ./package)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$root/dist/SHA256SUMS" ] || fail "run ./package first"
copy=$(mktemp -d /tmp/qv-again-XXXXXX)
trap 'rm -rf "$copy"' EXIT
(cd "$root" && git ls-files -z | xargs -0 tar -cf -) | tar -xf - -C "$copy"
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) "$copy/package" >/dev/null
diff "$root/dist/SHA256SUMS" "$copy/dist/SHA256SUMS" ||
  fail "a second build of the same source gave other bytes"
echo "package.reproducible: the same bytes again: $(cut -d' ' -f3 "$copy/dist/SHA256SUMS" | xargs)"

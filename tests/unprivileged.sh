#!/usr/bin/env bash
# Runs a test program as the unprivileged user `qvtester` when the suite runs as root (CI
# does), so that file permissions really bind; as anyone else it runs it directly. The
# program is copied to a folder of that user's, as the build tree may be closed to it.
# Usage: tests/unprivileged.sh PROGRAM [ARGS...]   (tools/setup creates the user)
set -uo pipefail
program=$1
shift
[ "$(id -u)" -ne 0 ] && exec "$program" "$@"
user=qvtester
if ! id "$user" >/dev/null 2>&1; then
  echo "no user $user: run tools/setup as root first" >&2
  exit 1
fi
scratch=$(mktemp -d /tmp/qv-unprivileged-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cp "$program" "$scratch/"
chown -R "$user:" "$scratch"
cd "$scratch" || exit 1
setpriv --reuid="$user" --regid="$user" --init-groups \
  env HOME="$scratch" TMPDIR="$scratch" "./$(basename "$program")" "$@"

#!/usr/bin/env bash
# scripts/check-owner.sh in a copy of the checkout: root is refused in a
# checkout of another user with the reason, and let through in its own.
set -euo pipefail
scripts="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/checkout/scripts"
cp "$scripts/check-owner.sh" "$work/checkout/scripts/"

bash "$work/checkout/scripts/check-owner.sh" || {
  echo "FAIL: refused in a checkout of its own user" >&2
  exit 1
}
if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the refusal of root is not exercised"
  exit 0
fi
chown 4321:4321 "$work/checkout"
if message=$(bash "$work/checkout/scripts/check-owner.sh" 2>&1); then
  echo "FAIL: root was let through in a checkout of user 4321" >&2
  exit 1
fi
case "$message" in
  *"Refusing to build as root"*"registers would be lost"*) ;;
  *)
    echo "FAIL: the refusal does not say why: $message" >&2
    exit 1
    ;;
esac
NOTORIO_ALLOW_ROOT=1 bash "$work/checkout/scripts/check-owner.sh" || {
  echo "FAIL: NOTORIO_ALLOW_ROOT=1 did not let root through" >&2
  exit 1
}
echo "check-owner: all passed"

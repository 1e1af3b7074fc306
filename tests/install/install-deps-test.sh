#!/usr/bin/env bash
# scripts/install-deps.sh against the states dpkg reports, with fake
# dpkg-query, apt-get and sudo first in PATH: which packages count as
# missing, and what apt-get is asked to do.
set -euo pipefail
scripts="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/status"

# dpkg-query -W -f='${Status}\n' PKG: the lines of status/PKG, or dpkg's
# "no packages found" failure.
cat >"$work/bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
pkg="${!#}"
file="$FAKE_STATUS/$pkg"
if [ ! -f "$file" ]; then
  echo "dpkg-query: no packages found matching $pkg" >&2
  exit 1
fi
cat "$file"
FAKE
cat >"$work/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE_LOG"
FAKE
cat >"$work/bin/sudo" <<'FAKE'
#!/usr/bin/env bash
"$@"
FAKE
chmod +x "$work/bin/"*
export PATH="$work/bin:$PATH" FAKE_STATUS="$work/status" FAKE_LOG="$work/apt.log"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Every package of every group installed, except as set below.
for p in $(bash "$scripts/install-deps.sh" --missing run test extra); do
  echo "install ok installed" >"$work/status/$p"
done
[ -z "$(bash "$scripts/install-deps.sh" --missing run test extra)" ] ||
  fail "all packages installed, yet some reported missing"

state() { printf '%b\n' "$2" >"$work/status/$1"; }
# Installed in each of these states.
state cmake "install ok triggers-pending"
state pkg-config "install ok triggers-awaited"
state qt6-base-dev "hold ok installed"
state libgsf-1-dev "deinstall ok installed"
state fontconfig "unknown ok not-installed\ninstall ok installed" # two architectures
# Missing in each of these.
state xdg-utils "deinstall ok config-files"
state qt6-translations-l10n "install ok unpacked"
state libgtest-dev "install ok half-configured"
state poppler-utils "install reinstreq half-installed"
state python3-xlrd "unknown ok not-installed"
rm -f "$work/status/clang-format"
state catdoc ""

expected_run="xdg-utils qt6-translations-l10n"
expected_all="xdg-utils qt6-translations-l10n libgtest-dev poppler-utils python3-xlrd clang-format catdoc"
got_run=$(bash "$scripts/install-deps.sh" --missing run | xargs)
got_all=$(bash "$scripts/install-deps.sh" --missing run test extra | xargs)
[ "$got_run" = "$expected_run" ] || fail "run group: expected '$expected_run', got '$got_run'"
[ "$got_all" = "$expected_all" ] || fail "all groups: expected '$expected_all', got '$got_all'"

# The build-and-run group needs nothing of the test and extra groups.
for p in libgtest-dev clang clang-format libbenchmark-dev xvfb; do
  bash -c "source <(sed -n '/^packages_run=(/,/^)/p' '$scripts/install-deps.sh'); printf '%s\n' \"\${packages_run[@]}\"" |
    grep -qx "$p" && fail "$p is in the run group"
done

# Installing: apt-get waits for dpkg's lock and gets exactly the missing ones.
bash "$scripts/install-deps.sh" run >/dev/null
grep -q "update" "$FAKE_LOG" || fail "apt-get update was not run"
install_line=$(grep " install " "$FAKE_LOG" || true)
case "$install_line" in
  *"DPkg::Lock::Timeout="*) ;;
  *) fail "apt-get install does not wait for the dpkg lock: $install_line" ;;
esac
[ "$(echo "$install_line" | sed 's/.*--no-install-recommends //')" = "$expected_run" ] ||
  fail "apt-get install got: $install_line"

# Nothing missing: apt-get is not run at all.
rm -f "$FAKE_LOG"
state xdg-utils "install ok installed"
state qt6-translations-l10n "install ok installed"
bash "$scripts/install-deps.sh" run
[ ! -e "$FAKE_LOG" ] || fail "apt-get ran though nothing was missing: $(cat "$FAKE_LOG")"

if bash "$scripts/install-deps.sh" --missing nonsense 2>/dev/null; then
  fail "an unknown group was accepted"
fi

[ $failures -eq 0 ] && echo "install-deps states: all passed"
exit $failures

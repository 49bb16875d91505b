#!/bin/sh
# Checks the Debian package as a technician gets it: unpacked with dpkg -x
# into a scratch root, its programs run from there, and lintian's verdict.
# Usage: scripts/test-package.sh [build folder]   (after make package)
set -eu
build=${1:-build}
deb=$(ls -t "$build"/vq2x_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "test-package: no package in $build (make package)" >&2; exit 1; }
scratch=$(mktemp -d)
tool=""
sim=""
passed=0
cleanup() {
  [ -z "$tool" ] || kill "$tool" 2>/dev/null || true
  [ -z "$sim" ] || kill "$sim" 2>/dev/null || true
  chmod -R u+w "$scratch"
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "test-package: FAILED: $*" >&2
  echo "test-package: $passed passed, 1 failed"
  exit 1
}
pass() {
  passed=$((passed + 1))
  echo "test-package: ok: $*"
}

echo "test-package: $deb"
dpkg -x "$deb" "$scratch/root"
root=$scratch/root
programs=$root/opt/vq2x
version=$(dpkg-deb -f "$deb" Version)

for file in opt/vq2x/vq2x-tool opt/vq2x/vq2x opt/vq2x/vq2x-sim opt/vq2x/Parameters.txt opt/vq2x/Taal1.ini \
  opt/vq2x/ErrorHelp1.rtf usr/share/doc/vq2x/README.html usr/share/doc/vq2x/copyright \
  usr/share/applications/vq2x-tool.desktop usr/share/icons/hicolor/scalable/apps/vq2x-tool.svg \
  usr/share/man/man1/vq2x-tool.1.gz usr/share/man/man1/vq2x.1.gz usr/share/man/man1/vq2x-sim.1.gz; do
  [ -f "$root/$file" ] || fail "/$file is not in the package"
done
for program in vq2x-tool vq2x vq2x-sim; do
  [ "$(readlink "$root/usr/bin/$program")" = "/opt/vq2x/$program" ] || fail "/usr/bin/$program does not lead to /opt/vq2x"
done
[ "$(readlink "$programs/doc")" = /usr/share/doc/vq2x ] || fail "/opt/vq2x/doc does not lead to the documentation"
pass "layout: programs and data in /opt/vq2x, links, documentation, desktop entry, icon, manual pages"

"$programs/vq2x-sim" --help | grep -q '^Usage: vq2x-sim' || fail "vq2x-sim --help"
[ "$("$programs/vq2x-sim" --version)" = "vq2x-sim $version" ] || fail "vq2x-sim --version is not $version"
[ "$("$programs/vq2x" --version)" = "vq2x $version" ] || fail "vq2x --version is not $version"
pass "vq2x-sim --help, vq2x-sim --version and vq2x --version ($version)"

# The tool with its folder read-only (a folder without write bits counts as
# read-only for root too) and a site default beside it.
printf '[Opties]\nTaal=2\n' >"$programs/application.ini"
chmod -R a-w "$programs"
config=$scratch/config
settings=$config/vq2x/application.ini
snapshot() { (cd "$programs" && ls -la --time-style=+%s . && find . -type f -exec sha256sum {} +); }
before=$(snapshot)

# Runs the tool offscreen until its window is up (it then catches SIGTERM)
# and a few seconds more, and ends it with SIGTERM, as a logout does.
run_tool() {
  XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen "$programs/vq2x-tool" 2>"$scratch/tool.err" &
  tool=$!
  tries=0
  until mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$tool/status" 2>/dev/null) && [ $((0x$mask & 0x4000)) -ne 0 ]; do
    kill -0 "$tool" 2>/dev/null || fail "vq2x-tool ended by itself: $(cat "$scratch/tool.err")"
    tries=$((tries + 1))
    [ "$tries" -lt 600 ] || fail "vq2x-tool did not come up within a minute"
    sleep 0.1
  done
  sleep 2
  kill -TERM "$tool"
  status=0
  wait "$tool" || status=$?
  tool=""
  [ "$status" -eq 0 ] || fail "vq2x-tool ended with status $status: $(cat "$scratch/tool.err")"
}

run_tool
[ -f "$settings" ] || fail "no settings in \$XDG_CONFIG_HOME/vq2x: $(cat "$scratch/tool.err")"
grep -qx 'Taal=2' "$settings" || fail "the site default was not taken over"
[ "$(grep -c '=' "$settings")" -ge 24 ] || fail "the settings file lacks keys"
[ "$(snapshot)" = "$before" ] || fail "the program folder changed"
sed -i 's/^unit_no=.*/unit_no=7/' "$settings"
run_tool
grep -qx 'unit_no=7' "$settings" || fail "the user's settings did not survive a restart"
grep -qx 'Taal=2' "$settings" || fail "the language changed at the restart"
[ "$(snapshot)" = "$before" ] || fail "the program folder changed at the restart"
pass "vq2x-tool: settings in \$XDG_CONFIG_HOME/vq2x, site default copied once, program folder unchanged"

# The command line against the unpacked simulator, with the unit number
# from the user's settings.
"$programs/vq2x-sim" --pty --no-stdin --unit 7:VQ22 >"$scratch/sim.out" 2>"$scratch/sim.err" &
sim=$!
tries=0
until [ -s "$scratch/sim.out" ]; do
  kill -0 "$sim" 2>/dev/null || fail "vq2x-sim ended: $(cat "$scratch/sim.err")"
  tries=$((tries + 1))
  [ "$tries" -lt 300 ] || fail "vq2x-sim gave no pseudo-terminal"
  sleep 0.1
done
pty=$(head -n 1 "$scratch/sim.out")
info=$(XDG_CONFIG_HOME=$config "$programs/vq2x" --port "$pty" info 2>"$scratch/cli.err") ||
  fail "vq2x --port $pty info: $(cat "$scratch/cli.err")"
echo "$info" | grep -q '^unit 7.*type VQ22' || fail "vq2x info answered: $info"
[ "$(snapshot)" = "$before" ] || fail "the program folder changed under vq2x"
pass "vq2x --port $pty info: $info"

lintian --fail-on error --tag-display-limit 0 "$deb" >"$scratch/lintian.txt" 2>&1 || {
  cat "$scratch/lintian.txt"
  fail "lintian reports errors"
}
sed 's/^/test-package: lintian: /' "$scratch/lintian.txt"
pass "lintian: no errors"

echo "test-package: $passed passed, 0 failed"

#!/usr/bin/env bash
# Builds the Debian package as a distribution would (prefix /usr, Release, no tests), checks
# its metadata with the distribution's own validators, then unpacks it into a temporary root
# and runs the programs from there: what a user gets after `dpkg -i`, without touching this
# machine's /usr. Usage: scripts/package.sh [build-folder]   (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DKORVANE_BUILD_GUI=ON -DKORVANE_BUILD_TESTS=OFF \
    -DKORVANE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$jobs" >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/korvane_*.deb)
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Depends

fail() { echo "package check failed: $*" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
usr=$root/usr

# The metadata, as software centres and menus read it.
appstreamcli validate --pedantic --no-net "$usr/share/metainfo/org.korvane.korvane.metainfo.xml"
desktop-file-validate --no-hints "$usr/share/applications/korvane.desktop"
hints=$(desktop-file-validate "$usr/share/applications/korvane.desktop" 2>&1 || true)
[ -z "$hints" ] || fail "desktop entry: $hints"
for page in korvane korvane-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$usr/share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page $page.1: $warnings"
done
for size in 16 32 48 64 128 256; do
    [ -f "$usr/share/icons/hicolor/${size}x$size/apps/korvane.png" ] || fail "no $size px icon"
done
for file in share/doc/korvane/LICENSE share/doc/korvane/manual/index.html \
    share/bash-completion/completions/korvane-cli bin/korvane bin/korvane-cli; do
    [ -e "$usr/$file" ] || fail "missing /usr/$file"
done

# The installed programs: the version, a conversion, standard input, no display needed.
version=$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$("$usr/bin/korvane-cli" --version)" = "korvane-cli $version" ] || fail "korvane-cli --version"
[ "$(env -i "$usr/bin/korvane" --version)" = "korvane $version" ] || fail "korvane --version"
[ "$("$usr/bin/korvane-cli" --no-settings convert 1 foot inch)" = 12 ] || fail "convert"
[ "$(printf '1\n2\n' | "$usr/bin/korvane-cli" --no-settings convert - ft in | tr '\n' ' ')" = "12 24 " ] ||
    fail "convert -"
file "$usr/bin/korvane-cli" | grep -q 'pie executable' || fail "korvane-cli is no PIE"
# Nothing of the build machine's folders inside the programs.
for program in korvane korvane-cli; do
    ! grep -q -a -F "$PWD" "$usr/bin/$program" || fail "$program names $PWD"
done
# The completion, loaded as bash-completion loads it, offers the installed program's names.
bash tests/cli/completion_test.sh "$usr/bin" "$usr/share/bash-completion/completions/korvane-cli" ||
    fail "completion"
# Every library the programs need comes from a declared dependency.
apt-get install --simulate --no-install-recommends "$PWD/$deb" >/dev/null || fail "dependencies"
echo "package checks passed"

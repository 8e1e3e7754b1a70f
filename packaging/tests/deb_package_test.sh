#!/usr/bin/env bash
# Makes the Debian package of a build and checks it: lintian, its files, dpkg
# install and removal, the manual page, the version, the bash completion.
# dpkg works on a scratch root, which still runs its unpacking, file list and
# removal: a test killed by its time-out must leave no package installed on
# this machine. apt says, without changes, whether the dependencies are met.
# Usage: deb_package_test.sh BUILD_DIR VERSION SOURCE_DIR
set -euo pipefail
export LC_ALL=C
build=$1 version=$2 source=$3

work="$build/package-test"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/checks.sh"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >/dev/null
deb="$work/pinwell_${version}_amd64.deb"
[ -f "$deb" ] || { echo "FAILED: no $deb"; exit 1; }
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

echo "lintian:"
# lintian leaves files in the temporary folder: the test's own folder is removed.
TMPDIR="$work" lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors"

expect "the package's files" "./usr/bin/pinwell
./usr/share/bash-completion/completions/pinwell
./usr/share/doc/pinwell/changelog.gz
./usr/share/doc/pinwell/copyright
./usr/share/man/man1/pinwell.1.gz" "$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort)"
apt-get install --simulate -qq "$deb" >/dev/null 2>&1 || fail "apt cannot install the package here"

root="$work/root"
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
# The scratch root has none of the libraries the package depends on.
dpkg --root="$root" --force-depends --force-not-root -i "$deb" >"$work/dpkg.log" 2>&1 ||
  { cat "$work/dpkg.log"; echo "FAILED: dpkg -i"; exit 1; }

if grep -rlF "$source" "$root/usr"; then fail "files that name the build machine's folders"; fi
expect "the installed pinwell's version" "pinwell $version" "$("$root/usr/bin/pinwell" --version)"

page="$root/usr/share/man/man1/pinwell.1.gz"
expect "man's warnings" "" "$(man --warnings -l "$page" 2>&1 >/dev/null)"
# The manual page lists the options of the usage text, in its order.
options() { sed -nE "s/^ {$1}(-[^ ,]+(, -[^ ,]+)?).*/\\1/p" | paste -sd ' '; }
expect "the manual page's options" "$("$root/usr/bin/pinwell" --help | options 2,6)" \
  "$(MANWIDTH=200 man -l "$page" 2>/dev/null | sed -n '/^OPTIONS/,/^EXIT STATUS/p' | options 7)"

# Completion as bash runs it: the words of the line, '=' a word of its own.
completions() {
  bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    compopt() { :; }   # only valid inside a real completion
    line=$2
    read -ra COMP_WORDS <<<"${line//=/ = }"
    [[ $line == *[\ =] ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$line COMP_POINT=${#line}
    _pinwell pinwell "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd " "
  ' _ "$root/usr/share/bash-completion/completions/pinwell" "$1"
}
mkdir -p "$work/logs/folder" && cd "$work/logs"
touch -- trip.pgl LONG.PGL notes.txt -dash.pgl
while IFS='|' read -r line expected; do
  expect "completion of '$line'" "$expected" "$(completions "$line")"
done <<'EOF'
pinwell |-dash.pgl LONG.PGL folder trip.pgl
pinwell --res|--resolution=
pinwell --format=g|geojson gpx
pinwell --date |
pinwell --resolution=1|1 10
pinwell -o |-dash.pgl LONG.PGL folder notes.txt trip.pgl
pinwell --output=n|notes.txt
pinwell --stats=|json text
pinwell --max-speed 3|300kmh 30kn
pinwell --spl|--split-gap=
pinwell -q -- -|-dash.pgl
EOF
cd "$build"

dpkg --root="$root" --force-not-root -r pinwell >/dev/null || fail "dpkg -r"
expect "files left after dpkg -r" "" "$(find "$root/usr" -type f 2>/dev/null)"

checks_done

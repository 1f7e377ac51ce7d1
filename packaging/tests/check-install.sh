#!/usr/bin/env bash
# Installs the build into a fresh temporary prefix and checks that every file
# a desktop needs is where the desktop looks for it, and nothing else:
#
#   check-install.sh BUILD_DIR SOURCE_DIR VERSION APP_ID
set -euo pipefail
build="$1" source="$2" version="$3" app_id="$4"

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

# Exactly these files, no headers or test programs besides them.
expected=(bin/vellor-results share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml
          share/man/man1/vellor-results.1.gz lib/systemd/user/vellor-results-watch.service
          share/doc/vellor-results/user-guide.txt share/doc/vellor-results/LICENSE
          share/doc/vellor-results/copyright share/doc/vellor-results/changelog.gz
          share/doc/vellor-results/examples/publish.ini
          share/icons/hicolor/scalable/apps/vellor-results.svg)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/vellor-results.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) \
    || fail "installed files differ from the list above (< expected, > installed)"

# The program runs from its installed place and tells the package's version.
program="$prefix/bin/vellor-results"
[ -x "$program" ] || fail "$program is not executable"
got="$("$program" --version 2>&1 || true)"
[ "$got" = "vellor-results $version" ] || fail "--version printed '$got', expected 'vellor-results $version'"

# The menu entry: valid by the standard (hints allowed, no warning or error),
# naming the installed program and the themed icon.
entry="$prefix/share/applications/$app_id.desktop"
if ! command -v desktop-file-validate >/dev/null; then
    fail "desktop-file-validate not found (Debian package desktop-file-utils; scripts/install-deps.sh installs it)"
else
    report="$(desktop-file-validate "$entry" 2>&1)" || fail "desktop-file-validate rejects the entry: $report"
    if grep -Eq ': (error|warning):' <<<"$report"; then fail "desktop-file-validate: $report"; fi
fi
key() { sed -n "s/^$1=//p" "$entry"; }
[ "$(key Type)" = "Application" ] || fail "Type is '$(key Type)'"
[ "$(key Name)" = "Vellor Results" ] || fail "Name is '$(key Name)'"
[ "$(key Categories)" = "Utility;Sports;" ] || fail "Categories is '$(key Categories)'"
[ "$(key Exec)" = "$program" ] || fail "Exec is '$(key Exec)', expected '$program'"
[ "$(key TryExec)" = "$program" ] || fail "TryExec is '$(key TryExec)', expected '$program'"
[ "$(key Icon)" = "vellor-results" ] || fail "Icon is '$(key Icon)'"
[ "$(key Terminal)" = "false" ] || fail "Terminal is '$(key Terminal)'"

# The watch's user unit starts the installed program; systemd reads it
# without complaint where systemd-analyze is there.
unit="$prefix/lib/systemd/user/vellor-results-watch.service"
grep -qx "ExecStart=$program --watch --log %S/vellor-results/watch.log" "$unit" \
    || fail "the unit's ExecStart does not name $program"
if command -v systemd-analyze >/dev/null; then
    # A user manager needs a runtime folder, which a build machine may lack.
    runtime="$(mktemp -d)"
    report="$(XDG_RUNTIME_DIR="$runtime" systemd-analyze --user verify "$unit" 2>&1)" \
        || fail "systemd-analyze verify: $report"
    [ -z "$report" ] || fail "systemd-analyze verify: $report"
    rm -rf "$runtime"
fi

# Each PNG is as large as the theme folder it sits in says: the width and the
# height are the two big-endian words after the IHDR tag.
for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/vellor-results.png"
    [ -f "$png" ] || continue
    magic="$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')"
    [ "$magic" = "89504e470d0a1a0a" ] || { fail "$png is not a PNG"; continue; }
    width=$((16#$(od -An -tx1 -j16 -N4 "$png" | tr -d ' \n')))
    height=$((16#$(od -An -tx1 -j20 -N4 "$png" | tr -d ' \n')))
    [ "$width" = "$size" ] && [ "$height" = "$size" ] \
        || fail "$png is ${width}x${height}, expected ${size}x${size}"
done
svg="$prefix/share/icons/hicolor/scalable/apps/vellor-results.svg"
grep -q '<svg' "$svg" 2>/dev/null || fail "$svg is not an SVG image"

# The user guide is the README's part for commissioners, no developers' pages.
cmp -s <(sed '/^## For developers/,$d' "$source/README.md") "$prefix/share/doc/vellor-results/user-guide.txt" \
    || fail "the installed user guide is not the README up to its \"For developers\" section"
cmp -s "$source/LICENSE" "$prefix/share/doc/vellor-results/LICENSE" \
    || fail "the installed LICENSE differs from LICENSE"

# The copyright file in Debian's machine-readable form: its header, every
# file under MIT, and the licence paragraph holding LICENSE's permission text
# (its lines after the copyright line), each indented by one space, with
# "." for an empty line.
copyright="$prefix/share/doc/vellor-results/copyright"
if [ -f "$copyright" ]; then
    head -n1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        || fail "copyright does not start with the DEP-5 Format line"
    grep -qx 'Files: \*' "$copyright" || fail "copyright has no 'Files: *' paragraph"
    grep -qx 'Copyright: .* The Vellor Results authors' "$copyright" || fail "copyright names no copyright holder"
    [ "$(grep -cx 'License: MIT' "$copyright")" = 2 ] || fail "copyright does not name MIT for the files and give its text"
    diff <(sed -n '5,$p' "$source/LICENSE" | sed 's/^$/./; s/^/ /') \
         <(awk 'n == 2 { print } /^License: MIT$/ { n++ }' "$copyright") \
        || fail "copyright's licence text differs from LICENSE (< LICENSE, > copyright)"
fi
grep -qx 'SPDX-License-Identifier: MIT' "$source/README.md" || fail "README.md has no SPDX line"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; installed tree:" >&2
    (cd "$prefix" && find . | sort) >&2
    exit 1
fi
echo "install into a temporary prefix: all checks passed"

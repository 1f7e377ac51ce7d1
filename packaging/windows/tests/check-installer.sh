#!/usr/bin/env bash
# The Windows installer under Wine: a silent install puts the program, its
# console twin, the user guide and LICENSE into Program Files\Vellor Results,
# the Start-menu shortcuts in place and the uninstall entry in the registry;
# the installed programs run --version; a silent uninstall removes it all,
# the program's cache and configuration folders too. The
# portable zip holds the same files.
#
#   packaging/windows/tests/check-installer.sh [--build DIR]
#
# DIR is the Windows build folder (default: build-windows). The install goes
# into a Wine prefix of its own, beside the build's (VR_WINEPREFIX-installer).
set -euo pipefail
script="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$script")/../../.."
build="build-windows"
while [ $# -gt 0 ]; do
    case "$1" in
        --build) [ $# -ge 2 ] || { sed -n '2,11p' "$script" >&2; exit 2; }; build="$2"; shift 2 ;;
        *) sed -n '2,11p' "$script" >&2; exit 2 ;;
    esac
done
build="$(cd "$build" && pwd)"
version="$(sed -n 's/^project(vellor_results VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
setup="$build/package/vellor-results-$version-setup.exe"
zip="$build/package/vellor-results-$version-windows.zip"
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$setup" ] || fail "$setup is not built"
[ -f "$zip" ] || fail "$zip is not built"

# A prefix of its own, so that the install never touches the one the test
# suite runs in; booted once and kept, as the suite's is.
export VR_WINEPREFIX="${VR_WINEPREFIX:-$build/wine-prefix}-installer"
run="$PWD/cmake/wine-run.sh"
drive_c="$VR_WINEPREFIX/drive_c"
folder="$drive_c/Program Files/Vellor Results"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vellor Results.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellor Results'
files=(vellor-results.exe vellor-results-cli.exe "User guide.txt" LICENSE.txt)
# The prefix stays booted for the next run; its server ends with this check.
server=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
trap 'WINEPREFIX="$VR_WINEPREFIX" "$server" -k >/dev/null 2>&1 || true' EXIT

# An earlier, interrupted run may have left an install behind.
if [ -x "$folder/uninstall.exe" ]; then "$run" "$folder/uninstall.exe" /S </dev/null || true; sleep 2; fi

echo "== silent install"
"$run" "$setup" /S </dev/null || fail "the installer ended with status $?"
for f in "${files[@]}" uninstall.exe; do [ -f "$folder/$f" ] || fail "no $f in Program Files\\Vellor Results"; done
cmp -s "$folder/vellor-results.exe" "$build/vellor-results.exe" || fail "the installed program is not the one built"
cmp -s "$folder/User guide.txt" <(sed '/^## For developers/,$d; s/$/\r/' README.md) ||
    fail "the installed user guide is not the README's part for commissioners, with CRLF line ends"
grep -q "bash scripts/test.sh" "$folder/User guide.txt" && fail "the user guide carries the developers' commands"
[ -f "$shortcut" ] || fail "no Start-menu shortcut \"Vellor Results\""
[ -f "${shortcut%.lnk} user guide.lnk" ] || fail "no Start-menu shortcut to the user guide"

entry="$("$run" reg query "$key" </dev/null 2>/dev/null | tr -d '\r')"
value() { printf '%s\n' "$entry" | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
[ "$(value DisplayName)" = "Vellor Results" ] || fail "uninstall entry: DisplayName is '$(value DisplayName)'"
[ "$(value DisplayVersion)" = "$version" ] || fail "uninstall entry: DisplayVersion is '$(value DisplayVersion)'"
[ "$(value Publisher)" = "The Vellor Results authors" ] || fail "uninstall entry: no Publisher"
[ "$(value DisplayIcon)" = 'C:\Program Files\Vellor Results\vellor-results.exe,0' ] ||
    fail "uninstall entry: DisplayIcon is '$(value DisplayIcon)'"
case "$(value UninstallString)" in *uninstall.exe*) ;; *) fail "uninstall entry: no UninstallString" ;; esac
size=$(( $(value EstimatedSize) ))
[ "$size" -gt 100 ] || fail "uninstall entry: EstimatedSize is $size KB"

echo "== the installed programs"
for exe in vellor-results.exe vellor-results-cli.exe; do
    out="$("$run" "C:\\Program Files\\Vellor Results\\$exe" --version </dev/null 2>&1 | tr -d '\r')"
    case "$out" in *"$version"*) ;; *) fail "$exe --version printed '$out'" ;; esac
done

echo "== silent uninstall"
# The program's cache and configuration, as its runs leave them, made from
# this side: cmd's own quoting turns a quoted path passed through Wine into a
# path on drive Z:.
profile="$drive_c/users/$(id -un)/AppData"
for place in Local Roaming; do
    mkdir -p "$profile/$place/Vellor Results"
    echo x >"$profile/$place/Vellor Results/kept.txt"
done
"$run" "$folder/uninstall.exe" /S </dev/null || fail "the uninstaller ended with status $?"
# The uninstaller runs on from a copy of itself in the temporary folder.
for _ in $(seq 100); do [ -e "$folder" ] || break; sleep 0.2; done
[ ! -e "$folder" ] || fail "Program Files\\Vellor Results is still there: $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there"
"$run" reg query "$key" </dev/null >/dev/null 2>&1 && fail "the uninstall entry is still registered"
for place in Local Roaming; do
    [ ! -e "$profile/$place/Vellor Results" ] ||
        fail "AppData\\$place\\Vellor Results is still there after the uninstall"
done

echo "== the portable zip"
listing="$(zip -sf "$zip" | sed -n "s/^  //p" | sort)"
expected="$(printf 'Vellor Results/\n'; printf 'Vellor Results/%s\n' "${files[@]}")"
[ "$listing" = "$(printf '%s\n' "$expected" | sort)" ] || fail "the zip holds: $listing"
echo "PASS: the installer installs, runs and uninstalls silently; the zip holds the same files"

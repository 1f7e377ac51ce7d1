#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary folder and
# checks what it declares and what it holds:
#
#   check-deb.sh BUILD_DIR VERSION
set -euo pipefail
build="$1" version="$2"

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
    || { cat "$out/cpack.log" >&2; exit 1; }
arch="$(dpkg --print-architecture)"
deb="$out/vellor-results_${version}_${arch}.deb"
[ -f "$deb" ] || { fail "no $deb; cpack wrote: $(ls "$out")"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = "vellor-results" ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"

# Each dependency once, by package name: the named ones and those the
# program's libraries call for.
depends="$(field Depends)"
names="$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | sort)"
for p in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation fonts-comfortaa \
         libc6 libstdc++6; do
    grep -qx "$p" <<<"$names" || fail "Depends lacks $p: $depends"
done
dups="$(uniq -d <<<"$names")"
[ -z "$dups" ] || fail "Depends names $dups more than once: $depends"

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in ./usr/bin/vellor-results ./usr/share/applications/vellor-results.desktop \
         ./usr/share/doc/vellor-results/README.md ./usr/lib/systemd/user/vellor-results-watch.service \
         ./usr/share/icons/hicolor/48x48/apps/vellor-results.png \
         ./usr/share/icons/hicolor/scalable/apps/vellor-results.svg; do
    grep -qx "$f" <<<"$contents" || fail "the package lacks $f"
done
stray="$(grep -v '^\./usr/' <<<"$contents" | grep -vx '\./' || true)"
[ -z "$stray" ] || fail "the package holds files outside /usr: $stray"

# The entry names the program where the package puts it, not the folder the
# package was staged in.
dpkg-deb -x "$deb" "$out/root"
exec_line="$(sed -n 's/^Exec=//p' "$out/root/usr/share/applications/vellor-results.desktop")"
[ "$exec_line" = "/usr/bin/vellor-results" ] || fail "Exec is '$exec_line'"

[ "$failures" -eq 0 ] || exit 1
echo "$(basename "$deb"): all checks passed"

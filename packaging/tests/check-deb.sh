#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary folder and
# checks what it declares and what it holds:
#
#   check-deb.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build="$1" version="$2" app_id="$3"

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
         libc6 libstdc++6 libcurl4; do
    grep -qx "$p" <<<"$names" || fail "Depends lacks $p: $depends"
done
dups="$(uniq -d <<<"$names")"
[ -z "$dups" ] || fail "Depends names $dups more than once: $depends"

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in ./usr/bin/vellor-results ./usr/share/applications/$app_id.desktop \
         ./usr/share/doc/vellor-results/user-guide.txt ./usr/share/doc/vellor-results/LICENSE \
         ./usr/share/doc/vellor-results/copyright ./usr/share/doc/vellor-results/changelog.gz \
         ./usr/share/doc/vellor-results/examples/publish.ini \
         ./usr/share/man/man1/vellor-results.1.gz ./usr/share/metainfo/$app_id.metainfo.xml \
         ./usr/lib/systemd/user/vellor-results-watch.service \
         ./usr/share/icons/hicolor/48x48/apps/vellor-results.png \
         ./usr/share/icons/hicolor/scalable/apps/vellor-results.svg; do
    grep -qx "$f" <<<"$contents" || fail "the package lacks $f"
done
stray="$(grep -v '^\./usr/' <<<"$contents" | grep -vx '\./' || true)"
[ -z "$stray" ] || fail "the package holds files outside /usr: $stray"

# The entry names the program where the package puts it, not the folder the
# package was staged in.
dpkg-deb -x "$deb" "$out/root"
exec_line="$(sed -n 's/^Exec=//p' "$out/root/usr/share/applications/$app_id.desktop")"
[ "$exec_line" = "/usr/bin/vellor-results" ] || fail "Exec is '$exec_line'"

# The changelog Debian asks of a native package, naming this version.
zcat "$out/root/usr/share/doc/vellor-results/changelog.gz" >"$out/changelog" 2>/dev/null \
    || fail "no gzipped changelog in the package"
[ "$(dpkg-parsechangelog -l "$out/changelog" -S Version 2>/dev/null)" = "$version" ] \
    || fail "the changelog's newest entry is not version $version"

# lintian: no error, and no warning or note but those kept on purpose, each
# with its reason. A tag that comes back is a change to look at, not to add
# here without one.
declare -A kept=(
    [extra-license-file]="the licence file is installed with the program on every platform, as LICENSE beside the copyright file"
    [binary-has-unneeded-section]="CPack strips the program with plain strip, which keeps .comment (the compiler's version, a few bytes)"
    [hardening-no-bindnow]="the package is made from the developers' build, not with dpkg-buildflags"
    [hardening-no-fortify-functions]="the same; and the program calls few of the functions fortifying guards"
    [spelling-error-in-binary]="lintian reads words into bytes of the Qt-linked program's data that are no text of ours"
)
if ! command -v lintian >/dev/null; then
    fail "lintian not found (scripts/install-deps.sh installs it)"
else
    status=0
    lintian --display-info --tag-display-limit 0 --fail-on error "$deb" >"$out/lintian.txt" 2>&1 || status=$?
    while IFS= read -r line; do
        tag="$(awk '{print $3}' <<<"$line")"
        case "$line" in
            E:*) fail "lintian error: $line" ;;
            *) [ -n "${kept[$tag]:-}" ] || fail "lintian reports a tag not kept on purpose: $line" ;;
        esac
    done < <(grep -E '^[EWI]: ' "$out/lintian.txt")
    if [ "$status" -ne 0 ] && ! grep -q '^E: ' "$out/lintian.txt"; then
        fail "lintian did not run (status $status): $(cat "$out/lintian.txt")"
    fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "$(basename "$deb"): all checks passed"

#!/usr/bin/env bash
# Builds the Debian package and installs it the way a commissioner would, with
# apt, into a fresh minimal Debian 12 system made with debootstrap; then runs
# the installed program there (chroot): --version, the headless run on a
# generated league, and a start of the window far enough to show that Qt's X11
# platform plugin loads. Needs root and Debian's package mirrors; slow the
# first time (the base system is cached for the next runs), so not part of the
# test suite.
#
#   scripts/check-deb-in-debian.sh [--build DIR] [--keep]
#
#   --build DIR   the build folder (default: build)
#   --keep        leave the system root in place and print where it is
#
# The base system and the packages apt fetched are cached in
# /var/cache/vellor-results/ (delete it to start from the mirror again). The mirror is the one this machine's apt uses for
# bookworm; DEBIAN_MIRROR=URL names another.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
build="build"
keep=0
while [ $# -gt 0 ]; do
    case "$1" in
        --build) [ $# -ge 2 ] || usage; build="$2"; shift 2 ;;
        --keep) keep=1; shift ;;
        *) usage ;;
    esac
done
[ "$(id -u)" -eq 0 ] || { echo "check-deb-in-debian: run as root (debootstrap and chroot)" >&2; exit 1; }
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== [${SECONDS}s] $*"; }

bash scripts/install-deps.sh
for p in debootstrap debian-archive-keyring; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
        || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p"
done

step "building the package"
cmake -S . -B "$build" -G Ninja >/dev/null
ninja -C "$build" vellor-results make-sample-league >/dev/null
rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null 2>&1
version="$(sed -n 's/^project(vellor_results VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
deb="$build/package/vellor-results_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "cpack wrote no $deb"
echo "$deb"

# The mirror apt uses here for bookworm's main archive (not the security one).
mirror="${DEBIAN_MIRROR:-}"
if [ -z "$mirror" ]; then
    mirror="$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
        | awk '$1 == "deb" && $3 == "bookworm" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' || true)"
fi
if [ -z "$mirror" ]; then
    mirror="$(awk -v RS= '/(^|\n)Suites:[^\n]*[ \t]bookworm([ \t]|\n|$)/ {
                  if (match($0, /URIs:[ \t]*[^ \t\n]+/)) { split(substr($0, RSTART, RLENGTH), f, /[ \t]+/); print f[2]; exit } }' \
        /etc/apt/sources.list.d/*.sources 2>/dev/null || true)"
fi
[ -n "$mirror" ] || fail "no bookworm mirror in this machine's apt sources; set DEBIAN_MIRROR"

cache=/var/cache/vellor-results
base="$cache/debian12-minbase.tar"
if [ ! -f "$base" ]; then
    step "making the base system with debootstrap from $mirror (cached in $base)"
    mkdir -p "$cache"
    fresh="$(mktemp -d /var/tmp/vellor-debootstrap.XXXXXX)"
    debootstrap --variant=minbase bookworm "$fresh" "$mirror" >"$cache/debootstrap.log" 2>&1 \
        || { tail -n 20 "$cache/debootstrap.log" >&2; rm -rf "$fresh"; fail "debootstrap failed"; }
    rm -f "$fresh"/var/cache/apt/archives/*.deb
    tar -C "$fresh" -cf "$base.part" .
    mv "$base.part" "$base"
    rm -rf "$fresh"
fi

# The root lives in memory: made and thrown away in a moment, and nothing
# is ever deleted file by file under a folder that may still hold a mount.
root="$(mktemp -d /var/tmp/vellor-debian12.XXXXXX)"
mount -t tmpfs -o size=3g,mode=755 vellor-debian12 "$root"
mounted=("$root")
cleanup() {
    if [ "$keep" = 1 ]; then
        echo "the system root is kept at $root (mounts: ${mounted[*]}; umount them in that order)"
        return
    fi
    local m
    for m in "${mounted[@]}"; do umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true; done
    rmdir "$root" 2>/dev/null || echo "check-deb-in-debian: $root is still in use; left in place" >&2
}
trap cleanup EXIT
step "a fresh system root at $root"
tar -C "$root" -xf "$base"
mount -t proc proc "$root/proc" && mounted=("$root/proc" "${mounted[@]}")
mount --bind /dev "$root/dev" && mounted=("$root/dev" "${mounted[@]}")
# The packages apt fetches are kept for the next run.
mkdir -p "$cache/archives/partial"
mount --bind "$cache/archives" "$root/var/cache/apt/archives" \
    && mounted=("$root/var/cache/apt/archives" "${mounted[@]}")
# The same Debian sources as this machine, so updates and security fixes
# match the libraries the package was built against.
cp /etc/resolv.conf "$root/etc/resolv.conf"
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
    : >"$root/etc/apt/sources.list"
elif [ -s /etc/apt/sources.list ]; then
    cp /etc/apt/sources.list "$root/etc/apt/sources.list"
fi
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
# A throwaway root: apt need not drop to its own user to download.
apt_options=(-o APT::Sandbox::User=root -o Dpkg::Options::=--force-unsafe-io)

step "apt installs the package and what it depends on (no recommended packages)"
cp "$deb" "$root/tmp/"
in_root apt-get "${apt_options[@]}" update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get "${apt_options[@]}" install -y -qq --no-install-recommends \
    "/tmp/$(basename "$deb")" >"$root/tmp/apt.log" 2>&1 || { tail -n 30 "$root/tmp/apt.log" >&2; fail "apt could not install the package"; }
in_root dpkg-query -W -f='${Package} ${Version} ${Status}\n' vellor-results

step "the installed program"
got="$(in_root vellor-results --version)"
echo "$got"
[ "$got" = "vellor-results $version" ] || fail "--version printed '$got'"
[ "$(in_root sh -c 'command -v vellor-results')" = "/usr/bin/vellor-results" ] || fail "vellor-results is not /usr/bin/vellor-results"
entry="$(ls "$root"/usr/share/applications/*.desktop 2>/dev/null | head -n1)"
[ -n "$entry" ] || fail "no desktop entry installed"
desktop-file-validate "$entry" || fail "the installed desktop entry does not validate"
grep -qx 'Exec=/usr/bin/vellor-results' "$entry" \
    || fail "the desktop entry's Exec does not name /usr/bin/vellor-results"
for family in "Liberation Sans Narrow" "Liberation Mono" "Comfortaa"; do
    in_root fc-list ": family" | grep -q "$family" || fail "font $family is not installed in the new system"
done

step "the headless run on a generated league, inside the new system"
"$build/make-sample-league" --drive "$root/srv/drive" --preset demo >/dev/null
in_root env VELLOR_DRIVE_C=/srv/drive vellor-results --run >"$root/tmp/scores.txt" \
    || fail "the headless run failed inside the new system"
echo "$(wc -l <"$root/tmp/scores.txt") score lines; first: $(head -n1 "$root/tmp/scores.txt")"
# The same run on this machine gives the same files.
here="$(mktemp -d)"
"$build/make-sample-league" --drive "$here" --preset demo >/dev/null
VELLOR_DRIVE_C="$here" "$build/vellor-results" --run >/dev/null
rel="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
for f in "~daily.txt" html/scoreboard.html Test.txt; do
    cmp -s "$root/srv/drive/$rel/$f" "$here/$rel/$f" || { rm -rf "$here"; fail "$f differs from this machine's run"; }
done
rm -rf "$here"

step "the window: Qt's X11 platform plugin loads (there is no display to connect to)"
xcb="$(in_root env QT_QPA_PLATFORM=xcb DISPLAY=:99 VELLOR_DRIVE_C=/srv/drive timeout 20 vellor-results 2>&1 || true)"
grep -q "could not connect to display" <<<"$xcb" || fail "the X11 plugin did not load: $xcb"
echo "the X11 plugin loaded and looked for a display"

echo "PASSED: $(basename "$deb") installs with apt into a fresh Debian 12 and runs there"

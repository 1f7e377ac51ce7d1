#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the documentation a
# distribution and a software centre read: the manual page (gzipped, renders
# without a warning, names every option --help lists, every variable --help
# names and every error kind the program reports) and the AppStream data
# (valid, named by the application's id, launching its desktop entry, its
# newest release the program's version).
#
#   check-docs.sh BUILD_DIR SOURCE_DIR VERSION APP_ID
set -euo pipefail
build="$1" source="$2" version="$3" app_id="$4"

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
for tool in man appstreamcli; do
    command -v "$tool" >/dev/null \
        || { echo "FAIL: $tool not found (scripts/install-deps.sh installs man-db and appstream)" >&2; exit 1; }
done

cmake --install "$build" --prefix "$prefix" >/dev/null
help="$("$prefix/bin/vellor-results" --help)"

# ---------------------------------------------------------------- manual page
page="$prefix/share/man/man1/vellor-results.1.gz"
gzip -t "$page" || fail "$page is not gzipped"
mtime="$(od -An -tu4 -j4 -N4 "$page" | tr -d ' ')"
[ "$mtime" = 0 ] || fail "the gzipped page carries a time stamp ($mtime): gzip -n keeps builds reproducible"
warnings="$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
[ -z "$warnings" ] || fail "man --warnings reports: $warnings"
rendered="$(MANWIDTH=200 man -l "$page" 2>/dev/null)"

# The rendered page's section NAME: its lines up to the next heading.
section() { awk -v name="$1" '/^[A-Z]/ { inside = ($0 == name); next } inside' <<<"$rendered"; }
# A tagged paragraph's tag starts 7 columns in; "--help, -h" names both.
tagged() {  # section text, item
    grep -E '^ {7}[^ ]' <<<"$1" | grep -qE "(^| |,)$(sed 's/[.]/\\./g' <<<"$2")(,| |$)"
}
options="$(section OPTIONS)"
for option in $(grep -oE '(^|[ [])--?[a-z][a-z-]*' <<<"$help" | sed 's/^[ [(]*//' | sort -u); do
    tagged "$options" "$option" || fail "--help lists $option, the manual page's OPTIONS do not"
done
environment="$(section ENVIRONMENT)"
for variable in $(grep -oE '\$?[A-Z][A-Z0-9]*_[A-Z0-9_]*|\$[A-Z]+' <<<"$help" | tr -d '$' | sort -u); do
    tagged "$environment" "$variable" || fail "--help names $variable, the manual page's ENVIRONMENT does not"
done
diagnostics="$(section DIAGNOSTICS)"
while IFS= read -r kind; do
    tagged "$diagnostics" "$kind" || fail "the program reports '$kind', the manual page's DIAGNOSTICS do not"
done < <(sed -n 's/^ *case StopKind::[A-Za-z]*: return "\(.*\)";$/\1/p' "$source/src/text/errors.cpp")
for status in 0 1 2; do
    tagged "$(section 'EXIT STATUS')" "$status" || fail "EXIT STATUS lacks $status"
done
grep -q "Vellor Results $version" <<<"$rendered" || fail "the manual page does not carry version $version"

# ---------------------------------------------------------------- AppStream
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
if [ -f "$metainfo" ]; then
    report="$(appstreamcli validate --no-net "$metainfo" 2>&1)" || fail "appstreamcli validate: $report"
    element() { sed -n "s|^ *<$1>\(.*\)</$1>$|\1|p" "$metainfo"; }
    [ "$(element id)" = "$app_id" ] || fail "the AppStream id is '$(element id)', expected $app_id"
    launchable="$(sed -n 's|^ *<launchable type="desktop-id">\(.*\)</launchable>$|\1|p' "$metainfo")"
    [ "$launchable" = "$app_id.desktop" ] || fail "the launchable is '$launchable', expected $app_id.desktop"
    [ -f "$prefix/share/applications/$launchable" ] || fail "the launchable $launchable is not installed"
    [ "$(element project_license)" = MIT ] || fail "project_license is '$(element project_license)'"
    [ -n "$(element summary)" ] || fail "no summary"
    grep -q '<description>' "$metainfo" || fail "no description"
    [ -n "$(element category)" ] || fail "no categories"
    [ -n "$(element caption)" ] || fail "no screenshot caption"
    newest="$(sed -n 's|^ *<release version="\([^"]*\)".*|\1|p' "$metainfo" | head -n1)"
    [ "$newest" = "$version" ] || fail "the newest release is '$newest', the program's version $version"
else
    fail "no $metainfo"
fi

[ "$failures" -eq 0 ] || exit 1
echo "manual page and AppStream data: all checks passed"

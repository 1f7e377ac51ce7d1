# The options, tools and set-up the browser checks share; sourced by
# scripts/check-*-in-browser.sh from the project's root, after they set
# `help` to the lines of their opening comment that give their usage:
#
#   browser_check_options "$@"   sets build, out (default BUILD/screenshots)
#                                and install (0 with --no-install)
#   browser_check_prepare [imagemagick]
#                                installs the checks' tools and builds the
#                                program and the generator; with --no-install
#                                only looks for chromium, python3 (and
#                                imagemagick) and makes OUT an absolute path

browser_check_usage() { sed -n "$help" "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }

# A tool missing: the check is skipped, except in CI, where it must run.
missing_tool() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL: $1 is not installed (CI=true: the check must run; scripts/install-deps.sh --with-checks installs it)" >&2
        exit 1
    fi
    echo "skipped: $1 is not installed" >&2
    exit 77
}

browser_check_options() {
    build="build"
    out=""
    install=1
    while [ $# -gt 0 ]; do
        case "$1" in
            --build) [ $# -ge 2 ] || browser_check_usage; build="$2"; shift 2 ;;
            --out) [ $# -ge 2 ] || browser_check_usage; out="$2"; shift 2 ;;
            --no-install) install=0; shift ;;
            *) browser_check_usage ;;
        esac
    done
    out="${out:-$build/screenshots}"
}

browser_check_prepare() {
    if [ "$install" = 1 ]; then
        bash scripts/install-deps.sh --with-checks
        cmake -S . -B "$build" -G Ninja >/dev/null
        ninja -C "$build" vellor-results make-sample-league >/dev/null
    else
        for tool in chromium python3; do
            command -v "$tool" >/dev/null || missing_tool "$tool"
        done
        if [ "${1:-}" = imagemagick ]; then
            [ -x /usr/bin/convert ] || missing_tool imagemagick
        fi
    fi
    mkdir -p "$out"
    out="$(cd "$out" && pwd)"
}

#!/bin/sh
# Without a display the program says so in one line and exits with 2: once
# with no display named, once with one that cannot be opened.
program="$1"
fail=0
check() {
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$program" 2>&1 </dev/null)
    status=$?
    lines=$(printf '%s\n' "$out" | wc -l)
    if [ "$status" -ne 2 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$out" | grep -q -- '--run'; then
        echo "with $*: status $status, output:"; printf '%s\n' "$out"; fail=1
    fi
}
check
check DISPLAY=:93 XAUTHORITY=/nonexistent
exit $fail

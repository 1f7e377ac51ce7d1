#!/usr/bin/env bash
# Stops the servers scripts/send-servers/start.sh started in WORK.
#
#   scripts/send-servers/stop.sh WORK
work="${1:?WORK}"
for name in sshd ftpd discord relay; do
    [ -f "$work/$name.run.pid" ] || continue
    kill "$(cat "$work/$name.run.pid")" 2>/dev/null
    rm -f "$work/$name.run.pid"
done
# sshd's children end with it; wait for the listeners to go.
sleep 0.2
exit 0

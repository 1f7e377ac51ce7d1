#!/usr/bin/env python3
"""A relay that cuts its connections, for the sending tests.

    relay.py PORT TARGET_PORT BYTES

Listens on 127.0.0.1:PORT and passes each connection on to
127.0.0.1:TARGET_PORT, until BYTES bytes in all have gone from the clients
to the target: then every connection is closed, as a network that drops
half-way would, and new ones are refused.
"""
import socket
import sys
import threading

PORT, TARGET, LIMIT = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
state = {"sent": 0, "cut": False}
lock = threading.Lock()
open_sockets = []


def cut():
    state["cut"] = True
    for s in open_sockets:
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        s.close()


def pump(src, dst, counted):
    try:
        while True:
            data = src.recv(65536)
            if not data:
                break
            if counted:
                with lock:
                    room = LIMIT - state["sent"]
                    if room <= len(data):
                        dst.sendall(data[:max(room, 0)])
                        state["sent"] = LIMIT
                        cut()
                        return
                    state["sent"] += len(data)
            dst.sendall(data)
    except OSError:
        pass
    for s in (src, dst):
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


listener = socket.socket()
listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
listener.bind(("127.0.0.1", PORT))
listener.listen(8)
while True:
    client, _ = listener.accept()
    if state["cut"]:
        client.close()
        continue
    target = socket.create_connection(("127.0.0.1", TARGET))
    open_sockets.extend([client, target])
    threading.Thread(target=pump, args=(client, target, True), daemon=True).start()
    threading.Thread(target=pump, args=(target, client, False), daemon=True).start()

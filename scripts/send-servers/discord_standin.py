#!/usr/bin/env python3
"""A stand-in for Discord's webhook API over HTTPS, for the sending tests.

    discord_standin.py PORT CERT KEY STATE_DIR TOKEN

Serves /api/webhooks/1/TOKEN as Discord documents it: GET answers the
webhook (named "League scores"), POST ?wait=true answers the new message
with its id, PATCH and DELETE .../messages/<id> edit and remove one; any
other webhook is "Unknown Webhook" (404, code
10015). The first POST is answered 429 with retry_after, the second request
500, once each, as Discord's rate limit and a passing fault would. Bound to
127.0.0.1 only. STATE_DIR/messages.json holds the messages by id after each
change; STATE_DIR/requests.log one line per request: method, id, and the
allowed_mentions sent.
"""
import json
import os
import ssl
import sys
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

PORT, CERT, KEY, STATE = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
HOOK = "/api/webhooks/1/" + sys.argv[5]
messages = {}
counter = {"requests": 0, "posts": 0, "next_id": 1000}


def save():
    tmp = os.path.join(STATE, "messages.json.tmp")
    with open(tmp, "w") as f:
        json.dump(messages, f, sort_keys=True)
    os.replace(tmp, os.path.join(STATE, "messages.json"))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, body=None):
        data = b"" if body is None else json.dumps(body).encode()
        self.send_response(status)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def body(self):
        n = int(self.headers.get("Content-Length", "0") or 0)
        raw = self.rfile.read(n) if n else b""
        return json.loads(raw) if raw else {}

    def handle_any(self, method):
        body = self.body()
        path, _, query = self.path.partition("?")
        counter["requests"] += 1
        with open(os.path.join(STATE, "requests.log"), "a") as log:
            log.write("%s %s %s\n" % (method, path.rsplit("/", 1)[-1],
                                      json.dumps(body.get("allowed_mentions"), sort_keys=True)))
        if not path.startswith(HOOK):
            return self.answer(404, {"message": "Unknown Webhook", "code": 10015})
        if method == "POST" and path == HOOK:
            counter["posts"] += 1
            if counter["posts"] == 1:
                return self.answer(429, {"message": "You are being rate limited.",
                                         "retry_after": 0.3, "global": False})
            if counter["requests"] == 2:
                return self.answer(500, {"message": "500: Internal Server Error", "code": 0})
            if query != "wait=true":
                return self.answer(204)
            counter["next_id"] += 1
            mid = str(counter["next_id"])
            messages[mid] = body.get("content", "")
            save()
            return self.answer(200, {"id": mid, "content": messages[mid]})
        mid = path[len(HOOK + "/messages/"):] if path.startswith(HOOK + "/messages/") else None
        if mid is None or mid not in messages:
            return self.answer(404, {"message": "Unknown Message", "code": 10008})
        if method == "PATCH":
            messages[mid] = body.get("content", messages[mid])
            save()
            return self.answer(200, {"id": mid, "content": messages[mid]})
        if method == "DELETE":
            del messages[mid]
            save()
            return self.answer(204)
        return self.answer(405, {"message": "405: Method Not Allowed", "code": 0})

    def do_GET(self):
        # The webhook itself, as Discord answers a GET of it (the settings
        # dialog's Test asks so): no fault is counted, nothing is logged.
        if self.path.partition("?")[0] != HOOK:
            return self.answer(404, {"message": "Unknown Webhook", "code": 10015})
        return self.answer(200, {"id": "1", "type": 1, "name": "League scores", "channel_id": "2"})

    def do_POST(self):
        self.handle_any("POST")

    def do_PATCH(self):
        self.handle_any("PATCH")

    def do_DELETE(self):
        self.handle_any("DELETE")


server = ThreadingHTTPServer(("127.0.0.1", PORT), Handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(CERT, KEY)
server.socket = context.wrap_socket(server.socket, server_side=True)
save()
server.serve_forever()

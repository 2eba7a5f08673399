#!/usr/bin/env python3
"""Runs a command while a small HTTP server answers on 127.0.0.1.

usage: probe_server.py COMMAND [ARGS...]

The server's port goes to the command in TLQ_PROBE_PORT, a port that
refuses connections in TLQ_CLOSED_PORT. The server lives in this process
and ends with it; the exit code is the command's.

Pages:
  /body        200 with a short text
  /binary      200 with 300000 bytes, zero bytes included
  /missing     404 with a body
  /empty       200 with no body
  /truncated   promises 1000 bytes, sends 10 and closes
  /stall       answers only after 30 s
  /last        the request line and headers of the request before it
"""
import http.server
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time

SHORT_BODY = b'Taliq help probe\n'
BINARY_BODY = bytes(range(256)) * 1171 + bytes(range(224))  # 300000 bytes
MISSING_BODY = b'<html><body>404 no such page</body></html>'
STALL_SECONDS = 30

last_request = b''
lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.0'

    def log_message(self, *args):
        pass

    def answer(self, status, body, length=None):
        self.send_response(status)
        self.send_header('Content-Type', 'text/plain')
        self.send_header('Content-Length', str(len(body) if length is None else length))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        global last_request
        with lock:
            previous = last_request
            headers = ''.join('%s: %s\r\n' % (name, value) for name, value in self.headers.items())
            last_request = (self.requestline + '\r\n' + headers).encode('latin-1')
        path = self.path.split('?')[0]
        if path == '/body':
            self.answer(200, SHORT_BODY)
        elif path == '/binary':
            self.answer(200, BINARY_BODY)
        elif path == '/missing':
            self.answer(404, MISSING_BODY)
        elif path == '/empty':
            self.answer(200, b'')
        elif path == '/truncated':
            self.answer(200, b'0123456789', length=1000)
            self.wfile.flush()
            self.connection.shutdown(socket.SHUT_RDWR)
        elif path == '/stall':
            time.sleep(STALL_SECONDS)
            self.answer(200, b'late')
        elif path == '/last':
            self.answer(200, previous)
        else:
            self.answer(404, b'unknown')


def closed_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


def main():
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    env = dict(os.environ, TLQ_PROBE_PORT=str(server.server_address[1]), TLQ_CLOSED_PORT=str(closed_port()))
    # Wine's own background processes may inherit the command's output and
    # outlive it: collect the output in a file, not through our pipe.
    with tempfile.TemporaryFile() as output:
        code = subprocess.call(sys.argv[1:], env=env, stdin=subprocess.DEVNULL, stdout=output,
                               stderr=subprocess.STDOUT)
        output.seek(0)
        sys.stdout.buffer.write(output.read())
        sys.stdout.flush()
    server.shutdown()
    return code


if __name__ == '__main__':
    sys.exit(main())

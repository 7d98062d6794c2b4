#!/usr/bin/env python3
"""Sequential GET "/web/default" requests per second: the rich-edit server
under Wine against Python's http.server serving the same 287 bytes natively
on loopback. Both are driven by the same native client loop (one connection
per request, read until the server closes). Prints both rates and the ratio.

usage: richedit_rps.py SERVER_EXE [REQUESTS]   (run through run-richedit-rps.sh)
"""
import os
import socket
import subprocess
import sys
import tempfile
import time

PAGE = (b"<!doctype html>\r\n<html>\r\n<head>\r\n<meta charset='utf8'>\r\n"
        b"<title>QeUI RichEdit</title>\r\n<script src='/web/jquery'></script>\r\n"
        b"<script src='/web/richeditclient'></script>\r\n</head>\r\n"
        b"<body contentEditable>\r\n</body>\r\n<script>\r\n"
        b"eval(document.getElementById('load').innerHTML)\r\n</script>\r\n</html>")


def request_for(address):
    # The server answers only requests naming its own address and port.
    return b"GET /web/default HTTP/1.1\r\nHost: %s:%d\r\n\r\n" % (address[0].encode(), address[1])

REFERENCE_SERVER = r'''
import http.server, socketserver, sys
page = sys.stdin.buffer.read()
class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(page)))
        self.end_headers()
        self.wfile.write(page)
    def log_message(self, *args):
        pass
server = socketserver.TCPServer(("127.0.0.1", 0), Handler)
print("port", server.server_address[1], flush=True)
server.serve_forever()
'''


def fetch(address):
    with socket.create_connection(address, timeout=10) as client:
        client.sendall(request_for(address))
        reply = bytearray()
        while True:
            chunk = client.recv(65536)
            if not chunk:
                return bytes(reply)
            reply += chunk


def rate(address, requests):
    for _ in range(50):  # warm-up
        fetch(address)
    start = time.perf_counter()
    for _ in range(requests):
        reply = fetch(address)
        if not reply.endswith(PAGE):
            raise SystemExit(f"bad reply from {address}: {reply[:80]!r}")
    return requests / (time.perf_counter() - start)


def wait_for_port(read_output, what, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for line in read_output().splitlines():
            if line.startswith("port "):
                return int(line.split()[1])
        time.sleep(0.1)
    raise SystemExit(f"{what} did not report its port")


def measure_server_under_wine(exe, requests):
    with tempfile.TemporaryFile("w+") as output:
        server = subprocess.Popen(["wine", exe], stdin=subprocess.PIPE, stdout=output,
                                  stderr=subprocess.DEVNULL, cwd=os.path.dirname(exe))
        try:
            def read():
                output.seek(0)
                return output.read()
            port = wait_for_port(read, "the rich-edit server")
            return rate(("127.89.64.254", port), requests)
        finally:
            server.stdin.close()
            try:
                server.wait(timeout=30)
            except subprocess.TimeoutExpired:
                server.kill()
                server.wait()


def measure_reference(requests):
    server = subprocess.Popen([sys.executable, "-c", REFERENCE_SERVER], stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE, text=False)
    try:
        server.stdin.write(PAGE)
        server.stdin.close()
        line = server.stdout.readline().decode()
        if not line.startswith("port "):
            raise SystemExit("the reference server did not start")
        return rate(("127.0.0.1", int(line.split()[1])), requests)
    finally:
        server.kill()
        server.wait()


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    exe = os.path.abspath(sys.argv[1])
    requests = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
    ours = measure_server_under_wine(exe, requests)
    reference = measure_reference(requests)
    print(f"rich-edit server under Wine: {ours:9.1f} requests/s")
    print(f"python http.server, native:  {reference:9.1f} requests/s")
    print(f"ratio (rich-edit / python):  {ours / reference:9.2f}")


if __name__ == "__main__":
    main()

"""The HTTP client over TLS never skips the certificate check: against a
server whose certificate chains to an unknown root, the handshake runs and
the client then refuses to send its request.

(A trusted case would need the root in the host's own trust store: Wine's
chain engine trusts only the host's roots, not ones added to the prefix.)"""
import http.server
import os
import shutil
import ssl
import subprocess
import tempfile
import threading
import unittest

from wine_driver import WIN_BUILD, run

FETCH = os.path.join(WIN_BUILD, "wintests", "http_fetch.exe")
BODY = b"secure hello"


def openssl(*args, cwd):
    subprocess.run(["openssl", *args], cwd=cwd, check=True, capture_output=True, timeout=60)


def make_certificates(folder):
    """A throw-away root and a server certificate for "localhost" signed by it."""
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Talvek Test Root",
            "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign",
            "-keyout", "root.key", "-out", "root.pem", cwd=folder)
    with open(os.path.join(folder, "server.ext"), "w") as f:
        f.write("subjectAltName=DNS:localhost\nextendedKeyUsage=serverAuth\n")
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost", "-keyout", "server.key",
            "-out", "server.csr", cwd=folder)
    openssl("x509", "-req", "-in", "server.csr", "-CA", "root.pem", "-CAkey", "root.key", "-CAcreateserial",
            "-days", "2", "-extfile", "server.ext", "-out", "server.pem", cwd=folder)


class CountingTlsServer(http.server.ThreadingHTTPServer):
    """Counts completed handshakes and the pages it served."""

    def __init__(self, context):
        super().__init__(("127.0.0.1", 0), Answer)
        self.context = context
        self.handshakes = 0
        self.pages = 0

    def get_request(self):
        connection, address = self.socket.accept()
        connection.settimeout(10)
        tls = self.context.wrap_socket(connection, server_side=True)  # handshakes here
        self.handshakes += 1
        return tls, address


class Answer(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        self.server.pages += 1
        self.send_response(200)
        self.send_header("Content-Length", str(len(BODY)))
        self.end_headers()
        self.wfile.write(BODY)

    def log_message(self, *args):
        pass


class HttpsClientTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="talvek-tls-")
        make_certificates(cls.folder)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(os.path.join(cls.folder, "server.pem"), os.path.join(cls.folder, "server.key"))
        cls.server = CountingTlsServer(context)
        cls.server.timeout = 10
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()

    @classmethod
    def tearDownClass(cls):
        cls.server.shutdown()
        cls.server.server_close()
        shutil.rmtree(cls.folder, ignore_errors=True)

    def test_a_certificate_of_an_unknown_root_is_refused_after_the_handshake(self):
        output = os.path.join(self.folder, "body.txt")
        address = f"https://localhost:{self.server.server_address[1]}/page"
        result = run(["wine", FETCH, address, output], timeout=120)
        with open(output, "rb") as f:
            self.assertEqual((result.returncode, f.read()), (1, b""))
        self.assertGreaterEqual(self.server.handshakes, 1, "the client spoke TLS with the server")
        self.assertEqual(self.server.pages, 0, "and sent no request to it")


if __name__ == "__main__":
    unittest.main()

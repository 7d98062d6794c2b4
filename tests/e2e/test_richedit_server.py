"""The running installer serves the rich-edit page on its loopback address."""
import socket
import time
import unittest

from wine_driver import INSTALLER, end_all_wine_programs, start, wait_until

ADDRESS = "127.89.64.254"
PORTS = range(50000, 63001)


def find_listening_port():
    for port in PORTS:
        with socket.socket() as probe:
            probe.settimeout(0.2)
            if probe.connect_ex((ADDRESS, port)) == 0:
                return port
    return None


def own_get(port, path):
    return b"GET %s HTTP/1.1\r\nHost: %s:%d\r\n\r\n" % (path, ADDRESS.encode(), port)


def get(port, request):
    with socket.create_connection((ADDRESS, port), timeout=5) as connection:
        connection.sendall(request)
        chunks = []
        while True:
            chunk = connection.recv(65536)
            if not chunk:
                return b"".join(chunks)
            chunks.append(chunk)


class RichEditServerTest(unittest.TestCase):
    def tearDown(self):
        end_all_wine_programs()

    def test_the_installer_serves_the_page_and_ignores_unknown_paths(self):
        installer = start(INSTALLER, log_name="richedit-installer")
        port = None

        def listening():
            nonlocal port
            port = find_listening_port()
            return port is not None

        self.assertTrue(wait_until(listening, 40, interval=1), "no server in the port range")
        self.assertIsNone(installer.poll())
        answer = get(port, own_get(port, b"/web/default"))
        head, _, body = answer.partition(b"\r\n\r\n")
        self.assertTrue(head.startswith(b"HTTP/1.1 200 OK\r\n"), head)
        self.assertIn(b"Content-Length:287", head)
        self.assertEqual(len(body), 287)
        jquery = get(port, own_get(port, b"/web/jquery"))
        self.assertIn(b"Content-Length:93435", jquery)
        self.assertIn(b"/*! jQuery v1.8.2 jquery.com | jquery.org/license */", jquery)
        self.assertEqual(get(port, own_get(port, b"/nothing")), b"")


if __name__ == "__main__":
    unittest.main()

"""Headless Chromium driven over its DevTools pipe (file descriptors 3 and 4,
messages ended by a zero byte), so no extra client library is needed.

Every wait is bounded; the browser is ended when the `with` block ends.
"""
import json
import os
import select
import shutil
import subprocess
import tempfile
import time

CHROMIUM = shutil.which("chromium")


class HeadlessBrowser:
    def __init__(self, log_path):
        self._profile = tempfile.mkdtemp(prefix="talvek-chromium-")
        self._log = open(log_path, "ab")
        # The shell hands our pipes to the browser as its descriptors 3 and 4.
        self._process = subprocess.Popen(
            ["bash", "-c", 'exec "$@" 3<&0 4>&1 0</dev/null 1>&2', "browser", CHROMIUM,
             "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--no-default-browser-check",
             "--remote-debugging-pipe", f"--user-data-dir={self._profile}", "about:blank"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=self._log)
        self._next_id = 0
        self._pending = b""

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self._process.kill()
        self._process.wait(timeout=30)
        self._log.close()
        shutil.rmtree(self._profile, ignore_errors=True)

    def call(self, method, params=None, session=None, seconds=30):
        """Sends one command and returns its result; raises on an error reply
        or when no reply comes within `seconds`."""
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        self._process.stdin.write(json.dumps(message).encode() + b"\0")
        self._process.stdin.flush()
        deadline = time.monotonic() + seconds
        while True:
            reply = self._read_message(deadline)
            if reply.get("id") != self._next_id:
                continue  # an event
            if "error" in reply:
                raise RuntimeError(f"{method}: {reply['error']}")
            return reply["result"]

    def open_page(self, url):
        """Opens `url` in a new tab; returns the session that talks to it."""
        target = self.call("Target.createTarget", {"url": url})["targetId"]
        return self.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]

    def evaluate(self, session, expression, seconds=30):
        """Runs `expression` in the page (awaiting a promise) and returns its value."""
        result = self.call("Runtime.evaluate", {"expression": expression, "awaitPromise": True,
                                                "returnByValue": True}, session=session, seconds=seconds)
        if "exceptionDetails" in result:
            raise RuntimeError(f"page script failed: {result['exceptionDetails']}")
        return result["result"].get("value")

    def _read_message(self, deadline):
        stream = self._process.stdout.fileno()
        while b"\0" not in self._pending:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([stream], [], [], left)[0]:
                raise TimeoutError("the browser did not answer in time")
            chunk = os.read(stream, 65536)
            if not chunk:
                raise RuntimeError("the browser ended")
            self._pending += chunk
        message, self._pending = self._pending.split(b"\0", 1)
        return json.loads(message)

"""The rich-edit page, loaded from its server by a real browser, still posts
its content to a live control: the server's checks of Host, Origin and the
script's X-Requested-With let the page's own requests through."""
import os
import re
import unittest

from headless_browser import CHROMIUM, HeadlessBrowser
from wine_driver import LOGS, WIN_BUILD, end_all_wine_programs, start, wait_until

HOST_PROGRAM = os.path.join(WIN_BUILD, "wintests", "richedit_page_host.exe")
CONTENT = "h\u00e9llo from the page | with a bar"


class RichEditPageInBrowserTest(unittest.TestCase):
    def tearDown(self):
        end_all_wine_programs()

    @unittest.skipUnless(CHROMIUM, "chromium is not installed (scripts/setup-host.sh installs it)")
    def test_the_served_page_posts_its_text_to_the_control(self):
        log_path = os.path.join(LOGS, "richedit-page-host.log")
        if os.path.exists(log_path):
            os.remove(log_path)
        host = start(HOST_PROGRAM, log_name="richedit-page-host")

        def output():
            with open(log_path, encoding="utf-8", errors="replace") as log:
                return log.read()

        listening = None

        def announced():
            nonlocal listening
            listening = re.search(r"port (\d+) control (\d+)", output())
            return listening is not None

        self.assertTrue(wait_until(announced, 60, interval=0.5), output())
        port, control = int(listening.group(1)), int(listening.group(2))
        self.assertGreater(port, 0, output())

        with HeadlessBrowser(os.path.join(LOGS, "richedit-chromium.log")) as browser:
            page = browser.open_page(f"http://127.89.64.254:{port}/web/default")
            def loaded():
                try:  # the first answers may come from the blank page before it
                    return browser.evaluate(page, "location.pathname + ' ' + document.readyState + ' ' + "
                                                  "typeof RichEditClient") == "/web/default complete object"
                except RuntimeError:
                    return False

            self.assertTrue(wait_until(loaded, 30, interval=0.2), "the page and its scripts load")
            sent = browser.evaluate(page, """
                document.body.textContent = %s;
                RichEditClient.getText('body', %d);
                typeof jQuery + ' ' + jQuery.fn.jquery""" % (repr(CONTENT), control))
            self.assertEqual(sent, "function 1.8.2")
            self.assertTrue(wait_until(lambda: "event 301" in output(), 30, interval=0.2), output())

        self.assertIn(f"event 301 kind 2 text {CONTENT}\n", output())
        self.assertTrue(wait_until(lambda: host.poll() is not None, 30), "the host program did not end")


if __name__ == "__main__":
    unittest.main()

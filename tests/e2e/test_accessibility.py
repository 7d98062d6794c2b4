"""The installer and the gallery read and driven as a screen reader or a
test tool does: through their accessible objects and the keyboard, never
the pointer."""
import json
import os
import time
import unittest

import installer_window as w
import prefix_state as state
from wine_driver import LOGS, end_all_wine_programs, run, start, wait_until

CLIENT = os.path.join(w.WINTESTS, "msaa_client.exe")
GALLERY = os.path.join(os.path.dirname(w.INSTALLER), "gallery.exe")
INSTALL_SECONDS = 90
# The watch ends by itself once the window is gone; its bound also covers
# the keys and queries before the install key, slow on a loaded machine.
WATCH_SECONDS = 400
STARTED = time.monotonic()

# Role numbers (role texts are localised and alike for both button kinds).
GROUPING, GRAPHIC, STATIC_TEXT, TEXT, PUSH_BUTTON, CHECK_BUTTON, PROGRESS_BAR = 20, 40, 41, 42, 43, 44, 48
UNAVAILABLE, CHECKED, READ_ONLY, INVISIBLE, OFFSCREEN = 0x1, 0x10, 0x40, 0x8000, 0x10000
FOCUS, NAME_CHANGE = 0x8005, 0x800C

INSTALL = "立即安装"
ADVANCED = "高级设置"
DESKTOP_BOX = "创建桌面快捷方式"
QUICK_LAUNCH_BOX = "创建快速启动栏快捷方式"


def escaped(text):
    """Names travel as \\uXXXX escapes: the command line stays ASCII."""
    return "".join(c if ord(c) < 128 else f"\\u{ord(c):04x}" for c in text)


def client(*args, seconds=20, log_name="msaa-client"):
    """Runs the client to its end (it bounds itself); its JSON lines."""
    path = os.path.join(LOGS, f"{log_name}.log")
    if os.path.exists(path):
        os.remove(path)
    begun = time.monotonic()
    process = start(CLIENT, *[escaped(a) for a in args], str(seconds), log_name=log_name)
    process.wait(timeout=seconds + 30)
    lines = read_lines(path)
    # Every call in one history, stamped with the test's clock, so a stall
    # is seen beside the keys and calls around it.
    with open(os.path.join(LOGS, "msaa-history.log"), "a") as history:
        history.write(f"{begun - STARTED:8.2f} s +{time.monotonic() - begun:5.2f} s {args[0]}: {lines}\n")
    return lines


def read_lines(path):
    with open(path, "rb") as log:
        lines = log.read().decode("utf-8", "replace").splitlines()
    return [json.loads(l.strip()) for l in lines if l.strip().startswith("{")]


def tree(title="Talvek"):
    nodes = client("tree", title, log_name="msaa-tree")
    assert nodes and "error" not in nodes[0], nodes
    return nodes


def node(nodes, name):
    found = [n for n in nodes if n["name"] == name]
    assert found, f"no object named {name}: {[n['name'] for n in nodes]}"
    return found[0]


def act(name, title="Talvek"):
    result = client("do", title, name, log_name="msaa-do")
    assert result and result[-1].get("result") == 0, result


def focused_name(tries=3):
    """The focused object's name; a query that failed is asked again, never
    answered by another key, and after `tries` the failure is raised with the
    client's lines (whose time-out line says whether the UI thread answered a
    plain message then: a stalled thread, or a call lost on its way)."""
    answers = []
    for _ in range(tries):
        answers.append(client("focus", "Talvek", log_name="msaa-focus"))
        if answers[-1] and "error" not in answers[-1][-1]:
            return answers[-1][-1].get("name")
    raise AssertionError(f"the focus query failed {tries} times: {answers}")


class AccessibleInstallerTest(unittest.TestCase):
    def setUp(self):
        end_all_wine_programs()
        state.forget_installation()

    def tearDown(self):
        end_all_wine_programs()

    def key(self, window, name):
        run(["xdotool", "windowactivate", "--sync", window.id], timeout=10)
        run(["xdotool", "key", "--clearmodifiers", name], timeout=10)
        with open(os.path.join(LOGS, "msaa-history.log"), "a") as history:
            history.write(f"{time.monotonic() - STARTED:8.2f} s key {name}\n")

    def tab_to(self, window, name, presses=12):
        for _ in range(presses):
            self.key(window, "Tab")
            if focused_name() == name:
                return
        self.fail(f"Tab never reached {name}")

    def test_idle_tree_lists_every_control_with_role_name_and_state(self):
        window = w.InstallerWindow(log_name="msaa-idle").wait_shown()
        nodes = tree()
        self.assertEqual((nodes[0]["role"], nodes[0]["name"]), (10, "Talvek - 在线安装"))

        install = node(nodes, INSTALL)
        self.assertEqual((install["role"], install["action"]), (PUSH_BUTTON, "按下"))
        self.assertEqual(install["state"] & (INVISIBLE | UNAVAILABLE | OFFSCREEN), 0)
        x, y, _, _ = window.geometry()
        self.assertEqual(install["location"], [x + 5 + 234, y + 5 + 190, 232, 57])
        for name in ("关闭Talvek安装包", "选择安装路径", ADVANCED):
            self.assertEqual(node(nodes, name)["role"], PUSH_BUTTON, name)
        path = node(nodes, "安装路径")
        self.assertEqual(path["role"], TEXT)
        self.assertTrue(path["value"].endswith("Talvek\\"), path)
        self.assertTrue(path["state"] & READ_ONLY)
        ring = node(nodes, "安装进度")
        self.assertEqual((ring["role"], ring["value"]), (PROGRESS_BAR, "0%"))
        self.assertTrue(ring["state"] & INVISIBLE, "the ring shows only while installing")
        status = node(nodes, "即将开启Talvek之旅...")
        self.assertEqual(status["role"], STATIC_TEXT)
        self.assertTrue(status["state"] & INVISIBLE)
        for name in (DESKTOP_BOX, "创建开始菜单快捷方式", QUICK_LAUNCH_BOX):
            box = node(nodes, name)
            self.assertEqual((box["role"], box["action"]), (CHECK_BUTTON, "切换"))
            self.assertEqual(box["state"] & (CHECKED | OFFSCREEN), CHECKED | OFFSCREEN, name)
        pictures = [n for n in nodes if n["role"] == GRAPHIC]
        self.assertEqual(len(pictures), 2)
        self.assertTrue(any(p["state"] & UNAVAILABLE for p in pictures), "the header takes no input")
        self.assertEqual(sum(n["role"] == GROUPING for n in nodes), 2)
        self.assertEqual(len(nodes), 16, "the client area and its fifteen controls")

    def test_options_button_action_opens_the_options(self):
        window = w.InstallerWindow(log_name="msaa-options").wait_shown()
        act(ADVANCED)
        self.assertTrue(wait_until(lambda: window.height() == 500, 10), window.geometry())
        self.assertEqual(node(tree(), DESKTOP_BOX)["state"] & OFFSCREEN, 0, "the boxes came into view")

    def test_cleared_box_by_its_action_creates_no_desktop_shortcut(self):
        window = w.InstallerWindow(log_name="msaa-box").wait_shown()
        act(ADVANCED)
        self.assertTrue(wait_until(lambda: window.height() == 500, 10), window.geometry())
        act(DESKTOP_BOX)
        self.assertTrue(wait_until(lambda: not node(tree(), DESKTOP_BOX)["state"] & CHECKED, 10))
        act(INSTALL)
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        self.assertEqual(state.desktop_links(), [])
        self.assertEqual(len(state.start_menu_links()), 2, "the other boxes still count")

    def test_no_focus_cue_until_a_key_then_tab_and_enter_install(self):
        window = w.InstallerWindow(log_name="msaa-keys").wait_shown()
        area = (w.INSTALL_BUTTON[0] - 120, w.INSTALL_BUTTON[1] - 32, 240, 64)
        settled = []  # the show animation may still be fading in

        def still():
            settled.append(window.pixels(area))
            return len(settled) > 1 and settled[-1] == settled[-2]
        self.assertTrue(wait_until(still, 10, interval=0.3), "the window settles")
        before = settled[-1]
        tree()
        # Plain comparisons: a failing list assertion would diff 15000 pixels.
        self.assertTrue(window.pixels(area) == before, "reading the tree changes no pixel")
        self.tab_to(window, INSTALL)
        self.assertTrue(window.pixels(area) != before, "after a key the focus cue shows")
        self.key(window, "Return")
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        self.assertEqual(len(state.desktop_links()), 1)

    def test_whole_installation_by_actions_and_keys_with_the_status_line_heard(self):
        window = w.InstallerWindow(log_name="msaa-whole").wait_shown()
        watch_log = os.path.join(LOGS, "msaa-watch.log")
        if os.path.exists(watch_log):
            os.remove(watch_log)
        watcher = start(CLIENT, "watch", "Talvek", str(WATCH_SECONDS), log_name="msaa-watch")
        self.assertTrue(wait_until(lambda: os.path.exists(watch_log) and read_lines(watch_log), 20))

        act(ADVANCED)
        self.assertTrue(wait_until(lambda: window.height() == 500, 10), window.geometry())
        self.tab_to(window, QUICK_LAUNCH_BOX)
        self.key(window, "space")
        self.assertTrue(wait_until(lambda: not node(tree(), QUICK_LAUNCH_BOX)["state"] & CHECKED, 10))
        self.tab_to(window, INSTALL)
        self.key(window, "Return")
        self.assertEqual(window.wait_exit(INSTALL_SECONDS), 0)
        watcher.wait(timeout=60)

        # Each step of the installation renames the status line. Reading the
        # new name back mostly fails: the installer's UI thread is busy
        # extracting and finishing, and calls wait until the process is gone.
        events = read_lines(watch_log)
        self.assertTrue(any(e.get("event") == FOCUS and e.get("name") == INSTALL for e in events),
                        "the focus on the install button was heard with its name")
        renamed = [e["object"] for e in events if e.get("event") == NAME_CHANGE]
        self.assertGreaterEqual(len(renamed), 3, renamed)
        self.assertEqual(len(set(renamed)), 1, "only the status line is renamed")
        self.assertEqual(len(state.desktop_links()), 1)
        self.assertEqual(len(state.start_menu_links()), 2)


class AccessibleGalleryTest(unittest.TestCase):
    def tearDown(self):
        end_all_wine_programs()

    def test_gallery_tree_shows_every_control_class(self):
        end_all_wine_programs()
        start(GALLERY, log_name="msaa-gallery")
        # The gallery's animations keep its UI thread busy: calls are slow.
        nodes = client("tree", "gallery", seconds=150, log_name="msaa-gallery-tree")
        self.assertNotIn("error", nodes[-1])
        roles = {n["role"] for n in nodes}
        for role in (GROUPING, GRAPHIC, STATIC_TEXT, TEXT, PUSH_BUTTON, CHECK_BUTTON, PROGRESS_BAR):
            self.assertIn(role, roles, nodes)


if __name__ == "__main__":
    unittest.main()

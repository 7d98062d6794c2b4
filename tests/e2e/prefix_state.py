"""What an installation leaves in the Wine prefix: files, registry values,
shortcuts and the stand-in product's start log, read from outside."""
import glob
import os
import shutil
import zipfile

from wine_driver import PREFIX, WIN_BUILD, run

DRIVE_C = os.path.join(PREFIX, "drive_c")
DEFAULT_DIR = os.path.join(DRIVE_C, "Program Files", "Talvek")
PAYLOAD = os.path.join(WIN_BUILD, "assets", "payload.zip")
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Talvek"
PROTOCOL_KEY = r"HKCR\Talvek"
DESKTOP_LINK = "Talvek·新神器.lnk"


def user_paths(*parts):
    """A path under every user profile of the prefix (links followed)."""
    return glob.glob(os.path.join(DRIVE_C, "users", "*", *parts))


def desktop_links():
    return [p for p in user_paths("Desktop", DESKTOP_LINK) if os.path.exists(p)]


def start_menu_links():
    menu = os.path.join("AppData", "Roaming", "Microsoft", "Windows", "Start Menu")
    return [p for p in user_paths(menu, "Talvek.lnk") + user_paths(menu, "Programs", "Talvek", "启动Talvek.lnk")
            if os.path.exists(p)]


def start_menu_folders():
    menu = os.path.join("AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs", "Talvek")
    return [p for p in user_paths(menu) if os.path.isdir(p)]


def quick_launch_links():
    """Anything of the product's in the quick-launch folder or pinned to the
    taskbar (Wine has no pin verb, so an installation puts nothing there)."""
    launch = os.path.join("AppData", "Roaming", "Microsoft", "Internet Explorer", "Quick Launch")
    return glob.glob(os.path.join(DRIVE_C, "users", "*", launch, "**", "*Talvek*"), recursive=True)


def stub_log_lines():
    lines = []
    for path in user_paths("AppData", "Local", "Temp", "TalvekStub.log") + user_paths("Temp", "TalvekStub.log"):
        if os.path.exists(path):
            lines += open(path, "rb").read().decode("gbk", "replace").splitlines()
    return lines


def registry_value(key, name=None):
    """The text of a value (None: the default value), or None when absent."""
    args = ["wine", "reg", "query", key] + (["/v", name] if name else ["/ve"])
    out = run(args, timeout=60)
    if out.returncode != 0:
        return None
    # wine reg writes in the console code page, GBK in this prefix.
    for line in out.stdout.decode("gbk", "replace").splitlines():
        fields = line.strip().split(None, 2)
        if len(fields) >= 2 and fields[1].startswith("REG_") and (fields[0] == (name or "(Default)")
                                                                 or (name is None and fields[0].startswith("("))):
            return fields[2] if len(fields) == 3 else ""
    return None


def key_exists(key):
    return run(["wine", "reg", "query", key], timeout=60).returncode == 0


def entry_name(info):
    """The entry's name as the installer sees it: names without the UTF-8
    flag are in the code page of the system that made the archive (GBK)."""
    if info.flag_bits & 0x800:
        return info.filename
    return info.filename.encode("cp437").decode("gbk")


def payload_entries(payload=PAYLOAD):
    with zipfile.ZipFile(payload) as archive:
        return {entry_name(info): (archive.read(info) if not info.is_dir() else None) for info in archive.infolist()}


def differences_from_payload(directory, payload=PAYLOAD):
    """Entries of the payload missing from directory or different there."""
    problems = []
    for name, data in payload_entries(payload).items():
        path = os.path.join(directory, *name.rstrip("/").split("/"))
        if data is None:
            if not os.path.isdir(path):
                problems.append(name + " (directory missing)")
        elif not os.path.isfile(path) or open(path, "rb").read() != data:
            problems.append(name)
    return problems


def remove_shortcuts():
    for path in desktop_links() + start_menu_links():
        os.remove(path)
    for folder in start_menu_folders():
        shutil.rmtree(folder, ignore_errors=True)


def forget_installation():
    """Removes what an earlier test's installation left behind."""
    shutil.rmtree(DEFAULT_DIR, ignore_errors=True)
    remove_shortcuts()
    for path in user_paths("AppData", "Local", "Temp", "TalvekStub.log") + user_paths("Temp", "TalvekStub.log"):
        if os.path.exists(path):
            os.remove(path)
    for key in (UNINSTALL_KEY, PROTOCOL_KEY, r"HKCC\Talvek", r"HKCU\Talvek"):
        run(["wine", "reg", "delete", key, "/f"], timeout=60)


def running_programs(path_part):
    """Process ids of this prefix's Wine processes whose command line holds
    path_part (other prefixes on the machine are not ours to count)."""
    found = []
    own_prefix = b"WINEPREFIX=" + PREFIX.encode() + b"\0"
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            command = open(f"/proc/{pid}/cmdline", "rb").read().decode("utf-8", "replace")
            program = os.path.basename(command.split("\0")[0].replace("\\", "/")).lower()
            is_wine = program.endswith(".exe") or program.startswith("wine")
            if is_wine and path_part in command and own_prefix in open(f"/proc/{pid}/environ", "rb").read():
                found.append(int(pid))
        except OSError:
            continue
    return found

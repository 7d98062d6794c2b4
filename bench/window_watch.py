"""The moment a named top-level window appears on the X display, taken from
the server's own map notification rather than by polling: a poller that
starts a process every few milliseconds takes the CPU the timed program
needs and rounds every figure up to its interval."""
import ctypes
import ctypes.util
import select
import time

_x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XDefaultRootWindow.restype = ctypes.c_ulong
_x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
_x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
_x11.XPending.argtypes = [ctypes.c_void_p]
_x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
_x11.XInternAtom.restype = ctypes.c_ulong
_x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_x11.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
                                    ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                    ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
                                    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
_x11.XFree.argtypes = [ctypes.c_void_p]

_SUBSTRUCTURE_NOTIFY = 1 << 19
_PROPERTY_CHANGE = 1 << 22
_MAP_NOTIFY = 19
_PROPERTY_NOTIFY = 28

# A window that is gone by the time its name is asked for raises an X
# error; the default handler would end the benchmark.
_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda display, error: 0)
_x11.XSetErrorHandler(_ERROR_HANDLER)


class _MapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong)]


class _PropertyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong)]


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("map", _MapEvent), ("property", _PropertyEvent), ("pad", ctypes.c_long * 24)]


class WindowWatch:
    """Watches the display for top-level windows being mapped."""

    def __init__(self):
        self._display = _x11.XOpenDisplay(None)
        if not self._display:
            raise RuntimeError("no X display")
        self._root = _x11.XDefaultRootWindow(self._display)
        self._names = [_x11.XInternAtom(self._display, name, 0) for name in (b"_NET_WM_NAME", b"WM_NAME")]
        _x11.XSelectInput(self._display, self._root, _SUBSTRUCTURE_NOTIFY)
        _x11.XSync(self._display, 0)

    def close(self):
        _x11.XCloseDisplay(self._display)

    def _name(self, window):
        for atom in self._names:
            kind, size, count, after = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong()
            data = ctypes.c_void_p()
            if _x11.XGetWindowProperty(self._display, window, atom, 0, 256, 0, 0, ctypes.byref(kind),
                                       ctypes.byref(size), ctypes.byref(count), ctypes.byref(after),
                                       ctypes.byref(data)) != 0 or not data.value:
                continue
            text = ctypes.string_at(data.value, count.value).decode("utf-8", "replace") if size.value == 8 else ""
            _x11.XFree(data)
            if text:
                return text
        return ""

    def forget(self):
        """Drops what happened so far (windows of earlier starts)."""
        _x11.XSync(self._display, 0)
        event = _Event()
        while _x11.XPending(self._display):
            _x11.XNextEvent(self._display, ctypes.byref(event))

    def wait_for(self, title, seconds):
        """time.monotonic() at which a window whose name holds `title` was
        mapped, or None after `seconds`. A window mapped before it is named counts from
        its mapping."""
        deadline = time.monotonic() + seconds
        mapped = {}
        event = _Event()
        fd = _x11.XConnectionNumber(self._display)
        while True:
            while _x11.XPending(self._display):
                _x11.XNextEvent(self._display, ctypes.byref(event))
                now = time.monotonic()
                if event.type == _MAP_NOTIFY:
                    window = event.map.window
                    mapped.setdefault(window, now)
                    _x11.XSelectInput(self._display, window, _PROPERTY_CHANGE)
                elif event.type == _PROPERTY_NOTIFY and event.property.window in mapped:
                    window = event.property.window
                else:
                    continue
                if title in self._name(window):
                    return mapped[window]
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([fd], [], [], left)

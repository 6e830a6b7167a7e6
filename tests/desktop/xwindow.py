#!/usr/bin/env python3
"""What a player does to a program's window on an X display, through Xlib
alone (no window manager, no extension):

  xwindow.py wait NAME [SECONDS]     wait until a window of that title is mapped
  xwindow.py click NAME X Y          a left click at (X, Y) of its inside
  xwindow.py size NAME               print its inside's width and height
  xwindow.py shot NAME FILE.png      write what its inside shows as a PNG
  xwindow.py close NAME              ask it to close, as a title bar's close
                                     button does (WM_DELETE_WINDOW)

Exits 1 when there is no such window (wait: by the end of the time)."""
import ctypes
import ctypes.util
import struct
import sys
import time
import zlib

xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
Window = ctypes.c_ulong
Atom = ctypes.c_ulong
Display = ctypes.c_void_p
xlib.XOpenDisplay.restype = Display
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = Window
xlib.XDefaultRootWindow.argtypes = [Display]
xlib.XInternAtom.restype = Atom
xlib.XInternAtom.argtypes = [Display, ctypes.c_char_p, ctypes.c_int]
xlib.XQueryTree.argtypes = [Display, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                            ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
xlib.XFetchName.argtypes = [Display, Window, ctypes.POINTER(ctypes.c_char_p)]
xlib.XFree.argtypes = [ctypes.c_void_p]
xlib.XSendEvent.argtypes = [Display, Window, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
xlib.XFlush.argtypes = [Display]
xlib.XSync.argtypes = [Display, ctypes.c_int]
xlib.XCloseDisplay.argtypes = [Display]


class WindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", Window), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


xlib.XGetWindowAttributes.argtypes = [Display, Window, ctypes.POINTER(WindowAttributes)]
xlib.XTranslateCoordinates.argtypes = [Display, Window, Window, ctypes.c_int, ctypes.c_int,
                                       ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                       ctypes.POINTER(Window)]
xlib.XGetImage.restype = ctypes.c_void_p
xlib.XGetImage.argtypes = [Display, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                           ctypes.c_ulong, ctypes.c_int]


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong),
                ("blue_mask", ctypes.c_ulong), ("obdata", ctypes.c_void_p),
                ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p))]


class ClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", Display), ("window", Window), ("message_type", Atom), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class PointerEvent(ctypes.Structure):  # XButtonEvent and XMotionEvent share this layout
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", Display), ("window", Window), ("root", Window), ("subwindow", Window),
                ("time", ctypes.c_ulong), ("x", ctypes.c_int), ("y", ctypes.c_int), ("x_root", ctypes.c_int),
                ("y_root", ctypes.c_int), ("state", ctypes.c_uint), ("button", ctypes.c_uint),
                ("same_screen", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("client", ClientMessageEvent), ("pointer", PointerEvent), ("pad", ctypes.c_long * 24)]


ButtonPress, ButtonRelease, MotionNotify, ClientMessage = 4, 5, 6, 33
ButtonPressMask, ButtonReleaseMask, PointerMotionMask = 1 << 2, 1 << 3, 1 << 6
Button1Mask = 1 << 8
IsViewable = 2


def find(d, w, name):
    """The first viewable window under w (w included) titled name, or 0."""
    title = ctypes.c_char_p()
    if xlib.XFetchName(d, w, ctypes.byref(title)) and title.value is not None:
        same = title.value.decode("utf-8", "replace") == name
        xlib.XFree(title)
        attributes = WindowAttributes()
        if same and xlib.XGetWindowAttributes(d, w, ctypes.byref(attributes)) and \
                attributes.map_state == IsViewable:
            return w
    root, parent = Window(), Window()
    children = ctypes.POINTER(Window)()
    count = ctypes.c_uint()
    if not xlib.XQueryTree(d, w, ctypes.byref(root), ctypes.byref(parent), ctypes.byref(children),
                           ctypes.byref(count)):
        return 0
    kids = [children[i] for i in range(count.value)]
    if children:
        xlib.XFree(children)
    for kid in kids:
        hit = find(d, kid, name)
        if hit:
            return hit
    return 0


def click(d, w, x, y):
    # Where the pointer is first, then the button down and up.
    for kind, state, mask in ((MotionNotify, 0, PointerMotionMask), (ButtonPress, 0, ButtonPressMask),
                              (ButtonRelease, Button1Mask, ButtonReleaseMask)):
        event = XEvent()
        e = event.pointer
        e.type, e.window, e.root = kind, w, xlib.XDefaultRootWindow(d)
        e.x, e.y, e.x_root, e.y_root = x, y, x, y
        e.state, e.button, e.same_screen = state, 1, 1
        xlib.XSendEvent(d, w, 1, mask, ctypes.byref(event))
        xlib.XSync(d, 0)
        time.sleep(0.05)


def shot(d, w, path):
    """A 24-bit TrueColor window's pixels as an RGB PNG."""
    # Read from the screen, so a window that reaches past its edges (a
    # maximised one) gives the part that shows.
    attributes, screen = WindowAttributes(), WindowAttributes()
    root = xlib.XDefaultRootWindow(d)
    xlib.XGetWindowAttributes(d, w, ctypes.byref(attributes))
    xlib.XGetWindowAttributes(d, root, ctypes.byref(screen))
    x, y, child = ctypes.c_int(), ctypes.c_int(), Window()
    xlib.XTranslateCoordinates(d, w, root, 0, 0, ctypes.byref(x), ctypes.byref(y), ctypes.byref(child))
    left, top = max(x.value, 0), max(y.value, 0)
    width = min(x.value + attributes.width, screen.width) - left
    height = min(y.value + attributes.height, screen.height) - top
    if width <= 0 or height <= 0:
        return False
    ZPixmap, AllPlanes = 2, 0xFFFFFFFF
    p = xlib.XGetImage(d, root, left, top, width, height, AllPlanes, ZPixmap)
    if not p:
        return False
    image = ctypes.cast(p, ctypes.POINTER(XImage)).contents
    if image.bits_per_pixel != 32:
        image.destroy_image(p)
        return False
    stride = image.bytes_per_line
    data = ctypes.string_at(image.data, stride * height)
    rows = []
    for y in range(height):
        row = data[y * stride:y * stride + width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]  # BGRX in memory
        rows.append(b"\0" + bytes(rgb))
    image.destroy_image(p)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(b"".join(rows), 6)) + chunk(b"IEND", b""))
    return True


def close(d, w):
    event = XEvent()
    e = event.client
    e.type, e.window, e.format = ClientMessage, w, 32
    e.message_type = xlib.XInternAtom(d, b"WM_PROTOCOLS", 0)
    e.data[0] = xlib.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
    xlib.XSendEvent(d, w, 0, 0, ctypes.byref(event))
    xlib.XSync(d, 0)


def main(argv):
    if len(argv) < 3 or argv[1] not in ("wait", "click", "size", "shot", "close"):
        print(__doc__, file=sys.stderr)
        return 2
    command, name = argv[1], argv[2]
    d = xlib.XOpenDisplay(None)
    if not d:
        print("xwindow: cannot open the display", file=sys.stderr)
        return 1
    seconds = float(argv[3]) if command == "wait" and len(argv) > 3 else 0
    end = time.monotonic() + seconds
    w = find(d, xlib.XDefaultRootWindow(d), name)
    while not w and time.monotonic() < end:
        time.sleep(0.1)
        w = find(d, xlib.XDefaultRootWindow(d), name)
    if not w:
        print(f"xwindow: no window titled {name}", file=sys.stderr)
        return 1
    if command == "click":
        click(d, w, int(argv[3]), int(argv[4]))
    elif command == "size":
        attributes = WindowAttributes()
        xlib.XGetWindowAttributes(d, w, ctypes.byref(attributes))
        print(attributes.width, attributes.height)
    elif command == "shot":
        if not shot(d, w, argv[3]):
            print(f"xwindow: cannot read the pixels of {name}", file=sys.stderr)
            return 1
    elif command == "close":
        close(d, w)
    xlib.XCloseDisplay(d)
    return 0


sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""What a player and a window manager do to a program's window on an X
display, through Xlib (and the XTest extension for real input):

  xwindow.py wait NAME [SECONDS]     wait until a window of that title is mapped
  xwindow.py click NAME X Y          a left click at (X, Y) of its inside, sent
                                     to the window alone
  xwindow.py size NAME               print its inside's width and height
  xwindow.py geometry NAME           print its inside's x, y on the screen, width
                                     and height
  xwindow.py frame NAME              print the left, right, top and bottom of the
                                     frame the window manager put round it
  xwindow.py state NAME              print its _NET_WM_STATE names, and "iconic"
                                     when it is minimised
  xwindow.py shot NAME FILE.png      write what its inside shows as a PNG
  xwindow.py digest NAME X Y W H     print a digest of what a rectangle of its
                                     inside shows
  xwindow.py blackrows NAME          print how many rows of its inside, from the
                                     top, are wholly black
  xwindow.py colour NAME RRGGBB X Y W H
                                     print the box (left top right bottom) round
                                     the pixels of that colour in a rectangle of
                                     its inside; exits 1 when there are none
  xwindow.py close NAME              ask it to close, as a title bar's close
                                     button does (WM_DELETE_WINDOW)
  xwindow.py ping NAME [SECONDS]     ask whether it still takes its events, as a
                                     window manager does (_NET_WM_PING); exits 1
                                     without an answer in time (2 s by default)
  xwindow.py workarea                print the window manager's usable area
  xwindow.py manager NAME ACTION ... ask the window manager, as a task bar or a
                                     key of its own does: maximize, close,
                                     activate, or resize W H
  xwindow.py press NAME X Y          a real left click at (X, Y) of its inside:
                                     the pointer moves there, the button goes
                                     down and up (the window manager sees it)
  xwindow.py drag NAME X Y DX DY     a real press at (X, Y), the pointer moved
                                     by (DX, DY) in steps, and the release
  xwindow.py dblclick NAME X Y       a real double click at (X, Y) of its inside
  xwindow.py tap NAME X Y            a real click at (X, Y) of its inside with no
                                     hold: the release reaches the server with
                                     the press, as a touchpad's tap does
  xwindow.py dbltap NAME X Y         two such taps a tenth of a second apart
  xwindow.py down NAME X Y           the pointer to (X, Y) of its inside and the
                                     left button down (it stays down)
  xwindow.py up                      the left button up
  xwindow.py key COMBO               a real key press, e.g. alt+F4
  xwindow.py held COMBO              exit 0 when another program (the window
                                     manager) holds that key combination for
                                     itself, else 1
  xwindow.py pointer X Y             the pointer to (X, Y) of the screen
  xwindow.py focused                 print the title of the window with the
                                     focus
  xwindow.py active                  print the title of the window the window
                                     manager has as the active one (it acts on
                                     that one for its keys, such as Alt+F4)
  xwindow.py windows                 print which window has the focus and which
                                     the manager has as active, then each
                                     top-level window: its title, where its
                                     inside is, its state and whether it is
                                     mapped
  xwindow.py screen FILE.png         write what the whole screen shows as a PNG
  xwindow.py free                    exit 0 when no program holds the pointer
                                     (a window manager moving a window holds it
                                     until the button goes up), else 1
  xwindow.py hold NAME               stop the window's program (SIGSTOP) the
                                     moment it asks the window manager to
                                     minimise the window, before it can read
                                     what follows, as a loaded machine holds a
                                     program back: prints "watching" once it
                                     watches, then "held PID"
  xwindow.py panel HEIGHT            a dock along the bottom of the screen that
                                     keeps HEIGHT pixels for itself; runs until
                                     killed
  xwindow.py other NAME              a plain window of that title; runs until
                                     killed

Exits 1 when there is no such window (wait: by the end of the time)."""
import ctypes
import ctypes.util
import hashlib
import os
import signal
import struct
import sys
import time
import zlib


def library(soname, name):
    """A shared library by its soname, else wherever the linker's cache has
    it (find_library runs ldconfig: slow on a loaded machine)."""
    try:
        return ctypes.cdll.LoadLibrary(soname)
    except OSError:
        return ctypes.cdll.LoadLibrary(ctypes.util.find_library(name) or soname)


xlib = library("libX11.so.6", "X11")
Window = ctypes.c_ulong
Atom = ctypes.c_ulong
Display = ctypes.c_void_p
xlib.XOpenDisplay.restype = Display
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = Window
xlib.XDefaultRootWindow.argtypes = [Display]
xlib.XInternAtom.restype = Atom
xlib.XInternAtom.argtypes = [Display, ctypes.c_char_p, ctypes.c_int]
xlib.XGetAtomName.restype = ctypes.c_void_p
xlib.XGetAtomName.argtypes = [Display, Atom]
xlib.XQueryTree.argtypes = [Display, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                            ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
xlib.XFetchName.argtypes = [Display, Window, ctypes.POINTER(ctypes.c_char_p)]
xlib.XFree.argtypes = [ctypes.c_void_p]
xlib.XSendEvent.argtypes = [Display, Window, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
xlib.XFlush.argtypes = [Display]
xlib.XSync.argtypes = [Display, ctypes.c_int]
xlib.XCloseDisplay.argtypes = [Display]
xlib.XGetWindowProperty.argtypes = [Display, Window, Atom, ctypes.c_long, ctypes.c_long, ctypes.c_int, Atom,
                                    ctypes.POINTER(Atom), ctypes.POINTER(ctypes.c_int),
                                    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
                                    ctypes.POINTER(ctypes.c_void_p)]
xlib.XGetInputFocus.argtypes = [Display, ctypes.POINTER(Window), ctypes.POINTER(ctypes.c_int)]
xlib.XCreateSimpleWindow.restype = Window
xlib.XCreateSimpleWindow.argtypes = [Display, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                     ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
xlib.XStoreName.argtypes = [Display, Window, ctypes.c_char_p]
xlib.XMapWindow.argtypes = [Display, Window]
xlib.XChangeProperty.argtypes = [Display, Window, Atom, Atom, ctypes.c_int, ctypes.c_int, ctypes.c_void_p,
                                 ctypes.c_int]
xlib.XKeysymToKeycode.restype = ctypes.c_ubyte
xlib.XKeysymToKeycode.argtypes = [Display, ctypes.c_ulong]
xlib.XStringToKeysym.restype = ctypes.c_ulong
xlib.XStringToKeysym.argtypes = [ctypes.c_char_p]
xlib.XGrabPointer.argtypes = [Display, Window, ctypes.c_int, ctypes.c_uint, ctypes.c_int, ctypes.c_int, Window,
                              ctypes.c_ulong, ctypes.c_ulong]
xlib.XUngrabPointer.argtypes = [Display, ctypes.c_ulong]
xlib.XSelectInput.argtypes = [Display, Window, ctypes.c_long]
xlib.XPending.argtypes = [Display]
xlib.XNextEvent.argtypes = [Display, ctypes.c_void_p]

XA_ATOM, XA_CARDINAL, XA_WINDOW = 4, 6, 33

# Windows come and go while the tree is walked (a GL program makes one to
# probe the driver and destroys it): a request about one that went fails,
# and Xlib's own handler would end the helper. Such a request reads as "no
# window" instead.
ErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
xlib.XSetErrorHandler.restype = ctypes.c_void_p
xlib.XSetErrorHandler.argtypes = [ErrorHandler]
ignore_errors = ErrorHandler(lambda display, event: 0)
xlib.XSetErrorHandler(ignore_errors)


class SizeHints(ctypes.Structure):
    _fields_ = [("flags", ctypes.c_long), ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("min_width", ctypes.c_int), ("min_height", ctypes.c_int),
                ("max_width", ctypes.c_int), ("max_height", ctypes.c_int), ("width_inc", ctypes.c_int),
                ("height_inc", ctypes.c_int), ("min_aspect", ctypes.c_int * 2), ("max_aspect", ctypes.c_int * 2),
                ("base_width", ctypes.c_int), ("base_height", ctypes.c_int), ("win_gravity", ctypes.c_int)]


xlib.XSetWMNormalHints.argtypes = [Display, Window, ctypes.POINTER(SizeHints)]
USPosition, USSize = 1 << 0, 1 << 1


def xtest():
    """The XTest extension's calls (libXtst), or None."""
    try:
        lib = library("libXtst.so.6", "Xtst")
    except OSError:
        return None
    lib.XTestFakeMotionEvent.argtypes = [Display, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
    lib.XTestFakeButtonEvent.argtypes = [Display, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
    lib.XTestFakeKeyEvent.argtypes = [Display, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
    return lib


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
SubstructureNotifyMask, SubstructureRedirectMask = 1 << 19, 1 << 20
Button1Mask = 1 << 8
IsViewable = 2
PropModeReplace = 0


def atom(d, name):
    return xlib.XInternAtom(d, name.encode(), 0)


def atom_name(d, a):
    p = xlib.XGetAtomName(d, a)
    if not p:
        return "?"
    name = ctypes.string_at(p).decode()
    xlib.XFree(p)
    return name


def title_of(d, w):
    title = ctypes.c_char_p()
    if not xlib.XFetchName(d, w, ctypes.byref(title)) or title.value is None:
        return None
    name = title.value.decode("utf-8", "replace")
    xlib.XFree(title)
    return name


def first_under(d, w, test):
    """w or the first window under it that passes the test, or 0."""
    if test(w):
        return w
    for kid in children(d, w):
        hit = first_under(d, kid, test)
        if hit:
            return hit
    return 0


def find(d, w, name, shown=True):
    """The first window under w (w included) titled name, viewable when
    shown is set (else also a minimised one), or 0."""
    def titled(x):
        attributes = WindowAttributes()
        return title_of(d, x) == name and xlib.XGetWindowAttributes(d, x, ctypes.byref(attributes)) and \
            (attributes.map_state == IsViewable or not shown)
    return first_under(d, w, titled)


def children(d, w):
    root, parent = Window(), Window()
    kids = ctypes.POINTER(Window)()
    count = ctypes.c_uint()
    if not xlib.XQueryTree(d, w, ctypes.byref(root), ctypes.byref(parent), ctypes.byref(kids), ctypes.byref(count)):
        return []
    found = [kids[i] for i in range(count.value)]
    if kids:
        xlib.XFree(kids)
    return found


def named_ancestor(d, w):
    """The title of w or of the nearest window above it that has one."""
    root = xlib.XDefaultRootWindow(d)
    while w and w != root:
        name = title_of(d, w)
        if name is not None:
            return name
        r, parent = Window(), Window()
        kids = ctypes.POINTER(Window)()
        count = ctypes.c_uint()
        if not xlib.XQueryTree(d, w, ctypes.byref(r), ctypes.byref(parent), ctypes.byref(kids), ctypes.byref(count)):
            return ""
        if kids:
            xlib.XFree(kids)
        w = parent.value
    return ""


def prop(d, w, name, kind, most=64):
    """A property's 32-bit items, or []."""
    actual, fmt = Atom(), ctypes.c_int()
    count, after = ctypes.c_ulong(), ctypes.c_ulong()
    data = ctypes.c_void_p()
    if xlib.XGetWindowProperty(d, w, atom(d, name), 0, most, 0, kind, ctypes.byref(actual), ctypes.byref(fmt),
                               ctypes.byref(count), ctypes.byref(after), ctypes.byref(data)) != 0:
        return []
    items = []
    if data.value and fmt.value == 32:
        items = list(ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[:count.value])
    if data.value:
        xlib.XFree(data)
    return items


def client_of(d, top):
    """The program's window in a top-level one: the managed client (it has
    WM_STATE; a manager's frame may have a title of its own), else the
    first titled window: (window, title), or None."""
    wm_state = atom(d, "WM_STATE")
    for test in (lambda w: prop(d, w, "WM_STATE", wm_state, 2) and title_of(d, w) is not None,
                 lambda w: title_of(d, w) is not None):
        w = first_under(d, top, test)
        if w:
            return w, title_of(d, w)
    return None


def state_names(d, w):
    names = [atom_name(d, a) for a in prop(d, w, "_NET_WM_STATE", XA_ATOM)]
    wm_state = prop(d, w, "WM_STATE", atom(d, "WM_STATE"), 2)
    if wm_state and wm_state[0] == 3:
        names.append("iconic")
    return names


def focus_window(d):
    """The window with the input focus; 0 for none, 1 for the pointer's root."""
    w, revert = Window(), ctypes.c_int()
    xlib.XGetInputFocus(d, ctypes.byref(w), ctypes.byref(revert))
    return w.value


def active_window(d):
    """The window the manager has as the active one, or 0."""
    active = prop(d, xlib.XDefaultRootWindow(d), "_NET_ACTIVE_WINDOW", XA_WINDOW, 1)
    return active[0] if active else 0


def windows(d):
    """The focus and the manager's active window, then a line per titled
    top-level window (for a manager's frame, the program's window in it),
    from the bottom of the stack up."""
    root = xlib.XDefaultRootWindow(d)
    w = focus_window(d)
    focus = {0: "none", 1: "pointer root"}.get(w) or f"{named_ancestor(d, w) or '(untitled)'} {w:#x}"
    w = active_window(d)
    active = f"{named_ancestor(d, w) or '(untitled)'} {w:#x}" if w else "none"
    lines = [f"focus: {focus}; the manager's active window: {active}"]
    for top in children(d, root):
        hit = client_of(d, top)
        if hit is None:
            continue
        client, name = hit
        outer, inner = WindowAttributes(), WindowAttributes()
        xlib.XGetWindowAttributes(d, top, ctypes.byref(outer))
        xlib.XGetWindowAttributes(d, client, ctypes.byref(inner))
        mapped = "mapped" if outer.map_state != 0 and inner.map_state != 0 else "unmapped"
        state = " ".join(state_names(d, client)) or "-"
        x, y, width, height = geometry(d, client)
        lines.append(f"{client:#x} {name!r}: {x} {y} {width} {height}, {state}, {mapped}")
    return lines


def geometry(d, w):
    attributes = WindowAttributes()
    xlib.XGetWindowAttributes(d, w, ctypes.byref(attributes))
    x, y, child = ctypes.c_int(), ctypes.c_int(), Window()
    xlib.XTranslateCoordinates(d, w, xlib.XDefaultRootWindow(d), 0, 0, ctypes.byref(x), ctypes.byref(y),
                               ctypes.byref(child))
    return x.value, y.value, attributes.width, attributes.height


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


def real_pointer(d, test, x, y):
    test.XTestFakeMotionEvent(d, -1, x, y, 0)
    xlib.XSync(d, 0)
    time.sleep(0.05)


def real_button(d, test, down):
    test.XTestFakeButtonEvent(d, 1, 1 if down else 0, 0)
    xlib.XSync(d, 0)
    time.sleep(0.1)


def real_tap(d, test):
    # One flush for both: the server has the release before anyone reads the press.
    test.XTestFakeButtonEvent(d, 1, 1, 0)
    test.XTestFakeButtonEvent(d, 1, 0, 0)
    xlib.XSync(d, 0)


# The modifiers a key combination (alt+F4) names: their key, and their bit
# in a key event's state.
MODIFIERS = {"alt": ("Alt_L", 1 << 3), "ctrl": ("Control_L", 1 << 2), "shift": ("Shift_L", 1 << 0)}


def keycode(d, name):
    return xlib.XKeysymToKeycode(d, xlib.XStringToKeysym(name.encode()))


def real_key(d, test, combo):
    codes = []
    for part in combo.split("+"):
        code = keycode(d, MODIFIERS.get(part.lower(), (part,))[0])
        if not code:
            return False
        codes.append(code)
    for code in codes:
        test.XTestFakeKeyEvent(d, code, 1, 0)
        xlib.XSync(d, 0)
    for code in reversed(codes):
        test.XTestFakeKeyEvent(d, code, 0, 0)
        xlib.XSync(d, 0)
    return True


class XErrorEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("display", Display), ("resourceid", ctypes.c_ulong),
                ("serial", ctypes.c_ulong), ("error_code", ctypes.c_ubyte), ("request_code", ctypes.c_ubyte),
                ("minor_code", ctypes.c_ubyte)]


xlib.XGrabKey.argtypes = [Display, ctypes.c_int, ctypes.c_uint, Window, ctypes.c_int, ctypes.c_int, ctypes.c_int]
xlib.XUngrabKey.argtypes = [Display, ctypes.c_int, ctypes.c_uint, Window]


def key_held(d, combo):
    """Whether another program (the window manager) holds the key
    combination on the root window: our own grab of it is refused. Taken
    and given back at once when no one holds it."""
    *modifiers, key = combo.split("+")
    code = keycode(d, key)
    if not code or any(m.lower() not in MODIFIERS for m in modifiers):
        return None
    mask = sum(MODIFIERS[m.lower()][1] for m in modifiers)
    BadAccess, GrabModeAsync = 10, 1
    errors = []

    def note(display, event):
        errors.append(ctypes.cast(event, ctypes.POINTER(XErrorEvent)).contents.error_code)
        return 0

    handler = ErrorHandler(note)
    xlib.XSetErrorHandler(handler)
    root = xlib.XDefaultRootWindow(d)
    xlib.XGrabKey(d, code, mask, root, 1, GrabModeAsync, GrabModeAsync)
    xlib.XSync(d, 0)
    if not errors:
        xlib.XUngrabKey(d, code, mask, root)
        xlib.XSync(d, 0)
    xlib.XSetErrorHandler(ignore_errors)
    return BadAccess in errors


def client_message(d, w, kind, data):
    """A 32-bit client message about w."""
    event = XEvent()
    e = event.client
    e.type, e.window, e.format = ClientMessage, w, 32
    e.message_type = atom(d, kind)
    for i, value in enumerate(data):
        e.data[i] = value
    return event


def to_manager(d, w, kind, data):
    """A request to the window manager about w, from a pager or task bar
    (source 2): EWMH client messages to the root window."""
    event = client_message(d, w, kind, data)
    xlib.XSendEvent(d, xlib.XDefaultRootWindow(d), 0, SubstructureNotifyMask | SubstructureRedirectMask,
                    ctypes.byref(event))
    xlib.XSync(d, 0)


def to_window(d, w, protocol, data=()):
    """A WM_PROTOCOLS message to w itself, as the window manager sends."""
    event = client_message(d, w, "WM_PROTOCOLS", [atom(d, protocol), *data])
    xlib.XSendEvent(d, w, 0, 0, ctypes.byref(event))
    xlib.XSync(d, 0)


def manager(d, w, action, args):
    if action == "maximize":  # _NET_WM_STATE_ADD both ways
        to_manager(d, w, "_NET_WM_STATE", [1, atom(d, "_NET_WM_STATE_MAXIMIZED_VERT"),
                                           atom(d, "_NET_WM_STATE_MAXIMIZED_HORZ"), 2, 0])
    elif action == "close":
        to_manager(d, w, "_NET_CLOSE_WINDOW", [0, 2, 0, 0, 0])
    elif action == "activate":
        to_manager(d, w, "_NET_ACTIVE_WINDOW", [2, 0, 0, 0, 0])
    elif action == "resize":  # gravity 0, width and height given, source 2
        to_manager(d, w, "_NET_MOVERESIZE_WINDOW", [(2 << 12) | (1 << 10) | (1 << 11), 0, 0, int(args[0]),
                                                    int(args[1])])
    else:
        return False
    return True


def grab(d, w, x=0, y=0, width=None, height=None):
    """What a rectangle of a 24-bit TrueColor window's inside shows (all of
    it by default), cut to the window and the screen: the left and top of
    the part read (in the window), its width, height and RGB rows, or
    None."""
    # Read from the screen, so a window that reaches past its edges (a
    # maximised one) gives the part that shows. Only the rectangle asked
    # for: on a loaded machine a whole window's pixels take seconds.
    attributes, screen = WindowAttributes(), WindowAttributes()
    root = xlib.XDefaultRootWindow(d)
    xlib.XGetWindowAttributes(d, w, ctypes.byref(attributes))
    xlib.XGetWindowAttributes(d, root, ctypes.byref(screen))
    wx, wy, child = ctypes.c_int(), ctypes.c_int(), Window()
    xlib.XTranslateCoordinates(d, w, root, 0, 0, ctypes.byref(wx), ctypes.byref(wy), ctypes.byref(child))
    width = attributes.width if width is None else width
    height = attributes.height if height is None else height
    x0, y0 = max(x, 0, -wx.value), max(y, 0, -wy.value)
    x1 = min(x + width, attributes.width, screen.width - wx.value)
    y1 = min(y + height, attributes.height, screen.height - wy.value)
    if x1 <= x0 or y1 <= y0:
        return None
    width, height = x1 - x0, y1 - y0
    ZPixmap, AllPlanes = 2, 0xFFFFFFFF
    p = xlib.XGetImage(d, root, wx.value + x0, wy.value + y0, width, height, AllPlanes, ZPixmap)
    if not p:
        return None
    image = ctypes.cast(p, ctypes.POINTER(XImage)).contents
    if image.bits_per_pixel != 32:
        image.destroy_image(p)
        return None
    stride = image.bytes_per_line
    data = ctypes.string_at(image.data, stride * height)
    rows = []
    for row_y in range(height):
        row = data[row_y * stride:row_y * stride + width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]  # BGRX in memory
        rows.append(bytes(rgb))
    image.destroy_image(p)
    return x0, y0, width, height, rows


def shot(d, w, path):
    """A window's pixels as an RGB PNG."""
    pixels = grab(d, w)
    if pixels is None:
        return False
    _, _, width, height, rows = pixels

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(b"".join(b"\0" + row for row in rows), 6)) + chunk(b"IEND", b""))
    return True


def region(d, w, x, y, width, height):
    """The RGB rows of a rectangle of the window's inside, cut to it: (y,
    row, x of its first pixel) each."""
    pixels = grab(d, w, x, y, width, height)
    if pixels is None:
        return []
    x0, y0, _, _, rows = pixels
    return [(y0 + i, row, x0) for i, row in enumerate(rows)]


def colour_box(d, w, colour, x, y, width, height):
    """The smallest box (left, top, right, bottom, inclusive) round the
    pixels of a rectangle within 6 of the colour in every channel, or None."""
    want = bytes.fromhex(colour)
    box = None
    for row_y, row, x0 in region(d, w, x, y, width, height):
        for i in range(0, len(row), 3):
            if all(abs(row[i + c] - want[c]) <= 6 for c in range(3)):
                px = x0 + i // 3
                box = (px, row_y, px, row_y) if box is None else \
                    (min(box[0], px), min(box[1], row_y), max(box[2], px), max(box[3], row_y))
    return box


def ping(d, w, seconds):
    """True when the program answers a _NET_WM_PING in time: it sends the
    message back to the root window from its event loop."""
    root = xlib.XDefaultRootWindow(d)
    xlib.XSelectInput(d, root, SubstructureNotifyMask)
    stamp = int(time.monotonic() * 1000) & 0xFFFFFFFF
    to_window(d, w, "_NET_WM_PING", [stamp, w])
    event = XEvent()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while xlib.XPending(d):
            xlib.XNextEvent(d, ctypes.byref(event))
            c = event.client
            if c.type == ClientMessage and c.window == root and c.data[1] == stamp and c.data[2] == w:
                return True
        time.sleep(0.05)
    return False


def hold(d, w):
    """Stops the program of w (its _NET_WM_PID) as soon as it asks the
    manager to minimise w: the request goes to the root window, where we
    see it as the manager does."""
    pid = prop(d, w, "_NET_WM_PID", XA_CARDINAL, 1)
    if not pid:
        return None
    root = xlib.XDefaultRootWindow(d)
    xlib.XSelectInput(d, root, SubstructureNotifyMask)
    xlib.XSync(d, 0)
    print("watching", flush=True)
    change = atom(d, "WM_CHANGE_STATE")
    event = XEvent()
    while True:
        xlib.XNextEvent(d, ctypes.byref(event))
        c = event.client
        if c.type == ClientMessage and c.message_type == change and c.window == w:
            os.kill(pid[0], signal.SIGSTOP)
            return pid[0]


def new_window(d, name, x, y, width, height, colour):
    """A window that stands where it asks (the manager places the others)."""
    root = xlib.XDefaultRootWindow(d)
    w = xlib.XCreateSimpleWindow(d, root, x, y, width, height, 0, 0, colour)
    xlib.XStoreName(d, w, name.encode())
    hints = SizeHints()
    hints.flags, hints.x, hints.y, hints.width, hints.height = USPosition | USSize, x, y, width, height
    xlib.XSetWMNormalHints(d, w, ctypes.byref(hints))
    return w


def set_cardinals(d, w, name, kind, values):
    array = (ctypes.c_ulong * len(values))(*values)
    xlib.XChangeProperty(d, w, atom(d, name), kind, 32, PropModeReplace, array, len(values))


def panel(d, height):
    """A dock along the bottom edge with a strut: the manager keeps that
    strip out of its usable area, as it does for a task bar."""
    screen = WindowAttributes()
    xlib.XGetWindowAttributes(d, xlib.XDefaultRootWindow(d), ctypes.byref(screen))
    w = new_window(d, "Panel", 0, screen.height - height, screen.width, height, 0x303030)
    set_cardinals(d, w, "_NET_WM_WINDOW_TYPE", XA_ATOM, [atom(d, "_NET_WM_WINDOW_TYPE_DOCK")])
    set_cardinals(d, w, "_NET_WM_STRUT", XA_CARDINAL, [0, 0, 0, height])
    set_cardinals(d, w, "_NET_WM_STRUT_PARTIAL", XA_CARDINAL,
                  [0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, screen.width - 1])
    xlib.XMapWindow(d, w)
    xlib.XSync(d, 0)


def main(argv):
    commands = ("wait", "click", "size", "geometry", "frame", "state", "shot", "digest", "blackrows", "colour",
                "close", "ping", "workarea", "manager", "press", "drag", "dblclick", "tap", "dbltap", "down", "up",
                "key", "held", "hold", "pointer", "focused", "active", "panel", "other", "free", "windows", "screen")
    if len(argv) < 2 or argv[1] not in commands:
        print(__doc__, file=sys.stderr)
        return 2
    command = argv[1]
    d = xlib.XOpenDisplay(None)
    if not d:
        print("xwindow: cannot open the display", file=sys.stderr)
        return 1
    root = xlib.XDefaultRootWindow(d)
    # Commands about the screen, the input or windows of our own.
    if command in ("workarea", "key", "held", "pointer", "up", "focused", "active", "panel", "other", "free",
                   "windows", "screen"):
        test = xtest() if command in ("key", "pointer", "up") else None
        if command in ("key", "pointer", "up") and test is None:
            print("xwindow: no XTest library (libxtst6)", file=sys.stderr)
            return 1
        if command == "workarea":
            area = prop(d, root, "_NET_WORKAREA", XA_CARDINAL, 4)
            if len(area) < 4:
                print("xwindow: no window manager's work area", file=sys.stderr)
                return 1
            print(*area[:4])
        elif command == "key":
            if not real_key(d, test, argv[2]):
                print(f"xwindow: no key for {argv[2]}", file=sys.stderr)
                return 1
        elif command == "held":
            holds = key_held(d, argv[2])
            if holds is None:
                print(f"xwindow: no key for {argv[2]}", file=sys.stderr)
                return 2
            xlib.XCloseDisplay(d)
            return 0 if holds else 1
        elif command == "pointer":
            real_pointer(d, test, int(argv[2]), int(argv[3]))
        elif command == "up":
            real_button(d, test, False)
        elif command == "free":
            # Only one program can hold the pointer: taken and given back
            # at once when no other holds it.
            GrabModeAsync, GrabSuccess = 1, 0
            held = xlib.XGrabPointer(d, root, 0, 0, GrabModeAsync, GrabModeAsync, 0, 0, 0) != GrabSuccess
            xlib.XUngrabPointer(d, 0)
            xlib.XCloseDisplay(d)
            return 1 if held else 0
        elif command == "active":
            w = active_window(d)
            print(named_ancestor(d, w) if w else "")
        elif command == "windows":
            print("\n".join(windows(d)))
        elif command == "screen":
            if not shot(d, root, argv[2]):
                print("xwindow: cannot read the screen's pixels", file=sys.stderr)
                return 1
        elif command == "focused":
            w = focus_window(d)
            print(named_ancestor(d, w) if w > 1 else "")
        elif command in ("panel", "other"):
            if command == "panel":
                panel(d, int(argv[2]))
            else:
                xlib.XMapWindow(d, new_window(d, argv[2], 40, 40, 320, 200, 0xd0d0d0))
                xlib.XSync(d, 0)
            print("ready", flush=True)
            while True:
                time.sleep(3600)
        xlib.XCloseDisplay(d)
        return 0

    name = argv[2]
    seconds = float(argv[3]) if command == "wait" and len(argv) > 3 else 0
    ping_seconds = float(argv[3]) if command == "ping" and len(argv) > 3 else 2
    end = time.monotonic() + seconds
    # The manager (a task bar) also reaches a minimised window.
    shown = command not in ("state", "manager")
    w = find(d, root, name, shown)
    while not w and time.monotonic() < end:
        time.sleep(0.1)
        w = find(d, root, name, shown)
    if not w:
        print(f"xwindow: no window titled {name}", file=sys.stderr)
        return 1
    if command == "click":
        click(d, w, int(argv[3]), int(argv[4]))
    elif command == "size":
        print(*geometry(d, w)[2:])
    elif command == "geometry":
        print(*geometry(d, w))
    elif command == "frame":
        # The manager says how much frame it added on each side.
        extents = prop(d, w, "_NET_FRAME_EXTENTS", XA_CARDINAL, 4)
        print(*(extents if len(extents) == 4 else [0, 0, 0, 0]))
    elif command == "state":
        print(" ".join(state_names(d, w)))
    elif command == "shot":
        if not shot(d, w, argv[3]):
            print(f"xwindow: cannot read the pixels of {name}", file=sys.stderr)
            return 1
    elif command == "blackrows":
        black = 0
        for _, row, _ in region(d, w, 0, 0, geometry(d, w)[2], 500):
            if any(value > 6 for value in row):
                break
            black += 1
        print(black)
    elif command == "digest":
        rows = region(d, w, *(int(v) for v in argv[3:7]))
        print(hashlib.md5(b"".join(row for _, row, _ in rows)).hexdigest())
    elif command == "colour":
        box = colour_box(d, w, argv[3], *(int(v) for v in argv[4:8]))
        if box is None:
            return 1
        print(*box)
    elif command == "close":
        to_window(d, w, "WM_DELETE_WINDOW")
    elif command == "ping":
        if not ping(d, w, ping_seconds):
            xlib.XCloseDisplay(d)
            return 1
    elif command == "hold":
        pid = hold(d, w)
        if pid is None:
            print(f"xwindow: {name} does not name its program", file=sys.stderr)
            return 1
        print(f"held {pid}", flush=True)
    elif command == "manager":
        if not manager(d, w, argv[3], argv[4:]):
            print(__doc__, file=sys.stderr)
            return 2
    elif command in ("press", "drag", "dblclick", "tap", "dbltap", "down"):
        test = xtest()
        if test is None:
            print("xwindow: no XTest library (libxtst6)", file=sys.stderr)
            return 1
        left, top = geometry(d, w)[:2]
        x, y = left + int(argv[3]), top + int(argv[4])
        real_pointer(d, test, x, y)
        if command in ("tap", "dbltap"):
            real_tap(d, test)
            if command == "dbltap":
                time.sleep(0.1)
                real_tap(d, test)
        else:
            real_button(d, test, True)
            if command == "drag":
                dx, dy = int(argv[5]), int(argv[6])
                for step in range(1, 11):
                    real_pointer(d, test, x + dx * step // 10, y + dy * step // 10)
            if command != "down":
                real_button(d, test, False)
            if command == "dblclick":
                real_button(d, test, True)
                real_button(d, test, False)
    xlib.XCloseDisplay(d)
    return 0


sys.exit(main(sys.argv))

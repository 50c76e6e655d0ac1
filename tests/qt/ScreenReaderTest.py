#!/usr/bin/python3
"""What a screen reader hears of the window, read over the AT-SPI bus as Orca reads it.

Starts a display (Xvfb) with a window manager, a D-Bus session with the accessibility
bus, and `quillet` on them; opens a file with Ctrl+O and the Open dialog as a person
would; then reads, from this process, the status panels, the list's current line and the
block map's cursor, and the events that tell a screen reader of their changes. With
--frame, on the same desktop at twice the scale, it checks instead that the window's whole
frame stays on the screen as it opens and as it widens.

  ScreenReaderTest.py QUILLET DATA_FOLDER [--frame]

Exits 77 (skipped) where no display server can be started; fails, saying what is
missing, where the display starts but the bus or its tools do not.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
TIMEOUT = 15  # seconds for any one thing to happen


def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(SKIPPED)


def fail(reason):
    print("FAILED: " + reason)
    sys.exit(1)


class Session:
    """The display, the buses, the window manager and quillet, ended in reverse order."""

    def __init__(self, work):
        self.work = work
        self.processes = []
        self.env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS"):
            self.env.pop(name, None)

    def start(self, command, **options):
        log = open(os.path.join(self.work, os.path.basename(command[0]) + ".log"), "wb")
        process = subprocess.Popen(command, env=self.env, stdout=options.pop("stdout", log), stderr=log,
                                   stdin=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    def end(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()

    def start_display(self):
        if shutil.which("Xvfb") is None:
            skip("no display server: Xvfb is not installed (Debian package xvfb)")
        if shutil.which("xdotool") is None:
            fail("xdotool is missing (Debian package xdotool)")
        for _ in range(3):
            if self.try_display():
                return
        skip("no display server could be started: Xvfb gave no display that answers")

    def try_display(self):
        read, write = os.pipe()
        # -noreset: Xvfb otherwise starts afresh as its last client goes (the check below, the
        # accessibility bus's launcher), and refuses the next one (openbox) meanwhile.
        self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
                    "-noreset"], pass_fds=(write,))
        os.close(write)
        number = b""
        deadline = time.monotonic() + TIMEOUT
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read, 16)
            if not chunk:
                break
            number += chunk
        os.close(read)
        if not number.strip():
            return False
        self.env["DISPLAY"] = ":" + number.decode().strip()
        # A display taken meanwhile by another server: Xvfb gives up on it.
        deadline = time.monotonic() + TIMEOUT
        while subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env, capture_output=True).returncode:
            if time.monotonic() > deadline or self.processes[-1].poll() is not None:
                return False
            time.sleep(0.05)
        return True

    def start_buses(self):
        for tool, package in (("dbus-daemon", "dbus"), ("/usr/libexec/at-spi-bus-launcher", "at-spi2-core"),
                              ("openbox", "openbox")):
            if shutil.which(tool) is None:
                fail(f"{tool} is missing (Debian package {package})")
        daemon = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                            stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = daemon.stdout.readline().decode().strip()
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.start(["openbox"])
        # Windows mapped before the window manager runs are not given the focus.
        deadline = time.monotonic() + TIMEOUT
        while subprocess.run(["xdotool", "get_desktop"], env=self.env, capture_output=True).returncode != 0:
            if time.monotonic() > deadline:
                fail("openbox did not start: " + open(os.path.join(self.work, "openbox.log")).read())
            time.sleep(0.05)
        # The reader below and quillet find the accessibility bus through the session bus.
        os.environ.update({name: self.env[name] for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS")})
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"

    def keys(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "50", *keys], env=self.env, check=True)

    def press(self, key):
        """Presses `key` and lets it go a moment later."""
        subprocess.run(["xdotool", "keydown", key, "sleep", "0.2", "keyup", key], env=self.env, check=True)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "10", text], env=self.env, check=True)


def main():
    quillet, data = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    work = tempfile.mkdtemp(prefix="quillet-desktop-")
    session = Session(work)
    try:
        session.start_display()
        session.start_buses()
        if sys.argv[3:] == ["--frame"]:
            keep_frame_on_screen(session, quillet, work)
            return
        try:
            import pyatspi
            from gi.repository import GLib
        except ImportError as error:
            fail(f"{error} (Debian package python3-pyatspi)")
        Hearing(session, pyatspi, GLib, quillet, data).run()
    finally:
        session.end()
        shutil.rmtree(work, ignore_errors=True)


def frame_of(session, title):
    """The window's frame on the screen, title bar and borders included, once it stays put:
    (left, top, width, height)."""
    for tool, package in (("xwininfo", "x11-utils"), ("xprop", "x11-utils")):
        if shutil.which(tool) is None:
            fail(f"{tool} is missing (Debian package {package})")
    seen, deadline = None, time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        time.sleep(0.3)
        run = lambda *command: subprocess.run(command, env=session.env, capture_output=True, text=True).stdout
        info = run("xwininfo", "-name", title)
        extents = run("xprop", "-name", title, "_NET_FRAME_EXTENTS").partition("=")[2]
        values = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
        try:
            x, y, width, height = (int(values[key]) for key in ("Absolute upper-left X", "Absolute upper-left Y",
                                                               "Width", "Height"))
            left, right, top, bottom = (int(value) for value in extents.split(","))
        except (KeyError, ValueError):
            continue
        frame = (x - left, y - top, width + left + right, height + top + bottom)
        if frame == seen:
            return frame
        seen = frame
    fail(f"the window '{title}' did not settle on the screen")


def keep_frame_on_screen(session, quillet, work):
    """At twice the scale on a screen of 1280 by 800, the whole frame stays on the screen
    when the window opens and when it widens for a dump line of 255 bytes."""
    record = "".join(f"{b:02X}" for b in [0xFF, 0x80, 0x00, 0x00] + [0x41] * 255)
    checksum = (-sum(bytes.fromhex(record))) & 0xFF
    with open(os.path.join(work, "wide.obj"), "w") as wide:
        wide.write(f":{record}{checksum:02X}\n:00000001FF\n")
    session.env["QT_SCALE_FACTOR"] = "2"
    session.start([quillet], cwd=work)
    title = "Kestrane Quillet - V1.20"
    failures = []
    for when in ("as it opens", "widened"):
        if when == "widened":
            session.keys("ctrl+o")
            frame_of(session, "Open Object File...")
            session.type("wide.obj")
            session.keys("Return")
            time.sleep(1)
        left, top, width, height = frame_of(session, title)
        if left < 0 or top < 0 or left + width > 1280 or top + height > 800:
            failures.append(f"{when}: the frame at {left},{top}, {width} by {height}, leaves the screen")
    if failures:
        fail("\n  ".join([""] + failures))
    print("PASSED: the whole frame stays on the screen at twice the scale")


class Hearing:
    """Drives the window and listens as a screen reader does, step by step on GLib's loop."""

    def __init__(self, session, pyatspi, glib, quillet, data):
        self.session, self.atspi, self.glib = session, pyatspi, glib
        self.quillet, self.data = quillet, data
        self.events = []  # (event type, role, name) as they came
        self.failures = []

    def heard(self, event):
        try:
            self.events.append((event.type, event.source.getRoleName(), event.source.name))
        except Exception:  # an object gone meanwhile
            pass

    def app(self):
        for app in self.atspi.Registry.getDesktop(0):
            if app is not None and app.name == "Kestrane Quillet":
                return app
        return None

    def find(self, role, name_start=""):
        """The first object of `role` whose name starts with `name_start`, in the window."""
        app = self.app()
        if app is None:
            return None
        return self.atspi.findDescendant(
            app, lambda o: o is not None and o.getRoleName() == role and o.name.startswith(name_start))

    def focus(self):
        """The role and name of what the screen reader was last told has the focus."""
        told = [e for e in self.events if e[0] == "focus:"]
        return told[-1][1:] if told else (None, "")

    def wait(self, what, condition):
        """Runs GLib's loop until `condition` holds, or fails saying `what` was awaited."""
        deadline = time.monotonic() + TIMEOUT
        context = self.glib.MainContext.default()
        while time.monotonic() < deadline:
            while context.pending():
                context.iteration(False)
            try:
                value = condition()
            except Exception:  # the tree changing as it is read
                value = None
            if value:
                return value
            time.sleep(0.05)
        fail(f"waited {TIMEOUT} s for {what}; heard last: {self.events[-12:]}")

    def expect(self, what, actual, expected):
        if actual != expected:
            self.failures.append(f"{what}: heard {actual!r}, expected {expected!r}")

    def run(self):
        atspi = self.atspi
        atspi.Registry.registerEventListener(self.heard, "object:property-change:accessible-name",
                                             "object:state-changed:focused", "focus:")
        self.session.start([self.quillet], cwd=self.data)
        self.wait("the list to have the focus",
                  lambda: self.find("list", "Dump lines").getState().contains(atspi.STATE_FOCUSED))

        # Tab to the map: its name says what is at its cursor, and again as the cursor moves.
        # (Before any dialog: once one has closed, Qt on Xvfb may take the window for inactive,
        # and move the focus unheard.)
        self.session.press("Tab")
        self.wait("the map to have the focus", lambda: self.focus()[1].startswith("Block map"))
        self.expect("the map with its cursor at 0000", self.focus()[1],
                    "Block map: 0000, in the 16K page at 0000. No block loaded.")
        self.session.press("Right")
        self.wait("the map's new name to be heard",
                  lambda: any(e[0] == "object:property-change:accessible-name"
                              and e[2] == "Block map: 4000, in the 16K page at 4000. No block loaded."
                              for e in self.events))
        self.session.press("Tab")
        self.wait("the list to have the focus again", lambda: self.focus() == ("list", "Dump lines"))

        # Open split.obj: three records far apart.
        self.session.keys("ctrl+o")
        self.wait("the Open dialog", lambda: self.find("dialog", "Open Object File..."))
        self.session.type("split.obj")
        self.session.keys("Return")
        panel = self.wait("the file's panel", lambda: self.find("label", "File: "))

        # Each panel's text, in its name; a screen reader heard of each change.
        self.expect("the file's panel", panel.name, "File: SPLIT.OBJ (124 bytes)")
        self.expect("the block's panel", self.find("label", "Block size").name, "Block size: Block=38 bytes")
        self.expect("the addresses' panel", self.find("label", "ORG, ENT and SP").name,
                    "ORG, ENT and SP: Org=&H8000, Ent=&H8000, SP=&HBFFF")
        for name in ("File: SPLIT.OBJ", "Block size: Block=38", "ORG, ENT and SP: Org=&H8000"):
            self.wait(f"a change of name to '{name}...'",
                      lambda: any(e[0] == "object:property-change:accessible-name" and e[2].startswith(name)
                                  for e in self.events))

        # After the load the first line is current, and heard as the focus; the map's cursor is
        # at ORG.
        first = "8000  21 00 90 11 00 C0 01 14 00 ED B0 CD 00 91 C9"
        self.wait("the first line to be heard as the focus",
                  lambda: any(e[0] == "focus:" and e[1:] == ("list item", first) for e in self.events))
        self.expect("the map with its cursor at ORG", self.find("filler", "Block map").name,
                    "Block map: 8000, in the 16K page at 8000. Byte 1 of the block's 38. "
                    "ENT, the entry address: 8000.")
        if self.failures:
            fail("\n  ".join([""] + self.failures))
        print("PASSED: the panels, the current line and the map's cursor are heard over the bus")


if __name__ == "__main__":
    main()

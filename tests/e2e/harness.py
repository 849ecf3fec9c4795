"""End-to-end harness: runs the real ulmar.exe under Wine on Xvfb and works its
windows from a second Win32 process (ulmar_driver.exe), then lets a scenario
check the files the program leaves behind.

A scenario is a function registered with @scenario. It gets a context `t`
with a fresh working folder, starts the program with t.start() and talks to
its windows through the returned App. Texts are str with one character per
byte (latin-1), so bytes such as the 0xFF row marker pass unchanged.
"""
import os
import pathlib
import shutil
import subprocess
import time
import traceback

import wineprefix

ROOT = pathlib.Path(__file__).resolve().parents[2]
BUILD = pathlib.Path(os.environ.get("ULMAR_WIN_BUILD", ROOT / "build" / "win"))
E2E = pathlib.Path(os.environ.get("ULMAR_E2E_DIR", ROOT / "build" / "e2e"))
EXE = BUILD / "ulmar.exe"
DRIVER = BUILD / "ulmar_driver.exe"

IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO = 1, 2, 3, 4, 5, 6, 7
VK_BACK, VK_TAB, VK_RETURN, VK_ESCAPE = 0x08, 0x09, 0x0D, 0x1B
VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_DELETE = 0x21, 0x22, 0x23, 0x24, 0x2E
WM_CLOSE, WM_SYSCOMMAND, SC_CLOSE = 0x0010, 0x0112, 0xF060

SCREENS = {480: (640, 480), 768: (1024, 768)}

_SCENARIOS = []


class HarnessError(Exception):
    pass


# The least time a wait for a state may take before it counts as failed: a
# wait ends as soon as the state is there, so a busy machine costs only time.
PATIENCE = 60


def scenario(name, screen=480, timeout=300):
    """Registers a scenario function under `name`, run on a screen 480 or 768 pixels high.
    `timeout` bounds a scenario that hangs; it is never less than 300 s, so a busy
    machine does not end one that is only slow."""
    if screen not in SCREENS:
        raise ValueError("screen must be one of %s" % sorted(SCREENS))

    def register(fn):
        _SCENARIOS.append({"name": name, "screen": screen, "fn": fn, "timeout": max(timeout, 300)})
        return fn

    return register


def until(fn, expected, timeout=PATIENCE):
    """Polls fn() until it gives `expected` (posted messages are handled a moment
    later); returns the last value so the caller's check reports it."""
    deadline = time.time() + timeout
    value = fn()
    while value != expected and time.time() < deadline:
        time.sleep(0.05)
        value = fn()
    return value


def registered():
    return list(_SCENARIOS)


def _hex(text):
    data = text.encode("latin-1") if isinstance(text, str) else bytes(text)
    return data.hex() if data else "-"


def _unhex(word):
    return "" if word == "-" else bytes.fromhex(word).decode("latin-1")


class Display:
    """One Xvfb server and one Wine prefix whose virtual desktop has the screen's size."""

    def __init__(self, screen):
        self.screen = screen
        self.width, self.height = SCREENS[screen]
        self.prefix = E2E / ("prefix-%d" % screen)
        self.number = None
        self.xvfb = None

    def env(self):
        return wineprefix.env(self.prefix, ":%d" % self.number)

    def start(self):
        """Starts the display and readies the prefix: its own fonts (a FontError when
        one cannot be had) and a virtual desktop of the screen's size, so
        SM_CYSCREEN follows it, Wine draws real frames and no window manager is needed."""
        self._start_xvfb()
        wineprefix.prepare(self.prefix, ":%d" % self.number, "%dx%d" % (self.width, self.height))
        wineprefix.check_fonts(self.font_face)
        self.keep_server()

    def keep_server(self):
        """Starts the prefix's server for good. Debian starts servers with -p0: one
        ends, with the desktop and the services, the moment its last program
        does, a program started while that ending is under way can die at start
        or never see its desktop, and one started after it waits for a new boot.
        A server already running (a driver's) cannot be told to stay: it goes first."""
        for flag in ("-k", "-w", "-p"):
            self._wineserver(flag)

    def ask(self, *commands):
        """The driver's answers (lists of words) to `commands`, from a driver of its own."""
        script = "".join(command + "\n" for command in commands) + "quit\n"
        with subprocess.Popen(["wine", str(DRIVER)], env=self.env(), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL) as driver:
            out, _ = driver.communicate(script.encode("ascii"), timeout=300)
        answers = [line.split() for line in out.decode("ascii").splitlines()]
        if len(answers) != len(commands) or any(words[:1] != ["OK"] for words in answers):
            raise HarnessError("the driver answered %r to %r" % (out, commands))
        return [words[1:] for words in answers]

    def font_face(self, name, points):
        """(face, full name of its file, average width, height) of a font as this prefix resolves it."""
        face, full, width, height = self.ask("font %s %d" % (_hex(name), points))[0]
        return _unhex(face), _unhex(full), int(width), int(height)

    def shell_folder(self, csidl):
        """The Windows path of a shell folder of the prefix's user (5: Documents, 2: Start-menu programs)."""
        return _unhex(self.ask("folder %d" % csidl)[0][0])

    def _start_xvfb(self):
        for number in range(140, 240):
            if os.path.exists("/tmp/.X%d-lock" % number) or os.path.exists("/tmp/.X11-unix/X%d" % number):
                continue
            proc = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "%dx%dx24" % (self.width, self.height),
                                     "-nolisten", "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(100):
                if os.path.exists("/tmp/.X11-unix/X%d" % number):
                    self.number, self.xvfb = number, proc
                    return
                if proc.poll() is not None:
                    break
                time.sleep(0.05)
            proc.kill()
        raise HarnessError("no free display for Xvfb")

    def _wineserver(self, flag):
        subprocess.run(["wineserver", flag], env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120)

    def stop(self):
        if self.number is not None:
            self._wineserver("-k")
        if self.xvfb:
            self.xvfb.terminate()  # lets Xvfb remove its lock file
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
            self.xvfb = None

    def screenshot(self, path):
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-display", ":%d" % self.number, "-window", "root", str(path)],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


class Picture:
    """A screenshot's pixels, read back with ImageMagick."""

    def __init__(self, path):
        self.path = path
        size = subprocess.run(["identify", "-format", "%w %h", str(path)], capture_output=True, text=True,
                              check=True).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.data = subprocess.run(["convert", str(path), "-depth", "8", "rgb:-"], capture_output=True,
                                   check=True).stdout

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, left, top, right, bottom, test):
        return sum(1 for y in range(top, bottom) for x in range(left, right) if test(self.at(x, y)))


class Box:
    def __init__(self, hwnd, caption, text):
        self.hwnd, self.caption, self.text = hwnd, caption, text

    def __repr__(self):
        return "Box(%r, %r)" % (self.caption, self.text)


class App:
    """The running program and the driver that works its windows."""

    def __init__(self, display, folder, env, logs, exe=EXE, args=()):
        self.display = display
        self.main = None
        self.logs = logs
        logs.mkdir(parents=True, exist_ok=True)
        full_env = display.env()
        full_env.update(env or {})
        with open(self._log("program"), "ab") as errors:
            self.proc = subprocess.Popen(["wine", str(exe), *args], cwd=str(folder), env=full_env,
                                         stdout=subprocess.DEVNULL, stderr=errors)
        self.folder = folder
        self.driver = None
        self.start_driver()

    def _log(self, who):
        """Where Wine's own complaints about starting `who` go (only its fatal ones
        pass WINEDEBUG=-all): a failure to start quotes them."""
        return self.logs / (who + ".txt")

    def _complaints(self):
        said = []
        for who in ("program", "driver"):
            log = self._log(who)
            text = log.read_bytes().decode("latin-1").strip() if log.exists() else ""
            if text:
                said.append("%s's stderr: %s" % (who, text[-600:]))
        return "; ".join(said)

    def start_driver(self):
        """A driver of its own: at start, and again when one ended under a scenario
        that only looks (a driver is the tests' own program, not the one tested)."""
        with open(self._log("driver"), "ab") as errors:
            self.driver = subprocess.Popen(["wine", str(DRIVER)], cwd=str(self.folder), env=self.display.env(),
                                           stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=errors)

    # -- the protocol -------------------------------------------------------
    def call(self, *words):
        line = " ".join(str(w) for w in words) + "\n"
        try:
            self.driver.stdin.write(line.encode("ascii"))
            self.driver.stdin.flush()
        except (BrokenPipeError, OSError):
            raise HarnessError("driver is gone")
        reply = self.driver.stdout.readline().decode("ascii").strip()
        if not reply:
            raise HarnessError("driver gave no answer to: %s" % line.strip())
        if reply.startswith("ERR"):
            raise HarnessError("%s -> %s" % (line.strip(), reply))
        return reply.split()[1:]

    @staticmethod
    def _id(id):
        return -1 if id is None else id

    # -- windows -------------------------------------------------------------
    def window(self, title_prefix, timeout=PATIENCE, exclude=()):
        """Waits for a visible top-level window whose title starts with `title_prefix`
        (not one of the windows in `exclude`, e.g. those of another copy of the program)."""
        return self._window(title_prefix, max(timeout, PATIENCE), exclude)

    def _window(self, title_prefix, timeout, exclude):
        return int(self.call("find", int(timeout * 1000), _hex(title_prefix), *exclude)[0])

    def find_window(self, title_prefix, timeout=0.0, exclude=()):
        """Like window(), but None when there is none within `timeout`."""
        try:
            return self._window(title_prefix, timeout, exclude)
        except HarnessError:
            return None

    def box(self, text=None, timeout=PATIENCE):
        """Waits for a message box whose text contains `text` (any box when None)."""
        return self._box(text, max(timeout, PATIENCE))

    def _box(self, text, timeout):
        words = self.call("findbox", int(timeout * 1000), _hex(text or ""))
        return Box(int(words[0]), _unhex(words[1]), _unhex(words[2]))

    def find_box(self, text=None, timeout=0.0):
        """Like box(), but None when there is none within `timeout`."""
        try:
            return self._box(text, timeout)
        except HarnessError:
            return None

    def box_or_gone(self, hwnd, timeout=PATIENCE):
        """After a step that either closes window `hwnd` or shows a message box:
        the box (None when the window closed without one)."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            box = self.find_box()
            if box:
                return box
            if not self.exists(hwnd):
                return self.find_box()
            time.sleep(0.05)
        raise HarnessError("window %d neither closed nor showed a message box within %ss" % (hwnd, timeout))

    def settle(self, hwnd):
        """Returns once the thread of window `hwnd` has handled what was posted to it
        before (or that has opened a modal box or window whose loop now runs)."""
        self.call("settle", hwnd, PATIENCE * 2000)

    def answers(self, hwnd, within=1.0):
        """True when the thread of window `hwnd` answers a message within `within` seconds."""
        return self.call("answers", hwnd, int(within * 1000))[0] == "1"

    def moving(self, hwnd):
        """True while the user moves or sizes a window of the thread of `hwnd`."""
        return int(self.call("guiflags", hwnd)[0]) & 0x2 != 0  # GUI_INMOVESIZE

    def no_box(self, wait=0.5):
        """True when no message box shows up within `wait` seconds."""
        return self.find_box(None, wait) is None

    def answer(self, box, button=IDOK, timeout=PATIENCE):
        """Answers a box found by box(): it is visible and its text is set, so it takes the button."""
        self.command(box.hwnd, button)
        self.gone(box.hwnd, timeout)

    def text(self, hwnd, id=None):
        return _unhex(self.call("text", hwnd, self._id(id))[0])

    def set_text(self, hwnd, id, text):
        self.call("settext", hwnd, self._id(id), _hex(text))

    def command(self, hwnd, id, code=0):
        self.call("command", hwnd, id, code)

    def send_command(self, hwnd, id, code=0):
        self.call("sendcommand", hwnd, id, code)

    def click(self, hwnd, id):
        """Clicks button `id`; returns once the program has handled the click, or the
        click has opened a window whose modal loop now runs."""
        self.call("click", hwnd, id, PATIENCE * 2000)

    def key(self, hwnd, vk, id=None):
        """Presses a key in the window (its focused control, or control `id`); returns
        once the program's message loop has handled it."""
        self.call("key", hwnd, vk, self._id(id))

    def focus_id(self, hwnd):
        return int(self.call("focus", hwnd)[0])

    def set_focus(self, hwnd, id):
        control = self.control(hwnd, id)
        self.send(hwnd, None, 0x0028, control, 1)  # WM_NEXTDLGCTL with a window handle

    def control(self, hwnd, id):
        """The window handle of control `id`."""
        for child in self.children(hwnd):
            if child["id"] == id:
                return child["hwnd"]
        raise HarnessError("no control %d" % id)

    def children(self, hwnd):
        """Child windows in creation order: dicts with id, cls, rect, style, exstyle, hwnd."""
        raw = _unhex(self.call("children", hwnd)[0])
        out = []
        for row in raw.split(";"):
            if not row:
                continue
            id, cls, rect, style, exstyle, handle = row.split(":")
            out.append({"id": int(id), "cls": cls, "rect": tuple(int(v) for v in rect.split(",")),
                        "style": int(style, 16), "exstyle": int(exstyle, 16), "hwnd": int(handle)})
        return out

    def list_count(self, hwnd, id):
        return int(self.call("listcount", hwnd, id)[0])

    def list_text(self, hwnd, id, index):
        return _unhex(self.call("listtext", hwnd, id, index)[0])

    def list_rows(self, hwnd, id):
        return [self.list_text(hwnd, id, i) for i in range(self.list_count(hwnd, id))]

    def send(self, hwnd, id, message, wparam=0, lparam=0):
        return int(self.call("send", hwnd, self._id(id), message, wparam, lparam)[0])

    def post(self, hwnd, id, message, wparam=0, lparam=0):
        self.call("post", hwnd, self._id(id), message, wparam, lparam)

    def rect(self, hwnd, id=None):
        return tuple(int(v) for v in self.call("rect", hwnd, self._id(id)))

    def client_rect(self, hwnd, id=None):
        return tuple(int(v) for v in self.call("client", hwnd, self._id(id)))

    def state(self, hwnd, id=None):
        enabled, visible, style, exstyle, cls = self.call("state", hwnd, self._id(id))
        return {"enabled": enabled == "1", "visible": visible == "1", "style": int(style),
                "exstyle": int(exstyle), "cls": cls}

    def is_enabled(self, hwnd, id=None):
        return self.state(hwnd, id)["enabled"]

    def is_checked(self, hwnd, id):
        return self.send(hwnd, id, 0x00F0) == 1  # BM_GETCHECK

    def exists(self, hwnd):
        return self.call("exists", hwnd)[0] == "1"

    def gone(self, hwnd, timeout=PATIENCE):
        self.call("gone", hwnd, int(max(timeout, PATIENCE) * 1000))

    def owner(self, hwnd):
        return int(self.call("owner", hwnd)[0])

    def gui_objects(self, hwnd):
        """(GDI objects, USER objects) of the process owning hwnd, as the system counts them."""
        gdi, user = self.call("gdi", hwnd)
        return int(gdi), int(user)

    def painted(self, hwnd, timeout=30):
        """Waits until the window and its children have painted all they had to."""
        self.call("painted", hwnd, int(timeout * 1000))

    def dialog_units(self, font, points, x, y, w, h):
        """(x, y, width, height) in pixels of a rectangle in dialog units of `font`."""
        return tuple(int(v) for v in self.call("dlu", _hex(font), points, x, y, w, h))

    def client_origin(self, hwnd):
        """Screen position of the window's client area (0, 0)."""
        return tuple(int(v) for v in self.call("origin", hwnd))

    def close_window(self, hwnd):
        """Presses the title bar's close box."""
        self.post(hwnd, None, WM_SYSCOMMAND, SC_CLOSE, 0)

    # -- the process ---------------------------------------------------------
    def running(self):
        return self.proc.poll() is None

    def wait_exit(self, timeout=20):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError("ulmar.exe did not end within %ss" % timeout)

    def describe(self):
        """What a failure to find a window can be told from: whether the program
        and the driver still run, and the windows the screen shows."""
        code, driver = self.proc.poll(), self.driver.poll()
        program = "ulmar.exe runs" if code is None else "ulmar.exe ended with code %d" % code
        if driver is not None:
            told = "%s; the driver ended with code %d" % (program, driver)
        else:
            try:
                words = self.call("shown")
                shown = _unhex(words[0]) if words else ""
            except HarnessError as error:
                shown = "unknown (%s)" % error
            told = "%s; windows shown: %s" % (program, shown or "none")
        complaints = self._complaints()
        return told + ("; " + complaints if complaints else "")

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()

    def stop_driver(self):
        if self.driver.poll() is None:
            try:
                self.driver.stdin.write(b"quit\n")
                self.driver.stdin.flush()
                self.driver.wait(timeout=10)
            except (OSError, subprocess.TimeoutExpired):
                self.driver.kill()


class Context:
    """What a scenario works with: its folder, the program, and its checks."""

    def __init__(self, name, display, folder):
        self.name = name
        self.display = display
        self.dir = folder
        self.logs = E2E / "wine-logs" / _slug(name)  # Wine's start-up messages, a folder per program started
        self.prefix = display.prefix
        self.failures = []
        self.apps = []
        self.cleanups = []

    def unix_path(self, path):
        """Where a Windows path of the prefix (C:, or Z: for /) lies here."""
        drive, rest = path[:2].upper(), path[2:].lstrip("\\").replace("\\", "/")
        roots = {"C:": self.prefix / "drive_c", "Z:": pathlib.Path("/")}
        if drive not in roots:
            raise HarnessError("no such drive here: %s" % path)
        return roots[drive] / rest

    def win_path(self, name=""):
        """The Windows path of a file in the scenario folder (Wine's Z: drive is /)."""
        path = (self.dir / name) if name else self.dir
        return "Z:" + str(path).replace("/", "\\")

    def write(self, name, data):
        path = self.dir / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data if isinstance(data, bytes) else data.encode("latin-1"))
        return path

    def read(self, name):
        return (self.dir / name).read_bytes()

    def exists(self, name):
        return (self.dir / name).exists()

    def start(self, env=None, ready_title="ULMAR v1.01", wait=True, folder=None, exe=EXE, args=()):
        """Starts ulmar.exe (or `exe`) in the scenario folder (or `folder`); with `wait`,
        returns once its main window shows. app.main is that window. Windows of
        copies started earlier in this scenario are never taken for this copy's."""
        others = [a.main for a in self.apps if a.main]
        app = App(self.display, folder or self.dir, env, self.logs / str(len(self.apps) + 1), exe, args)
        self.apps.append(app)
        if wait and ready_title:
            try:
                app.main = app.window(ready_title, timeout=2 * PATIENCE, exclude=others)
            except HarnessError as error:
                raise HarnessError("%s (%s)" % (error, app.describe()))
        return app

    def map_drive(self, letter, folder):
        """Makes drive `letter`: the folder `folder` for this prefix, until the scenario ends."""
        link = self.prefix / "dosdevices" / (letter.lower() + ":")
        if link.is_symlink() or link.exists():
            link.unlink()
        pathlib.Path(folder).mkdir(parents=True, exist_ok=True)
        link.symlink_to(pathlib.Path(folder).resolve())
        self.on_cleanup(lambda: link.unlink() if link.is_symlink() else None)
        return link

    def small_disk(self, name, size_kb):
        """A tmpfs of `size_kb` KiB mounted at the scenario folder's `name` (needs root);
        unmounted when the scenario ends."""
        mount = self.dir / name
        mount.mkdir(parents=True, exist_ok=True)
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%dk" % size_kb, "tmpfs", str(mount)], check=True)
        self.on_cleanup(lambda: subprocess.run(["umount", "-l", str(mount)], check=False))
        return mount

    def pointer_to(self, x, y):
        """Puts the display's real mouse pointer at screen point (x, y): where a
        scenario posts mouse messages, so a control that looks at the real
        pointer (a list tracking a drag) finds it where the messages say."""
        env = dict(os.environ, DISPLAY=":%d" % self.display.number)
        subprocess.run(["xdotool", "mousemove", str(x), str(y)], env=env, check=True, timeout=60)

    def check(self, condition, message):
        if not condition:
            self.failures.append(message)
        return bool(condition)

    def equal(self, actual, expected, what):
        if actual != expected:
            self.failures.append("%s: expected %r, got %r" % (what, expected, actual))
            return False
        return True

    def screenshot(self, name):
        path = E2E / "shots" / (name + ".png")
        self.display.screenshot(path)
        return path

    def picture(self, name, ready, timeout=30, kind=None):
        """A screenshot (a Picture, or `kind`) taken once `ready(picture)` holds, that is
        once the screen shows what the scenario is about to check; after `timeout`
        seconds the last one, whose checks then report what it shows."""
        deadline = time.monotonic() + timeout
        while True:
            pic = (kind or Picture)(self.screenshot(name))
            if ready(pic) or time.monotonic() > deadline:
                return pic
            time.sleep(0.2)

    def on_cleanup(self, fn):
        self.cleanups.append(fn)

    def finish(self):
        for app in self.apps:
            app.kill()
            app.stop_driver()
        for fn in reversed(self.cleanups):
            try:
                fn()
            except Exception as error:  # a failing clean-up is reported, not fatal
                self.failures.append("clean-up: %s" % error)


def _slug(name):
    return "".join(c if c.isalnum() else "-" for c in name.lower()).strip("-")[:80]


def run_scenario(entry, display):
    folder = E2E / "runs" / _slug(entry["name"])
    t = Context(entry["name"], display, folder)
    for old in (folder, t.logs):
        if old.exists():
            shutil.rmtree(old)
    folder.mkdir(parents=True)
    started = time.time()
    try:
        entry["fn"](t)
    except HarnessError as error:
        t.failures.append("harness: %s" % error)
    except AssertionError as error:
        t.failures.append("assertion: %s" % (error or traceback.format_exc(limit=2)))
    except Exception:
        t.failures.append(traceback.format_exc(limit=6))
    finally:
        t.finish()
    return t.failures, time.time() - started


def wait_shown(env, title, timeout=120):
    """From outside the program: waits until a top-level window whose title starts
    with `title` shows and has painted. True when it did."""
    with subprocess.Popen(["wine", str(DRIVER)], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL) as driver:
        def call(line):
            driver.stdin.write((line + "\n").encode("ascii"))
            driver.stdin.flush()
            return driver.stdout.readline().decode("ascii").split()

        found = call("find %d %s" % (timeout * 1000, _hex(title)))
        shown = found[:1] == ["OK"] and call("painted %s %d" % (found[1], timeout * 1000)) == ["OK"]
        call("quit")
        return shown


if __name__ == "__main__":
    # scripts/start.sh: python3 tests/e2e/harness.py wait-shown TITLE (in the program's Wine environment)
    import sys
    if len(sys.argv) != 3 or sys.argv[1] != "wait-shown":
        sys.exit("usage: harness.py wait-shown TITLE")
    sys.exit(0 if wait_shown(os.environ, sys.argv[2]) else 1)

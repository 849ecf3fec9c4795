"""Start-up, the main window, its closing and the About box."""
from harness import scenario, IDOK, VK_ESCAPE
import logfiles
from ids import MAIN_TITLE as TITLE, MAIN_CONTROLS, MAIN_BUTTONS, MAIN_PANEL_BUTTONS, MAIN_IMAGE_BANNER, \
    MAIN_IMAGE_CREST, MAIN_BUTTON_EXIT, MAIN_MENU_EXIT, MAIN_MENU_ABOUT, WS_EX_STATICEDGE

FONT = ("MS Sans Serif", 8)


def scaled(value, screen):
    """Design value × ScaleFactor, halves to even (Python's round does that)."""
    return round(value * {480: 1.0, 768: 1.6}[screen])


def expected_controls(screen):
    """(id, class, x, y, width, height) in dialog units, in creation order."""
    s = lambda v: scaled(v, screen)
    xs = [s(110)]
    for _ in range(3):
        xs.append(round(xs[-1] + 52 * {480: 1.0, 768: 1.6}[screen]))
    rows = [(MAIN_PANEL_BUTTONS, "Static", s(100), s(53), s(215), 50)]
    for id, x in zip(MAIN_BUTTONS, xs):
        rows.append((id, "Button", x, s(60), s(38), 30))
    return rows


def check_layout(t, app, main, screen):
    children = app.children(main)
    t.equal([c["id"] for c in children], MAIN_CONTROLS, "controls in creation order")
    origin = app.client_origin(main)
    by_id = {c["id"]: c for c in children}
    for id, cls, x, y, w, h in expected_controls(screen):
        px = app.dialog_units(FONT[0], FONT[1], x, y, w, h)
        l, top, r, b = by_id[id]["rect"]
        t.equal(by_id[id]["cls"], cls, "class of control %d" % id)
        t.equal((l - origin[0], top - origin[1], r - l, b - top), px, "pixel rectangle of control %d" % id)
    t.check(by_id[MAIN_PANEL_BUTTONS]["exstyle"] & WS_EX_STATICEDGE, "the green panel has a static edge")
    captions = [app.text(main, id) for id in MAIN_BUTTONS]
    t.equal(captions, ["&Logging", "&Browse", "Print LO&G", "E&xit"], "button captions")
    for id, size, pos in ((MAIN_IMAGE_BANNER, (256, 80), (150, 120)), (MAIN_IMAGE_CREST, (180, 40), (250, 200))):
        l, top, r, b = by_id[id]["rect"]
        want = app.dialog_units(FONT[0], FONT[1], scaled(pos[0], screen), scaled(pos[1], screen), 0, 0)
        t.equal((r - l, b - top), size, "picture %d has its bitmap's size" % id)
        t.equal((l - origin[0], top - origin[1]), want[:2], "picture %d position" % id)
    client = app.client_rect(main)
    menu_less = app.dialog_units(FONT[0], FONT[1], 0, 0, scaled(420, screen), scaled(270, screen))
    t.equal(client[2], menu_less[2], "client width is 420 scaled")
    t.check(0 < menu_less[3] - client[3] < 40, "the menu bar takes its height from the 270-unit client area")


@scenario("first run in an empty folder creates MYLOG.ULM and writes CURLOG.DTA", screen=480)
def _(t):
    app = t.start()
    main = app.window(TITLE)
    t.equal(app.text(main), TITLE + " " * 60 + "MYLOG.ULM", "main window title")
    t.check(t.exists("MYLOG.ULM"), "MYLOG.ULM is created at start-up")
    t.equal(t.read("MYLOG.ULM"), b"", "the new log is empty")
    t.check(not t.exists("CURLOG.DTA"), "settings are written only at shut-down")
    app.command(main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")
    t.equal(t.read("CURLOG.DTA"), b"MYLOG.ULM\r\n\r\n", "CURLOG.DTA")


@scenario("CURLOG.DTA naming a missing log creates it and shows its path", screen=480)
def _(t):
    path = t.win_path("logs\\NIGHT.ULM")
    (t.dir / "logs").mkdir()
    t.write("CURLOG.DTA", logfiles.settings(path))
    app = t.start()
    main = app.window(TITLE)
    t.equal(app.text(main), TITLE + " " * 60 + path, "title shows the log's path")
    t.equal(t.read("logs/NIGHT.ULM"), b"", "the missing log is created empty")
    app.command(main, MAIN_MENU_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")
    t.equal(t.read("CURLOG.DTA"), logfiles.settings(path), "CURLOG.DTA keeps the path")


@scenario("a log whose folder does not exist leaves no log open and is kept in the settings", screen=480)
def _(t):
    path = t.win_path("missing\\A.ULM")
    t.write("CURLOG.DTA", logfiles.settings(path, "B"))
    app = t.start()
    main = app.window(TITLE)
    t.equal(app.text(main), TITLE + " " * 60 + path, "title shows the path that failed")
    app.command(main, MAIN_BUTTON_EXIT)
    app.answer(app.box("Log not backed up"), IDOK)  # drive B: is not mapped
    app.wait_exit()
    t.check(not (t.dir / "missing").exists(), "no folder is created")
    t.equal(t.read("CURLOG.DTA"), logfiles.settings(path, "B"), "settings written unchanged")


@scenario("existing log keeps its bytes through a run", screen=480)
def _(t):
    data = logfiles.numbered_log(3) + b"partial"
    t.write("MYLOG.ULM", data)
    app = t.start()
    main = app.window(TITLE)
    app.command(main, MAIN_BUTTON_EXIT)
    app.wait_exit()
    t.equal(t.read("MYLOG.ULM"), data, "log bytes untouched")


def layout_scenario(screen):
    @scenario("main window title, controls and geometry at %d" % screen, screen=screen)
    def _(t):
        t.write("CURLOG.DTA", logfiles.settings("C:\\Logs\\A.ULM"))
        app = t.start()
        main = app.window(TITLE)
        t.equal(app.text(main), TITLE + " " * 60 + "C:\\Logs\\A.ULM", "title")
        check_layout(t, app, main, screen)
        t.screenshot("main-window-%d" % screen)
        app.command(main, MAIN_BUTTON_EXIT)
        app.wait_exit()


layout_scenario(480)
layout_scenario(768)


@scenario("Escape closes the main window like Exit", screen=480)
def _(t):
    app = t.start()
    main = app.window(TITLE)
    app.key(main, VK_ESCAPE)
    t.equal(app.wait_exit(), 0, "exit code after Escape")
    t.equal(t.read("CURLOG.DTA"), b"MYLOG.ULM\r\n\r\n", "settings written after Escape")


@scenario("the close box closes the main window", screen=480)
def _(t):
    app = t.start()
    main = app.window(TITLE)
    app.close_window(main)
    t.equal(app.wait_exit(), 0, "exit code after the close box")
    t.check(t.exists("CURLOG.DTA"), "settings written after the close box")


@scenario("About box text and title, main window stays enabled", screen=480)
def _(t):
    app = t.start()
    main = app.window(TITLE)
    app.command(main, MAIN_MENU_ABOUT)
    box = app.box()
    t.equal(box.caption, "Ulmar v1.01", "About box title")
    lines = box.text.split("\r\n\n")
    t.equal(len(lines), 3, "three lines separated by CR LF LF")
    if len(lines) == 3:
        t.check("ULMAR developers" in lines[0] and "2012" in lines[0], "author line: %r" % lines[0])
        t.equal(lines[1], "Last update: 12 August 2012", "second line")
        t.check("example." in lines[2], "web address on a reserved example domain: %r" % lines[2])
    t.check(app.is_enabled(main), "the About box has no owner, the main window stays enabled")
    children = app.children(box.hwnd)
    buttons = [c for c in children if c["cls"] == "Button"]
    t.equal([app.text(box.hwnd, c["id"]) for c in buttons], ["OK"], "only an OK button")
    app.answer(box, IDOK)
    t.check(app.running(), "the program goes on after the About box")
    app.command(main, MAIN_BUTTON_EXIT)
    app.wait_exit()

"""The Print Log window, printing on a private CUPS queue, and the CSV export."""
import shutil

from harness import until, scenario, IDOK, IDYES, IDNO, VK_ESCAPE, E2E, ROOT
import logfiles
from logfiles import THREE, THREE_LINES
import printer
from ids import PRINT_TITLE as TITLE, MAIN_BUTTON_PRINT, MAIN_BUTTON_EXIT, PRINT_LABEL_START, \
    PRINT_EDIT_START, PRINT_CHECK_TO_FILE, PRINT_EDIT_FILE_NAME, PRINT_CHECK_PAUSE, PRINT_BUTTON_RUN, \
    PRINT_BUTTON_EXIT, PRINT_LIST_OUTPUT, PRINT_LABEL_STATION, PRINT_EDIT_STATION, PRINT_LABEL_DATE_FROM, \
    PRINT_EDIT_DATE_FROM, PRINT_LABEL_DATE_TO, PRINT_EDIT_DATE_TO, PRINT_LABEL_FREQUENCY_FROM, \
    PRINT_EDIT_FREQUENCY_FROM, PRINT_LABEL_FREQUENCY_TO, PRINT_EDIT_FREQUENCY_TO, PRINT_LABEL_KHZ, PRINT_LABEL_REPLIES, PRINT_LIST_REPLIES, CB_GETCOUNT, CB_GETCURSEL, \
    WS_SYSMENU, WS_CAPTION, WS_THICKFRAME, WS_TABSTOP, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE

FONT = ("MS Sans Serif", 8)
HEADER = b"Date,Time,Station,Location,Freq,Remarks\r\n"
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]

# id, class, text, x, y, w, h in dialog units, in creation order
CONTROLS = [
    (PRINT_LABEL_START, "Static", "Start at &Entry Number:", 18, 10, 75, 10),
    (PRINT_EDIT_START, "Edit", "1", 98, 9, 40, 10),
    (PRINT_CHECK_TO_FILE, "Button", "File to &Disc:", 15, 24, 90, 12),
    (PRINT_EDIT_FILE_NAME, "Edit", None, 115, 26, 150, 12),
    (PRINT_LIST_OUTPUT, "ComboBox", None, 272, 25, 78, None),
    (PRINT_CHECK_PAUSE, "Button", "P&ause between Pages:", 15, 40, 90, 12),
    (PRINT_LABEL_STATION, "Static", "Station starts &with:", 15, 61, 95, 10),
    (PRINT_EDIT_STATION, "Edit", "", 115, 60, 100, 10),
    (PRINT_LABEL_DATE_FROM, "Static", "Date &from (DD-MM-YYYY):", 15, 77, 95, 10),
    (PRINT_EDIT_DATE_FROM, "Edit", "", 115, 76, 50, 10),
    (PRINT_LABEL_DATE_TO, "Static", "Date &to:", 170, 77, 55, 10),
    (PRINT_EDIT_DATE_TO, "Edit", "", 230, 76, 50, 10),
    (PRINT_LABEL_FREQUENCY_FROM, "Static", "Frequency fro&m:", 15, 93, 95, 10),
    (PRINT_EDIT_FREQUENCY_FROM, "Edit", "", 115, 92, 50, 10),
    (PRINT_LABEL_FREQUENCY_TO, "Static", "Frequency t&o:", 170, 93, 55, 10),
    (PRINT_EDIT_FREQUENCY_TO, "Edit", "", 230, 92, 50, 10),
    (PRINT_LABEL_KHZ, "Static", "kHz", 284, 93, 20, 10),
    (PRINT_LABEL_REPLIES, "Static", "Re&plies:", 15, 107, 95, 10),
    (PRINT_LIST_REPLIES, "ComboBox", None, 115, 105, 110, None),
    (PRINT_BUTTON_RUN, "Button", "&Print", 150, 120, 35, 15),
    (PRINT_BUTTON_EXIT, "Button", "E&xit", 210, 120, 35, 15),
]

BS_TYPEMASK, BS_AUTOCHECKBOX, BS_LEFTTEXT, BS_HMASK, BS_RIGHT, BS_CENTER = 0xF, 0x3, 0x20, 0x300, 0x200, 0x300
SS_TYPEMASK, SS_RIGHT = 0x1F, 0x2


def open_window(app):
    app.command(app.main, MAIN_BUTTON_PRINT)
    return app.window(TITLE)


def tick_to_file(t, app, win):
    app.click(win, PRINT_CHECK_TO_FILE)
    t.equal(until(lambda: app.text(win, PRINT_BUTTON_RUN), "Sa&ve"), "Sa&ve", "the main button's caption once ticked")


def run_export(t, app, win, name, start=None):
    if start is not None:
        app.set_text(win, PRINT_EDIT_START, start)
    app.set_text(win, PRINT_EDIT_FILE_NAME, name)
    tick_to_file(t, app, win)
    app.command(win, PRINT_BUTTON_RUN)


def finish_box(t, app, win, text, caption):
    """Waits for the run's message box, checks it, answers it; then the window is gone."""
    box = app.box(timeout=30)
    t.equal((box.caption, box.text), (caption, text), "message box")
    app.answer(box, IDOK)
    app.gone(win, 10)
    t.check(app.no_box(0.8), "no further message box")
    return box


def close_program(app):
    app.command(app.main, MAIN_BUTTON_EXIT)
    app.wait_exit()


# -- the window ------------------------------------------------------------

def window_scenario(screen):
    @scenario("Print Log window: frame, controls, texts and colours at %d" % screen, screen=screen)
    def _(t):
        t.write("CURLOG.DTA", logfiles.settings("C:\\Logs\\mylog.ulm"))
        app = t.start()
        win = open_window(app)
        t.equal(app.text(win), TITLE, "title with its trailing blank")
        t.equal(app.owner(win), app.main, "owned by the main window")
        t.check(not app.is_enabled(app.main), "the main window is disabled while it is open")
        style = app.state(win)["style"]
        t.equal(style & WS_CAPTION, WS_CAPTION, "caption bar")
        t.equal(style & (WS_SYSMENU | WS_THICKFRAME), 0, "no system menu, no close box, not resizable")
        # The position is that of the client area, in screen coordinates.
        t.equal(app.client_origin(win), app.dialog_units(FONT[0], FONT[1], 25, 25, 0, 0)[:2],
                "at 25, 25 on the screen")
        client = app.client_rect(win)
        size = app.dialog_units(FONT[0], FONT[1], 0, 0, 360, 140)
        t.equal((client[2], client[3]), size[2:], "client area 360 x 140, not scaled")
        children = app.children(win)
        t.equal([c["id"] for c in children], [c[0] for c in CONTROLS], "controls in creation order")
        origin = app.client_origin(win)
        by_id = {c["id"]: c for c in children}
        for id, cls, text, x, y, w, h in CONTROLS:
            c = by_id.get(id)
            if not c:
                continue
            t.equal(c["cls"], cls, "class of %d" % id)
            l, tp, r, b = c["rect"]
            if h is None:  # a drop-down list's height is the system's
                want = app.dialog_units(FONT[0], FONT[1], x, y, w, 0)
                t.equal((l - origin[0], tp - origin[1], r - l), want[:3], "place and width of %d" % id)
            else:
                t.equal((l - origin[0], tp - origin[1], r - l, b - tp),
                        app.dialog_units(FONT[0], FONT[1], x, y, w, h), "rectangle of %d" % id)
            if text is not None:
                t.equal(app.text(win, id), text, "text of %d" % id)
        t.equal(app.text(win, PRINT_EDIT_FILE_NAME), "C:\\LOGS\\MYLOG.CSV", "proposed file name")
        for id in (PRINT_EDIT_START, PRINT_EDIT_FILE_NAME, PRINT_EDIT_STATION, PRINT_EDIT_DATE_FROM, PRINT_EDIT_DATE_TO,
                   PRINT_EDIT_FREQUENCY_FROM, PRINT_EDIT_FREQUENCY_TO):
            s = by_id[id]["style"]
            t.check(s & WS_TABSTOP and not s & ES_AUTOHSCROLL, "text box %d: tab stop, no scrolling" % id)
            t.check(by_id[id]["exstyle"] & WS_EX_CLIENTEDGE, "text box %d: sunken edge" % id)
        for id in (PRINT_CHECK_TO_FILE, PRINT_CHECK_PAUSE):
            s = by_id[id]["style"]
            t.equal((s & BS_TYPEMASK, bool(s & BS_LEFTTEXT), s & BS_HMASK), (BS_AUTOCHECKBOX, True, BS_RIGHT),
                    "check box %d: auto, text on the left, right-aligned" % id)
            t.check(not app.is_checked(win, id), "check box %d unticked" % id)
            t.check(not s & WS_TABSTOP, "check box %d is no tab stop" % id)
        for id in (PRINT_BUTTON_RUN, PRINT_BUTTON_EXIT):
            s = by_id[id]["style"]
            t.check(not s & WS_TABSTOP and s & BS_HMASK == BS_CENTER, "button %d: centred, no tab stop" % id)
        t.equal(by_id[PRINT_LABEL_START]["style"] & SS_TYPEMASK, SS_RIGHT, "label right-aligned")
        t.equal(app.send(win, PRINT_LIST_OUTPUT, CB_GETCOUNT), 3, "three output choices: CSV file, Bulletin lines, ADIF file")
        t.equal((app.send(win, PRINT_LIST_OUTPUT, CB_GETCURSEL), app.text(win, PRINT_LIST_OUTPUT)), (0, "CSV file"),
                "CSV file is chosen")
        t.equal((app.send(win, PRINT_LIST_REPLIES, CB_GETCOUNT), app.text(win, PRINT_LIST_REPLIES)), (4, "all"),
                "four Replies choices, all reports chosen")
        t.equal(until(lambda: app.focus_id(win), PRINT_EDIT_START), PRINT_EDIT_START, "the start box has the focus")
        yellow = (255, 255, 0)
        blank = app.dialog_units(FONT[0], FONT[1], 10, 80, 0, 0)
        spots = [("window background", origin[0] + blank[0], origin[1] + blank[1])]
        for id in (PRINT_LABEL_START, PRINT_CHECK_TO_FILE, PRINT_CHECK_PAUSE, PRINT_LABEL_STATION, PRINT_LABEL_DATE_FROM,
                   PRINT_LABEL_DATE_TO, PRINT_LABEL_FREQUENCY_FROM, PRINT_LABEL_FREQUENCY_TO, PRINT_LABEL_KHZ,
                   PRINT_LABEL_REPLIES):
            l, tp, r, b = by_id[id]["rect"]
            x = r - 2 if id == PRINT_LABEL_KHZ else l + 2  # clear of the text: "kHz" stands on the left
            spots.append(("background of %d" % id, x, (tp + b) // 2))
        app.painted(win)
        shot = t.picture("print-window-%d" % screen, lambda pic: all(pic.at(x, y) == yellow for _, x, y in spots))
        for what, x, y in spots:
            t.equal(shot.at(x, y), yellow, what)
        l, tp, r, b = by_id[PRINT_BUTTON_RUN]["rect"]
        t.check(shot.at(l + 3, tp + 3) != yellow, "the buttons keep the system colours")
        app.key(win, VK_ESCAPE)
        app.gone(win, 10)
        t.check(app.is_enabled(app.main), "the main window is enabled again")
        close_program(app)

window_scenario(480)
window_scenario(768)


@scenario("File to Disc switches the caption and the pause box", screen=480)
def _(t):
    app = t.start()
    win = open_window(app)
    # A click is posted: each check waits until the window has handled it.
    checked = lambda: app.is_checked(win, PRINT_CHECK_PAUSE)
    enabled = lambda: app.is_enabled(win, PRINT_CHECK_PAUSE)
    caption = lambda: app.text(win, PRINT_BUTTON_RUN)
    app.click(win, PRINT_CHECK_PAUSE)
    t.check(until(checked, True), "pause ticked")
    app.click(win, PRINT_CHECK_TO_FILE)
    t.equal(until(caption, "Sa&ve"), "Sa&ve", "caption when ticked")
    t.check(not until(enabled, False), "pause box disabled")
    t.check(checked(), "pause box keeps its tick while disabled")
    app.click(win, PRINT_CHECK_TO_FILE)
    t.equal(until(caption, "&Print"), "&Print", "caption when unticked")
    t.check(until(enabled, True), "pause box enabled again")
    app.click(win, PRINT_CHECK_TO_FILE)
    t.equal(until(caption, "Sa&ve"), "Sa&ve", "caption when ticked again")
    app.click(win, PRINT_CHECK_TO_FILE)
    t.equal(until(lambda: (caption(), enabled()), ("&Print", True)), ("&Print", True), "after ticking twice more")
    t.equal(app.text(win, PRINT_EDIT_FILE_NAME), "MYLOG.CSV", "proposed name for the default log")
    app.command(win, PRINT_BUTTON_EXIT)
    app.gone(win, 10)
    t.check(app.no_box(0.5), "Exit shows no message")
    t.check(not t.exists("MYLOG.CSV"), "Exit writes nothing")
    close_program(app)


@scenario("every .ULM of the log path becomes .CSV in the proposed name", screen=480)
def _(t):
    t.write("CURLOG.DTA", logfiles.settings("C:\\A.ULM\\b.ulm"))
    app = t.start()
    win = open_window(app)
    t.equal(app.text(win, PRINT_EDIT_FILE_NAME), "C:\\A.CSV\\B.CSV", "proposed name")
    app.command(win, PRINT_BUTTON_EXIT)
    app.gone(win, 10)
    close_program(app)


# -- export -------------------------------------------------------------------

@scenario("export of three entries to the proposed name", screen=480)
def _(t):
    (t.dir / "logs").mkdir()
    t.write("logs/Night.ulm", THREE)
    t.write("CURLOG.DTA", logfiles.settings(t.win_path("logs\\Night.ulm")))
    app = t.start()
    win = open_window(app)
    proposed = app.text(win, PRINT_EDIT_FILE_NAME)
    t.equal(proposed, t.win_path("logs\\Night.ulm").upper()[:-4] + ".CSV", "proposed name")
    tick_to_file(t, app, win)
    app.command(win, PRINT_BUTTON_RUN)
    finish_box(t, app, win, "Print of 3 reports complete", "Log Print")
    names = sorted(p.name for p in (t.dir / "logs").iterdir())
    t.equal(names, ["NIGHT.CSV", "Night.ulm"], "files in the log's folder")
    if "NIGHT.CSV" in names:
        t.equal(t.read("logs/NIGHT.CSV"), HEADER + b"".join(THREE_LINES), "CSV bytes (4 lines)")
    t.equal(t.read("logs/Night.ulm"), THREE, "log untouched")
    close_program(app)


@scenario("two exports in one session each start with the header", screen=480)
def _(t):
    t.write("MYLOG.ULM", THREE)
    app = t.start()
    for name, start, lines in (("ONE.CSV", "1", THREE_LINES), ("TWO.CSV", "2", THREE_LINES[1:])):
        win = open_window(app)
        run_export(t, app, win, t.win_path(name), start)
        finish_box(t, app, win, "Print of %d reports complete" % len(lines), "Log Print")
        t.equal(t.read(name), HEADER + b"".join(lines), name)
    close_program(app)


@scenario("start numbers as typed: rounding, blanks, letters, too large", screen=480)
def _(t):
    t.write("MYLOG.ULM", THREE)
    app = t.start()
    cases = [("2.5", THREE_LINES[1:]), ("2.7", THREE_LINES[2:]), ("  3xyz", THREE_LINES[2:]),
             ("-5", THREE_LINES), ("abc", THREE_LINES), ("", THREE_LINES), ("1e309", []), ("99999999999", []),
             ("4", [])]
    for i, (start, lines) in enumerate(cases):
        name = "S%d.CSV" % i
        t.write(name, b"old contents\r\n")
        win = open_window(app)
        run_export(t, app, win, t.win_path(name), start)
        finish_box(t, app, win, "Print of %d reports complete" % len(lines), "Log Print")
        want = HEADER + b"".join(lines) if lines else b""
        t.equal(t.read(name), want, "export from %r" % start)
    close_program(app)


@scenario("the window takes no second run while one is in progress", screen=480)
def _(t):
    t.write("MYLOG.ULM", THREE)
    app = t.start()
    win = open_window(app)
    run_export(t, app, win, t.win_path("ONCE.CSV"))
    box = app.box(timeout=30)
    t.equal(box.text, "Print of 3 reports complete", "first run's message")
    t.check(not app.is_enabled(win), "the window is disabled during the run")
    t.write("ONCE.CSV", b"")  # a second run would write it again
    app.send_command(win, PRINT_BUTTON_RUN)  # returns once the program has handled it
    app.answer(box, IDOK)
    app.gone(win, 10)
    t.check(app.no_box(1.0), "no second run's message")
    t.equal(t.read("ONCE.CSV"), b"", "the file was not written a second time")
    close_program(app)


@scenario("an export that cannot be written says so and names the file", screen=480)
def _(t):
    t.write("MYLOG.ULM", THREE)
    app = t.start()
    missing = t.win_path("nofolder\\OUT.CSV")
    own = t.win_path("mylog.ulm")  # the open log, in other letter case
    cases = [
        (missing, "The file %s was not written: it could not be created. The folder may not exist, or the file may "
                  "be read-only or in use." % missing),
        (own, "The file %s was not written: it is the open log itself, which the export never overwrites." % own),
        ("", "No file name was given, so no file was written."),
    ]
    for name, text in cases:
        win = open_window(app)
        run_export(t, app, win, name)
        finish_box(t, app, win, text, "Log Print")
    t.check(not (t.dir / "nofolder").exists(), "no folder is made")
    t.equal(t.read("MYLOG.ULM"), THREE, "the open log is untouched")
    close_program(app)
    t.equal(t.read("MYLOG.ULM"), THREE, "the log is still whole after the program ends")


@scenario("an export to a full disk says it was not written completely", screen=480)
def _(t):
    t.write("MYLOG.ULM", logfiles.numbered_log(3000))
    disk = t.small_disk("small", 64)
    app = t.start()
    win = open_window(app)
    name = t.win_path("small\\BIG.CSV")
    run_export(t, app, win, name)
    finish_box(t, app, win, "The file %s was not written completely. The disk may be full." % name, "Log Print")
    t.check(not (disk / "BIG.CSV").exists() and not (disk / "BIG.CSV~").exists(),
            "no part of the export is left, under its name or beside it")
    close_program(app)


# -- printing -----------------------------------------------------------------

def varied_log(count):
    """Entries whose every row differs: day, month, station, frequency, remarks."""
    out = []
    for i in range(1, count + 1):
        out.append(dict(station="Station %d" % i, date="%02d-%02d-2026" % (i % 28 + 1, i % 12 + 1),
                        time="%02d:%02d" % (i % 24, i % 60), freq="%d" % (5900 + i * 5),
                        location="Place %d" % i, remarks="remark %d" % i))
    return out


def log_bytes(entries):
    return b"".join(logfiles.entry(**e) for e in entries)


def printed_row(e):
    day, month, year = e["date"][:2], int(e["date"][3:5]), e["date"][6:]
    return "%s %s %s  %s  %-20s  %-24s  %6sKHz  %-50s" % (day, MONTHS[month - 1], year, e["time"], e["station"],
                                                           e["location"], e["freq"].strip(), e["remarks"])


HEADING = " Date        Time     Station" + " " * 12 + "   Location                Freq       Remarks"


def text_lines(text):
    return [line.strip() for line in text.splitlines() if line.strip()]


# The queue's generic PostScript printer has 300 dots per inch; there the
# print font has CW 25 and LH 46, so the rules stand at X0 = 75 plus 12, 19,
# 41, 67 and 78 character widths, the table from 50 to 132 CW.
RULES_X = [50, 375, 550, 1100, 1750, 2025, 3300]
ROWS_TOP, LH, CW = 294, 46, 25


def check_geometry(t, ps, rows_per_page):
    pages = printer.ps_drawing(ps)
    t.equal(len(pages), len(rows_per_page), "pages drawn")
    for number, (page, rows) in enumerate(zip(pages, rows_per_page), 1):
        verticals = sorted({x1 for x1, y1, x2, y2 in page["lines"] if x1 == x2})
        t.equal(verticals, RULES_X, "vertical rules of page %d" % number)
        horizontals = sorted({y1 for x1, y1, x2, y2 in page["lines"] if y1 == y2})
        t.equal(horizontals, [214, 282] + [ROWS_TOP + LH * k for k in range(1, rows + 1)] if rows else [214, 282, 294],
                "horizontal rules of page %d" % number)
        t.check(all((x1, x2) == (50, 3300) for x1, y1, x2, y2 in page["lines"] if y1 == y2),
                "horizontal rules of page %d run from XL to XR" % number)
        t.equal(len(page["glyphs"]), 6 + 86 + 129 * rows, "characters on page %d" % number)
        lines = {}
        for x, y in page["glyphs"]:
            lines.setdefault(y, []).append(x)
        for y, xs in lines.items():
            start = 3000 if len(xs) == 6 else 75
            if not t.equal(xs, [start + CW * i for i in range(len(xs))], "cells of the text at %d on page %d" % (y, number)):
                break


def check_pages(t, ps_path, entries, pages):
    ps = ps_path.read_bytes()
    rows = [min(46, len(entries) - 46 * p) for p in range(pages)]
    check_geometry(t, ps, rows)
    t.equal(printer.ps_pages(ps), pages, "pages in the job")
    t.equal(ps.count(printer.LANDSCAPE_TURN), pages, "every page is turned to landscape")
    t.check(b"%%Title: Print job" in ps, "document name")
    lines = text_lines(printer.ps_text(ps_path))
    for page in range(1, pages + 1):
        t.check("Page %d" % page in lines, "page number %d" % page)
    t.check("Page %d" % (pages + 1) not in lines, "no page %d" % (pages + 1))
    t.equal(lines.count(HEADING.strip()), pages, "the heading on every page")
    rows = [line for line in lines if line[:2].isdigit()]
    want = [printed_row(e).strip() for e in entries]
    t.equal(len(rows), len(want), "rows printed")
    for i, (got, expected) in enumerate(zip(rows, want)):
        if not t.equal(got, expected, "row %d" % (i + 1)):
            break


def print_scenario(name, count, pause, answers, pages, printed, completion):
    @scenario(name, screen=480)
    def _(t):
        cups = printer.PrivateCups(t)
        entries = varied_log(count)
        t.write("MYLOG.ULM", log_bytes(entries))
        app = t.start(env=cups.env())
        win = open_window(app)
        if pause:
            app.click(win, PRINT_CHECK_PAUSE)
        app.command(win, PRINT_BUTTON_RUN)
        for answer in answers:
            box = app.box("Print next page?", timeout=30)
            t.equal(box.caption, "End of Page", "pause caption")
            t.equal(len([c for c in app.children(box.hwnd) if c["cls"] == "Button"]), 2, "Yes and No")
            app.answer(box, answer)
        if completion:
            finish_box(t, app, win, "Print of %d reports complete" % count, "Log Print")
        else:
            app.gone(win, 15)
            t.check(app.no_box(1.5), "no completion message")
        ps = cups.wait_job()
        job = t.write("job.ps", ps)
        t.check(len(ps) > 0, "a job reached the printer queue")
        if ps:
            check_pages(t, job, entries[:printed], pages)
            shots = E2E / "shots"
            shots.mkdir(parents=True, exist_ok=True)
            printer.render_pages(job, str(t.dir / "page%d.png"))
            shutil.copy(t.dir / "page1.png", shots / ("printed-%d-page1.png" % count))
        t.equal(t.read("MYLOG.ULM"), log_bytes(entries), "log untouched")
        close_program(app)

print_scenario("printing 47 entries gives two landscape pages", 47, False, [], 2, 47, True)
print_scenario("pause between pages, No at the first page end: one page", 47, True, [IDNO], 1, 46, False)
print_scenario("pause between pages, Yes: both pages and the completion", 47, True, [IDYES], 2, 47, True)
print_scenario("exactly 46 entries: page 2 has only its heading", 46, False, [], 2, 46, True)


@scenario("printing from a start above the count ejects one empty ruled page", screen=480)
def _(t):
    cups = printer.PrivateCups(t)
    t.write("MYLOG.ULM", THREE)
    app = t.start(env=cups.env())
    win = open_window(app)
    app.set_text(win, PRINT_EDIT_START, "9")
    app.command(win, PRINT_BUTTON_RUN)
    finish_box(t, app, win, "Print of 0 reports complete", "Log Print")
    ps = cups.wait_job()
    t.equal(printer.ps_pages(ps), 1, "one page")
    job = t.write("job.ps", ps)
    t.equal(text_lines(printer.ps_text(job)), [], "no text on it")
    close_program(app)


@scenario("no printer: Printer Fail, then the window closes", screen=480)
def _(t):
    cups = printer.PrivateCups(t, with_printer=False)
    t.write("MYLOG.ULM", THREE)
    app = t.start(env=cups.env())
    win = open_window(app)
    app.command(win, PRINT_BUTTON_RUN)
    finish_box(t, app, win, "Printer Fail", "Printer Report")
    t.check(app.is_enabled(app.main), "the main window works again")
    close_program(app)


@scenario("a printer that goes away during the run is reported instead of the completion", screen=480)
def _(t):
    cups = printer.PrivateCups(t)
    t.write("MYLOG.ULM", logfiles.numbered_log(47))
    app = t.start(env=cups.env())
    win = open_window(app)
    app.click(win, PRINT_CHECK_PAUSE)
    app.command(win, PRINT_BUTTON_RUN)
    box = app.box("Print next page?", timeout=30)
    cups.stop()  # the spooler is gone when the document is handed over
    app.answer(box, IDYES)
    finish_box(t, app, win, "Printer Fail: the document could not be handed to the printer, so the print is not "
                            "complete.", "Printer Report")
    close_program(app)

"""The logging window: its form and list, the UTC clock, and saving reports."""
import datetime
import subprocess

from harness import until, scenario, Picture, IDOK, VK_ESCAPE, VK_RETURN, VK_TAB
import logfiles
from ids import LOGGING_TITLE as LOGGING, LOGGING_LIST_RECENT as LIST, \
    LOGGING_EDIT_ENTRY_NUMBER as ENTRY_NUMBER, LOGGING_EDIT_FREQUENCY as FREQ, LOGGING_EDIT_STATION as STATION, \
    LOGGING_EDIT_LOCATION as LOCATION, LOGGING_EDIT_REMARKS as REMARKS, LOGGING_BUTTON_LOG_ON as LOG_ON, \
    LOGGING_IMAGE_CLOCK as CLOCK_IMAGES, LOGGING_PANEL_FORM, LOGGING_LABEL_ENTRY, LOGGING_LABEL_FREQUENCY, \
    LOGGING_LABEL_KHZ, LOGGING_LABEL_STATION, LOGGING_LABEL_LOCATION, LOGGING_LABEL_REMARKS, LOGGING_PANEL_CLOCK, \
    MAIN_BUTTON_LOGGING, MAIN_BUTTON_EXIT, LB_GETITEMHEIGHT, LB_GETTOPINDEX, WS_TABSTOP, WS_VSCROLL, WS_BORDER, \
    ES_RIGHT, ES_READONLY, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE

FONT = ("Courier", 8)
GAP = " " * 10
MONTHS = ["January", "Febuary", "March", "April", "May", "June", "July", "August", "September", "October",
          "November", "December"]
MARKER = "\xff"
BLANK_ROW = MARKER + " " * 100

CREATION_ORDER = [LIST, LOGGING_PANEL_FORM, LOGGING_LABEL_ENTRY, ENTRY_NUMBER, LOGGING_LABEL_FREQUENCY, FREQ,
                  LOGGING_LABEL_KHZ, LOGGING_LABEL_STATION, STATION, LOGGING_LABEL_LOCATION, LOCATION,
                  LOGGING_LABEL_REMARKS, REMARKS, LOG_ON, LOGGING_PANEL_CLOCK] + CLOCK_IMAGES

EM_GETLIMITTEXT, STM_GETIMAGE = 0x00D5, 0x0173
LBS_NOTIFY, LBS_SORT, LBS_OWNERDRAWFIXED, LBS_HASSTRINGS, LBS_DISABLENOSCROLL = 0x1, 0x2, 0x10, 0x40, 0x1000
SCALE = {480: 1.0, 768: 1.6}


def scaled(value, screen):
    """Design value × ScaleFactor, halves to even (Python's round does that)."""
    return round(value * SCALE[screen])


def expected_controls(screen):
    """(id, x, y, width, height) in dialog units of every control but the images."""
    s = lambda v: scaled(v, screen)
    return [(LIST, 5, s(30), s(300), s(140)), (LOGGING_PANEL_FORM, 5, s(175), s(255), s(90)),
            (LOGGING_LABEL_ENTRY, 105, s(180), 25, 8), (ENTRY_NUMBER, 130, s(179), 25, 12),
            (LOGGING_LABEL_FREQUENCY, s(120), s(200), 40, 8), (FREQ, s(120) + 46, s(199), 28, 12),
            (LOGGING_LABEL_KHZ, s(120) + 85, s(200), 30, 8), (LOGGING_LABEL_STATION, 7, s(200), 42, 8),
            (STATION, 50, s(199), 85, 12), (LOGGING_LABEL_LOCATION, 7, s(215), 42, 8),
            (LOCATION, 50, s(214), 100, 12), (LOGGING_LABEL_REMARKS, 7, s(230), 40, 8),
            (REMARKS, 50, s(229), 200, 12), (LOG_ON, s(223), s(178), 36, 13),
            (LOGGING_PANEL_CLOCK, s(138), 7, s(40), s(20))]


def check_rectangles(t, app, log, by_id, screen):
    """Every control but the images where its dialog units put it. A list box
    keeps to whole rows of the height it had before its rows were made 2 pixels
    lower, so it may come out up to one such row shorter."""
    origin = app.client_origin(log)
    row = app.send(log, LIST, LB_GETITEMHEIGHT, 0, 0)
    for id, x, y, w, h in expected_controls(screen):
        l, top, r, b = by_id[id]["rect"]
        got = (l - origin[0], top - origin[1], r - l, b - top)
        want = app.dialog_units(FONT[0], FONT[1], x, y, w, h)
        if id == LIST:
            t.check(got[:3] == want[:3] and want[3] - (row + 2) <= got[3] <= want[3],
                    "list rectangle %r for %r (rows of %d)" % (got, want, row))
        else:
            t.equal(got, want, "pixel rectangle of control %d at %d" % (id, screen))


def newest_row_in_view(app, log, row):
    height = app.send(log, LIST, LB_GETITEMHEIGHT, 0, 0)
    client = app.client_rect(log, LIST)
    visible = (client[3] - client[1]) // height
    top = app.send(log, LIST, LB_GETTOPINDEX, 0, 0)
    return top <= row < top + visible


def utc_stamp(seconds=0.0):
    now = datetime.datetime.now(datetime.timezone.utc) + datetime.timedelta(seconds=seconds)
    return now.strftime("%d-%m-%Y"), now.strftime("%H:%M")


def date_title_part(date):
    day, month, year = date.split("-")
    return "Date: %s %s %s" % (day, MONTHS[int(month) - 1], year)


def open_logging(app, main):
    app.command(main, MAIN_BUTTON_LOGGING)
    return app.window(LOGGING)


def wait_for(condition):
    return until(condition, True) is True


def type_report(app, log, freq, station, location, remarks):
    for id, text in ((FREQ, freq), (STATION, station), (LOCATION, location), (REMARKS, remarks)):
        if text is not None:
            app.set_text(log, id, text)


def save(app, log):
    """Presses Log On; returns the UTC stamps read just before and after the save.
    The clock ticks once a second, so the stamp may be up to a second old."""
    before = utc_stamp(-1.5)
    app.click(log, LOG_ON)
    saved = wait_for(lambda: app.text(log, STATION) == "")
    after = utc_stamp()
    return saved, (before, after)


def report_row(station, time_text, freq, location, remarks):
    f = lambda text, width: text[:width].ljust(width)
    return MARKER + " ".join([f(station, 20), time_text, f(freq, 6), f(location, 24), f(remarks, 50)])


def check_stamp(t, record, stamps, what):
    """The record's Date and Time are the UTC clock's at the save (the minute may roll over)."""
    allowed = {stamps[0], stamps[1]}
    t.check((record["Date"], record["Time"]) in allowed,
            "%s stamped %s %s, UTC clock was %s" % (what, record["Date"], record["Time"], sorted(allowed)))


@scenario("logging window on an empty log: controls, entry number 1, title, 15 blank rows", screen=480)
def _(t):
    app = t.start()
    main = app.main
    date_before = utc_stamp()[0]
    log = open_logging(app, main)
    date_after = utc_stamp()[0]
    title = app.text(log)
    t.check(title in [LOGGING + GAP + date_title_part(d) + GAP + "MYLOG.ULM" for d in (date_before, date_after)],
            "title with today's UTC date and the log path: %r" % title)
    children = app.children(log)
    t.equal([c["id"] for c in children], CREATION_ORDER, "controls in creation order")
    by_id = {c["id"]: c for c in children}
    origin = app.client_origin(log)
    check_rectangles(t, app, log, by_id, 480)
    texts = {10: "Entry:", 122: "1", 5: "Frequenc&y:", 105: "", 6: "KHz", 11: "Station:", 109: "", 12: "Location:",
             110: "", 13: "Remarks 1:", 111: "", 116: "&Log On", 21: "", 20: ""}
    t.equal({id: app.text(log, id) for id in texts}, texts, "control texts")
    style = lambda id: by_id[id]["style"]
    list_bits = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_VSCROLL | LBS_DISABLENOSCROLL
    t.equal(style(LIST) & list_bits, list_bits, "list: owner-drawn fixed rows with strings, notify, scroll bar")
    t.check(not style(LIST) & (LBS_SORT | WS_TABSTOP), "list is not sorted and not a tab stop")
    t.check(by_id[LIST]["exstyle"] & WS_EX_CLIENTEDGE, "list has a sunken edge")
    t.check(style(ENTRY_NUMBER) & ES_READONLY and not style(ENTRY_NUMBER) & WS_TABSTOP,
            "entry number box is read-only and not a tab stop")
    t.check(style(FREQ) & ES_RIGHT, "frequency is right-aligned")
    for id in (FREQ, STATION, LOCATION, REMARKS):
        t.check(style(id) & WS_TABSTOP and not style(id) & ES_AUTOHSCROLL, "box %d: tab stop, no scrolling" % id)
        t.check(by_id[id]["exstyle"] & WS_EX_CLIENTEDGE, "box %d has a sunken edge" % id)
    t.check(not style(LOG_ON) & (WS_TABSTOP | 0xF), "Log On is a plain push button, not a tab stop")
    t.check(by_id[LOGGING_PANEL_CLOCK]["exstyle"] & WS_EX_STATICEDGE and style(LOGGING_PANEL_CLOCK) & WS_BORDER,
            "clock panel border and edge")
    t.check(style(LOGGING_PANEL_FORM) & WS_BORDER, "form panel has a thin border")
    t.equal([app.send(log, id, EM_GETLIMITTEXT) for id in (FREQ, STATION, LOCATION, REMARKS)], [6, 20, 24, 50],
            "typing stops at the field widths")
    t.equal(app.list_rows(log, LIST), [BLANK_ROW] * 15, "15 blank rows at 640 x 480")
    t.equal(until(lambda: app.focus_id(log), STATION), STATION, "focus starts in the station box")
    t.equal(app.owner(log), main, "owned by the main window")
    t.check(not app.is_enabled(main), "the main window is disabled while logging")
    t.screenshot("logging-empty-480")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    t.check(app.is_enabled(main), "the main window is enabled again")
    t.equal(t.read("MYLOG.ULM"), b"", "opening and closing writes nothing")
    app.command(main, MAIN_BUTTON_EXIT)
    app.wait_exit()


@scenario("three saves land byte for byte, stamped with the UTC clock", screen=480)
def _(t):
    app = t.start()
    main = app.main
    log = open_logging(app, main)
    reports = [("9410", "Radio Alpha", "Tirana", "Good signal, slight fading"),
               (None, "A Station Name Of 25 Chars", "Bogot\xe1", "second on the same frequency"),
               ("abc", " lower case", "Somewhere Far Away From Here", "x" * 50)]
    typed_freq, rows, stamps = "", [], []
    for n, (freq, station, location, remarks) in enumerate(reports, start=1):
        type_report(app, log, freq, station, location, remarks)
        typed_freq = freq if freq is not None else typed_freq
        saved, stamp = save(app, log)
        t.check(saved, "save %d cleared the station box" % n)
        stamps.append(stamp)
        t.equal(app.text(log, ENTRY_NUMBER), str(n), "entry number box after save %d" % n)
        t.equal([app.text(log, id) for id in (FREQ, STATION, LOCATION, REMARKS)], [typed_freq, "", "", ""],
                "boxes after save %d: frequency kept, the others cleared" % n)
        t.equal(until(lambda: app.focus_id(log), STATION), STATION, "focus back in the station box after save %d" % n)
        record = logfiles.records(t.read("MYLOG.ULM"))[-1]
        rows.append(report_row(station, record["Time"], typed_freq, location, remarks))
        t.equal(app.list_rows(log, LIST), rows + [BLANK_ROW] * (15 - n), "list rows after save %d" % n)
    data = t.read("MYLOG.ULM")
    t.equal(len(data), 3 * 115, "three records")
    records = logfiles.records(data)
    freqs = ["9410", "9410", "abc"]
    for n, (record, (freq, station, location, remarks)) in enumerate(zip(records, reports), start=1):
        check_stamp(t, record, stamps[n - 1], "record %d" % n)
        expected = logfiles.entry(station, date=record["Date"], time=record["Time"], freq=freqs[n - 1],
                                  location=location, remarks=remarks)
        t.equal(data[(n - 1) * 115:n * 115], expected, "record %d bytes" % n)
    t.equal(records[1]["Station"], "A Station Name Of 25", "a 25-character station is stored as its first 20")
    t.equal(records[0]["Freq"], "9410  ", "four digits padded with two blanks")
    t.equal(records[2]["Freq"], "abc   ", "three letters stored as typed")
    t.equal(records[2]["Station"], " lower case" + " " * 9, "leading blank and case kept")
    t.check(date_title_part(records[2]["Date"]) in app.text(log) or stamps[2][0] != stamps[2][1],
            "the title shows the date the reports were stamped with")
    t.screenshot("logging-three-saves-480")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    app.command(main, MAIN_BUTTON_EXIT)
    app.wait_exit()
    t.equal(t.read("MYLOG.ULM"), data, "closing and exiting leaves the three records")


@scenario("a blank station is refused and nothing typed is lost", screen=480)
def _(t):
    t.write("MYLOG.ULM", logfiles.numbered_log(2))
    app = t.start()
    log = open_logging(app, app.main)
    t.equal(app.text(log, ENTRY_NUMBER), "3", "the entry number box shows the next number")
    for station in ("", "     ", " " * 20 + "late"):
        type_report(app, log, "6070", station, "Kigali", "weak")
        app.set_focus(log, REMARKS)
        app.click(log, LOG_ON)
        t.check(wait_for(lambda: app.focus_id(log) == STATION), "focus back in the station box (%r)" % station)
        t.equal([app.text(log, id) for id in (FREQ, STATION, LOCATION, REMARKS)], ["6070", station, "Kigali", "weak"],
                "nothing cleared after refusing %r" % station)
        t.check(app.no_box(0.3), "a refused blank station shows no message")
    t.equal(t.read("MYLOG.ULM"), logfiles.numbered_log(2), "nothing written")
    t.equal(app.text(log, ENTRY_NUMBER), "3", "entry number unchanged")
    t.equal(app.list_rows(log, LIST), [BLANK_ROW] * 15, "nothing listed")
    # The same window then saves normally as entry 3.
    app.set_text(log, STATION, "Radio Rwanda")
    saved, stamp = save(app, log)
    t.check(saved, "the corrected report is saved")
    t.equal(app.text(log, ENTRY_NUMBER), "3", "entry number box shows the entry just saved")
    t.equal(len(t.read("MYLOG.ULM")), 3 * 115, "the log grew by one record")
    app.key(log, VK_ESCAPE)


@scenario("Tab moves among the four boxes only, Enter does nothing, Escape and the close box close", screen=480)
def _(t):
    app = t.start()
    log = open_logging(app, app.main)
    app.set_focus(log, FREQ)
    # The focus moves a moment after the key is handled (Wine activates the
    # window on the way), so each step waits for the box it should reach.
    order = []
    for want in (STATION, LOCATION, REMARKS, FREQ):
        app.key(log, VK_TAB)
        order.append(until(lambda: app.focus_id(log), want))
    t.equal(order, [STATION, LOCATION, REMARKS, FREQ], "tab order frequency, station, location, remarks")
    app.set_text(log, STATION, "Radio Alpha")
    app.set_focus(log, STATION)
    app.key(log, VK_RETURN)
    t.check(app.no_box(0.5), "Enter shows nothing")
    t.check(app.exists(log), "Enter does not close the window")
    t.equal(app.text(log, STATION), "Radio Alpha", "Enter does not save")
    t.equal(t.read("MYLOG.ULM"), b"", "Enter writes nothing")
    app.close_window(log)
    app.gone(log)
    log = open_logging(app, app.main)
    t.equal(app.text(log, STATION), "", "a new opening starts with empty boxes")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    t.check(app.running(), "the program goes on")
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


@scenario("the 16th save rolls the list while the log keeps all 16", screen=480)
def _(t):
    app = t.start()
    log = open_logging(app, app.main)
    app.set_text(log, FREQ, "5985")
    times = []
    for n in range(1, 17):
        app.set_text(log, STATION, "Station %d" % n)
        saved, _ = save(app, log)
        t.check(saved, "save %d" % n)
        times.append(logfiles.records(t.read("MYLOG.ULM"))[-1]["Time"])
        t.check(newest_row_in_view(app, log, min(n, 15) - 1), "report %d can be seen in the list" % n)
    rows = app.list_rows(log, LIST)
    t.equal(rows, [report_row("Station %d" % n, times[n - 1], "5985", "", "") for n in range(2, 17)],
            "the list shows reports 2 to 16, oldest at the top")
    records = logfiles.records(t.read("MYLOG.ULM"))
    t.equal([r["Station"].rstrip() for r in records], ["Station %d" % n for n in range(1, 17)], "all 16 in the log")
    t.equal(app.text(log, ENTRY_NUMBER), "16", "entry number box")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    log = open_logging(app, app.main)
    t.equal(app.list_rows(log, LIST), [BLANK_ROW] * 15, "reopening starts with blank rows")
    t.equal(app.text(log, ENTRY_NUMBER), "17", "reopening shows the next number")
    app.key(log, VK_ESCAPE)


@scenario("logging window at 1024 x 768: scaled layout and 25 rows", screen=768)
def _(t):
    t.write("MYLOG.ULM", logfiles.numbered_log(56))
    app = t.start()
    log = open_logging(app, app.main)
    t.equal(app.list_count(log, LIST), 25, "25 rows at 1024 x 768")
    t.equal(app.text(log, ENTRY_NUMBER), "57", "entry number box")
    children = app.children(log)
    by_id = {c["id"]: c for c in children}
    check_rectangles(t, app, log, by_id, 768)
    client = app.client_rect(log)
    t.equal(client[2:], app.dialog_units(FONT[0], FONT[1], 0, 0, scaled(315, 768), scaled(270, 768))[2:],
            "client size 315 x 270 scaled")
    app.set_text(log, STATION, "Radio Alpha")
    saved, _ = save(app, log)
    t.check(saved, "save at 768")
    t.equal(app.text(log, ENTRY_NUMBER), "57", "the new entry is number 57")
    t.equal(app.list_count(log, LIST), 25, "still 25 rows")
    t.screenshot("logging-768")
    app.key(log, VK_ESCAPE)


@scenario("row height is the list's own less 2 pixels, rules and columns where they belong", screen=480)
def _(t):
    app = t.start()
    log = open_logging(app, app.main)
    height = app.send(log, LIST, LB_GETITEMHEIGHT, 0, 0)
    t.check(10 <= height <= 20, "row height %d" % height)
    type_report(app, log, "15400", "&" * 20, "Wertachtal", "Fair")
    saved, _ = save(app, log)
    t.check(saved, "saved")
    app.send(log, LIST, 0x0186, 5, 0)  # LB_SETCURSEL: select a blank row
    left, top, right, bottom = app.rect(log, LIST)
    x0, y0 = left + 2, top + 2  # inside the sunken edge
    cell = app.dialog_units(FONT[0], FONT[1], 0, 0, 4, 8)[2]  # four dialog units: one character cell
    row0 = range(y0 + 1, y0 + height - 2)
    # Vertical rules at 165, 213, 267 and 468 with 8-pixel cells, otherwise in
    # the middle of the separator columns 20, 26, 33, 58.
    rules = [x0 + (fixed if cell == 8 else column * cell + cell // 2)
             for column, fixed in ((20, 165), (26, 213), (33, 267), (58, 468))]
    y5 = y0 + 5 * height + height // 2

    def selected_row_navy(pixels):
        return all(pixels.navy(x, y5) for x in range(x0 + 2, x0 + 100, 7) if not pixels.grey(x, y5))

    app.painted(log)
    pixels = t.picture("logging-rows-480", selected_row_navy, kind=Pixels)
    for x in rules:
        t.check(all(pixels.grey(x, y) for y in row0), "rule at x %d (cell %d)" % (x - x0, cell))
    row3 = range(y0 + 3 * height + 1, y0 + 4 * height - 2)
    for x in rules:
        t.check(all(pixels.grey(x, y) for y in row3), "blank row 4 ruled at x %d" % (x - x0))
    t.check(all(pixels.white(x, y) for x in range(x0 + 2, x0 + 120) for y in row3), "blank row 4 is white")
    # Grey rule under the first row.
    t.check(all(pixels.grey(x, y0 + height - 1) for x in range(x0 + 2, x0 + 100)), "rule under row 1")
    # Every cell of the station column shows ink: twenty "&" drawn as typed.
    inked = [any(pixels.dark(x, y) for x in range(x0 + c * cell, x0 + c * cell + cell) for y in row0)
             for c in range(20)]
    t.equal(inked, [True] * 20, "every station cell holds an ampersand")
    # Nothing spills into the blank separator cell after the station.
    sep = [(x, y) for x in range(x0 + 20 * cell, x0 + 21 * cell) for y in row0 if x != rules[0]]
    t.check(all(pixels.white(x, y) for x, y in sep), "separator cell after the station stays white")
    # The selected blank row is navy across its width.
    t.check(selected_row_navy(pixels), "selected row is navy")
    app.key(log, VK_ESCAPE)


class Pixels(Picture):
    """The RGB pixels of a screenshot, with the colours the logging window uses."""

    def grey(self, x, y):
        r, g, b = self.at(x, y)
        return abs(r - g) < 12 and abs(g - b) < 12 and 90 <= r <= 170

    def dark(self, x, y):
        return sum(self.at(x, y)) < 300

    def white(self, x, y):
        return self.at(x, y) == (255, 255, 255)

    def navy(self, x, y):
        return self.at(x, y) == (0, 0, 128)


@scenario("no log selected: the message and no window", screen=480)
def _(t):
    t.write("CURLOG.DTA", b"\r\n\r\n")
    app = t.start()
    app.command(app.main, MAIN_BUTTON_LOGGING)
    box = app.box("No Log Selected")
    t.equal((box.caption, box.text), ("Ulmar", "No Log Selected"), "message box")
    app.answer(box, IDOK)
    t.check(app.find_window(LOGGING, 1.0) is None, "no logging window")
    t.check(app.is_enabled(app.main), "the main window stays usable")
    app.command(app.main, MAIN_BUTTON_EXIT)
    app.wait_exit()


def check_refused(t, app, log, before, reason, name="MYLOG.ULM"):
    type_report(app, log, "9410", "Radio Alpha", "Tirana", "Good")
    entry_number = app.text(log, ENTRY_NUMBER)
    app.click(log, LOG_ON)
    box = app.box("not saved")
    t.equal(box.caption, "Ulmar", "caption of the refusal")
    t.check(box.text.startswith("The report was not saved."), "says the report was not saved: %r" % box.text)
    t.check(reason in box.text, "says why (%r): %r" % (reason, box.text))
    app.answer(box, IDOK)
    t.equal([app.text(log, id) for id in (FREQ, STATION, LOCATION, REMARKS)],
            ["9410", "Radio Alpha", "Tirana", "Good"], "everything typed is kept")
    t.equal(app.list_rows(log, LIST), [BLANK_ROW] * 15, "the report is not listed")
    t.equal(app.text(log, ENTRY_NUMBER), entry_number, "entry number unchanged")
    t.equal(t.read(name), before, "the log file is unchanged")
    return box


@scenario("a read-only log refuses the save with a message", screen=480)
def _(t):
    # Wine run as root opens a file without write permission for writing all the
    # same, so the log sits on a disk mounted read-only instead.
    before = logfiles.numbered_log(2)
    disk = t.small_disk("disk", 64)
    (disk / "MYLOG.ULM").write_bytes(before)
    subprocess.run(["mount", "-o", "remount,ro", str(disk)], check=True)
    t.write("CURLOG.DTA", logfiles.settings(t.win_path("disk\\MYLOG.ULM")))
    app = t.start()
    log = open_logging(app, app.main)
    t.equal(app.text(log, ENTRY_NUMBER), "3", "the read-only log is open for reading")
    check_refused(t, app, log, before, "can only be read", "disk/MYLOG.ULM")
    # A second try is refused the same way: nothing was counted in between.
    check_refused(t, app, log, before, "can only be read", "disk/MYLOG.ULM")
    app.key(log, VK_ESCAPE)
    app.command(app.main, MAIN_BUTTON_EXIT)
    app.wait_exit()
    t.equal(t.read("disk/MYLOG.ULM"), before, "the log file is unchanged at the end")


@scenario("a log held by another copy of the program refuses the save", screen=480)
def _(t):
    before = logfiles.numbered_log(3)
    t.write("MYLOG.ULM", before)
    holder = t.start()  # the first copy holds MYLOG.ULM open without sharing
    second = t.start()
    log = open_logging(second, second.main)
    t.equal(second.text(log, ENTRY_NUMBER), "1", "the second copy has no log open")
    check_refused(t, second, log, before, "in use by another program")
    second.key(log, VK_ESCAPE)
    second.command(second.main, MAIN_BUTTON_EXIT)
    second.wait_exit()
    holder.command(holder.main, MAIN_BUTTON_EXIT)
    holder.wait_exit()
    t.equal(t.read("MYLOG.ULM"), before, "the held log is unchanged")


@scenario("a full disk refuses the save and leaves the log as it was", screen=480)
def _(t):
    disk = t.small_disk("disk", 4)  # one 4 KiB page
    before = logfiles.numbered_log(35)  # 4025 bytes: the next record does not fit
    (disk / "FULL.ULM").write_bytes(before)
    path = t.win_path("disk\\FULL.ULM")
    t.write("CURLOG.DTA", logfiles.settings(path))
    app = t.start()
    log = open_logging(app, app.main)
    t.equal(app.text(log, ENTRY_NUMBER), "36", "entry number box")
    type_report(app, log, "9410", "Radio Alpha", "Tirana", "Good")
    app.click(log, LOG_ON)
    box = app.box("not saved")
    t.check("disk may be full" in box.text, "says the disk may be full: %r" % box.text)
    app.answer(box, IDOK)
    t.equal((disk / "FULL.ULM").read_bytes(), before, "no partial record is left behind")
    t.equal(app.text(log, STATION), "Radio Alpha", "the station is kept for a retry")
    t.equal(app.text(log, ENTRY_NUMBER), "36", "entry number unchanged")
    app.key(log, VK_ESCAPE)
    app.command(app.main, MAIN_BUTTON_EXIT)
    app.wait_exit()


WM_SYSCHAR = 0x0106
ALT_DOWN = 1 << 29


@scenario("Alt+Y goes to the frequency box, Alt+L logs the report on", screen=480)
def _(t):
    app = t.start()
    log = open_logging(app, app.main)
    app.post(log, STATION, WM_SYSCHAR, ord("y"), ALT_DOWN)
    t.check(wait_for(lambda: app.focus_id(log) == FREQ), "Alt+Y moves to the frequency box")
    type_report(app, log, "7335", "CHU", "Ottawa", "time signal")
    before = utc_stamp(-1.5)
    app.post(log, FREQ, WM_SYSCHAR, ord("l"), ALT_DOWN)
    t.check(wait_for(lambda: app.text(log, STATION) == ""), "Alt+L saved the report")
    after = utc_stamp()
    records = logfiles.records(t.read("MYLOG.ULM"))
    t.equal(len(records), 1, "one record")
    if records:
        check_stamp(t, records[0], (before, after), "the Alt+L report")
        t.equal(records[0]["Station"].rstrip(), "CHU", "station")
    app.key(log, VK_ESCAPE)


def image_handles(app, log):
    return [app.send(log, id, STM_GETIMAGE, 0, 0) & 0xFFFFFFFF for id in CLOCK_IMAGES]


@scenario("the clock swaps only the colon and changed digits, and reuses its bitmaps", screen=480, timeout=180)
def _(t):
    app = t.start()
    log = open_logging(app, app.main)
    first = image_handles(app, log)
    t.check(all(first), "every clock image shows a bitmap: %r" % first)
    sizes = [app.rect(log, id) for id in CLOCK_IMAGES]
    t.equal([(r - l, b - top) for l, top, r, b in sizes], [(15, 28)] * 2 + [(3, 28)] + [(15, 28)] * 2,
            "images take their bitmaps' sizes")
    colon_slots, ticks, digits_replaced = set(), 0, 0
    previous = image_handles(app, log)
    for _ in range(12):
        if not wait_for(lambda: image_handles(app, log)[2] != previous[2]):
            t.check(False, "the colon changes at the next tick")
            break
        now = image_handles(app, log)
        ticks += 1
        colon_slots.add(now[2] & 0xFFFF)
        digits_replaced += [now[i] for i in (0, 1, 3, 4)] != [previous[i] for i in (0, 1, 3, 4)]
        previous = now
    # A dozen ticks span at most one new minute, whenever the program's own
    # clock turns it: only that tick may load digits. Reloading them on every
    # tick would replace them on all.
    t.check(digits_replaced <= 1, "digit bitmaps replaced on %d of %d ticks" % (digits_replaced, ticks))
    # Every replaced bitmap is deleted, so the colon's bitmap keeps coming back
    # in a few handle slots; a leak would take a new slot every tick. Which of
    # the freed slots it gets depends on what the program freed in between (a
    # minute's new digits, painting), so only a slot a tick counts as a leak.
    t.check(len(colon_slots) <= ticks // 2, "colon bitmaps over %d ticks used %d handle slots: %r"
            % (ticks, len(colon_slots), sorted(colon_slots)))
    app.key(log, VK_ESCAPE)

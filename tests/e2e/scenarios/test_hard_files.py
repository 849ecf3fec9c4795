"""Damaged logs and settings files: every window opens and shows what it can,
the program ends normally, and nothing is written that the user did not ask for."""
import os
import time

from harness import until, scenario, IDOK, VK_HOME, VK_END, VK_ESCAPE
import logfiles
import steps
from ids import MAIN_TITLE as MAIN, BROWSE_TITLE as BROWSE, PRINT_TITLE as PRINT, BROWSE_LIST_ENTRIES as LIST, \
    BROWSE_EDIT_FIRST_SHOWN as FIRST, BROWSE_EDIT_LAST_SHOWN as LAST, MAIN_BUTTON_BROWSE as CMD_BROWSE, \
    MAIN_BUTTON_PRINT as CMD_PRINT, MAIN_BUTTON_EXIT as CMD_EXIT, PRINT_BUTTON_EXIT as PRINT_EXIT

GAP = " " * 60
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
PAGE = 24  # browse lines on a 480-pixel screen
HEADER = b"Date,Time,Station,Location,Freq,Remarks\r\n"




def browse_line(rec):
    """The list row of one record as the browse window shows it: cut at a NUL,
    as every list text is."""
    date = rec["Date"]
    digits = date[3:5].lstrip(" ")
    sign = digits[:1] if digits[:1] in "+-" else ""
    digits = digits[len(sign):]
    number = ""
    for c in digits:
        if not c.isdigit():
            break
        number += c
    month = int(number) if number else 0
    month = -month if sign == "-" else month
    name = MONTHS[month - 1] if 1 <= month <= 12 else ""
    freq = rec["Freq"].rstrip(" ").rjust(6)
    text = "\xff" + " ".join([date[0:2], name, date[6:10], rec["Time"], rec["Station"], rec["Location"],
                              freq + "KHz", rec["Remarks"]])
    return text.split("\x00")[0]


def range_shown(app, browse):
    return app.text(browse, FIRST), app.text(browse, LAST)


def check_browse(t, app, data, what):
    """Opens the browse window, checks its first page, END and HOME, and closes it."""
    count = len(data) // 115
    recs = logfiles.records(data)
    app.command(app.main, CMD_BROWSE)
    browse = app.window(BROWSE)
    last_top = max(1, count - PAGE + 1)
    first_page = (" 1", " %d" % min(count, PAGE))
    t.equal(until(lambda: range_shown(app, browse), first_page), first_page, what + ": first page range")
    t.equal(app.list_rows(browse, LIST), [browse_line(r) for r in recs[:PAGE]], what + ": first page rows")
    app.key(browse, VK_END)
    last_page = (" %d" % last_top, " %d" % count)
    t.equal(until(lambda: range_shown(app, browse), last_page), last_page, what + ": END range")
    t.equal(app.list_rows(browse, LIST), [browse_line(r) for r in recs[last_top - 1:]], what + ": END rows")
    app.key(browse, VK_HOME)
    t.equal(until(lambda: range_shown(app, browse), first_page), first_page, what + ": HOME range")
    app.key(browse, VK_ESCAPE)
    app.gone(browse)


def end_program(t, app, what):
    app.command(app.main, CMD_EXIT)
    t.equal(app.wait_exit(), 0, what + ": exit code (no crash)")


def csv_dates(csv):
    return [line.split(b",")[0] for line in csv.split(b"\r\n")[1:-1]]


# -- damaged logs ---------------------------------------------------------------------

def damaged_logs():
    good = logfiles.numbered_log(3)
    high = bytes(range(0x80, 0x80 + 115))  # every byte 0x80..0xF2, one record
    high2 = bytes(range(0xFF, 0xFF - 115, -1))
    return [
        ("trailing partial record", good + b"12-05-2001 partial", [b"06 Dec 2026"] * 3),
        ("NUL bytes", bytes(115) + logfiles.entry("Nul\x00Station", remarks="a\x00b") + good[:115],
         [b"\x00\x00  \x00\x00\x00\x00", b"06 Dec 2026", b"06 Dec 2026"]),
        ("bytes 0x80-0xFF", high + high2 + good[:115], None),
        ("invalid months and letters", logfiles.entry("A", date="31-13-2001") + logfiles.entry("B", date="xx-Ab-20x9")
         + logfiles.entry("C", date="01-00-0000") + logfiles.entry("D", date="01- 3-1999")
         + logfiles.entry("E", date="01--1-1999") + logfiles.entry("F", date=""),
         [b"31  2001", b"xx  20x9", b"01  0000", b"01 Mar 1999", b"01  1999", b" " * 8]),
        ("an empty file", b"", []),
    ]


@scenario("damaged logs: browse, END, HOME and export show what they can and the log is untouched",
          screen=480, timeout=240)
def _(t):
    for what, data, dates in damaged_logs():
        t.write("MYLOG.ULM", data)
        csv = t.dir / "OUT.CSV"
        if csv.exists():
            csv.unlink()
        app = t.start()
        t.equal(app.text(app.main), MAIN + GAP + "MYLOG.ULM", what + ": main title")
        check_browse(t, app, data, what)
        count = len(data) // 115
        t.equal(steps.export(app, t.win_path("OUT.CSV")), "Print of %d reports complete" % count,
                what + ": export message")
        out = t.read("OUT.CSV")
        if count == 0:
            t.equal(out, b"", what + ": an empty log exports an empty file")
        else:
            t.check(out.startswith(HEADER), what + ": CSV header")
            t.equal(out.count(b"\r\n"), count + 1, what + ": CSV lines")
        if dates is not None:
            t.equal(csv_dates(out), dates, what + ": CSV dates")
        end_program(t, app, what)
        t.equal(t.read("MYLOG.ULM"), data, what + ": log bytes unchanged")
        t.equal(sorted(p.name for p in t.dir.iterdir()), ["CURLOG.DTA", "MYLOG.ULM", "OUT.CSV"],
                what + ": files in the folder")


@scenario("a log of 10,000,000 entries opens, counts and pages to its end untouched", screen=480, timeout=180)
def _(t):
    count = 10_000_000
    head = b"".join(logfiles.entry("First %d" % n, freq=str(n)) for n in range(1, 4))
    tail = b"".join(logfiles.entry("Last %d" % n, freq=str(n)) for n in range(count - PAGE + 1, count + 1))
    path = t.dir / "BIG.ULM"
    with open(path, "wb") as f:  # sparse: only the first and the last page hold data
        f.write(head)
        f.seek((count - PAGE) * 115)
        f.write(tail)
    before = os.stat(path)
    t.write("CURLOG.DTA", logfiles.settings("BIG.ULM"))
    started = time.time()
    app = t.start()
    opened = time.time() - started
    app.command(app.main, CMD_BROWSE)
    browse = app.window(BROWSE)
    first_page = (" 1", " %d" % PAGE)
    t.equal(until(lambda: range_shown(app, browse), first_page), first_page, "first page")
    rows = app.list_rows(browse, LIST)
    t.equal(rows[:3], [browse_line(r) for r in logfiles.records(head)], "the first rows")
    t.equal(rows[3:], ["\xff"] * (PAGE - 3), "empty records show as empty rows")
    app.key(browse, VK_END)
    last_page = (" %d" % (count - PAGE + 1), " %d" % count)
    t.equal(until(lambda: range_shown(app, browse), last_page), last_page, "END: the last page")
    t.equal(app.list_rows(browse, LIST), [browse_line(r) for r in logfiles.records(tail)], "END: the last rows")
    app.key(browse, VK_HOME)
    t.equal(until(lambda: range_shown(app, browse), first_page), first_page, "HOME: the first page again")
    app.key(browse, VK_ESCAPE)
    app.gone(browse)
    end_program(t, app, "big log")
    after = os.stat(path)
    t.equal((after.st_size, after.st_blocks, after.st_mtime_ns), (before.st_size, before.st_blocks, before.st_mtime_ns),
            "size, blocks and time of the big log unchanged")
    with open(path, "rb") as f:
        t.equal(f.read(len(head)), head, "first records unchanged")
        f.seek((count - PAGE) * 115)
        t.equal(f.read(), tail, "last records unchanged")
    print("    10,000,000-entry log: main window after %.1f s" % opened)


# -- damaged settings files --------------------------------------------------------------

def settings_cases(t):
    long_path = "L" * 300
    return [
        # what, CURLOG.DTA bytes, LogPath the title shows, whether a log is selected
        ("empty", b"", "", False),
        ("binary", bytes([0x00, 0xFF, 0x1A, 0x80]) + b"\x01\x02\x7f\xfe", None, True),
        ("one line", b"ONE.ULM", "ONE.ULM", True),
        ("no line ends, two values", b"TWO.ULM,D", "TWO.ULM", True),
        ("unclosed quote", b'"OPEN.ULM\r\nE\r\n', None, True),
        ("path over 259 characters", long_path.encode() + b"\r\n\r\n", long_path[:259], True),
        ("naming a folder", b"AFOLDER\r\n\r\n", "AFOLDER", True),
        ("naming a missing drive", b"Q:\\LOGS\\GONE.ULM\r\n\r\n", "Q:\\LOGS\\GONE.ULM", True),
    ]


@scenario("damaged settings files: the program starts, every window opens, only the named log is made",
          screen=480, timeout=240)
def _(t):
    for what, data, path, selected in settings_cases(t):
        for p in t.dir.iterdir():
            if p.is_dir():
                p.rmdir()
            else:
                p.unlink()
        (t.dir / "AFOLDER").mkdir()
        t.write("CURLOG.DTA", data)
        app = t.start()
        title = app.text(app.main)
        if path is not None:
            t.equal(title, MAIN + GAP + path if path else MAIN + GAP, what + ": main title")
        if selected:
            app.command(app.main, CMD_BROWSE)
            browse = app.window(BROWSE)
            t.equal(until(lambda: range_shown(app, browse), (" 1", " 0")), (" 1", " 0"), what + ": an empty page")
            app.key(browse, VK_ESCAPE)
            app.gone(browse)
        else:
            app.command(app.main, CMD_BROWSE)
            box = app.box("No Log Selected")
            app.answer(box, IDOK)
        app.command(app.main, CMD_PRINT)
        win = app.window(PRINT)
        app.command(win, PRINT_EXIT)
        app.gone(win)
        end_program(t, app, what)
        made = sorted(p.name for p in t.dir.iterdir() if p.name not in ("CURLOG.DTA", "AFOLDER"))
        expected = {"one line": ["ONE.ULM"], "no line ends, two values": ["TWO.ULM"]}.get(what)
        if expected is not None:
            t.equal(made, expected, what + ": files made")
            t.equal(t.read(expected[0]), b"", what + ": the named log is made empty")
        elif what in ("empty", "naming a folder", "naming a missing drive", "path over 259 characters"):
            t.equal(made, [], what + ": no file made")
        t.check((t.dir / "AFOLDER").is_dir() and not any((t.dir / "AFOLDER").iterdir()),
                what + ": the folder is left alone")


@scenario("a settings file another program holds at start-up is not overwritten at exit", screen=480)
def _(t):
    settings = logfiles.settings("NIGHT.ULM")
    t.write("CURLOG.DTA", settings)
    t.write("NIGHT.ULM", logfiles.numbered_log(2))
    # Another copy, started in a folder of its own, keeps this CURLOG.DTA open as its log.
    (t.dir / "other").mkdir()
    (t.dir / "other" / "CURLOG.DTA").write_bytes(logfiles.settings("..\\CURLOG.DTA"))
    holder = t.start(folder=t.dir / "other")
    app = t.start()
    t.equal(app.text(app.main), MAIN + GAP, "the settings could not be read: no log selected")
    end_program(t, holder, "the holding copy")
    end_program(t, app, "the copy that could not read its settings")
    t.equal(t.read("CURLOG.DTA"), settings, "the listener's settings are kept")
    t.equal(t.read("NIGHT.ULM"), logfiles.numbered_log(2), "the log is untouched")

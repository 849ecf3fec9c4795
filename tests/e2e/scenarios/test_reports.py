"""Reports a listener sends: the filter of a print or export run, bulletin
lines, and the CSV import of "&Files" / "&Import CSV"."""
import re

from harness import until, scenario, IDOK, IDYES, ROOT
import logfiles
from logfiles import THREE, THREE_LINES
import printer
import steps
from ids import PRINT_TITLE, MAIN_BUTTON_PRINT, MAIN_BUTTON_EXIT, PRINT_EDIT_FILE_NAME, \
    PRINT_CHECK_TO_FILE, PRINT_BUTTON_RUN, PRINT_LIST_OUTPUT, PRINT_EDIT_STATION, PRINT_EDIT_DATE_FROM, \
    PRINT_EDIT_DATE_TO, PRINT_EDIT_FREQUENCY_FROM, PRINT_EDIT_FREQUENCY_TO, CB_SETCURSEL, CBN_SELCHANGE

HEADER = b"Date,Time,Station,Location,Freq,Remarks\r\n"

# The log whose bulletin lines are stored in tests/unit/data/bulletin_sample.txt.
SAMPLE = [
    dict(station="R. Rumbos", date="14-08-2026", time="08:59", freq="9660", location="Venezuela",
         remarks="nice signal"),
    dict(station="Radio Nacional", date="02-08-2026", time="23:10", freq=" 6185", location="  Mexico",
         remarks="  QRM from 6180"),
    dict(station="BBC WS", date="14-08-2026", time="06:00", freq="15400", location="Ascension", remarks=""),
    dict(station="Unknown", date="", time="", freq="3310", location="", remarks="mostly noise"),
    dict(station="Radio Rebelde", date="01-09-2026", time="04:30", freq="5025", location="Cuba", remarks="fair"),
    dict(station="R. Rumbos", date="05-08-2026", time="09:15", freq="9660", location="Venezuela",
         remarks="weaker, fading"),
    dict(station="Pirate", date="15-08-2026", time="21:00", freq="6940?", location="", remarks="music"),
]
SAMPLE_BULLETIN = (ROOT / "tests" / "unit" / "data" / "bulletin_sample.txt").read_bytes()

FILTER_BOXES = {"station": PRINT_EDIT_STATION, "date_from": PRINT_EDIT_DATE_FROM, "date_to": PRINT_EDIT_DATE_TO,
                "frequency_from": PRINT_EDIT_FREQUENCY_FROM, "frequency_to": PRINT_EDIT_FREQUENCY_TO}


def open_print_window(app):
    app.command(app.main, MAIN_BUTTON_PRINT)
    return app.window(PRINT_TITLE)


def type_filter(app, win, **texts):
    for name, text in texts.items():
        app.set_text(win, FILTER_BOXES[name], text)


def choose_bulletin(t, app, win):
    app.send(win, PRINT_LIST_OUTPUT, CB_SETCURSEL, 1, 0)
    app.send_command(win, PRINT_LIST_OUTPUT, CBN_SELCHANGE)
    t.equal(app.text(win, PRINT_LIST_OUTPUT), "Bulletin lines", "the output choice")


def save(t, app, win, name):
    """Ticks "File to Disc", names the file and runs; returns the closing message box's text."""
    app.set_text(win, PRINT_EDIT_FILE_NAME, name)
    app.click(win, PRINT_CHECK_TO_FILE)
    until(lambda: app.text(win, PRINT_BUTTON_RUN), "Sa&ve")
    app.command(win, PRINT_BUTTON_RUN)
    box = app.box(timeout=30)
    t.equal(box.caption, "Log Print", "caption of the run's message")
    app.answer(box, IDOK)
    app.gone(win, 10)
    return box.text


def filtered_export(t, app, name, **texts):
    win = open_print_window(app)
    type_filter(app, win, **texts)
    return save(t, app, win, t.win_path(name))


def close_program(t, app):
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


# -- the filter -----------------------------------------------------------------

def filtered_export_scenario(screen):
    @scenario("a filtered CSV export writes only the matching reports and counts them at %d" % screen,
              screen=screen)
    def _(t):
        t.write("MYLOG.ULM", THREE)
        app = t.start()
        # Blanks count in the prefix, and letter case does not.
        t.equal(filtered_export(t, app, "RADIO.CSV", station="rADIO"), "Print of 1 reports complete", "station")
        t.equal(t.read("RADIO.CSV"), HEADER + THREE_LINES[2], "the station starting with Radio")
        t.equal(filtered_export(t, app, "YEARS.CSV", date_from="07-03-2004", date_to="15-11-2019"),
                "Print of 2 reports complete", "dates")
        t.equal(t.read("YEARS.CSV"), HEADER + THREE_LINES[0] + THREE_LINES[1], "both bounds are inclusive")
        # " 9410" is a number with its blanks trimmed; an empty Freq never matches.
        t.equal(filtered_export(t, app, "BAND.CSV", frequency_from="9000", frequency_to="9410"),
                "Print of 1 reports complete", "frequencies")
        t.equal(t.read("BAND.CSV"), HEADER + THREE_LINES[1], "the report on 9410 kHz")
        t.equal(filtered_export(t, app, "NONE.CSV", station="Radio", date_to="31-12-2025"),
                "Print of 0 reports complete", "parts combined")
        t.equal(t.read("NONE.CSV"), b"", "no report: the file stays empty, as an export of none does")
        t.equal(filtered_export(t, app, "ALL.CSV"), "Print of 3 reports complete", "empty filter")
        t.equal(t.read("ALL.CSV"), HEADER + b"".join(THREE_LINES), "an empty filter exports everything")
        t.equal(t.read("MYLOG.ULM"), THREE, "the log is untouched")
        close_program(t, app)

filtered_export_scenario(480)
filtered_export_scenario(768)


def refusal_scenario(screen):
    @scenario("a filter text that cannot be read is refused naming its box, nothing written, at %d" % screen,
              screen=screen)
    def _(t):
        t.write("MYLOG.ULM", THREE)
        app = t.start()
        win = open_print_window(app)
        app.set_text(win, PRINT_EDIT_FILE_NAME, t.win_path("OUT.CSV"))
        app.click(win, PRINT_CHECK_TO_FILE)
        until(lambda: app.text(win, PRINT_BUTTON_RUN), "Sa&ve")
        cases = [
            (dict(date_from="31-02-2026"), PRINT_EDIT_DATE_FROM,
             '"Date from" is not a date: 31-02-2026. Type a real day as DD-MM-YYYY, for example 14-08-2026.'),
            (dict(date_from="", frequency_to="96x0"), PRINT_EDIT_FREQUENCY_TO,
             '"Frequency to" is not a frequency: 96x0. Type the kHz in digits, with a point before any decimals, '
             'for example 9660 or 9660.5.'),
            (dict(frequency_from="9700", frequency_to="9660"), PRINT_EDIT_FREQUENCY_FROM,
             '"Frequency from" is higher than "Frequency to", so nothing could match.'),
            (dict(frequency_from="", frequency_to="", date_from="02-01-2026", date_to="01-01-2026"),
             PRINT_EDIT_DATE_FROM, '"Date from" is later than "Date to", so nothing could match.'),
        ]
        for texts, box_id, text in cases:
            type_filter(app, win, **texts)
            app.command(win, PRINT_BUTTON_RUN)
            box = app.box(timeout=30)
            t.equal((box.caption, box.text), ("Log Print", text), "the refusal of %r" % texts)
            app.answer(box, IDOK)
            t.equal(until(lambda: app.focus_id(win), box_id), box_id, "the focus is on the box to correct")
            t.check(app.exists(win) and app.is_enabled(win), "the window stays open for the correction")
            t.check(not t.exists("OUT.CSV"), "nothing was written")
        type_filter(app, win, date_from="", date_to="")
        app.command(win, PRINT_BUTTON_RUN)
        box = app.box(timeout=30)
        t.equal(box.text, "Print of 3 reports complete", "once corrected the run goes ahead")
        app.answer(box, IDOK)
        app.gone(win, 10)
        t.equal(t.read("OUT.CSV"), HEADER + b"".join(THREE_LINES), "the whole export")
        close_program(t, app)

refusal_scenario(480)
refusal_scenario(768)


# -- bulletin lines -------------------------------------------------------------

def bulletin_scenario(screen):
    @scenario("bulletin lines: the proposed .TXT name and the file as stored, at %d" % screen, screen=screen)
    def _(t):
        t.write("CURLOG.DTA", logfiles.settings("L:\\Logs\\mylog.ulm"))
        t.map_drive("L", t.dir / "l")
        (t.dir / "l" / "Logs").mkdir(parents=True, exist_ok=True)
        (t.dir / "l" / "Logs" / "mylog.ulm").write_bytes(b"".join(logfiles.entry(**e) for e in SAMPLE))
        app = t.start()
        win = open_print_window(app)
        t.equal(app.text(win, PRINT_EDIT_FILE_NAME), "L:\\LOGS\\MYLOG.CSV", "CSV name proposed first")
        choose_bulletin(t, app, win)
        t.equal(app.text(win, PRINT_EDIT_FILE_NAME), "L:\\LOGS\\MYLOG.TXT", "bulletin lines propose .TXT")
        app.click(win, PRINT_CHECK_TO_FILE)
        until(lambda: app.text(win, PRINT_BUTTON_RUN), "Sa&ve")
        app.command(win, PRINT_BUTTON_RUN)
        box = app.box(timeout=30)
        t.equal((box.caption, box.text), ("Log Print", "Print of 7 reports complete"), "completion")
        app.answer(box, IDOK)
        app.gone(win, 10)
        t.equal((t.dir / "l" / "Logs" / "MYLOG.TXT").read_bytes(), SAMPLE_BULLETIN, "the stored bulletin file")
        # Filtered: the 9660 kHz reports only, still in bulletin order.
        win = open_print_window(app)
        choose_bulletin(t, app, win)
        type_filter(app, win, frequency_from="9660", frequency_to="9660")
        t.equal(save(t, app, win, "L:\\Logs\\band.txt"), "Print of 2 reports complete", "filtered completion")
        wanted = b"".join(line + b"\r\n" for line in SAMPLE_BULLETIN.split(b"\r\n") if line.startswith(b"9660 "))
        t.equal((t.dir / "l" / "Logs" / "band.txt").read_bytes(), wanted, "the two 9660 kHz lines")
        close_program(t, app)

bulletin_scenario(480)
bulletin_scenario(768)


# -- import ---------------------------------------------------------------------

def round_trip_scenario(screen):
    @scenario("import: export, import into an empty log, the same bytes; the question, the refusals, at %d" % screen,
              screen=screen)
    def _(t):
        entries = [dict(station="Station %d" % i, date="%02d-%02d-20%02d" % (i % 28 + 1, i % 12 + 1, i % 30),
                        time="%02d:%02d" % (i % 24, i % 60), freq=["9660", "", "6070.5", "15400"][i % 4],
                        location=["", "Somewhere, far", 'A "quoted" place'][i % 3],
                        remarks=["  lead", "", "x" * 50][i % 3]) for i in range(1, 41)]
        original = b"".join(logfiles.entry(**e) for e in entries)
        t.write("MYLOG.ULM", original)
        app = t.start()
        t.equal(steps.export(app, t.win_path("ALL.CSV")), "Print of 40 reports complete", "export")
        close_program(t, app)
        t.write("MYLOG.ULM", b"")
        t.write("NOTES.CSV", b"Station;Remarks\r\nnothing;here\r\n")
        t.write("EMPTY.CSV", b"Date,Time,Station\r\n,,\r\n")
        app = t.start()
        working = app.text(app.main)
        box = steps.import_file(t, app, t.win_path("NOTES.CSV"))
        t.check(box.text.startswith(t.win_path("NOTES.CSV") + " cannot be imported: "), "refused: %r" % box.text)
        app.answer(box, IDOK)
        box = steps.import_file(t, app, t.win_path("EMPTY.CSV"))
        t.equal(box.text, "Nothing to import", "a file without reports")
        app.answer(box, IDOK)
        t.equal(t.read("MYLOG.ULM"), b"", "nothing added yet")
        box = steps.import_file(t, app, t.win_path("ALL.CSV"))
        log_path = t.win_path("MYLOG.ULM")
        t.equal(box.text, "Add 40 reports to %s?" % log_path, "the question")
        app.answer(box, IDYES)
        done = app.box(timeout=60)
        t.equal((done.caption, done.text), ("Import", "Added 40 reports to %s." % log_path), "done")
        app.answer(done, IDOK)
        t.equal(t.read("MYLOG.ULM"), original, "the round trip gives the same records, byte for byte")
        t.equal(app.text(app.main), working, "the main window still names the same log")
        # The Open dialog put the working folder back: a relative name lands there.
        t.equal(steps.export(app, "AFTER.CSV"), "Print of 40 reports complete", "export after the import")
        t.check(t.exists("AFTER.CSV"), "a file named without a folder is written in the working folder")
        close_program(t, app)

round_trip_scenario(480)
round_trip_scenario(768)


@scenario("an import that fails part way on a full disk leaves the log unchanged", screen=480)
def _(t):
    old = logfiles.numbered_log(3)
    disk = t.small_disk("disk", 64)
    t.map_drive("F", disk)
    (disk / "LOG.ULM").write_bytes(old)
    t.write("CURLOG.DTA", logfiles.settings("F:\\LOG.ULM"))
    lines = b"".join(b"14-08-2026,08:59,Station %d,9660\r\n" % i for i in range(1, 1001))  # 115,000 bytes of records
    t.write("MANY.CSV", b"Date,Time,Station,Freq\r\n" + lines)
    app = t.start()
    box = steps.import_file(t, app, t.win_path("MANY.CSV"))
    t.equal(box.text, "Add 1000 reports to F:\\LOG.ULM?", "the question")
    app.answer(box, IDYES)
    failed = app.box(timeout=60)
    t.equal((failed.caption, failed.text),
            ("Import", "Nothing was added to F:\\LOG.ULM. The log file could not be written. The disk may be full."),
            "the failure says nothing was added")
    app.answer(failed, IDOK)
    t.equal((disk / "LOG.ULM").read_bytes(), old, "the log is exactly as before")
    t.check(not (disk / "LOG.ULM.DLJ").exists(), "no journal left behind")
    close_program(t, app)
    t.equal((disk / "LOG.ULM").read_bytes(), old, "still as before after the program ends")


@scenario("an import whose file is changed before the answer adds nothing and says so", screen=480)
def _(t):
    old = logfiles.numbered_log(3)
    t.write("MYLOG.ULM", old)
    asked = b"Date,Time,Station\r\n14-08-2026,08:59,One\r\n14-08-2026,09:00,Two\r\n"
    t.write("TWO.CSV", asked)
    app = t.start()
    box = steps.import_file(t, app, t.win_path("TWO.CSV"))
    log_path = t.win_path("MYLOG.ULM")
    t.equal(box.text, "Add 2 reports to %s?" % log_path, "the question counts the file as it was")
    t.write("TWO.CSV", asked + b"14-08-2026,09:01,Three\r\n")  # edited while the question is shown
    app.answer(box, IDYES)
    said = app.box(timeout=60)
    t.equal((said.caption, said.text),
            ("Import", "Nothing was added to %s. %s changed after it was read; import it again to see what it "
                       "holds now." % (log_path, t.win_path("TWO.CSV"))), "the answer says why nothing was added")
    app.answer(said, IDOK)
    t.equal(t.read("MYLOG.ULM"), old, "the log is exactly as before")
    t.check(not t.exists("MYLOG.ULM.DLJ"), "no journal left behind")
    close_program(t, app)


# -- a filtered print -------------------------------------------------------------

def filtered_print_scenario(screen):
    @scenario("a filtered print: only the matching rows reach the printer queue, at %d" % screen, screen=screen)
    def _(t):
        cups = printer.PrivateCups(t)
        entries = [dict(station="Station %d" % i, date="%02d-%02d-2026" % (i % 28 + 1, i % 12 + 1),
                        time="%02d:%02d" % (i % 24, i % 60), freq="%d" % (5900 + i * 5),
                        location="Place %d" % i, remarks="remark %d" % i) for i in range(1, 61)]
        t.write("MYLOG.ULM", b"".join(logfiles.entry(**e) for e in entries))
        app = t.start(env=cups.env())
        win = open_print_window(app)
        type_filter(app, win, station="station 1")  # Station 1 and Station 10 to 19
        app.command(win, PRINT_BUTTON_RUN)
        box = app.box(timeout=60)
        t.equal((box.caption, box.text), ("Log Print", "Print of 11 reports complete"), "completion")
        app.answer(box, IDOK)
        app.gone(win, 10)
        ps = cups.wait_job()
        job = t.write("job.ps", ps)
        t.equal(printer.ps_pages(ps), 1, "one page")
        lines = [line.strip() for line in printer.ps_text(job).splitlines() if line.strip()]
        rows = [line for line in lines if line[:2].isdigit()]
        wanted = [1] + list(range(10, 20))
        t.equal(len(rows), len(wanted), "rows printed")
        t.equal([re.search(r"Station (\d+) ", row + " ").group(1) for row in rows], [str(i) for i in wanted],
                "the matching stations, in log order")
        close_program(t, app)

filtered_print_scenario(480)
filtered_print_scenario(768)

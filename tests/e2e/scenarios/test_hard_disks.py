"""Failing disks, locked logs and sudden death: every failed operation is
reported, and the log holds exactly the reports that were confirmed."""
import os
import random
import subprocess
import time

from harness import until, scenario, IDOK, IDYES, VK_DELETE, VK_ESCAPE
import logfiles
import steps
from ids import BROWSE_TITLE as BROWSE, VIEW_TITLE as VIEW, PRINT_TITLE as PRINT, \
    LOGGING_TITLE as LOGGING, BROWSE_LIST_ENTRIES as LIST, BROWSE_EDIT_FIRST_SHOWN as FIRST, \
    BROWSE_EDIT_LAST_SHOWN as LAST, BROWSE_BUTTON_VIEW as VIEW_BUTTON, VIEW_EDIT_STATION as STATION_BOX, \
    VIEW_BUTTON_EXIT as VIEW_EXIT, MAIN_BUTTON_BROWSE as CMD_BROWSE, MAIN_BUTTON_PRINT as CMD_PRINT, \
    MAIN_BUTTON_EXIT as CMD_EXIT, PRINT_EDIT_FILE_NAME as PRINT_FILE, PRINT_CHECK_TO_FILE as PRINT_TO_FILE, \
    PRINT_BUTTON_RUN as PRINT_GO, LOGGING_EDIT_STATION as LOG_STATION, LOGGING_BUTTON_LOG_ON as LOG_ON, \
    MAIN_BUTTON_LOGGING as CMD_LOGGING, LB_SETCURSEL, LBN_SELCHANGE





def stations(data):
    return [r["Station"].rstrip() for r in logfiles.records(data)]


def open_browse(app):
    app.command(app.main, CMD_BROWSE)
    return app.window(BROWSE)


def choose(app, browse, line):
    app.send(browse, LIST, LB_SETCURSEL, line - 1, 0)
    app.send_command(browse, LIST, LBN_SELCHANGE)


def edit_station(app, browse, line, station):
    """Edits the station of a line and presses the view window's exit; returns the
    failure box (None when it saved)."""
    choose(app, browse, line)
    app.command(browse, VIEW_BUTTON)
    view = app.window(VIEW)
    app.set_text(view, STATION_BOX, station)
    app.command(view, VIEW_EXIT)
    box = app.box_or_gone(view)
    if box:
        app.answer(box, IDOK)
        app.command(view, VIEW_EXIT)  # the window kept what was typed; leave without saving
        second = app.box_or_gone(view)
        if second:
            app.answer(second, IDOK)
            app.close_window(view)
    app.gone(view)
    return box


def delete_line(app, browse, line):
    """Deletes a line with DELETE and Yes; returns the failure box, if any."""
    choose(app, browse, line)
    app.key(browse, VK_DELETE, LIST)
    app.answer(app.box("Are you sure?"), IDYES)
    app.settle(browse)  # the deletion has run, or its failure box shows
    box = app.find_box(timeout=2)
    if box:
        app.answer(box, IDOK)
    return box


def start_on_read_only_log(t, data):
    """The program started on G:\\LOG.ULM holding `data` on a file system mounted
    read-only (Wine run as root writes even into files without write
    permission); returns the disk's folder and the program."""
    disk = t.small_disk("ro", 64)
    t.map_drive("G", disk)
    (disk / "LOG.ULM").write_bytes(data)
    subprocess.run(["mount", "-o", "remount,ro", str(disk)], check=True)
    t.write("CURLOG.DTA", logfiles.settings("G:\\LOG.ULM"))
    return disk, t.start()


def end_program(t, app):
    app.command(app.main, CMD_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


@scenario("a full disk: the export fails and says so, edits in place go on, a deletion is refused, nothing is lost",
          screen=480)
def _(t):
    data = logfiles.numbered_log(40)
    disk = t.small_disk("disk", 64)
    t.map_drive("F", disk)
    (disk / "LOG.ULM").write_bytes(data)
    t.write("CURLOG.DTA", logfiles.settings("F:\\LOG.ULM"))
    steps.fill(disk)
    app = t.start()
    text = steps.export(app, "F:\\OUT.CSV")
    t.equal(text, "The file F:\\OUT.CSV was not written completely. The disk may be full.", "export failure box")
    browse = open_browse(app)
    t.equal(edit_station(app, browse, 2, "Edited Two"), None, "an edit in place needs no room and is saved")
    # A deletion first writes its small journal beside the log; with no room
    # for it the deletion is refused and says why, rather than risk half a move.
    box = delete_line(app, browse, 1)
    t.check(box is not None and box.text.startswith("The entry could not be deleted. The log is unchanged.") and
            "The note that keeps the change safe could not be written beside the log file." in box.text,
            "deletion refused for want of room for its journal: %r" % (box,))
    app.key(browse, VK_ESCAPE)
    app.gone(browse)
    end_program(t, app)
    log = (disk / "LOG.ULM").read_bytes()
    expected = ["S1", "Edited Two"] + ["S%d" % n for n in range(3, 41)]
    t.equal(stations(log), expected, "the log holds exactly the confirmed changes")
    t.equal(len(log), 40 * 115, "length is EntryCount x 115")
    t.check(not (disk / "LOG.ULM.DLJ").exists(), "no journal left behind")


@scenario("a read-only log: edits and deletions are refused with a message and the log is unchanged", screen=480)
def _(t):
    data = logfiles.numbered_log(3)
    disk, app = start_on_read_only_log(t, data)
    browse = open_browse(app)
    t.equal(until(lambda: (app.text(browse, FIRST), app.text(browse, LAST)), (" 1", " 3")), (" 1", " 3"),
            "the read-only log is read")
    box = edit_station(app, browse, 2, "Never Saved")
    t.check(box is not None and box.text.startswith("The changes were not saved."), "edit refused: %r" % (box,))
    box = delete_line(app, browse, 1)
    t.check(box is not None and box.text.startswith("The entry could not be deleted. The log is unchanged."),
            "deletion refused: %r" % (box,))
    t.equal(app.list_count(browse, LIST), 3, "the list still shows the three entries")
    app.key(browse, VK_ESCAPE)
    app.gone(browse)
    end_program(t, app)
    t.equal((disk / "LOG.ULM").read_bytes(), data, "log bytes unchanged")


@scenario("a log held by another copy: the second copy runs without it and changes nothing", screen=480)
def _(t):
    data = logfiles.numbered_log(5)
    t.write("MYLOG.ULM", data)
    first = t.start()
    second = t.start()
    browse = open_browse(second)
    t.equal(until(lambda: (second.text(browse, FIRST), second.text(browse, LAST)), (" 1", " 0")), (" 1", " 0"),
            "the second copy has no entries")
    second.key(browse, VK_ESCAPE)
    second.gone(browse)
    end_program(t, second)
    browse = open_browse(first)
    t.equal(delete_line(first, browse, 5), None, "the first copy still works on its log")
    first.key(browse, VK_ESCAPE)
    first.gone(browse)
    end_program(t, first)
    t.equal(t.read("MYLOG.ULM"), data[:4 * 115], "the log holds the first copy's change only")


# -- sudden death -----------------------------------------------------------------

def numbered_records(count):
    template = logfiles.entry("NXXXXXXXX", freq="1", location="Anywhere")
    return b"".join(template.replace(b"NXXXXXXXX", b"N%08d" % n) for n in range(1, count + 1))


def numbers(data):
    return [int(r["Station"].strip()[1:]) for r in logfiles.records(data)]


def start_deletion_of_entry_1(t, app):
    browse = open_browse(app)
    choose(app, browse, 1)
    app.key(browse, VK_DELETE, LIST)
    box = app.box("Are you sure?")
    app.post(box.hwnd, None, 0x0111, IDYES, 0)  # WM_COMMAND Yes, then watch without waiting


def wait_for_file(path, present, timeout=60):
    deadline = time.time() + timeout
    while time.time() < deadline and path.exists() != present:
        time.sleep(0.001)
    return path.exists() == present


def reopen_and_recover(t):
    """Opens the log again as the listener would: the opening finishes or takes
    back the interrupted deletion and says so once in a box titled "Ulmar".
    Returns whether it said so."""
    app = t.start(wait=False)
    main, said, deadline = None, False, time.time() + 120
    while main is None and time.time() < deadline and app.proc.poll() is None:
        if app.driver.poll() is not None:  # the tests' own driver, started with the program, ended
            print("    the driver ended with code %d at the reopening; another is started" % app.driver.poll())
            app.start_driver()
        # Any box is answered, so one the scenario does not expect is named
        # rather than left holding back the main window.
        box = app.find_box(None, 0.2)
        if box:
            t.check("interrupted" in box.text, "the only box at the opening tells of the recovery: %r" % (box,))
            t.equal(box.caption, "Ulmar", "the recovery box's title")
            app.answer(box, IDOK)
            said = True
        main = app.find_window("ULMAR v1.01", 0.2)
    if not t.check(main, "the main window shows after the recovery (%s)" % ("" if main else app.describe())):
        steps.kill_program(app)
        return said
    t.check(app.no_box(0.5), "the recovery is told once")
    app.command(main, CMD_EXIT)
    t.equal(app.wait_exit(), 0, "the program ends normally after the recovery")
    return said


def kill_rounds(t, what, before, after, start_change, judge):
    """Makes a change (`start_change(app)`) once to its end, to learn how long
    its journal stays, then kills it at points spread over that time, round
    after round: every reopening must leave the log exactly `before` or
    `after`, and tell of a recovery exactly when there was one. `judge(left)`
    names any other outcome. Prints the outcomes."""
    rounds = int(os.environ.get("ULMAR_KILL_ROUNDS", "20"))
    journal = t.dir / "MYLOG.ULM.DLJ"
    t.write("MYLOG.ULM", before)
    app = t.start()
    start_change(app)
    t.check(wait_for_file(journal, True), "the journal is written before the %s" % what)
    begun = time.time()
    t.check(wait_for_file(journal, False, 600), "the journal goes when the %s is done" % what)
    span = time.time() - begun
    steps.kill_program(app)
    t.equal(t.read("MYLOG.ULM"), after, "an uninterrupted %s" % what)
    outcomes = {"before": 0, "after": 0}
    interrupted = 0
    for round_ in range(rounds):
        if journal.exists():  # left by a failed round, already reported: the next starts afresh
            journal.unlink()
        t.write("MYLOG.ULM", before)
        app = t.start()
        start_change(app)
        wait_for_file(journal, True)
        time.sleep(span * (round_ + 0.5) / rounds)  # spread over the whole change
        steps.kill_program(app)
        cut = journal.exists()  # the kill came before the change was done
        interrupted += cut
        t.equal(reopen_and_recover(t), cut, "round %d: the recovery is told exactly when it had work" % round_)
        left = t.read("MYLOG.ULM")
        outcome = "before" if left == before else "after" if left == after else judge(left)
        outcomes[outcome] = outcomes.get(outcome, 0) + 1
        t.check(outcome in ("before", "after"), "round %d: exactly before or after, not %s" % (round_, outcome))
        t.check(not journal.exists(), "round %d: no journal left after the recovery" % round_)
    print("    %s (%.2f s) killed %d times, %d of them part way: %s"
          % (what, span, rounds, interrupted, ", ".join("%s %d" % item for item in outcomes.items())))


@scenario("killed during the deletion of entry 1 of a large log: reopened, it is exactly before or after",
          screen=480, timeout=3600)
def _(t):
    count = int(os.environ.get("ULMAR_KILL_ENTRIES", "500000"))
    data = numbered_records(count)
    kill_rounds(t, "deletion of entry 1 of %d" % count, data, data[115:],
                lambda app: start_deletion_of_entry_1(t, app),
                lambda left: "lost" if len(set(numbers(left))) < count - 1 else "doubled")


@scenario("killed during a deletion, the log then replaced by another of the same length: "
          "the other log is untouched, the journal kept and the box says so", screen=480, timeout=600)
def _(t):
    count = 200000
    journal = t.dir / "MYLOG.ULM.DLJ"
    t.write("MYLOG.ULM", numbered_records(count))
    app = t.start()
    start_deletion_of_entry_1(t, app)
    # Killed once the journal holds the first block's region: the deletion is part way.
    t.check(until(lambda: journal.exists() and os.path.getsize(journal) > 8192, True, 120), "the deletion is under way")
    steps.kill_program(app)
    other = logfiles.entry("OTHER LOG", freq="9410", location="Elsewhere") * count
    t.write("MYLOG.ULM", other)
    kept = journal.read_bytes()
    app = t.start(wait=False)
    box = app.box("was not changed", 120)
    t.equal(box.caption, "Ulmar", "the box's title")
    t.check("MYLOG.ULM.DLJ.1" in box.text, "the box names the kept journal: %r" % box.text)
    app.answer(box, IDOK)
    main = app.find_window("ULMAR v1.01", 60)
    t.check(main, "the main window shows")
    t.check(app.no_box(0.5), "it is told once")
    app.command(main, CMD_EXIT)
    t.equal(app.wait_exit(), 0, "the program ends normally")
    t.check(t.read("MYLOG.ULM") == other, "the other log is byte for byte untouched")
    t.check(not journal.exists(), "no live journal is left")
    t.check(t.read("MYLOG.ULM.DLJ.1") == kept, "the journal is kept as MYLOG.ULM.DLJ.1")


def start_import(t, app, name, reports):
    """Chooses the CSV file and answers Yes to the question without waiting."""
    box = steps.import_file(t, app, t.win_path(name))
    t.equal(box.text, "Add %d reports to %s?" % (reports, t.win_path("MYLOG.ULM")), "the question")
    app.post(box.hwnd, None, 0x0111, IDYES, 0)  # WM_COMMAND Yes, then watch without waiting


@scenario("killed during an import: reopened, the log is exactly as before or holds every report",
          screen=480, timeout=3600)
def _(t):
    count = int(os.environ.get("ULMAR_KILL_ENTRIES", "500000"))
    t.write("MANY.CSV", b"Date,Time,Station,Freq,Location\r\n" +
            b"".join(b"06-12-2026,19:30,N%08d,1,Anywhere\r\n" % n for n in range(4, count + 4)))
    # The import overwrites the part of a record at the end, as an append does.
    kill_rounds(t, "import of %d reports" % count, numbered_records(3) + b"part of a record",
                numbered_records(count + 3), lambda app: start_import(t, app, "MANY.CSV", count),
                lambda left: "%d bytes" % len(left))


@scenario("killed during an export: the log is untouched", screen=480, timeout=120)
def _(t):
    data = numbered_records(int(os.environ.get("ULMAR_KILL_ENTRIES", "500000")))
    t.write("MYLOG.ULM", data)
    app = t.start()
    app.command(app.main, CMD_PRINT)
    win = app.window(PRINT)
    app.set_text(win, PRINT_FILE, t.win_path("OUT.CSV"))
    app.click(win, PRINT_TO_FILE)
    until(lambda: app.text(win, PRINT_GO), "Sa&ve")
    app.command(win, PRINT_GO)
    time.sleep(0.15)
    steps.kill_program(app)
    t.equal(t.read("MYLOG.ULM"), data, "log bytes unchanged")
    print("    export killed after %d of %d bytes" % (os.path.getsize(t.dir / "OUT.CSV") if t.exists("OUT.CSV") else 0,
                                                       len(data)))


# -- saving reports ------------------------------------------------------------------



def open_logging(app):
    app.command(app.main, CMD_LOGGING)
    return app.window(LOGGING)


def save(app, win, station, timeout=60.0):
    """Types a station and presses Log On; returns None when the report was
    confirmed (the boxes are cleared for the next report), else the box that
    said it failed."""
    app.set_text(win, LOG_STATION, station)
    app.click(win, LOG_ON)
    deadline = time.time() + timeout
    while time.time() < deadline:
        if app.text(win, LOG_STATION) == "":
            return None
        box = app.find_box()
        if box:
            app.answer(box, IDOK)
            return box
        time.sleep(0.02)
    raise AssertionError("Log On neither cleared the form nor gave a message")


def close_logging(app, win):
    app.key(win, VK_ESCAPE)
    app.gone(win)


@scenario("saving onto a disk that fills up: every refused report is reported, every confirmed one is kept",
          screen=480, timeout=180)
def _(t):
    start = logfiles.numbered_log(130)  # 14,950 bytes: room for 12 more in its last 4 KiB page
    disk = t.small_disk("disk", 32)
    t.map_drive("H", disk)
    (disk / "LOG.ULM").write_bytes(start)
    t.write("CURLOG.DTA", logfiles.settings("H:\\LOG.ULM"))
    steps.fill(disk)
    app = t.start()
    win = open_logging(app)
    confirmed, refused = [], []
    for n in range(40):
        box = save(app, win, "New %d" % n)
        if box is None:
            confirmed.append("New %d" % n)
        else:
            refused.append(box.text)
            if len(refused) == 3:
                break
    close_logging(app, win)
    end_program(t, app)
    log = (disk / "LOG.ULM").read_bytes()
    t.check(len(confirmed) > 0 and len(refused) == 3, "some saved, then refused (%d, %d)" % (len(confirmed), len(refused)))
    t.equal(stations(log), stations(start) + confirmed, "the log holds exactly the confirmed reports")
    t.equal(len(log) % 115, 0, "whole records only")
    print("    full disk: %d reports confirmed, %d refused: %r" % (len(confirmed), len(refused), refused[:1]))


@scenario("saving into a read-only log and into a log another copy holds is refused with a message",
          screen=480, timeout=120)
def _(t):
    data = logfiles.numbered_log(2)
    disk, app = start_on_read_only_log(t, data)
    win = open_logging(app)
    box = save(app, win, "Read Only")
    t.check(box is not None, "a read-only log refuses the report with a message")
    t.equal(app.text(win, LOG_STATION), "Read Only", "what was typed stays in the box")
    close_logging(app, win)
    end_program(t, app)
    t.equal((disk / "LOG.ULM").read_bytes(), data, "read-only log unchanged")

    t.write("MYLOG.ULM", data)
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM"))
    first = t.start()
    second = t.start()
    win = open_logging(second)
    box = save(second, win, "Second Copy")
    t.check(box is not None, "the second copy says it cannot save")
    close_logging(second, win)
    end_program(t, second)
    win = open_logging(first)
    t.equal(save(first, win, "First Copy"), None, "the first copy saves")
    close_logging(first, win)
    end_program(t, first)
    t.equal(stations(t.read("MYLOG.ULM")), ["S1", "S2", "First Copy"], "only the first copy's report")


@scenario("killed right after a confirmed save: the report is on disk", screen=480, timeout=120)
def _(t):
    data = logfiles.numbered_log(3)
    t.write("MYLOG.ULM", data)
    for round_ in range(3):
        app = t.start()
        win = open_logging(app)
        station = "Kept %d" % round_
        t.equal(save(app, win, station), None, "round %d: confirmed" % round_)
        steps.kill_program(app)
        data_now = t.read("MYLOG.ULM")
        t.equal(stations(data_now)[-1:], [station], "round %d: the confirmed report is in the file" % round_)
        t.equal(len(data_now), (4 + round_) * 115, "round %d: length" % round_)

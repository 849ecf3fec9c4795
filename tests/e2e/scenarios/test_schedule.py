"""Naming the station from a schedule: choosing the file, the candidate list
of the logging window, accepting a row, and the window without a schedule."""
import datetime

from harness import until, scenario, IDCANCEL, VK_ESCAPE, VK_RETURN
import logfiles
import steps
from ids import LOGGING_TITLE as LOGGING, LOGGING_LIST_CANDIDATES as CANDIDATES, LOGGING_LIST_RECENT as RECENT, \
    LOGGING_EDIT_FREQUENCY as FREQ, LOGGING_EDIT_STATION as STATION, LOGGING_EDIT_LOCATION as LOCATION, \
    LOGGING_EDIT_REMARKS as REMARKS, LOGGING_BUTTON_LOG_ON as LOG_ON, MAIN_BUTTON_LOGGING, MAIN_BUTTON_EXIT, \
    MAIN_MENU_SCHEDULE_FILE, MAIN_MENU_NO_SCHEDULE, LB_GETCURSEL

VK_DOWN = 0x28
DIALOG_TITLE = "Choose a schedule file"
FILE_TYPE_ID = 0x470
IDOK = 1

HEADER = "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;Stop:60;"
# On air all day, every day, so no scenario depends on the minute it runs in.
LINES = [
    "6070;0000-2400;;D;Radio Northsea Example;E;Eu;;1;;",
    "9420;0000-2400;irr;USA;Voice of Testing;E;NAm;;1;;",
    "9415;0000-2400;;HOL;Radio Tulip International;D;CEu;;1;;",
    "9410;0000-2400;;G;Test Service;E;Eu;/CYP;1;;",
    "9410;0000-2400;;G;Silent Station;E;Eu;;8;;",  # P 8: never on air
]
# 9410 within 5 kHz: the exact line first, then 9415; 9420 and P 8 are out.
ROWS_9410 = ["9410     Test Service          0000-2400  E    Eu   CYP",
             "9415     R. Tulip Int.         0000-2400  D    CEu  HOL"]


def schedule_bytes(lines):
    return "".join(line + "\r\n" for line in [HEADER] + lines).encode("latin-1")


def choose_schedule(app, main):
    app.command(main, MAIN_MENU_SCHEDULE_FILE)
    return app.window(DIALOG_TITLE)


def type_name(app, dialog, name):
    steps.type_file_name(app, dialog, name)
    app.gone(dialog)


def start_with_schedule(t, lines=LINES):
    t.write("MYLOG.ULM", logfiles.numbered_log(2))
    t.write("SKED.csv", schedule_bytes(lines))
    app = t.start()
    dialog = choose_schedule(app, app.main)
    t.equal(app.text(dialog, FILE_TYPE_ID), "Schedules (*.csv)", "the one filter")
    type_name(app, dialog, "SKED.csv")
    return app


def open_logging(app):
    app.command(app.main, MAIN_BUTTON_LOGGING)
    return app.window(LOGGING)


def shown(app, log):
    return app.state(log, CANDIDATES)["visible"]


def wait_shown(app, log, wanted):
    return until(lambda: shown(app, log), wanted) == wanted


def finish(t, app, log):
    app.key(log, VK_ESCAPE)
    app.gone(log)
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


def candidates_accepted_and_saved(t, screen):
    app = start_with_schedule(t)
    t.check(app.no_box(0.5), "a schedule without damaged lines is chosen silently")
    log = open_logging(app)
    t.check(not shown(app, log), "the candidate list is hidden before a frequency is typed")
    app.set_text(log, FREQ, "9410")
    t.check(wait_shown(app, log, True), "typing 9410 opens the candidate list")
    t.equal(app.list_rows(log, CANDIDATES), ROWS_9410, "the candidates on air within 5 kHz, best first")
    freq, list_rect = app.rect(log, FREQ), app.rect(log, CANDIDATES)
    t.check(list_rect[3] <= freq[1], "the list opens over the Frequency box %r, not on it: %r" % (freq, list_rect))
    t.screenshot("schedule-candidates-%d" % screen)
    app.key(log, VK_DOWN, FREQ)
    t.equal(until(lambda: app.focus_id(log), CANDIDATES), CANDIDATES, "Down moves into the list")
    app.key(log, VK_DOWN, CANDIDATES)
    t.equal(until(lambda: app.send(log, CANDIDATES, LB_GETCURSEL), 1), 1, "Down again chooses the second row")
    app.key(log, VK_RETURN)
    t.check(wait_shown(app, log, False), "Enter closes the list")
    t.equal([app.text(log, id) for id in (FREQ, STATION, LOCATION, REMARKS)], ["9410", "R. Tulip Int.", "HOL", ""],
            "Enter fills Station and Location from the chosen row; Remarks stays empty")
    t.check(app.exists(log), "Enter in the list leaves the window open")
    app.set_text(log, REMARKS, "SINPO 45444")
    app.click(log, LOG_ON)
    t.check(until(lambda: app.text(log, STATION), "") == "", "the report is saved")
    record = logfiles.records(t.read("MYLOG.ULM"))[-1]
    expected = logfiles.entry("R. Tulip Int.", date=record["Date"], time=record["Time"], freq="9410",
                              location="HOL", remarks="SINPO 45444")
    t.equal(t.read("MYLOG.ULM"), logfiles.numbered_log(2) + expected, "the log gains exactly the accepted report")
    finish(t, app, log)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM", schedule=t.win_path("SKED.csv")),
            "the chosen schedule is the settings' third line")


for size in (480, 768):
    @scenario("schedule: typed frequency, candidates, Down Down Enter fills the report, saved bytes at %d" % size,
              screen=size)
    def _(t, screen=size):
        candidates_accepted_and_saved(t, screen)


@scenario("schedule: a double click accepts; the list follows the typed frequency", screen=480)
def _(t):
    app = start_with_schedule(t)
    log = open_logging(app)
    app.set_text(log, FREQ, "6070")
    t.check(wait_shown(app, log, True), "6070 opens the list")
    t.equal(app.list_rows(log, CANDIDATES), ["6070     R. Northsea Example   0000-2400  E    Eu   D"], "one candidate")
    app.set_text(log, FREQ, "7000")
    t.check(wait_shown(app, log, False), "nothing on air on 7000: the list closes")
    app.set_text(log, FREQ, "9419")
    t.check(wait_shown(app, log, True), "9419 opens it again")
    t.equal(app.list_rows(log, CANDIDATES), ["9420     Voice of Testing      0000-2400  E    NAm  USA  [irr]",
                                             "9415     R. Tulip Int.         0000-2400  D    CEu  HOL"],
            "nearer first; a special days code is marked")
    app.send(log, CANDIDATES, 0x0186, 0)  # LB_SETCURSEL
    app.command(log, CANDIDATES, 2)  # LBN_DBLCLK
    t.check(wait_shown(app, log, False), "a double click closes the list")
    t.equal([app.text(log, id) for id in (STATION, LOCATION)], ["Voice of Testing", "USA"], "and fills the boxes")
    finish(t, app, log)


@scenario("schedule: Escape closes the list, not the window; a click elsewhere closes it too", screen=480)
def _(t):
    app = start_with_schedule(t)
    log = open_logging(app)
    app.set_focus(log, FREQ)
    app.set_text(log, FREQ, "9410")
    t.check(wait_shown(app, log, True), "the list opens")
    app.key(log, VK_ESCAPE)
    t.check(wait_shown(app, log, False), "Escape closes the list")
    t.check(app.exists(log) and app.state(log)["visible"], "the window stays open")
    t.equal(app.text(log, STATION), "", "nothing is filled")
    app.set_text(log, FREQ, "9411")
    t.check(wait_shown(app, log, True), "the next change of the Frequency box opens it again")
    app.key(log, VK_DOWN, FREQ)
    t.equal(until(lambda: app.focus_id(log), CANDIDATES), CANDIDATES, "Down moves into the list")
    app.set_focus(log, REMARKS)
    t.check(wait_shown(app, log, False), "the focus going elsewhere closes the list")
    t.equal([app.text(log, id) for id in (STATION, LOCATION)], ["", ""], "nothing is filled")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


@scenario("schedule: damaged lines are reported once on choosing; No Schedule forgets it", screen=480)
def _(t):
    damaged = LINES[:2] + ["9410;0000-2400;;G;Nine semicolons;E;Eu;1;;"] + LINES[2:]
    app = start_with_schedule(t, damaged)
    box = app.box("skipped")
    t.check("SKED.csv: 6 lines read, 1 skipped; the first bad one is line 4" in box.text, "the report: %r" % box.text)
    app.answer(box)
    t.check(app.no_box(0.5), "reported once")
    log = open_logging(app)
    app.set_text(log, FREQ, "9410")
    t.check(wait_shown(app, log, True), "the usable lines are proposed")
    t.equal(app.list_rows(log, CANDIDATES), ROWS_9410, "the damaged line is left out")
    app.key(log, VK_ESCAPE)
    t.check(wait_shown(app, log, False), "Escape closes the list")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    app.command(app.main, MAIN_MENU_NO_SCHEDULE)
    log = open_logging(app)
    t.check(CANDIDATES not in [c["id"] for c in app.children(log)], "without a schedule there is no candidate list")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM"), "No Schedule empties the third line")


@scenario("schedule: cancel keeps the choice; an unreadable file at start-up is reported once", screen=480)
def _(t):
    t.write("MYLOG.ULM", logfiles.numbered_log(2))
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", schedule="GONE.csv"))
    app = t.start(ready_title=None, wait=False)
    box = app.box("GONE.csv")
    t.check(box.text.startswith("The schedule GONE.csv cannot be read: "), "the report: %r" % box.text)
    app.answer(box)
    app.main = app.window("ULMAR v1.01")
    t.check(app.no_box(0.5), "reported once")
    dialog = choose_schedule(app, app.main)
    app.command(dialog, IDCANCEL)
    app.gone(dialog)
    log = open_logging(app)
    app.set_text(log, FREQ, "9410")
    t.equal([c["id"] for c in app.children(log) if c["id"] == CANDIDATES], [],
            "without a readable schedule the window is as it always was")
    t.equal(app.text(log, STATION), "", "nothing proposed")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM", schedule="GONE.csv"),
            "the choice is kept for the next start")


def one_minute_line(station, minute):
    """A 9410 line on air during that one minute only (start equal to end)."""
    hhmm = "%02d%02d" % divmod(minute % 1440, 60)
    return "9410;%s-%s;;G;%s;E;Eu;;1;;" % (hhmm, hhmm, station)


@scenario("schedule: a new clock minute refreshes the open list and keeps the chosen row", screen=480, timeout=400)
def _(t):
    now = datetime.datetime.now(datetime.timezone.utc)
    minute = now.hour * 60 + now.minute
    # Bravo is on all day; Alpha, Charlie and Delta each for one minute, in turn.
    lines = [one_minute_line("Alpha", minute), one_minute_line("Charlie", minute + 1),
             one_minute_line("Delta", minute + 2), "9410;0000-2400;;G;Bravo;E;Eu;;1;;"]
    app = start_with_schedule(t, lines)
    log = open_logging(app)
    app.set_text(log, FREQ, "9410")
    t.check(wait_shown(app, log, True), "the list opens")
    first = [row.split()[1] for row in app.list_rows(log, CANDIDATES)]
    t.check(first in (["Alpha", "Bravo"], ["Bravo", "Charlie"]), "one one-minute line beside Bravo: %r" % first)
    app.send(log, CANDIDATES, 0x0186, first.index("Bravo"))  # LB_SETCURSEL
    following = {"Alpha": ["Bravo", "Charlie"], "Charlie": ["Bravo", "Delta"]}[[n for n in first if n != "Bravo"][0]]
    names = lambda: [row.split()[1] for row in app.list_rows(log, CANDIDATES)]
    t.equal(until(names, following, timeout=120), following, "the next minute's candidates")
    t.check(shown(app, log), "the list stays open")
    t.equal(app.send(log, CANDIDATES, LB_GETCURSEL), 0, "Bravo, still on air, is still the chosen row")
    app.key(log, VK_ESCAPE)
    t.check(wait_shown(app, log, False), "Escape closes the list")
    finish(t, app, log)

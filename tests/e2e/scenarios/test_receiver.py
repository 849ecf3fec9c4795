"""The receiver: the Receiver window against the real rigctld and a refused port."""
from harness import scenario, until, VK_ESCAPE
from ids import MAIN_TITLE, RECEIVER_TITLE, MAIN_MENU_RECEIVER, MAIN_BUTTON_EXIT, RECEIVER_EDIT_HOST, \
    RECEIVER_EDIT_PORT, RECEIVER_LABEL_RECEIVER_STATUS, RECEIVER_BUTTON_EXIT
import logfiles
from rigctld import Rigctld, free_port


def open_receiver_window(app, main):
    app.command(main, MAIN_MENU_RECEIVER)
    return app.window(RECEIVER_TITLE)


def finish(t, app, main):
    app.command(main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


@scenario("receiver window: the status shows what rigctld reports, a refused port says so", screen=480)
def _(t):
    daemon = Rigctld(t)
    daemon.tune(9410000)
    t.equal(daemon.ask_mode("AM"), "RPRT 0", "the dummy is set to AM")
    refused = free_port()
    app = t.start()
    main = app.window(MAIN_TITLE)
    window = open_receiver_window(app, main)
    t.equal(app.text(window, RECEIVER_EDIT_HOST), "", "no receiver at first run")
    t.equal(app.text(window, RECEIVER_EDIT_PORT), "4532", "the usual port")
    t.equal(app.text(window, RECEIVER_LABEL_RECEIVER_STATUS), "no receiver set", "the status")
    app.set_text(window, RECEIVER_EDIT_PORT, str(daemon.port))
    app.set_text(window, RECEIVER_EDIT_HOST, "127.0.0.1")
    status = lambda: app.text(window, RECEIVER_LABEL_RECEIVER_STATUS)
    t.equal(until(status, "9410 kHz AM"), "9410 kHz AM", "the receiver answers with its frequency and mode")
    app.set_text(window, RECEIVER_EDIT_PORT, str(refused))
    want = "connection refused; trying again"
    t.equal(until(status, want), want, "a port nobody listens on")
    t.picture("receiver-window-refused", lambda shot: status() == want)
    app.set_text(window, RECEIVER_EDIT_PORT, str(daemon.port))
    daemon.tune(6010000)
    t.equal(until(status, "6010 kHz AM"), "6010 kHz AM", "the status follows the dial")
    t.picture("receiver-window", lambda shot: status() == "6010 kHz AM")
    app.set_text(window, RECEIVER_EDIT_PORT, "70000")
    t.equal(status(), "6010 kHz AM", "an impossible port keeps the link it had")
    app.key(window, VK_ESCAPE)  # Escape stores like E&xit
    app.gone(window)
    window = open_receiver_window(app, main)
    t.equal(app.text(window, RECEIVER_EDIT_HOST), "127.0.0.1", "the host is kept")
    t.equal(app.text(window, RECEIVER_EDIT_PORT), str(daemon.port), "the possible port before 70000 is kept")
    app.click(window, RECEIVER_BUTTON_EXIT)
    app.gone(window)
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM", receiver="127.0.0.1:%d" % daemon.port),
            "the receiver is CURLOG.DTA's fifth line")


@scenario("receiver window: emptying the host forgets the receiver", screen=480)
def _(t):
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", receiver="127.0.0.1:%d" % free_port()))
    app = t.start()
    main = app.window(MAIN_TITLE)
    window = open_receiver_window(app, main)
    status = lambda: app.text(window, RECEIVER_LABEL_RECEIVER_STATUS)
    t.check(until(lambda: "connection refused" in status(), True), "refused: " + status())
    app.set_text(window, RECEIVER_EDIT_HOST, "my rig")
    want = "a host name has no blanks, quotes or commas"
    t.equal(until(status, want), want, "a host that cannot be one")
    app.click(window, RECEIVER_BUTTON_EXIT)
    app.gone(window)
    window = open_receiver_window(app, main)
    t.equal(app.text(window, RECEIVER_EDIT_HOST), "127.0.0.1", "an impossible host keeps the one set before")
    app.set_text(window, RECEIVER_EDIT_HOST, "")
    t.equal(until(status, "no receiver set"), "no receiver set", "an empty host is no receiver")
    app.click(window, RECEIVER_BUTTON_EXIT)
    app.gone(window)
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM"), "the fifth line is empty")


# -- following in the logging window ---------------------------------------------

from ids import LOGGING_TITLE, MAIN_BUTTON_LOGGING, LOGGING_EDIT_FREQUENCY as FREQ, LOGGING_EDIT_STATION as STATION, \
    LOGGING_BUTTON_LOG_ON as LOG_ON, LOGGING_BUTTON_TUNE as TUNE, LOGGING_LABEL_RECEIVER_STATUS as STATUS, \
    LOGGING_PANEL_FORM, LOGGING_LIST_CANDIDATES


def open_logging(t, app, main):
    app.command(main, MAIN_BUTTON_LOGGING)
    return app.window(LOGGING_TITLE)


def logging_with_receiver(t, port):
    """Starts the program with the receiver on `port` of this machine and opens
    the logging window: the program, its main window, the logging window and
    a reading of its status line."""
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", receiver="127.0.0.1:%d" % port))
    app = t.start()
    main = app.window(MAIN_TITLE)
    log = open_logging(t, app, main)
    return app, main, log, lambda: app.text(log, STATUS)


WS_VISIBLE = 0x10000000


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


@scenario("receiver: the Frequency box follows rigctld, typing pauses it, Tune reaches the daemon", screen=480)
def _(t):
    daemon = Rigctld(t)
    app, main, log, status = logging_with_receiver(t, daemon.port)
    box = lambda: app.text(log, FREQ)
    t.equal(until(box, "145000"), "145000", "the first reading fills the box")
    t.equal(until(status, "145000 kHz FM"), "145000 kHz FM", "the status")
    t.equal(app.focus_id(log), STATION, "the focus stays in Station")
    for hertz, text in ((9410000, "9410"), (6010400, "6010"), (15770600, "15771"), (9409500, "9410")):
        daemon.tune(hertz)
        t.equal(until(box, text), text, "the box follows %d Hz" % hertz)
    t.equal(app.focus_id(log), STATION, "following never takes the focus")
    # Typed over: the same kHz read again and again leaves the typed text.
    app.set_text(log, FREQ, "7300")
    daemon.tune(9410300)
    t.equal(daemon.ask_mode("AM"), "RPRT 0", "mode AM")
    t.equal(until(status, "9410 kHz AM - paused"), "9410 kHz AM - paused", "paused, and the mode read")
    t.equal(daemon.ask_mode("USB"), "RPRT 0", "mode USB")
    # Five frequency polls come between two mode polls, all after the tuning above.
    t.equal(until(status, "9410 kHz USB - paused"), "9410 kHz USB - paused", "read again, still paused")
    t.equal(box(), "7300", "the typed frequency stays while the dial stays in its kHz")
    daemon.tune(9650000)
    t.equal(until(box, "9650"), "9650", "a new kHz on the dial resumes following")
    # Tune sets the receiver to the box, and following takes it up from there.
    app.set_text(log, FREQ, "11735")
    app.click(log, TUNE)
    t.equal(until(daemon.frequency, "11735000"), "11735000", "rigctld is tuned to the box")
    t.equal(until(status, "11735 kHz USB"), "11735 kHz USB", "the receiver reports the tuned frequency")
    daemon.tune(11740000)
    t.equal(until(box, "11740"), "11740", "following resumed after the Tune")
    # The status line hides nothing at 640 x 480.
    mine = app.rect(log, STATUS)
    window = app.rect(log)
    t.check(window[0] <= mine[0] and mine[2] <= window[2] and mine[3] <= window[3], "the status is in the window")
    shown = [c for c in app.children(log) if c["style"] & WS_VISIBLE]
    for child in shown:
        if child["id"] not in (STATUS, LOGGING_PANEL_FORM):
            t.check(not overlaps(mine, child["rect"]), "the status covers control %d" % child["id"])
    tune = app.rect(log, TUNE)
    for child in shown:
        if child["id"] != TUNE:
            t.check(not overlaps(tune, child["rect"]), "Tune covers control %d" % child["id"])
    t.picture("logging-receiver", lambda shot: status() == "11740 kHz USB")
    app.set_text(log, STATION, "R. Example")
    app.click(log, LOG_ON)
    t.equal(until(lambda: app.text(log, STATION), ""), "", "the report is saved")
    records = logfiles.records(t.read("MYLOG.ULM"))
    t.equal([(r["Freq"], r["Station"].rstrip()) for r in records], [("11740 ", "R. Example")], "the log")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    finish(t, app, main)


@scenario("receiver: rigctld killed and started again is reconnected by itself", screen=480)
def _(t):
    daemon = Rigctld(t)
    daemon.tune(9410000)
    app, main, log, status = logging_with_receiver(t, daemon.port)
    box = lambda: app.text(log, FREQ)
    t.equal(until(box, "9410"), "9410", "following")
    daemon.stop()
    t.check(until(lambda: status().endswith("; trying again"), True), "the lost link is shown: " + status())
    t.check(app.no_box(0.5), "no message box")
    daemon.start()
    t.equal(until(box, "145000"), "145000", "reconnected: the restarted dummy's 145 MHz")
    t.equal(until(status, "145000 kHz FM"), "145000 kHz FM", "the status")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    finish(t, app, main)


@scenario("receiver: a daemon that never started is reported and Log On still saves", screen=480)
def _(t):
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", receiver="127.0.0.1:%d" % free_port()))
    app = t.start()
    main = app.window(MAIN_TITLE)
    log = open_logging(t, app, main)
    status = lambda: app.text(log, STATUS)
    want = "connection refused; trying again"
    t.equal(until(status, want), want, "the status says why")
    app.set_text(log, FREQ, "6070")
    app.set_text(log, STATION, "R. Nowhere")
    app.click(log, LOG_ON)
    t.equal(until(lambda: app.text(log, STATION), ""), "", "the report is saved")
    t.check(app.no_box(0.5), "no message box")
    records = logfiles.records(t.read("MYLOG.ULM"))
    t.equal([(r["Freq"], r["Station"].rstrip()) for r in records], [("6070  ", "R. Nowhere")], "the log")
    t.equal(app.text(log, FREQ), "6070", "the frequency stays for the next report")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    finish(t, app, main)


@scenario("receiver: without a receiver the logging window has no Tune and no status", screen=480)
def _(t):
    app = t.start()
    main = app.window(MAIN_TITLE)
    log = open_logging(t, app, main)
    ids = [child["id"] for child in app.children(log)]
    t.check(TUNE not in ids and STATUS not in ids, "no receiver controls: %s" % ids)
    app.key(log, VK_ESCAPE)
    app.gone(log)
    finish(t, app, main)


# -- hostile servers ---------------------------------------------------------------

from scripted_server import ScriptedServer, FullListener


@scenario("receiver: a full accept queue leaves the logging window answering and Log On saving", screen=480)
def _(t):
    full = FullListener(t)
    app, main, log, status = logging_with_receiver(t, full.port)
    t.check(status() in ("connecting to 127.0.0.1:%d" % full.port, "no answer; trying again"),
            "the connect hangs: " + status())
    # The window answers while the connect hangs: typing, saving.
    app.set_text(log, FREQ, "5975")
    app.set_text(log, STATION, "R. Waiting")
    app.click(log, LOG_ON)
    t.equal(until(lambda: app.text(log, STATION), ""), "", "the report is saved")
    records = logfiles.records(t.read("MYLOG.ULM"))
    t.equal([(r["Freq"], r["Station"].rstrip()) for r in records], [("5975  ", "R. Waiting")], "the log")
    want = "no answer; trying again"
    t.equal(until(status, want), want, "the hanging connect is given up")
    t.equal(app.text(log, FREQ), "5975", "the box keeps what was typed")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    finish(t, app, main)


@scenario("receiver: garbage, 0 Hz and 10^12 Hz never reach the box", screen=480)
def _(t):
    replies = {"f": b"0\n"}

    def script(line):
        if line == "f":
            return replies["f"]
        if line == "m":
            return b"AM\n10000\n"
        return b"RPRT 1\n"

    server = ScriptedServer(t, script)
    app, main, log, status = logging_with_receiver(t, server.port)
    t.equal(until(status, "not a frequency: 0 Hz"), "not a frequency: 0 Hz", "0 Hz is refused")
    t.equal(app.text(log, FREQ), "", "the box is left alone")
    replies["f"] = b"1000000000000\n"
    want = "not a frequency: 1000000000000 Hz"
    t.equal(until(status, want), want, "10^12 Hz is refused")
    replies["f"] = b"\x01\xfegarbage\n"
    want = "unexpected reply; trying again"
    t.equal(until(status, want), want, "garbage ends the link")
    replies["f"] = b"9410000\n"
    t.equal(until(lambda: app.text(log, FREQ), "9410"), "9410", "the link comes back by itself")
    t.equal(until(status, "9410 kHz AM"), "9410 kHz AM", "the status")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    finish(t, app, main)


# -- the candidates follow the dial ----------------------------------------------

from ids import LB_SETCURSEL, LOGGING_EDIT_LOCATION as LOCATION

HEADER = "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;Stop:60;"
# On air all day, every day, so the scenario does not depend on the minute it runs in.
LINES = [
    "6070;0000-2400;;D;Radio Northsea Example;E;Eu;;1;;",
    "9415;0000-2400;;HOL;Radio Tulip International;D;CEu;;1;;",
    "9410;0000-2400;;G;Test Service;E;Eu;/CYP;1;;",
]
ROWS_9410 = ["9410     Test Service          0000-2400  E    Eu   CYP",
             "9415     R. Tulip Int.         0000-2400  D    CEu  HOL"]
ROWS_6070 = ["6070     R. Northsea Example   0000-2400  E    Eu   D"]


def schedule_bytes(lines):
    return "".join(line + "\r\n" for line in [HEADER] + lines).encode("latin-1")


@scenario("receiver: the candidates follow the dial without the focus, Tune takes the chosen row", screen=480)
def _(t):
    daemon = Rigctld(t)
    daemon.tune(9410200)
    t.equal(daemon.ask_mode("AM"), "RPRT 0", "mode AM")
    t.write("SKED.csv", schedule_bytes(LINES))
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", schedule=t.win_path("SKED.csv"),
                                            receiver="127.0.0.1:%d" % daemon.port))
    app = t.start()
    main = app.window(MAIN_TITLE)
    log = open_logging(t, app, main)
    t.equal(until(lambda: app.text(log, FREQ), "9410"), "9410", "the box follows the dial")
    shown = lambda: bool(app.state(log, LOGGING_LIST_CANDIDATES)["visible"])
    t.check(until(shown, True), "the dial's frequency opens the candidates")
    t.equal(app.list_rows(log, LOGGING_LIST_CANDIDATES), ROWS_9410, "the stations on air at the dial's frequency")
    t.equal(app.focus_id(log), STATION, "the focus stays in Station")
    app.set_text(log, STATION, "Test Service")
    app.set_text(log, LOCATION, "CYP")
    status = lambda: app.text(log, STATUS)
    t.equal(until(status, "9410 kHz AM"), "9410 kHz AM", "the status")
    t.picture("receiver-following", lambda pic: shown() and status() == "9410 kHz AM")
    daemon.tune(6070000)
    rows = lambda: app.list_rows(log, LOGGING_LIST_CANDIDATES)
    t.equal(until(rows, ROWS_6070), ROWS_6070, "the list follows the dial to 6070")
    daemon.tune(9410000)
    t.equal(until(rows, ROWS_9410), ROWS_9410, "and back")
    app.send(log, LOGGING_LIST_CANDIDATES, LB_SETCURSEL, 1)
    app.click(log, TUNE)
    t.equal(until(daemon.frequency, "9415000"), "9415000", "Tune sets the receiver to the chosen row")
    t.equal(app.text(log, FREQ), "9415", "and puts its frequency in the box")
    t.equal(until(status, "9415 kHz AM"), "9415 kHz AM", "the receiver reports it")
    app.key(log, VK_ESCAPE)
    app.key(log, VK_ESCAPE)
    app.gone(log)
    finish(t, app, main)


@scenario("receiver: one link for the whole program, so a server for one client only keeps answering", screen=480)
def _(t):
    def script(line):
        return {"f": b"9410000\n", "m": b"AM\n10000\n"}.get(line, b"RPRT 1\n")

    server = ScriptedServer(t, script, first_client_only=True)
    app = t.start()
    main = app.window(MAIN_TITLE)
    window = open_receiver_window(app, main)
    app.set_text(window, RECEIVER_EDIT_PORT, str(server.port))
    app.set_text(window, RECEIVER_EDIT_HOST, "127.0.0.1")
    status = lambda: app.text(window, RECEIVER_LABEL_RECEIVER_STATUS)
    t.equal(until(status, "9410 kHz AM"), "9410 kHz AM", "the Receiver window's link is answered")
    app.click(window, RECEIVER_BUTTON_EXIT)
    app.gone(window)
    log = open_logging(t, app, main)
    t.equal(until(lambda: app.text(log, FREQ), "9410"), "9410", "the logging window follows on the same link")
    t.equal(until(lambda: app.text(log, STATUS), "9410 kHz AM"), "9410 kHz AM", "the status")
    t.equal(server.accepted, 1, "one connection in all")
    app.key(log, VK_ESCAPE)
    app.gone(log)
    finish(t, app, main)

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
    want = "connection refused (127.0.0.1:%d); trying again" % refused
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
    app.set_text(window, RECEIVER_EDIT_HOST, "")
    t.equal(until(status, "no receiver set"), "no receiver set", "an empty host is no receiver")
    app.click(window, RECEIVER_BUTTON_EXIT)
    app.gone(window)
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM"), "the fifth line is empty")

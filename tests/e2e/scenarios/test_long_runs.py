"""Long runs: windows opened and closed again and again, and many saves in one
opening of the logging window, leave the program's graphics objects, window
objects and memory where they were. ULMAR_LONG_ROUNDS and ULMAR_LONG_SAVES
make the runs longer than CI's (1,000 and 10,000 for the full figures)."""
import os

from harness import until, scenario, IDOK, VK_ESCAPE
import logfiles
from ids import LOGGING_TITLE as LOGGING, BROWSE_TITLE as BROWSE, VIEW_TITLE as VIEW, \
    PRINT_TITLE as PRINT, BACKUP_TITLE as BACKUP, MAIN_BUTTON_LOGGING as CMD_LOGGING, \
    MAIN_BUTTON_BROWSE as CMD_BROWSE, MAIN_BUTTON_PRINT as CMD_PRINT, MAIN_BUTTON_EXIT as CMD_EXIT, \
    MAIN_MENU_BACKUP_DRIVE as CMD_BACKUP, MAIN_MENU_ABOUT as CMD_ABOUT, BROWSE_LIST_ENTRIES as LIST, \
    BROWSE_BUTTON_VIEW as VIEW_BUTTON, LOGGING_EDIT_STATION as LOG_STATION, LOGGING_BUTTON_LOG_ON as LOG_ON, \
    PRINT_BUTTON_EXIT, BACKUP_BUTTON_EXIT, LB_SETCURSEL, LBN_SELCHANGE

GDI_SLACK, USER_SLACK = 4, 4  # objects a run may leave more without a leak
MEMORY_SLACK_KB = 16 * 1024


def memory_kb(app):
    """Resident memory of the program's process (its Wine process), in KiB."""
    try:
        with open("/proc/%d/status" % app.proc.pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def figures(app):
    gdi, user = app.gui_objects(app.main)
    return gdi, user, memory_kb(app)


def one_round(app):
    """Opens and closes every window once."""
    app.command(app.main, CMD_LOGGING)
    win = app.window(LOGGING)
    app.key(win, VK_ESCAPE)
    app.gone(win)
    app.command(app.main, CMD_BROWSE)
    browse = app.window(BROWSE)
    app.send(browse, LIST, LB_SETCURSEL, 0, 0)
    app.send_command(browse, LIST, LBN_SELCHANGE)
    app.command(browse, VIEW_BUTTON)
    view = app.window(VIEW)
    app.key(view, VK_ESCAPE)
    app.gone(view)
    app.key(browse, VK_ESCAPE)
    app.gone(browse)
    app.command(app.main, CMD_PRINT)
    win = app.window(PRINT)
    app.command(win, PRINT_BUTTON_EXIT)
    app.gone(win)
    app.command(app.main, CMD_BACKUP)
    win = app.window(BACKUP)
    app.command(win, BACKUP_BUTTON_EXIT)
    app.gone(win)
    app.command(app.main, CMD_ABOUT)
    app.answer(app.box(), IDOK)


def check_flat(t, start, end, what):
    # Wine answers GetGuiResources with 0 for every process, so there the
    # object counts prove nothing and only memory is held to account.
    counted = start[0] > 0 or start[1] > 0
    t.check(not counted or end[0] - start[0] <= GDI_SLACK, what + ": graphics objects flat %d -> %d" % (start[0], end[0]))
    t.check(not counted or end[1] - start[1] <= USER_SLACK, what + ": window objects flat %d -> %d" % (start[1], end[1]))
    t.check(start[2] > 0, what + ": the program's memory can be read")
    t.check(end[2] - start[2] <= MEMORY_SLACK_KB, what + ": memory flat %d -> %d KiB" % (start[2], end[2]))
    if not counted:
        print("    %s: GetGuiResources gives 0 under Wine; objects not counted" % what)
    print("    %s: GDI %d -> %d, USER %d -> %d, memory %d -> %d KiB"
          % (what, start[0], end[0], start[1], end[1], start[2], end[2]))


@scenario("every window opened and closed many times leaves no objects behind", screen=480, timeout=900)
def _(t):
    rounds = int(os.environ.get("ULMAR_LONG_ROUNDS", "25"))
    data = logfiles.numbered_log(30)
    t.write("MYLOG.ULM", data)
    app = t.start()
    one_round(app)  # the first round loads what stays loaded (fonts, bitmaps of the main window)
    start = figures(app)
    for _ in range(rounds):
        one_round(app)
    end = figures(app)
    check_flat(t, start, end, "%d rounds of every window" % rounds)
    app.command(app.main, CMD_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")
    t.equal(t.read("MYLOG.ULM"), data, "the log is unchanged")


@scenario("many saves in one opening of the logging window: all kept, nothing grows", screen=480, timeout=1800)
def _(t):
    saves = int(os.environ.get("ULMAR_LONG_SAVES", "400"))
    t.write("MYLOG.ULM", b"")
    app = t.start()
    app.command(app.main, CMD_LOGGING)
    win = app.window(LOGGING)
    start = None
    for n in range(saves):
        if n == 20:  # once the recent list is full, its rows are reused
            start = figures(app)
        app.set_text(win, LOG_STATION, "Report %d" % n)
        app.click(win, LOG_ON)
        if until(lambda: app.text(win, LOG_STATION), "", timeout=60) != "":
            t.check(False, "save %d not confirmed" % n)
            break
    end = figures(app)
    if start:
        check_flat(t, start, end, "%d saves" % saves)
    app.key(win, VK_ESCAPE)
    app.gone(win)
    app.command(app.main, CMD_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")
    log = t.read("MYLOG.ULM")
    t.equal(len(log), saves * 115, "the log is exactly the saves")
    t.equal([r["Station"].rstrip() for r in logfiles.records(log)], ["Report %d" % n for n in range(saves)],
            "every report in order")

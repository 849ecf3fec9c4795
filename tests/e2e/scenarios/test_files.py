"""Switching logs with "&Open" / "&New", the backup-drive window and the backup
made when the program ends."""
import os
import subprocess

from harness import until, scenario, IDOK, IDCANCEL, VK_ESCAPE, VK_RETURN
import logfiles
import steps
from ids import MAIN_TITLE as TITLE, BACKUP_TITLE, LOGGING_TITLE, MAIN_MENU_OPEN as CMD_OPEN, \
    MAIN_MENU_NEW as CMD_NEW, MAIN_BUTTON_EXIT as CMD_EXIT, MAIN_MENU_BACKUP_DRIVE as CMD_BACKUP_DRIVE, \
    MAIN_BUTTON_LOGGING as CMD_LOGGING, MAIN_MENU_EXIT, BACKUP_EDIT_DRIVE as DRIVE_BOX, \
    BACKUP_LABEL_DRIVE as DRIVE_LABEL, BACKUP_BUTTON_EXIT as EXIT_BUTTON, BACKUP_LABEL_KEPT as KEPT_LABEL, \
    BACKUP_EDIT_KEPT as KEPT_BOX, BACKUP_LABEL_NEWEST as NEWEST_LABEL, BACKUP_NEWEST_LINE as NEWEST_LINE, LOGGING_EDIT_ENTRY_NUMBER as ENTRY_NUMBER, \
    LOGGING_EDIT_STATION as STATION_BOX, LOGGING_BUTTON_LOG_ON as LOG_ON, WS_SYSMENU, WS_CAPTION, WS_THICKFRAME, \
    ES_UPPERCASE, ES_AUTOHSCROLL, ES_NUMBER, WS_TABSTOP, WS_EX_CLIENTEDGE

GAP = " " * 60

DIALOG_TITLE = "Open a Log file"
FILE_TYPE_ID = 0x470
LOOK_IN_ID = 0x471  # the folder list at the top: it shows the folder the dialog is in
WM_USER = 0x0400

BACKUP_FONT = ("Courier", 8)



def title_for(path):
    return TITLE + GAP + path


# -- the Open dialog ------------------------------------------------------------

def open_dialog(app, main, command):
    app.command(main, command)
    return app.window(DIALOG_TITLE)


def type_name(app, dialog, name):
    steps.type_file_name(app, dialog, name)


def go_into(app, dialog, folder):
    """Types a folder's name: the dialog goes into it, and shows it at the top once there."""
    type_name(app, dialog, folder)
    return until(lambda: app.text(dialog, LOOK_IN_ID), folder)


def choose(app, dialog, name):
    type_name(app, dialog, name)
    app.gone(dialog)


def cancel(app, dialog):
    app.command(dialog, IDCANCEL)
    app.gone(dialog)


def start_on_log(t, entries):
    """MYLOG.ULM of `entries` numbered entries and the program started on it:
    (the log's bytes, the program, its main window)."""
    old = logfiles.numbered_log(entries)
    t.write("MYLOG.ULM", old)
    app = t.start()
    return old, app, app.window(TITLE)


def finish(t, app, main):
    app.command(main, CMD_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


# -- the logging window (shows EntryCount + 1 and appends reports) -------------

def next_entry_number(app, main):
    app.command(main, CMD_LOGGING)
    window = app.window(LOGGING_TITLE)
    number = app.text(window, ENTRY_NUMBER)
    app.key(window, VK_ESCAPE)
    app.gone(window)
    return number


def log_report(app, main, station):
    app.command(main, CMD_LOGGING)
    window = app.window(LOGGING_TITLE)
    app.set_text(window, STATION_BOX, station)
    app.click(window, LOG_ON)
    # A confirmed report clears the form for the next one.
    if until(lambda: app.text(window, STATION_BOX), "") != "":
        raise AssertionError("the report %r was not confirmed" % station)
    app.key(window, VK_ESCAPE)
    app.gone(window)


def stations(data):
    return [r["Station"].rstrip() for r in logfiles.records(data)]


# -- drive letters ---------------------------------------------------------------

def map_drive(t, letter, folder_name):
    """Drive `letter`: becomes the scenario's sub-folder `folder_name`."""
    folder = t.dir / folder_name
    t.map_drive(letter, folder)
    return folder


def unmapped_letter(t):
    for letter in "KLMNOPRSTUVWXY":
        if not os.path.lexists(t.prefix / "dosdevices" / (letter.lower() + ":")):
            return letter
    raise AssertionError("every test letter is mapped")


# -- switching logs --------------------------------------------------------------

@scenario("New: typing NIGHT creates an empty NIGHT.LOG in the current folder", screen=480)
def _(t):
    old, app, main = start_on_log(t, 2)
    dialog = open_dialog(app, main, CMD_NEW)
    t.equal(app.text(dialog, FILE_TYPE_ID), "Log Files (*.ULM)", "the one filter")
    t.equal(app.text(steps.file_name_box(app, dialog)), "", "the file name starts empty")
    t.check(not app.is_enabled(main), "the main window is disabled under the dialog")
    choose(app, dialog, "NIGHT")
    night = t.win_path("NIGHT.LOG")
    t.equal(app.text(main), title_for(night), "title ends with the new log's full path")
    t.check(t.exists("NIGHT.LOG"), "NIGHT.LOG is created, with the default extension LOG")
    t.equal(t.read("NIGHT.LOG"), b"", "the new log is empty")
    t.check(not t.exists("NIGHT"), "no file without the extension")
    t.equal(t.read("MYLOG.ULM"), old, "the old log's bytes are unchanged")
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings(night), "the settings name the new log")
    t.equal(t.read("MYLOG.ULM"), old, "the old log's bytes are still unchanged")


@scenario("New: a report logged after NIGHT is its entry 1", screen=480)
def _(t):
    old, app, main = start_on_log(t, 2)
    choose(app, open_dialog(app, main, CMD_NEW), "NIGHT")
    t.equal(next_entry_number(app, main), "1", "entry number of the next report")
    log_report(app, main, "Radio Night")
    data = t.read("NIGHT.LOG")
    t.equal(len(data), 115, "NIGHT.LOG holds one record")
    t.equal(stations(data), ["Radio Night"], "the report is entry 1 of NIGHT.LOG")
    t.equal(t.read("MYLOG.ULM"), old, "the old log is untouched")
    finish(t, app, main)


@scenario("New, then cancel: the previous log is open again", screen=480)
def _(t):
    old, app, main = start_on_log(t, 3)
    cancel(app, open_dialog(app, main, CMD_NEW))
    t.equal(app.text(main), title_for("MYLOG.ULM"), "title back on the previous log")
    t.equal(t.read("MYLOG.ULM"), old, "the previous log is unchanged")
    # Open, then close the dialog's frame: the same as a cancel.
    dialog = open_dialog(app, main, CMD_OPEN)
    app.close_window(dialog)
    app.gone(dialog)
    t.equal(app.text(main), title_for("MYLOG.ULM"), "title after closing the dialog")
    t.equal(sorted(p.name for p in t.dir.iterdir()), ["MYLOG.ULM"], "no other file appears")
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM"), "settings keep the previous log")
    t.equal(t.read("MYLOG.ULM"), old, "log bytes after the run")


@scenario("New, then cancel: a report logged afterwards follows the old entries", screen=480)
def _(t):
    old, app, main = start_on_log(t, 3)
    cancel(app, open_dialog(app, main, CMD_NEW))
    t.equal(next_entry_number(app, main), "4", "the previous log's entries are counted")
    log_report(app, main, "Radio After")
    data = t.read("MYLOG.ULM")
    t.equal(data[:len(old)], old, "the old entries keep their bytes")
    t.equal(stations(data), ["S1", "S2", "S3", "Radio After"], "the report is appended as entry 4")
    finish(t, app, main)


@scenario("Open of the current log closes it, reopens it and counts it again", screen=480)
def _(t):
    t.write("MYLOG.ULM", logfiles.numbered_log(2))
    app = t.start()
    main = app.window(TITLE)
    t.equal(next_entry_number(app, main), "3", "two entries at start")
    dialog = open_dialog(app, main, CMD_OPEN)
    # The log is closed while the dialog is open: another program may add to it.
    grown = logfiles.numbered_log(2) + logfiles.entry("Radio Outside")
    t.write("MYLOG.ULM", grown)
    choose(app, dialog, t.win_path("MYLOG.ULM"))
    t.equal(app.text(main), title_for(t.win_path("MYLOG.ULM")), "title shows the full path now")
    t.equal(next_entry_number(app, main), "4", "the entry count is taken again from the file")
    t.equal(t.read("MYLOG.ULM"), grown, "reopening changes no byte")
    finish(t, app, main)


@scenario("Open refuses a name that does not exist", screen=480)
def _(t):
    old, app, main = start_on_log(t, 1)
    dialog = open_dialog(app, main, CMD_OPEN)
    type_name(app, dialog, "NOSUCH.ULM")
    app.settle(dialog)
    box = app.find_box(timeout=2)
    if box:  # the dialog says why it refuses
        app.answer(box, IDOK)
    t.check(app.exists(dialog), "the dialog stays open")
    t.equal(app.text(main), title_for("MYLOG.ULM"), "nothing changes while the dialog is open")
    cancel(app, dialog)
    t.equal(app.text(main), title_for("MYLOG.ULM"), "the previous log after the cancel")
    t.check(not t.exists("NOSUCH.ULM") and not t.exists("NOSUCH.ULM.LOG"), "no file is created")
    finish(t, app, main)
    t.equal(t.read("MYLOG.ULM"), old, "the log is unchanged")


@scenario("Open of a log in another folder keeps the settings file in the working folder", screen=480)
def _(t):
    other = logfiles.numbered_log(4)
    t.write("MYLOG.ULM", logfiles.numbered_log(1))
    t.write("far/OTHER.ULM", other)
    app = t.start()
    main = app.window(TITLE)
    dialog = open_dialog(app, main, CMD_OPEN)
    t.equal(go_into(app, dialog, "far"), "far", "the dialog goes into the folder")
    t.check(app.exists(dialog), "the dialog stays open in the folder")
    choose(app, dialog, "OTHER.ULM")
    path = t.win_path("far\\OTHER.ULM")
    t.equal(app.text(main), title_for(path), "title shows the chosen log")
    # The default log name is relative: after another switch and a cancel it
    # must still be the one in the working folder.
    cancel(app, open_dialog(app, main, CMD_NEW))
    t.equal(app.text(main), title_for(path), "cancel keeps the chosen log")
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings(path), "CURLOG.DTA in the working folder names the log")
    t.check(not t.exists("far/CURLOG.DTA"), "no settings file in the log's folder")
    t.equal(t.read("far/OTHER.ULM"), other, "the chosen log is unchanged")


@scenario("a file name too long for the dialog leaves the previous log", screen=480)
def _(t):
    old, app, main = start_on_log(t, 2)
    dialog = open_dialog(app, main, CMD_NEW)
    # A full path of 260 characters does not fit the 260-byte buffer with its
    # terminator; the dialog fails and leaves the size it needed in the buffer.
    folder = t.win_path() + "\\"
    name = "N" * (260 - len(folder) - 4) + ".ULM"
    t.equal(len(folder + name), 260, "length of the typed path")
    choose(app, dialog, name)
    t.equal(app.text(main), title_for("MYLOG.ULM"), "the previous log is open again")
    t.equal(sorted(p.name for p in t.dir.iterdir()), ["MYLOG.ULM"], "no file is created")
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM"), "the settings keep the previous log")
    t.equal(t.read("MYLOG.ULM"), old, "the previous log is unchanged")


def drag(t, app, window, start, end):
    """A real mouse drag of `window` on the scenario's X display: the moves start
    once the window is being moved, and the drag ends once it no longer is."""
    env = dict(os.environ, DISPLAY=":%d" % t.display.number)

    def xdotool(*step):
        subprocess.run(["xdotool"] + [str(word) for word in step], env=env, check=True, timeout=30)

    xdotool("mousemove", start[0], start[1])
    xdotool("mousedown", 1)
    t.check(until(lambda: app.moving(window), True), "pressing the title bar starts a move")
    for k in range(1, 6):
        xdotool("mousemove", start[0] + (end[0] - start[0]) * k // 5, start[1] + (end[1] - start[1]) * k // 5)
    xdotool("mouseup", 1)
    t.equal(until(lambda: app.moving(window), False), False, "letting go ends the move")


@scenario("the Open dialog opens at (100, 100) and stays where it is dragged", screen=768)
def _(t):
    t.write("sub/A.ULM", logfiles.numbered_log(1))
    app = t.start()
    main = app.window(TITLE)
    dialog = open_dialog(app, main, CMD_OPEN)
    left, top, right, bottom = app.rect(dialog)
    t.equal((left, top), (100, 100), "the dialog's frame opens at (100, 100), unscaled")
    t.screenshot("open-dialog-768")
    drag(t, app, dialog, (left + 150, top + 10), (left + 330, top + 130))
    # Where the frame lands is the window system's business (on a loaded X
    # server one pointer step may count twice); the program's part is to leave
    # it there. So the drag must have carried the dialog, whole, by most of the
    # pointer's way, and from then on it must stay put.
    moved = app.rect(dialog)
    dx, dy = moved[0] - left, moved[1] - top
    t.check(144 <= dx <= 216 and 96 <= dy <= 144, "the drag moved the dialog by (%d, %d)" % (dx, dy))
    t.equal((moved[2] - moved[0], moved[3] - moved[1]), (right - left, bottom - top), "the dialog keeps its size")
    # The dialog calls its hook again: going into a folder, and any message to it.
    t.equal(go_into(app, dialog, "sub"), "sub", "the dialog goes into the folder")
    hooks = [c for c in app.children(dialog) if c["cls"] == "#32770"]
    for hook in hooks:
        app.send(hook["hwnd"], None, WM_USER, 0, 0)
    t.check(hooks, "the dialog has its hook window")
    t.equal(app.rect(dialog), moved, "the dialog stays where it was dragged")
    choose(app, dialog, "A.ULM")
    t.equal(app.text(main), title_for(t.win_path("sub\\A.ULM")), "a log chosen after the drag")
    finish(t, app, main)


# -- the backup-drive window -------------------------------------------------------

def open_backup_window(app, main):
    app.command(main, CMD_BACKUP_DRIVE)
    return app.window(BACKUP_TITLE)


def scaled(value, screen):
    return round(value * {480: 1.0, 768: 1.6}[screen])


def check_backup_layout(t, app, main, window, screen):
    state = app.state(window)
    t.equal(state["style"] & WS_CAPTION, WS_CAPTION, "the window has a caption")
    t.equal(state["style"] & (WS_SYSMENU | WS_THICKFRAME), 0, "no system menu, close box or sizing border")
    t.equal(app.owner(window), main, "owned by the main window")
    origin = app.client_origin(window)
    client = app.client_rect(window)
    size = app.dialog_units(BACKUP_FONT[0], BACKUP_FONT[1], 0, 0, scaled(240, screen), scaled(76, screen))
    t.equal(client[2:], size[2:], "client size 240 x 76 scaled")
    width, height = {480: (640, 480), 768: (1024, 768)}[screen]
    left, top, right, bottom = app.rect(window)
    t.check(abs((left + right) - width) <= 2 and abs((top + bottom) - height) <= 2,
            "centred on the screen: %r" % ((left, top, right, bottom),))
    children = app.children(window)
    t.equal([(c["id"], c["cls"]) for c in children],
            [(DRIVE_LABEL, "Static"), (DRIVE_BOX, "Edit"), (KEPT_LABEL, "Static"), (KEPT_BOX, "Edit"),
             (NEWEST_LABEL, "Static"), (NEWEST_LINE, "Static"), (EXIT_BUTTON, "Button")], "controls in order")
    layout = {DRIVE_LABEL: (5, 8, 54, 10), DRIVE_BOX: (64, 8, 8, 10), KEPT_LABEL: (5, 24, 104, 10),
              KEPT_BOX: (112, 24, 16, 10), NEWEST_LABEL: (5, 40, 80, 10), NEWEST_LINE: (5, 50, 230, 20),
              EXIT_BUTTON: (200, 8, 30, 20)}
    for c in children:
        want = app.dialog_units(BACKUP_FONT[0], BACKUP_FONT[1], *layout[c["id"]])
        l, tp, r, b = c["rect"]
        t.equal((l - origin[0], tp - origin[1], r - l, b - tp), want, "pixel rectangle of control %d" % c["id"])
        t.check(r - origin[0] <= client[2] and b - origin[1] <= client[3],
                "control %d lies inside the window, nothing cut off" % c["id"])
    t.equal(app.text(window, DRIVE_LABEL), "Drive Letter:", "label text")
    t.equal(app.text(window, EXIT_BUTTON), "E&xit", "button text")
    t.equal(app.text(window, KEPT_LABEL), "Dated copies kept (0-99):", "label of the count")
    t.equal(app.text(window, NEWEST_LABEL), "Newest dated copy:", "label of the newest copy")
    style = app.state(window, DRIVE_BOX)["style"]
    t.check(style & ES_UPPERCASE, "the box converts to upper case")
    t.check(not style & ES_AUTOHSCROLL, "the box does not scroll")
    t.check(style & WS_TABSTOP, "the box is a tab stop")
    # The edit control draws a plain border itself (it takes WS_BORDER off its
    # window style); a sunken one would be a client edge.
    t.equal(app.state(window, DRIVE_BOX)["exstyle"] & WS_EX_CLIENTEDGE, 0, "a plain border, not a sunken one")


def backup_layout_scenario(screen):
    @scenario("backup-drive window layout at %d" % screen, screen=screen)
    def _(t):
        t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "A"))
        app = t.start()
        main = app.window(TITLE)
        window = open_backup_window(app, main)
        check_backup_layout(t, app, main, window, screen)
        t.equal(app.text(window, DRIVE_BOX), "A", "the box starts with the backup drive")
        t.equal(app.text(window, KEPT_BOX), "10", "the count box starts with N")
        t.equal(app.text(window, NEWEST_LINE), "(none found)", "no dated copy on the unmapped drive")
        t.check(not app.is_enabled(main), "the main window is disabled")
        t.screenshot("backup-drive-window-%d" % screen)
        app.click(window, EXIT_BUTTON)
        app.gone(window)
        t.check(app.is_enabled(main), "the main window is enabled again")
        app.command(main, MAIN_MENU_EXIT)
        app.answer(app.box("Log not backed up"), IDOK)  # drive A: is not mapped here
        app.wait_exit()


backup_layout_scenario(480)
backup_layout_scenario(768)


@scenario("backup window: Escape without typing keeps the letter", screen=480)
def _(t):
    backup = map_drive(t, "Q", "qdrive")
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "Q"))
    t.write("MYLOG.ULM", logfiles.numbered_log(1))
    app = t.start()
    main = app.window(TITLE)
    window = open_backup_window(app, main)
    t.equal(until(lambda: app.focus_id(window), DRIVE_BOX), DRIVE_BOX, "the box has the focus")
    app.key(window, VK_RETURN)
    t.check(app.exists(window), "Enter in the box does nothing")
    app.key(window, VK_ESCAPE)
    app.gone(window)
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM", "Q"), "the letter is kept")
    t.equal((backup / "MYLOG.ULM").read_bytes(), logfiles.numbered_log(1), "the backup is made to Q:")


@scenario("backup window: a typed letter is upper case and fills the box", screen=480)
def _(t):
    map_drive(t, "R", "rdrive")
    app = t.start()
    main = app.window(TITLE)
    window = open_backup_window(app, main)
    t.equal(app.text(window, DRIVE_BOX), "", "no drive set at first run")
    t.equal(until(lambda: app.focus_id(window), DRIVE_BOX), DRIVE_BOX, "the box has the focus")
    app.key(window, ord("R"), DRIVE_BOX)
    t.equal(until(lambda: app.text(window, DRIVE_BOX), "R"), "R", "a lower-case key gives R")
    app.key(window, ord("S"), DRIVE_BOX)
    t.equal(app.text(window, DRIVE_BOX), "R", "the full box takes no second letter")
    app.click(window, EXIT_BUTTON)
    app.gone(window)
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM", "R"), "the typed letter is saved")


@scenario("backup window: emptying the box turns the backup off", screen=480)
def _(t):
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", unmapped_letter(t)))
    app = t.start()
    main = app.window(TITLE)
    window = open_backup_window(app, main)
    app.set_text(window, DRIVE_BOX, "")
    app.click(window, EXIT_BUTTON)
    app.gone(window)
    app.command(main, CMD_EXIT)
    t.check(app.no_box(1.5), "no backup is tried, so no message")
    t.equal(app.wait_exit(), 0, "exit code")
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM"), "CURLOG.DTA has an empty second line")


@scenario("backup window: whatever the box holds is stored", screen=480)
def _(t):
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "Q"))
    app = t.start()
    main = app.window(TITLE)
    window = open_backup_window(app, main)
    app.set_text(window, DRIVE_BOX, "7")
    app.key(window, VK_ESCAPE)
    app.gone(window)
    app.command(main, CMD_EXIT)
    box = app.box("Log not backed up")
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM", "7"), "the text is stored unchecked")
    app.answer(box, IDOK)
    app.wait_exit()


@scenario("backup window: the count of dated copies is stored; empty or impossible keeps the previous", screen=480)
def _(t):
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "", generations=7))
    app = t.start()
    main = app.window(TITLE)
    for typed, kept in (("3", 3), ("", 3), ("100", 3), ("0", 0), ("99", 99)):
        window = open_backup_window(app, main)
        app.set_text(window, KEPT_BOX, typed)
        app.key(window, VK_ESCAPE)  # Escape stores like E&xit
        app.gone(window)
        window = open_backup_window(app, main)
        t.equal(app.text(window, KEPT_BOX), str(kept), "after %r the box shows N" % typed)
        app.click(window, EXIT_BUTTON)
        app.gone(window)
    t.check(app.state(open_backup_window(app, main), KEPT_BOX)["style"] & ES_NUMBER, "the box takes digits only")
    app.key(app.window(BACKUP_TITLE), VK_ESCAPE)
    finish(t, app, main)
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM", "", generations=99), "N is the fourth line")


@scenario("backup window: the newest dated copy on the drive, by its sequence", screen=480)
def _(t):
    backup = map_drive(t, "Q", "qdrive")
    folder = backup / "ULMAR-BACKUP"
    folder.mkdir()
    for name in ("MYLOG-000009-20261207-194512Z.ULM", "MYLOG-000010-20250101-010203Z.ULM",
                 "NIGHT-000050-20261231-000000Z.ULM", "~ULMAR.TMP"):
        (folder / name).write_bytes(b"x")
    t.write("MYLOG.ULM", logfiles.numbered_log(1))
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "Q"))
    app = t.start()
    main = app.window(TITLE)
    window = open_backup_window(app, main)
    t.equal(app.text(window, NEWEST_LINE), "01-01-2025 01:02:03 UTC  Q:ULMAR-BACKUP\\MYLOG-000010-20250101-010203Z.ULM",
            "the highest sequence of this log, though its clock was set back")
    t.screenshot("backup-drive-window-newest")
    app.key(window, VK_ESCAPE)
    app.gone(window)
    finish(t, app, main)


# -- the backup at exit ----------------------------------------------------------

@scenario("backup to a mapped drive is an exact copy named after the log", screen=480)
def _(t):
    backup = map_drive(t, "Q", "qdrive")
    data = logfiles.numbered_log(5) + b"\xff\x00tail"
    t.write("logs/DX.ULM", data)
    path = t.win_path("logs\\DX.ULM")
    t.write("CURLOG.DTA", logfiles.settings(path, "Q"))
    app = t.start()
    main = app.window(TITLE)
    app.command(main, CMD_EXIT)
    t.check(app.no_box(1.5), "a successful backup shows nothing")
    t.equal(app.wait_exit(), 0, "exit code")
    t.equal(sorted(p.name for p in backup.iterdir()), ["DX.ULM", "ULMAR-BACKUP"], "one copy at the drive's root")
    t.equal((backup / "DX.ULM").read_bytes(), data, "the copy has the log's bytes")
    dated = list((backup / "ULMAR-BACKUP").iterdir())
    t.equal(len(dated), 1, "one dated copy")
    t.check(dated and dated[0].name.startswith("DX-000001-") and dated[0].name.endswith("Z.ULM"),
            "the dated copy's name: %r" % dated)
    t.check(dated and dated[0].read_bytes() == data, "the dated copy has the log's bytes")
    t.equal(t.read("logs/DX.ULM"), data, "the log itself is unchanged")


@scenario("backup overwrites an existing copy", screen=480)
def _(t):
    backup = map_drive(t, "Q", "qdrive")
    (backup / "MYLOG.ULM").write_bytes(b"old" * 1000)
    data = logfiles.numbered_log(2)
    t.write("MYLOG.ULM", data)
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "Q"))
    app = t.start()
    main = app.window(TITLE)
    finish(t, app, main)
    t.equal((backup / "MYLOG.ULM").read_bytes(), data, "the old copy is replaced")


@scenario("backup after New copies the new log under its own name", screen=480)
def _(t):
    backup = map_drive(t, "Q", "qdrive")
    t.write("MYLOG.ULM", logfiles.numbered_log(3))
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "Q"))
    app = t.start()
    main = app.window(TITLE)
    choose(app, open_dialog(app, main, CMD_NEW), "NIGHT")
    finish(t, app, main)
    t.equal(sorted(p.name for p in backup.iterdir()), ["NIGHT.LOG", "ULMAR-BACKUP"],
            "the copy is named after the new log")
    t.equal((backup / "NIGHT.LOG").read_bytes(), b"", "an exact copy of the empty log")


@scenario("backup to an unmapped drive says Log not backed up after the settings are written", screen=480)
def _(t):
    letter = unmapped_letter(t)
    data = logfiles.numbered_log(2)
    t.write("MYLOG.ULM", data)
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", letter))
    app = t.start()
    main = app.window(TITLE)
    app.command(main, CMD_EXIT)
    box = app.box("Log not backed up")
    t.equal((box.caption, box.text), ("Corvane", "Log not backed up\r\n\r\nThe copy %s:~ULMAR.TMP could not be "
                                      "made. The drive may be missing or write-protected." % letter),
            "message box caption and text")
    t.check(not app.exists(main), "the main window has gone before the message")
    t.equal(t.read("CURLOG.DTA"), logfiles.settings("MYLOG.ULM", letter), "CURLOG.DTA is written first")
    buttons = [app.text(box.hwnd, c["id"]) for c in app.children(box.hwnd) if c["cls"] == "Button"]
    t.equal(buttons, ["OK"], "only an OK button")
    icons = [c for c in app.children(box.hwnd) if c["cls"] == "Static" and c["style"] & 0x3 == 0x3]
    t.check(icons, "the box shows an icon")
    t.screenshot("backup-failed")
    app.answer(box, IDOK)
    t.equal(app.wait_exit(), 0, "the program ends normally")
    t.equal(t.read("MYLOG.ULM"), data, "the log is unchanged")


@scenario("backup to a full disk says Log not backed up", screen=480)
def _(t):
    disk = t.small_disk("tiny", 64)
    t.map_drive("Q", disk)
    data = logfiles.numbered_log(1000)  # 115,000 bytes on a 64 KiB disk
    t.write("MYLOG.ULM", data)
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "Q"))
    app = t.start()
    main = app.window(TITLE)
    app.command(main, CMD_EXIT)
    box = app.box("Log not backed up")
    t.equal(box.caption, "Corvane", "message box caption")
    app.answer(box, IDOK)
    t.equal(app.wait_exit(), 0, "the program ends normally")
    t.equal(t.read("MYLOG.ULM"), data, "the log is unchanged")
    copy = disk / "MYLOG.ULM"
    t.check(not copy.exists() or copy.read_bytes() != data, "no complete copy claims to be there")

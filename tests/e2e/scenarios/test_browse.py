"""The browse window: pages of the log, station search, deletion, view and edit."""
import subprocess

from harness import until, scenario, IDOK, IDYES, IDNO, VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_DELETE, VK_ESCAPE, \
    VK_RETURN
import logfiles
from ids import BROWSE_TITLE as BROWSE, VIEW_TITLE as VIEW, MAIN_BUTTON_BROWSE, MAIN_BUTTON_EXIT, \
    BROWSE_LIST_ENTRIES as LIST, BROWSE_EDIT_STATION as STATION, BROWSE_BUTTON_SEARCH as SEARCH, \
    BROWSE_BUTTON_VIEW as VIEW_BUTTON, BROWSE_EDIT_FIRST_SHOWN as FIRST, BROWSE_EDIT_LAST_SHOWN as LAST, \
    BROWSE_CONTROLS, BROWSE_LABEL_HEADING, BROWSE_LABEL_KEYS_HINT, VIEW_EDIT_FREQ as FREQ_BOX, \
    VIEW_EDIT_STATION as STATION_BOX, VIEW_EDIT_LOCATION as LOCATION_BOX, VIEW_EDIT_REMARKS as REMARKS_BOX, \
    VIEW_BUTTON_EXIT as EXIT, VIEW_LABEL_STATION, LB_GETCURSEL, LB_SETCURSEL, LB_GETITEMHEIGHT, LBN_SELCHANGE, ES_RIGHT

WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK = 0x0201, 0x0202, 0x0203
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
PAGE = {480: 24, 768: 40}


# -- logs and the lines the list must show ---------------------------------------

def record(n, station=None):
    """Entry n of the test logs: every field tells which entry it is."""
    return logfiles.entry(station or "S%d" % n, date="%02d-%02d-20%02d" % (n % 28 + 1, n % 12 + 1, n % 100),
                          time="%02d:%02d" % (n % 24, n % 60), freq=str(5000 + n), location="Place %d" % n,
                          remarks="remark %d" % n)


def log(count, stations=None):
    stations = stations or {}
    return b"".join(record(n, stations.get(n)) for n in range(1, count + 1))


def without(data, n):
    """The log's bytes with entry n taken out."""
    return data[:(n - 1) * 115] + data[n * 115:]


def line(rec):
    """The list row of one record: the marker byte and the displayed line."""
    date = rec["Date"]
    digits = date[3:5].lstrip(" ")
    month = int(digits) if digits.isdigit() else 0
    name = MONTHS[month - 1] if 1 <= month <= 12 else ""
    freq = rec["Freq"].rstrip(" ").rjust(6)
    return "\xff" + " ".join([date[0:2], name, date[6:10], rec["Time"], rec["Station"], rec["Location"],
                              freq + "KHz", rec["Remarks"]])


def rows_for(data, first, last):
    recs = logfiles.records(data)
    return [line(r) for r in recs[first - 1:last]]


# -- working the window ------------------------------------------------------------



def open_browse(t, data, name="MYLOG.ULM"):
    t.write(name, data)
    app = t.start()
    app.command(app.main, MAIN_BUTTON_BROWSE)
    return app, app.window(BROWSE)


def shown(app, browse):
    return app.text(browse, FIRST), app.text(browse, LAST)


def press_and_check(t, app, browse, data, steps):
    """Each step: a key pressed in the browse window, then the entries the page
    must show from and to, and what the step is."""
    for key, first, last, what in steps:
        press(app, browse, key)
        check_page(t, app, browse, data, first, last, what)


def check_page(t, app, browse, data, first, last, what):
    t.equal(until(lambda: shown(app, browse), (" %d" % first, " %d" % last)), (" %d" % first, " %d" % last),
            "range fields " + what)
    t.equal(app.list_rows(browse, LIST), rows_for(data, first, last), "rows " + what)


def cursel(app, browse):
    return app.send(browse, LIST, LB_GETCURSEL)


def choose(app, browse, line_number):
    """Chooses a line as a click does: the list's selection, then its notification."""
    app.send(browse, LIST, LB_SETCURSEL, line_number - 1, 0)
    app.send_command(browse, LIST, LBN_SELCHANGE)


def press(app, window, vk, id=None):
    app.key(window, vk, id)


def close_browse(t, app, browse):
    press(app, browse, VK_ESCAPE)
    app.gone(browse)
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


# -- opening, the page and the page keys --------------------------------------------

def layout_scenario(screen):
    @scenario("browse window opens on the first page at %d" % screen, screen=screen)
    def _(t):
        data = log(100)
        app, browse = open_browse(t, data)
        t.equal(app.text(browse), BROWSE + " " * 30 + "MYLOG.ULM", "title")
        check_page(t, app, browse, data, 1, PAGE[screen], "on opening")
        t.equal(until(lambda: app.focus_id(browse), LIST), LIST, "the list has the focus")
        t.check(not app.is_enabled(app.main), "the main window is disabled while browsing")
        ids = [c["id"] for c in app.children(browse)]
        t.equal(ids, BROWSE_CONTROLS, "controls in creation order")
        t.equal(app.text(browse, BROWSE_LABEL_HEADING), "  Date      Time    Station" + " " * 15 + "Location" + " " * 15 + "Freq " +
                " " * 20 + "Remarks  ", "column heading")
        t.equal(app.text(browse, BROWSE_LABEL_KEYS_HINT), " Use PAGE UP, PAGE DOWN, HOME and END keys to navigate", "key hint")
        t.equal(cursel(app, browse), -1, "no line is selected")
        close_browse(t, app, browse)
        t.equal(t.read("MYLOG.ULM"), data, "browsing leaves the log as it was")


layout_scenario(480)
layout_scenario(768)


@scenario("page keys page through a hundred entries in steps of 23", screen=480)
def _(t):
    data = log(100)
    app, browse = open_browse(t, data)
    press_and_check(t, app, browse, data, [
        (VK_NEXT, 24, 47, "after PAGE DOWN to 24"),
        (VK_NEXT, 47, 70, "after PAGE DOWN to 47"),
        (VK_NEXT, 70, 93, "after PAGE DOWN to 70"),
        (VK_NEXT, 77, 100, "after PAGE DOWN to 77"),
        (VK_NEXT, 77, 100, "after PAGE DOWN at the end"),
        (VK_PRIOR, 54, 77, "after PAGE UP"),
        (VK_HOME, 1, 24, "after HOME"),
        (VK_END, 77, 100, "after END"),
    ])
    close_browse(t, app, browse)


@scenario("page keys at 1024x768 move by 39 entries", screen=768)
def _(t):
    data = log(100)
    app, browse = open_browse(t, data)
    press_and_check(t, app, browse, data, [
        (VK_NEXT, 40, 79, "after PAGE DOWN"),
        (VK_NEXT, 61, 100, "after the second PAGE DOWN"),
        (VK_PRIOR, 22, 61, "after PAGE UP"),
        (VK_HOME, 1, 40, "after HOME"),
    ])
    close_browse(t, app, browse)


@scenario("page keys act while the Station field has the focus", screen=480)
def _(t):
    data = log(100)
    app, browse = open_browse(t, data)
    app.set_focus(browse, STATION)
    until(lambda: app.focus_id(browse), STATION)
    app.set_text(browse, STATION, "abc")
    press(app, browse, VK_END, STATION)
    check_page(t, app, browse, data, 77, 100, "after END in the Station field")
    t.equal(until(lambda: app.focus_id(browse), STATION), STATION, "END leaves the focus in the Station field")
    t.equal(app.text(browse, STATION), "abc", "END is not a key for the field")
    press(app, browse, VK_HOME, STATION)
    check_page(t, app, browse, data, 1, 24, "after HOME in the Station field")
    press(app, browse, VK_NEXT, STATION)
    check_page(t, app, browse, data, 24, 47, "after PAGE DOWN in the Station field")
    t.equal(until(lambda: app.focus_id(browse), LIST), LIST, "PAGE DOWN moves the focus to the list")
    close_browse(t, app, browse)


@scenario("a log of one page, and an empty log, do not page", screen=480)
def _(t):
    data = log(10)
    app, browse = open_browse(t, data)
    for vk in (VK_NEXT, VK_END, VK_PRIOR, VK_HOME):
        press(app, browse, vk)
        check_page(t, app, browse, data, 1, 10, "after key %d" % vk)
    app.close_window(browse)
    app.gone(browse)
    t.check(app.is_enabled(app.main), "the close box closes the browse window and enables the main window")
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


@scenario("an empty log shows an empty page and ignores every key", screen=480)
def _(t):
    app, browse = open_browse(t, b"")
    t.equal(shown(app, browse), (" 1", " 0"), "range fields of an empty log")
    for vk in (VK_NEXT, VK_END, VK_PRIOR, VK_HOME, VK_DELETE):
        press(app, browse, vk)
    app.command(browse, VIEW_BUTTON)
    t.check(app.no_box(0.5), "no message for DELETE on an empty log")
    t.check(app.find_window(VIEW, 0.5) is None, "View opens nothing")
    t.equal(app.list_count(browse, LIST), 0, "no rows")
    app.set_focus(browse, STATION)
    app.set_text(browse, STATION, "S")
    press(app, browse, VK_RETURN, STATION)
    box = app.box("End of search")
    t.equal(box.caption, "Station Search", "an empty log ends every search")
    app.answer(box, IDOK)
    close_browse(t, app, browse)
    t.equal(t.read("MYLOG.ULM"), b"", "the empty log stays empty")


@scenario("no log selected says so and opens no window", screen=480)
def _(t):
    t.write("CURLOG.DTA", b"\r\n\r\n")
    app = t.start()
    app.command(app.main, MAIN_BUTTON_BROWSE)
    box = app.box("No Log Selected")
    t.equal(box.caption, "Ulmar", "title of the message")
    app.answer(box, IDOK)
    t.check(app.find_window(BROWSE, 0.5) is None, "no browse window")
    app.command(app.main, MAIN_BUTTON_EXIT)
    app.wait_exit()


# -- choosing lines --------------------------------------------------------------

@scenario("HOME and END keep the chosen line and show it on the new page", screen=480)
def _(t):
    data = log(100)
    app, browse = open_browse(t, data)
    choose(app, browse, 5)
    press(app, browse, VK_END)
    check_page(t, app, browse, data, 77, 100, "after END")
    t.equal(until(lambda: cursel(app, browse), 4), 4, "line 5 stays chosen and is highlighted")
    app.command(browse, VIEW_BUTTON)
    view = app.window(VIEW)
    t.equal(app.text(view, STATION_BOX), "S81", "View acts on line 5 of the new page")
    press(app, view, VK_ESCAPE)
    app.gone(view)
    press(app, browse, VK_NEXT)
    check_page(t, app, browse, data, 77, 100, "PAGE DOWN at the end does nothing")
    t.equal(cursel(app, browse), 4, "and leaves the chosen line")
    press(app, browse, VK_PRIOR)
    check_page(t, app, browse, data, 54, 77, "after PAGE UP")
    t.equal(cursel(app, browse), -1, "PAGE UP clears the chosen line")
    press(app, browse, VK_DELETE)
    t.check(app.no_box(0.5), "DELETE with no chosen line asks nothing")
    close_browse(t, app, browse)


@scenario("double-clicking a line selects it and opens it", screen=480)
def _(t):
    data = log(30)
    app, browse = open_browse(t, data)
    height = app.send(browse, LIST, LB_GETITEMHEIGHT, 0, 0)
    y = height * 6 + height // 2  # inside line 7
    point = (y << 16) | 40
    ox, oy = app.client_origin(app.control(browse, LIST))
    t.pointer_to(ox + 40, oy + y)
    for message in (WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP):
        app.post(browse, LIST, message, 1 if message != WM_LBUTTONUP else 0, point)
    view = app.window(VIEW)
    t.equal(cursel(app, browse), 6, "the clicked line is selected")
    t.equal(app.text(view, STATION_BOX), "S7", "the view window shows the clicked entry")
    t.equal(app.text(view, REMARKS_BOX), "remark 7", "remarks of the clicked entry")
    t.check(not app.is_enabled(browse), "the browse window is disabled under the view window")
    press(app, view, VK_ESCAPE)
    app.gone(view)
    t.check(app.is_enabled(browse), "the browse window is enabled again")
    close_browse(t, app, browse)
    t.equal(t.read("MYLOG.ULM"), data, "viewing writes nothing")


# -- station search ------------------------------------------------------------------

@scenario("station search finds entries 5 and 60, then says End of search", screen=480)
def _(t):
    data = log(100, {5: "Radio Target", 60: "RADIO TARGET two", 61: "Big Radio"})
    app, browse = open_browse(t, data)
    app.set_focus(browse, STATION)
    app.set_text(browse, STATION, "radio t")
    press(app, browse, VK_RETURN, STATION)
    t.equal(until(lambda: cursel(app, browse), 4), 4, "the first match selects line 5")
    check_page(t, app, browse, data, 1, 24, "after the first match")
    press(app, browse, VK_RETURN, STATION)
    check_page(t, app, browse, data, 60, 83, "after the second match")
    t.equal(until(lambda: cursel(app, browse), 0), 0, "the second match is the first line")
    press(app, browse, VK_RETURN, STATION)
    box = app.box("End of search")
    t.equal((box.caption, box.text), ("Station Search", "End of search"), "end of search message")
    app.answer(box, IDOK)
    t.equal(until(lambda: app.text(browse, STATION), ""), "", "the field is emptied when the focus returns")
    app.set_text(browse, STATION, "RADIO")
    press(app, browse, VK_RETURN, STATION)
    check_page(t, app, browse, data, 5, 28, "a new text starts again from entry 1; entry 5 is off the page")
    t.equal(until(lambda: cursel(app, browse), 0), 0, "entry 5 becomes the first line")
    press(app, browse, VK_HOME, STATION)
    press(app, browse, VK_END, STATION)
    check_page(t, app, browse, data, 77, 100, "after END")
    press(app, browse, VK_RETURN, STATION)
    t.check(app.no_box(0.5), "after a page key the search does nothing until the field is entered again")
    close_browse(t, app, browse)


@scenario("a match near the end shows the last page, a mouse click restarts the search", screen=480)
def _(t):
    data = log(100, {3: "Radiola", 95: "Radio Alpha"})
    app, browse = open_browse(t, data)
    app.set_focus(browse, STATION)
    app.set_text(browse, STATION, "radio ")
    app.click(browse, SEARCH)
    check_page(t, app, browse, data, 77, 100, "after the match at 95")
    t.equal(until(lambda: cursel(app, browse), 18), 18, "entry 95 is line 19")
    app.click(browse, SEARCH)
    box = app.box("End of search")
    app.answer(box, IDOK)
    close_browse(t, app, browse)


@scenario("a deletion before the search position does not skip the next match", screen=480)
def _(t):
    data = log(40, {5: "Radio Five", 6: "Radio Six"})
    app, browse = open_browse(t, data)
    app.set_focus(browse, STATION)
    app.set_text(browse, STATION, "radio")
    app.click(browse, SEARCH)  # the focus moves to the button, the search goes on from there
    t.equal(until(lambda: cursel(app, browse), 4), 4, "first match on line 5")
    choose(app, browse, 2)
    press(app, browse, VK_DELETE)
    app.answer(app.box("Are you sure?"), IDYES)
    t.equal(until(lambda: t.read("MYLOG.ULM"), without(data, 2)), without(data, 2), "entry 2 deleted")
    t.equal(until(lambda: shown(app, browse), (" 1", " 24")), (" 1", " 24"), "the page is shown again")
    app.click(browse, SEARCH)
    t.equal(until(lambda: cursel(app, browse), 4), 4, "the next match is the entry that moved to line 5")
    t.check(app.no_box(0.3), "no End of search")
    app.command(browse, VIEW_BUTTON)
    view = app.window(VIEW)
    t.equal(app.text(view, STATION_BOX), "Radio Six", "the match found is Radio Six")
    press(app, view, VK_ESCAPE)
    app.gone(view)
    close_browse(t, app, browse)


# -- deletion ----------------------------------------------------------------------

def read_only_log(t, data):
    """A log on a read-only file system, named in CURLOG.DTA. (Wine run as root writes
    into a file without write permission, so a mode of 0444 would not do.)"""
    mount = t.small_disk("ro", 1024)
    (mount / "MYLOG.ULM").write_bytes(data)
    subprocess.run(["mount", "-o", "remount,ro", str(mount)], check=True)
    t.write("CURLOG.DTA", logfiles.settings(t.win_path("ro\\MYLOG.ULM")))
    return lambda: (mount / "MYLOG.ULM").read_bytes()


@scenario("DELETE asks first; No keeps the entry, Yes removes it from the file", screen=480)
def _(t):
    data = log(100)
    app, browse = open_browse(t, data)
    press(app, browse, VK_END)
    check_page(t, app, browse, data, 77, 100, "after END")
    choose(app, browse, 12)
    press(app, browse, VK_DELETE)
    box = app.box("Are you sure?")
    t.equal(box.caption, "Delete Entry", "question title")
    buttons = [app.text(box.hwnd, c["id"]) for c in app.children(box.hwnd) if c["cls"] == "Button"]
    t.equal(buttons, ["&Yes", "&No"], "Yes and No buttons")
    app.answer(box, IDNO)
    t.equal(t.read("MYLOG.ULM"), data, "No deletes nothing")
    press(app, browse, VK_DELETE)
    app.answer(app.box("Are you sure?"), IDYES)
    after = without(data, 88)
    t.equal(until(lambda: t.read("MYLOG.ULM"), after), after, "entry 88 is gone, later ones moved down")
    check_page(t, app, browse, after, 76, 99, "the last page stays full")
    t.equal(cursel(app, browse), -1, "no line is chosen after a deletion")
    press(app, browse, VK_DELETE)
    t.check(app.no_box(0.5), "DELETE does nothing until a line is chosen again")
    close_browse(t, app, browse)
    t.equal(t.read("MYLOG.ULM"), after, "the log keeps 99 entries")


@scenario("deleting inside a log keeps the page; deleting the last entry cuts the file", screen=768)
def _(t):
    data = log(10)
    app, browse = open_browse(t, data)
    choose(app, browse, 3)
    press(app, browse, VK_DELETE)
    app.answer(app.box("Are you sure?"), IDYES)
    data = without(data, 3)
    check_page(t, app, browse, data, 1, 9, "after deleting entry 3")
    t.equal(t.read("MYLOG.ULM"), data, "entries 4-10 moved to 3-9")
    choose(app, browse, 9)
    press(app, browse, VK_DELETE)
    app.answer(app.box("Are you sure?"), IDYES)
    data = without(data, 9)
    check_page(t, app, browse, data, 1, 8, "after deleting the last entry")
    t.equal(t.read("MYLOG.ULM"), data, "the file is cut to 8 records")
    close_browse(t, app, browse)


@scenario("deleting the only entry leaves an empty log that takes the next entry", screen=480)
def _(t):
    app, browse = open_browse(t, log(1))
    choose(app, browse, 1)
    press(app, browse, VK_DELETE)
    app.answer(app.box("Are you sure?"), IDYES)
    t.equal(until(lambda: shown(app, browse), (" 1", " 0")), (" 1", " 0"), "range fields of the emptied log")
    t.equal(app.list_count(browse, LIST), 0, "no rows")
    t.equal(t.read("MYLOG.ULM"), b"", "the log file is there and empty")
    close_browse(t, app, browse)


@scenario("a deletion on a read-only log is reported and changes nothing", screen=480)
def _(t):
    data = log(10)
    current = read_only_log(t, data)
    app = t.start()
    app.command(app.main, MAIN_BUTTON_BROWSE)
    browse = app.window(BROWSE)
    choose(app, browse, 4)
    press(app, browse, VK_DELETE)
    app.answer(app.box("Are you sure?"), IDYES)
    box = app.box("could not be deleted")
    t.check("read-only" in box.text, "the message says why: %r" % box.text)
    t.equal(box.caption, "Delete Entry", "failure title")
    app.answer(box, IDOK)
    check_page(t, app, browse, data, 1, 10, "the page shows the file as it is")
    t.equal(current(), data, "the read-only log is unchanged")
    close_browse(t, app, browse)


# -- view and edit ---------------------------------------------------------------------

def open_view(app, browse, line_number):
    choose(app, browse, line_number)
    app.command(browse, VIEW_BUTTON)
    return app.window(VIEW)


@scenario("changing the remarks of entry 3 rewrites only those bytes", screen=480)
def _(t):
    data = log(10)
    app, browse = open_browse(t, data)
    view = open_view(app, browse, 3)
    t.equal(app.text(view), VIEW, "title")
    t.equal([app.text(view, id) for id in (FREQ_BOX, STATION_BOX, LOCATION_BOX, REMARKS_BOX)],
            ["5003", "S3", "Place 3", "remark 3"], "the boxes show the fields without trailing blanks")
    t.equal(until(lambda: app.focus_id(view), EXIT), EXIT, "the focus is on EXIT")
    t.equal(app.owner(view), browse, "the browse window owns the view window")
    app.set_text(view, REMARKS_BOX, "heard again at dusk")
    app.click(view, EXIT)
    app.gone(view)
    expected = data[:2 * 115 + 65] + b"heard again at dusk".ljust(50) + data[3 * 115:]
    t.equal(t.read("MYLOG.ULM"), expected, "only entry 3's remarks changed")
    t.equal(until(lambda: app.list_text(browse, LIST, 2), line(logfiles.records(expected)[2])),
            line(logfiles.records(expected)[2]), "the page shows the new remarks")
    t.equal(cursel(app, browse), 2, "the edited line is still chosen and highlighted")
    view = open_view(app, browse, 4)
    press(app, view, VK_ESCAPE)
    app.gone(view)
    close_browse(t, app, browse)
    t.equal(t.read("MYLOG.ULM"), expected, "viewing entry 4 without a change wrote nothing")


@scenario("a blank station keeps the view window open until a station is typed", screen=480)
def _(t):
    data = log(10)
    app, browse = open_browse(t, data)
    view = open_view(app, browse, 2)
    app.set_text(view, LOCATION_BOX, "Elsewhere")
    app.set_text(view, STATION_BOX, "   ")
    app.click(view, EXIT)
    t.equal(until(lambda: app.focus_id(view), STATION_BOX), STATION_BOX, "the focus goes to the Station box")
    t.check(app.exists(view), "the window stays open")
    t.equal(t.read("MYLOG.ULM"), data, "nothing is written for a blank station")
    app.set_text(view, STATION_BOX, "New Name")
    app.click(view, EXIT)
    app.gone(view)
    rec = data[115:2 * 115]
    rec = rec[:21] + b"New Name".ljust(20) + b"Elsewhere".ljust(24) + rec[65:]
    t.equal(t.read("MYLOG.ULM"), data[:115] + rec + data[2 * 115:], "station and location written")
    close_browse(t, app, browse)


@scenario("the view window's close box writes nothing", screen=768)
def _(t):
    data = log(10)
    app, browse = open_browse(t, data)
    view = open_view(app, browse, 5)
    app.set_text(view, REMARKS_BOX, "not to be kept")
    app.close_window(view)
    app.gone(view)
    t.equal(t.read("MYLOG.ULM"), data, "the close box leaves the log unchanged")
    check_page(t, app, browse, data, 1, 10, "the page shows the file")
    close_browse(t, app, browse)


@scenario("a stored frequency shows trimmed and right-aligned; typing stops at the field width", screen=768)
def _(t):
    data = logfiles.entry("Radio Alpha", freq="6070  ") + log(3)[115:]
    app, browse = open_browse(t, data)
    view = open_view(app, browse, 1)
    t.equal(app.text(view, FREQ_BOX), "6070", "frequency without trailing blanks")
    t.check(app.state(view, FREQ_BOX)["style"] & ES_RIGHT, "the frequency is right-aligned")
    t.equal([app.send(view, id, 0x00D5) for id in (FREQ_BOX, STATION_BOX, LOCATION_BOX, REMARKS_BOX)],
            [6, 20, 24, 50], "each box takes at most its field's width")  # EM_GETLIMITTEXT
    press(app, view, VK_ESCAPE)
    app.gone(view)
    close_browse(t, app, browse)


@scenario("an edit that cannot be written says so and keeps what was typed", screen=480)
def _(t):
    data = log(10)
    current = read_only_log(t, data)
    app = t.start()
    app.command(app.main, MAIN_BUTTON_BROWSE)
    browse = app.window(BROWSE)
    view = open_view(app, browse, 3)
    app.set_text(view, REMARKS_BOX, "typed with care")
    app.click(view, EXIT)
    box = app.box("not saved")
    t.check("read-only" in box.text, "the message says why: %r" % box.text)
    app.answer(box, IDOK)
    t.check(app.exists(view), "the window stays open")
    t.equal(app.text(view, REMARKS_BOX), "typed with care", "what was typed is kept")
    t.equal(current(), data, "the log is unchanged")
    app.close_window(view)
    app.gone(view)
    check_page(t, app, browse, data, 1, 10, "the page shows the file")
    close_browse(t, app, browse)


# -- painting ---------------------------------------------------------------------------

NAVY, WHITE, BLUE, YELLOW = (0, 0, 128), (255, 255, 255), (0, 0, 255), (255, 255, 0)
RULE_COLUMNS, RULE_FIXED = (11, 17, 38, 63, 73), (92, 140, 310, 510, 587)


def is_text(p):
    return max(p) < 64


def is_grey(p):
    return p[0] == p[1] == p[2] and 64 <= p[0] < 250


@scenario("rows are painted black on white, the chosen date white on navy, with grey rules", screen=480)
def _(t):
    amp_pairs = "& & & & & & & & & & "  # ten ampersands with blanks between
    amp_run = "&" * 10
    data = log(10, {4: amp_pairs, 5: amp_run})
    app, browse = open_browse(t, data)
    choose(app, browse, 2)
    until(lambda: cursel(app, browse), 1)
    list_hwnd = app.control(browse, LIST)
    ox, oy = app.client_origin(list_hwnd)
    height = app.send(browse, LIST, LB_GETITEMHEIGHT, 0, 0)
    cell = app.dialog_units("Courier", 8, 0, 0, 4, 8)[2]  # 4 dialog units across are one average character
    band = 11 * cell
    rules = RULE_FIXED if cell == 8 else tuple(c * cell + cell // 2 for c in RULE_COLUMNS)

    def row(n):  # screen rows of list line n (from 1)
        return oy + (n - 1) * height, oy + n * height

    top, bottom = row(2)

    def banded(pic):
        return pic.count(ox, top, ox + band - 1, bottom - 1, lambda p: p == NAVY) > band * (height - 1) // 3

    app.painted(browse)
    pic = t.picture("browse-rows-480", banded)
    t.check(banded(pic), "the chosen line's date is on navy")
    t.equal(pic.count(ox + band + 1, top, ox + rules[4], bottom - 1, lambda p: p == NAVY), 0,
            "only the date is banded")
    t.check(pic.count(ox, top, ox + band - 1, bottom - 1, lambda p: p == WHITE) > 0, "the date is written in white")
    top3, bottom3 = row(3)
    t.equal(pic.count(ox, top3, ox + band - 1, bottom3 - 1, lambda p: p == NAVY), 0, "other dates are not banded")
    t.check(pic.count(ox, top3, ox + rules[4], bottom3 - 1, is_text) > 0, "other lines are written in black")
    for x in rules:
        t.check(all(is_grey(pic.at(ox + x, y)) for y in range(top3, bottom3 - 1)), "a grey rule at x %d" % x)
    t.check(all(is_grey(pic.at(ox + x, bottom3 - 1)) for x in range(0, rules[4], 7)), "a grey rule under line 3")
    # An ampersand is shown as typed, not taken for a mnemonic: both stations show ten of them
    # (taken as mnemonics, the first would show none and the second five).
    pairs = pic.count(ox, row(4)[0], ox + rules[2], row(4)[1] - 1, is_text)
    run = pic.count(ox, row(5)[0], ox + rules[2], row(5)[1] - 1, is_text)
    t.check(pairs > 0 and abs(pairs - run) <= pairs // 20, "ampersands drawn as typed: %d and %d text pixels" % (pairs, run))
    heading = app.rect(browse, BROWSE_LABEL_HEADING)
    t.equal(pic.at(heading[2] - 6, (heading[1] + heading[3]) // 2), BLUE, "the heading is blue")
    t.check(pic.count(heading[0], heading[1], heading[2], heading[3], lambda p: p == YELLOW) > 0,
            "the heading is written in yellow")
    first = app.rect(browse, FIRST)
    t.equal(pic.at(first[2] - 4, (first[1] + first[3]) // 2), WHITE, "the range field is white")
    close_browse(t, app, browse)


@scenario("the view window's background and labels are coloured", screen=768)
def _(t):
    app, browse = open_browse(t, log(3))
    view = open_view(app, browse, 1)
    ox, oy = app.client_origin(view)
    label = app.rect(view, VIEW_LABEL_STATION)
    app.painted(view)
    pic = t.picture("view-edit-768", lambda p: p.at(ox + 3, oy + 3) == (0, 210, 221)
                    and p.count(label[0], label[1], label[2], label[3], is_text) > 0)
    t.equal(pic.at(ox + 3, oy + 3), (0, 210, 221), "window background")
    t.equal(pic.at(label[0] + 1, label[1] + 1), (0, 210, 221), "the Station label is on the window's colour")
    t.check(pic.count(label[0], label[1], label[2], label[3], is_text) > 0, "the label's text is black")
    press(app, view, VK_ESCAPE)
    app.gone(view)
    close_browse(t, app, browse)


# -- a picture for the README -------------------------------------------------------

SAMPLE = [
    ("02-11-2026", "21:05", "6070", "Radio Caroline", "Orfordness, UK", "fair, slight fading"),
    ("03-11-2026", "22:40", "9410", "BBC World Service", "Woofferton, UK", "strong, clear"),
    ("05-11-2026", "05:15", "5960", "R&B Radio", "Kall-Krekel, Germany", "music, weak"),
    ("07-11-2026", "18:30", "7325", "Radio Romania Int.", "Tiganesti, Romania", "news in English"),
    ("12-11-2026", "23:55", "15770", "WRMI", "Okeechobee, USA", "good at sunrise"),
    ("20-11-2026", "06:00", "3985", "Shortwave Radio", "Winsen, Germany", "noisy"),
    ("01-12-2026", "20:10", "198", "BBC Radio 4 LW", "Droitwich, UK", "armchair copy"),
    ("06-12-2026", "19:30", "11780", "Radio Nacional", "Brasilia, Brazil", "QSB, readable"),
]


@scenario("browse window with a chosen line, for the README", screen=768)
def _(t):
    rows = [SAMPLE[i % len(SAMPLE)] for i in range(60)]
    data = b"".join(logfiles.entry(station, date="%02d-%02d-2026" % (i // 2 + 1, 11), time=tm, freq=f,
                                   location=loc, remarks=rem)
                    for i, (d, tm, f, station, loc, rem) in enumerate(rows))
    app, browse = open_browse(t, data)
    choose(app, browse, 3)
    t.equal(cursel(app, browse), 2, "line 3 is selected")
    t.equal(app.list_text(browse, LIST, 2)[:39], "\xff02 Nov 2026 05:15 R&B Radio           ",
            "an ampersand is kept in the row text")
    t.screenshot("browse-window-768")
    close_browse(t, app, browse)

"""Reception reports and their replies: the report window from the view-and-edit
window, the letter from a template, the register beside the log through a
deletion, the Report Register window, ADIF and the Replies choice."""
import datetime

from harness import until, scenario, IDOK, IDYES, VK_ESCAPE, VK_DELETE
import logfiles
from ids import BROWSE_TITLE, VIEW_TITLE, PRINT_TITLE, MAIN_BUTTON_BROWSE, MAIN_BUTTON_PRINT, MAIN_BUTTON_EXIT, \
    MAIN_MENU_REPLIES, BROWSE_LIST_ENTRIES, BROWSE_BUTTON_VIEW, VIEW_BUTTON_REPORT, REPORT_HEADING, REPORT_SINPO, \
    REPORT_DETAILS, REPORT_TEMPLATE, REPORT_LETTER_FILE, REPORT_WRITE_LETTER, REPORT_SENT_DATE, REPORT_MARK_SENT, \
    REPORT_VIA, REPORT_REPLY_DATE, REPORT_REPLY_KIND, REPORT_REPLY_NOTE, REPORT_EXIT, REGISTER_AWAITING, \
    REGISTER_REPLIES, REGISTER_NOT_IN_LOG, REGISTER_TOTALS, REGISTER_EXIT, PRINT_EDIT_FILE_NAME, \
    PRINT_CHECK_TO_FILE, PRINT_BUTTON_RUN, PRINT_LIST_OUTPUT, PRINT_LIST_REPLIES, LB_SETCURSEL, LBN_SELCHANGE, \
    CB_SETCURSEL, CBN_SELCHANGE

REPORT_TITLE = "Reception Report"
REGISTER_TITLE = "Report Register"
TEMPLATE = b"{STATION}, {LOCATION}\n{DATE} {TIME} UTC on {KHZ} kHz ({REMARKS})\nSINPO {SINPO}\n{DETAILS}\n{NAME}\n"
ENTRIES = [dict(station="Radio Alpha", date="01-03-2004", time="20:00", freq="6070", location="Hamburg"),
           dict(station="R. Rumbos", date="07-03-2004", time="21:30", freq="9660", location="Venezuela",
                remarks="nice signal"),
           dict(station="Longwave One", date="08-03-2004", time="18:30", freq="198", location="Droitwich")]


def choose_line(app, browse, line):
    app.send(browse, BROWSE_LIST_ENTRIES, LB_SETCURSEL, line - 1, 0)
    app.send_command(browse, BROWSE_LIST_ENTRIES, LBN_SELCHANGE)


def choose_item(app, win, id, index):
    app.send(win, id, CB_SETCURSEL, index, 0)
    app.send_command(win, id, CBN_SELCHANGE)


def open_report(app, browse, line):
    choose_line(app, browse, line)
    app.command(browse, BROWSE_BUTTON_VIEW)
    view = app.window(VIEW_TITLE)
    app.command(view, VIEW_BUTTON_REPORT)
    return view, app.window(REPORT_TITLE)


@scenario("a reception report: letter, sent, reply, an earlier deletion, the register, ADIF and Replies", screen=768)
def _(t):
    t.write("MYLOG.ULM", b"".join(logfiles.entry(**e) for e in ENTRIES))
    t.write("REPORT-EN.TXT", TEMPLATE)
    app = t.start()
    app.command(app.main, MAIN_BUTTON_BROWSE)
    browse = app.window(BROWSE_TITLE)
    view, report = open_report(app, browse, 2)
    t.equal(app.text(report, REPORT_HEADING), "07-03-2004  21:30 UTC   9660 kHz   R. Rumbos", "the entry at the top")
    t.equal(app.text(report, REPORT_TEMPLATE), "REPORT-EN.TXT", "the folder's template is offered")
    t.equal(app.text(report, REPORT_LETTER_FILE), t.win_path("R._Rumbos-20040307.TXT"), "the letter's proposed name")

    app.set_text(report, REPORT_SINPO, "45444")
    app.set_text(report, REPORT_DETAILS, "Interval signal\r\nNews in Spanish")
    app.command(report, REPORT_WRITE_LETTER)
    box = app.box()
    t.equal(box.text, "The letter was written to %s." % t.win_path("R._Rumbos-20040307.TXT"), "letter written")
    app.answer(box, IDOK)
    t.equal(t.read("R._Rumbos-20040307.TXT"),
            b"R. Rumbos, Venezuela\r\n07 Mar 2004 21:30 UTC on 9660 kHz (nice signal)\r\nSINPO 45444\r\n"
            b"Interval signal\r\nNews in Spanish\r\n{NAME}\r\n", "the letter, CR LF, the unknown placeholder kept")
    t.screenshot("report-window")

    app.command(report, REPORT_MARK_SENT)
    today = datetime.datetime.now(datetime.timezone.utc).strftime("%d-%m-%Y")
    t.equal(until(lambda: app.text(report, REPORT_SENT_DATE), today), today, "Mark Sent fills today's UTC date")
    t.equal(app.text(report, REPORT_VIA), "post", "and the way sent")
    app.set_text(report, REPORT_REPLY_DATE, "31-02-2004")
    choose_item(app, report, REPORT_REPLY_KIND, 1)
    app.set_text(report, REPORT_REPLY_NOTE, "nice card")
    app.command(report, REPORT_EXIT)
    box = app.box()
    t.equal(box.text, "Reply: a date as DD-MM-YYYY that exists, or nothing.", "a date that does not exist")
    app.answer(box, IDOK)
    t.equal(until(lambda: app.focus_id(report), REPORT_REPLY_DATE), REPORT_REPLY_DATE, "the focus back in the box")
    t.check(not t.exists("MYLOG.ULM.RRG"), "nothing stored then")
    app.set_text(report, REPORT_REPLY_DATE, "20-04-2004")
    app.key(report, VK_ESCAPE)
    app.gone(report)
    t.check(t.exists("MYLOG.ULM.RRG"), "Escape stored the row beside the log")
    app.key(view, VK_ESCAPE)
    app.gone(view)

    choose_line(app, browse, 1)
    app.key(browse, VK_DELETE)
    app.answer(app.box("Are you sure?"), IDYES)
    until(lambda: len(t.read("MYLOG.ULM")), 2 * 115)
    view, report = open_report(app, browse, 1)
    t.equal(app.text(report, REPORT_SINPO), "45444", "the row is still on its report, now entry 1")
    t.equal(app.text(report, REPORT_REPLY_KIND), "card", "with its reply")
    app.key(report, VK_ESCAPE)
    app.gone(report)
    app.key(view, VK_ESCAPE)
    app.gone(view)
    app.key(browse, VK_ESCAPE)
    app.gone(browse)

    app.command(app.main, MAIN_MENU_REPLIES)
    register = app.window(REGISTER_TITLE)
    t.equal(app.list_rows(register, REGISTER_REPLIES),
            ["1  07-03-2004 21:30 9660 kHz  R. Rumbos  20-04-2004 card"], "the replies")
    t.equal(app.list_rows(register, REGISTER_AWAITING), [], "nothing awaits a reply")
    t.equal(app.list_rows(register, REGISTER_NOT_IN_LOG), [], "every row is in the log")
    t.equal(app.text(register, REGISTER_TOTALS), "Reports sent: 1   Replies: 1   Reply rate: 100%",
            "the totals (no median without a sent date before the reply)")
    t.screenshot("register-window")
    app.key(register, VK_ESCAPE)
    app.gone(register)

    for choice, records in ((2, 1), (3, 1)):
        app.command(app.main, MAIN_BUTTON_PRINT)
        win = app.window(PRINT_TITLE)
        choose_item(app, win, PRINT_LIST_OUTPUT, 2)
        choose_item(app, win, PRINT_LIST_REPLIES, choice)
        app.set_text(win, PRINT_EDIT_FILE_NAME, t.win_path("OUT%d.ADI" % choice))
        app.click(win, PRINT_CHECK_TO_FILE)
        until(lambda: app.text(win, PRINT_BUTTON_RUN), "Sa&ve")
        app.command(win, PRINT_BUTTON_RUN)
        app.answer(app.box(timeout=30), IDOK)
        app.gone(win, 10)
        adif = t.read("OUT%d.ADI" % choice)
        t.equal(adif.count(b"<EOR>"), records, "records for Replies choice %d" % choice)
    replied = t.read("OUT2.ADI")
    for field in (b"<CALL:9>R. Rumbos ", b"<RST_SENT:5>45444 ", b"<QSL_SENT:1>Y ", b"<QSL_SENT_VIA:1>D ",
                  b"<QSL_RCVD:1>Y ", b"<QSLRDATE:8>20040420 ", b"<QSL_RCVD_VIA:1>D ", b"<QSLMSG_RCVD:9>nice card ",
                  b"<APP_ULMAR_DETAILS:32>Interval signal\r\nNews in Spanish ", b"<APP_ULMAR_REPLY_KIND:4>card "):
        t.check(field in replied, "the reply's ADIF record holds %r" % field)
    t.check(b"<CALL:12>Longwave One " in t.read("OUT3.ADI"), "no report sent: the other entry")
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


@scenario("without a template the plain English REPORT.TXT is written and fills the letter", screen=480)
def _(t):
    t.write("MYLOG.ULM", b"".join(logfiles.entry(**e) for e in ENTRIES))
    app = t.start()
    app.command(app.main, MAIN_BUTTON_BROWSE)
    browse = app.window(BROWSE_TITLE)
    view, report = open_report(app, browse, 2)
    t.equal(app.text(report, REPORT_TEMPLATE), "REPORT.TXT", "the template written on first use")
    template = t.read("REPORT.TXT")
    for line in (b"Your name\r\n", b"Receiver: your receiver\r\n", b"Antenna: your antenna\r\n"):
        t.check(line in template, "the listener's own block: %r" % line)
    app.set_text(report, REPORT_SINPO, "45444")
    app.set_text(report, REPORT_DETAILS, "Interval signal, then news in Spanish\r\nSong about Caracas at 21:40")
    app.command(report, REPORT_WRITE_LETTER)
    app.answer(app.box(), IDOK)
    letter = t.read("R._Rumbos-20040307.TXT")
    today = datetime.datetime.now(datetime.timezone.utc).strftime("%d %b %Y").encode()
    for line in (b"To: R. Rumbos, Venezuela\r\n", b"Date: " + today + b"\r\n", b"Dear friends at R. Rumbos,\r\n",
                 b"on 07 Mar 2004 at 21:30 UTC.\r\n", b"Signal quality (SINPO): 45444\r\n",
                 b"Interval signal, then news in Spanish\r\nSong about Caracas at 21:40\r\n"):
        t.check(line in letter, "the letter holds %r" % line)
    t.check(b"{" not in letter, "every placeholder filled")
    app.key(report, VK_ESCAPE)
    app.gone(report)
    app.key(view, VK_ESCAPE)
    app.gone(view)
    app.key(browse, VK_ESCAPE)
    app.gone(browse)
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")

"""ADIF both ways: the Print Log window's "ADIF file" output and "&Files" /
"Import &ADIF", with the file's bytes, the question and the log's bytes after."""
import re

from harness import until, scenario, IDOK, IDYES, ROOT
import logfiles
import steps
from ids import PRINT_TITLE, MAIN_BUTTON_PRINT, MAIN_BUTTON_EXIT, PRINT_EDIT_FILE_NAME, PRINT_CHECK_TO_FILE, \
    PRINT_BUTTON_RUN, PRINT_LIST_OUTPUT, CB_SETCURSEL, CBN_SELCHANGE

# Entry 3 has a date that is not real: it cannot be an ADIF record.
ENTRIES = [
    dict(station="Radio Exterior", date="15-01-2026", time="19:30", freq="9410", location="Noblejas",
         remarks="nice audio"),
    dict(station="L\xf3dz Stra\xdfe", date="16-01-2026", time="07:05", freq="7205", location="  M\xfcnchen",
         remarks=""),
    dict(station="Damaged", date="31-02-2026", time="12:00", freq="6070", location="", remarks=""),
    dict(station="Pirate", date="17-01-2026", time="23:59", freq="6940?", location="", remarks="music"),
]

RECORDS = (
    b"<QSO_DATE:8>20260115 <TIME_ON:4>1930 <FREQ:4>9.41 <MODE:2>AM <CALL:14>Radio Exterior <SWL:1>Y "
    b"<QTH:8>Noblejas <COMMENT:10>nice audio <EOR>\r\n"
    b"<QSO_DATE:8>20260116 <TIME_ON:4>0705 <FREQ:5>7.205 <BAND:3>40m <MODE:2>AM <CALL:12>Lodz Strasse <SWL:1>Y "
    b"<QTH:7>Munchen <APP_ULMAR_STATION:13>L\xc3\xb3dz Stra\xc3\x9fe <APP_ULMAR_LOCATION:10>  M\xc3\xbcnchen <EOR>\r\n"
    b"<QSO_DATE:8>20260117 <TIME_ON:4>2359 <MODE:2>AM <CALL:6>Pirate <SWL:1>Y <COMMENT:5>music "
    b"<APP_ULMAR_FREQ:5>6940? <EOR>\r\n"
)


def close_program(t, app):
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")


def export_adif(t, app):
    """Chooses "ADIF file" in the Print Log window and saves under the proposed
    name; returns that name and the closing message."""
    app.command(app.main, MAIN_BUTTON_PRINT)
    win = app.window(PRINT_TITLE)
    csv_name = app.text(win, PRINT_EDIT_FILE_NAME)
    app.send(win, PRINT_LIST_OUTPUT, CB_SETCURSEL, 2, 0)
    app.send_command(win, PRINT_LIST_OUTPUT, CBN_SELCHANGE)
    t.equal(app.text(win, PRINT_LIST_OUTPUT), "ADIF file", "the output choice")
    name = until(lambda: app.text(win, PRINT_EDIT_FILE_NAME), csv_name[:-4] + ".ADI")
    t.equal(name, csv_name[:-4] + ".ADI", "ADIF proposes the log's name with .ADI")
    app.click(win, PRINT_CHECK_TO_FILE)
    until(lambda: app.text(win, PRINT_BUTTON_RUN), "Sa&ve")
    app.command(win, PRINT_BUTTON_RUN)
    box = app.box(timeout=30)
    t.equal(box.caption, "Log Print", "caption of the run's message")
    app.answer(box, IDOK)
    app.gone(win, 10)
    return name, box.text


def export_scenario(screen):
    @scenario("ADIF export: the proposed .ADI name, the file's bytes, the damaged entry named, at %d" % screen,
              screen=screen)
    def _(t):
        t.write("MYLOG.ULM", b"".join(logfiles.entry(**e) for e in ENTRIES))
        app = t.start()
        name, said = export_adif(t, app)
        t.equal(said, "Print of 3 reports complete. 1 report not written: entry 3, its date is not a real date.",
                "the closing message counts the records and names the skipped entry")
        close_program(t, app)
        written = t.read(name.split("\\")[-1])
        header = ("ULMAR v1.01 ADIF export of the log %s\r\n" % t.win_path("MYLOG.ULM")).encode("latin-1")
        t.check(written.startswith(header), "the first line names the program and the log: %r" % written[:120])
        fields = re.match(rb"<ADIF_VER:5>3\.1\.7\r\n<PROGRAMID:5>ULMAR\r\n<PROGRAMVERSION:4>1\.01\r\n"
                          rb"<CREATED_TIMESTAMP:15>(\d{8} \d{6})\r\n<EOH>\r\n", written[len(header):])
        t.check(fields is not None, "the header fields: %r" % written[len(header):len(header) + 160])
        t.equal(written[len(header) + fields.end():], RECORDS, "one record a report, byte for byte")

export_scenario(480)
export_scenario(768)


SDR_FILE = (ROOT / "tests" / "unit" / "data" / "adif" / "sdr_listener_export.adi").read_bytes()
SDR_REPORTS = [
    dict(station="R. Romania Int.", date="20-01-2026", time="21:00", freq="5980", location="Tiganesti",
         remarks="SINPO 45444, English"),
    dict(station="BBC Radio 4", date="20-01-2026", time="21:30", freq="198", location="England", remarks=""),
    dict(station="WRMI", date="21-01-2026", time="00:05", freq="15770", location="Okeechobee, Florida, Uni",
         remarks=""),
]


@scenario("ADIF import: another program's file, the question with the skipped record, the log's bytes after",
          screen=480)
def _(t):
    old = logfiles.numbered_log(2)
    t.write("MYLOG.ULM", old)
    damaged = b"<QSO_DATE:8>20260230<TIME_ON:4>1200<CALL:3>Bad<EOR>\r\n"
    t.write("SDR.ADI", SDR_FILE + damaged)
    app = t.start()
    box = steps.import_adif_file(t, app, t.win_path("SDR.ADI"))
    log_path = t.win_path("MYLOG.ULM")
    t.check(box.text.startswith("Add 3 reports to %s?" % log_path), "the question: %r" % box.text)
    t.check(box.text.endswith("1 records will be skipped; the first, record 4: QSO_DATE 20260230 is not a valid "
                              "date."), "the skipped record and why: %r" % box.text)
    t.equal(t.read("MYLOG.ULM"), old, "nothing added before the answer")
    app.answer(box, IDYES)
    done = app.box(timeout=60)
    t.equal((done.caption, done.text), ("Import", "Added 3 reports to %s." % log_path), "done")
    app.answer(done, IDOK)
    t.equal(t.read("MYLOG.ULM"), old + b"".join(logfiles.entry(**e) for e in SDR_REPORTS),
            "the reports appended after the old entries, byte for byte")
    close_program(t, app)


@scenario("ADIF round trip: export a log, import the file into an empty log, the same records", screen=480)
def _(t):
    t.write("MYLOG.ULM", b"".join(logfiles.entry(**e) for e in ENTRIES))
    app = t.start()
    name, said = export_adif(t, app)
    t.check(said.startswith("Print of 3 reports complete."), said)
    close_program(t, app)
    t.write("MYLOG.ULM", b"")
    app = t.start()
    box = steps.import_adif_file(t, app, t.win_path(name.split("\\")[-1]))
    t.equal(box.text, "Add 3 reports to %s?" % t.win_path("MYLOG.ULM"), "the question")
    app.answer(box, IDYES)
    done = app.box(timeout=60)
    app.answer(done, IDOK)
    kept = [e for i, e in enumerate(ENTRIES) if i != 2]
    t.equal(t.read("MYLOG.ULM"), b"".join(logfiles.entry(**e) for e in kept), "every record with a real date back")
    close_program(t, app)

"""Steps several scenario files take in the same way."""
import os

from harness import until, IDOK
from ids import MAIN_BUTTON_PRINT, MAIN_MENU_IMPORT, PRINT_TITLE, PRINT_EDIT_FILE_NAME, PRINT_CHECK_TO_FILE, \
    PRINT_BUTTON_RUN

FILE_NAME_ID = 0x47C  # the file-name box of the Explorer-style Open dialog
IMPORT_TITLE = "Import a CSV file"


def file_name_box(app, dialog):
    """The edit control of an Open dialog that takes the typed file name (Wine
    nests it in the combo box)."""
    for child in app.children(dialog):
        if child["id"] == FILE_NAME_ID and child["cls"] == "Edit":
            return child["hwnd"]
    return app.control(dialog, FILE_NAME_ID)


def type_file_name(app, dialog, name):
    """Types `name` into an Open dialog and presses Open."""
    app.set_text(file_name_box(app, dialog), None, name)
    app.command(dialog, IDOK)


def import_file(t, app, win_name):
    """Chooses `win_name` in the import's Open dialog; returns the first message box."""
    app.command(app.main, MAIN_MENU_IMPORT)
    dialog = app.window(IMPORT_TITLE)
    type_file_name(app, dialog, win_name)
    app.gone(dialog)
    box = app.box(timeout=30)
    t.equal(box.caption, "Import", "caption")
    return box


def export(app, win_name):
    """Exports the whole log from the Print Log window to the Windows path
    `win_name`; returns the text of the message that ends the run."""
    app.command(app.main, MAIN_BUTTON_PRINT)
    win = app.window(PRINT_TITLE)
    app.set_text(win, PRINT_EDIT_FILE_NAME, win_name)
    app.click(win, PRINT_CHECK_TO_FILE)
    until(lambda: app.text(win, PRINT_BUTTON_RUN), "Sa&ve")
    app.command(win, PRINT_BUTTON_RUN)
    box = app.box(timeout=30)
    app.answer(box, IDOK)
    app.gone(win, 10)
    return box.text


def fill(folder):
    """Fills the disk that holds `folder` to the last byte."""
    fd = os.open(folder / "FILLER", os.O_WRONLY | os.O_CREAT)
    try:
        for size in (65536, 4096, 512, 1):
            try:
                while True:
                    os.write(fd, b"\0" * size)
            except OSError:
                pass
    finally:
        os.close(fd)


def kill_program(app):
    """kill -9 of the program's process, then the prefix's server goes too, as
    after a power cut nothing of the program is left to finish its writes."""
    app.kill()
    app.stop_driver()
    app.main = None  # handles start afresh with the next server: never exclude this one's
    app.display.keep_server()  # the old server killed, a new one kept for the reopening


ADIF_IMPORT_TITLE = "Import an ADIF file"


def import_adif_file(t, app, win_name):
    """Chooses `win_name` in the ADIF import's Open dialog; returns the first message box."""
    from ids import MAIN_MENU_IMPORT_ADIF
    app.command(app.main, MAIN_MENU_IMPORT_ADIF)
    dialog = app.window(ADIF_IMPORT_TITLE)
    type_file_name(app, dialog, win_name)
    app.gone(dialog)
    box = app.box(timeout=30)
    t.equal(box.caption, "Import", "caption")
    return box

"""Steps several scenario files take in the same way."""
from harness import until, IDOK
from ids import MAIN_BUTTON_PRINT, PRINT_TITLE, PRINT_EDIT_FILE_NAME, PRINT_CHECK_TO_FILE, PRINT_BUTTON_RUN


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

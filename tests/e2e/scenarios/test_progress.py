"""Long work shows its progress: deleting entry 1 of a big log and the backup at
exit put up a small window with a bar and a count once they run longer than
about a second, and the program's windows answer meanwhile. The test build
shows the window from the first step ("--progress-at-once"), so the scenario
sees it however fast the machine is. ULMAR_PROGRESS_ENTRIES sets the log's
size (10,000,000 for the full figure, 1.15 GB)."""
import os
import re
import time

from harness import scenario, BUILD, IDYES, VK_DELETE, VK_ESCAPE
import logfiles
from ids import BROWSE_TITLE as BROWSE, BROWSE_LIST_ENTRIES as LIST, MAIN_BUTTON_BROWSE as CMD_BROWSE, \
    MAIN_BUTTON_EXIT as CMD_EXIT, PROGRESS_BAR_TEXT as BAR_TEXT, LB_SETCURSEL, LBN_SELCHANGE

DELETE_TITLE = "Delete Entry"
BACKUP_TITLE = "Backing up the log"
TEST_BUILD = BUILD / "ulmar_testhooks.exe"


def numbered_records(count):
    template = logfiles.entry("NXXXXXXXX", freq="1", location="Anywhere")
    head, tail = template.split(b"NXXXXXXXX")
    return b"".join(b"%sN%08d%s" % (head, n, tail) for n in range(1, count + 1))


def watch_progress(t, app, title, line, others, exclude=()):
    """Waits for the progress window, checks its line and that `others` (and the
    window itself) answer while it shows; returns once it is gone."""
    progress = app.window(title, timeout=600, exclude=exclude)
    text = app.text(progress, BAR_TEXT)
    t.check(re.fullmatch(line, text), "%s: the progress line %r" % (title, text))
    for hwnd in (progress,) + others:
        t.check(app.answers(hwnd, 2.0), "%s: window %d answers while the work runs" % (title, hwnd))
    app.gone(progress, 3600)


@scenario("a long deletion and the backup at exit show their progress, and the windows keep answering",
          screen=480, timeout=7200)
def _(t):
    count = int(os.environ.get("ULMAR_PROGRESS_ENTRIES", "3000000"))
    data = numbered_records(count)
    t.write("MYLOG.ULM", data)
    drive = t.dir / "qdrive"
    t.map_drive("Q", drive)
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "Q", generations=2))
    app = t.start(exe=TEST_BUILD, args=("--progress-at-once",))
    app.command(app.main, CMD_BROWSE)
    browse = app.window(BROWSE)
    app.send(browse, LIST, LB_SETCURSEL, 0, 0)
    app.send_command(browse, LIST, LBN_SELCHANGE)
    app.key(browse, VK_DELETE, LIST)
    box = app.box("Are you sure?")
    begun = time.time()
    app.post(box.hwnd, None, 0x0111, IDYES, 0)  # WM_COMMAND Yes, then watch without waiting
    watch_progress(t, app, DELETE_TITLE, r"\d+ of %d records moved" % (count - 1), (browse, app.main),
                   exclude=(box.hwnd,))
    app.settle(browse)
    deleted = time.time() - begun
    t.equal(app.focus_id(browse), LIST, "the list has the focus again after the deletion")
    app.key(browse, VK_ESCAPE)
    app.gone(browse)
    size = (count - 1) * 115
    begun = time.time()
    app.command(app.main, CMD_EXIT)
    watch_progress(t, app, BACKUP_TITLE, r"\d+ of %d bytes copied and checked" % (2 * size), ())
    t.equal(app.wait_exit(600), 0, "the program ends normally")
    backed_up = time.time() - begun
    left = t.read("MYLOG.ULM")
    t.check(left == data[115:], "entry 1 is deleted and every other entry kept in order")
    t.check((drive / "MYLOG.ULM").read_bytes() == left, "the backup D:NAME is the log")
    print("    %d entries: deleting entry 1 took %.1f s, the backup at exit %.1f s" % (count, deleted, backed_up))

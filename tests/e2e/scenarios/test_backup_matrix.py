"""The backup at exit against failing targets: in every failure the earlier
copy D:NAME and every older dated copy stay byte for byte as they were, and the
"Corvane" box says why; a backup that succeeds leaves D:NAME and the new dated
copy equal to the log and only the newest N dated copies."""
import os
import subprocess
import time

from harness import scenario, IDOK, BUILD
import logfiles
import steps
from ids import MAIN_TITLE, MAIN_BUTTON_EXIT as CMD_EXIT

LOG = logfiles.numbered_log(1000)  # 115,000 bytes
PREVIOUS = logfiles.numbered_log(3, location="Previous")
NOT_BACKED_UP = "Log not backed up\r\n\r\n"
TEST_BUILD = BUILD / "ulmar_testhooks.exe"  # the program with the backup's test-only fault


def older_generations(folder, count):
    """D:NAME from an earlier backup and `count` older dated copies, each with its own bytes."""
    (folder / "MYLOG.ULM").write_bytes(PREVIOUS)
    dated = folder / "ULMAR-BACKUP"
    dated.mkdir(exist_ok=True)
    for n in range(1, count + 1):
        (dated / ("MYLOG-%06d-202612%02d-120000Z.ULM" % (n, n))).write_bytes(logfiles.numbered_log(n))


def drive_with_earlier_copies(t, count):
    """Drive Q: as a folder holding D:NAME and `count` older dated copies; the folder and its snapshot."""
    folder = t.dir / "qdrive"
    t.map_drive("Q", folder)
    older_generations(folder, count)
    return folder, snapshot(folder)


def snapshot(folder):
    """Every file on the target but the filler, by its path there."""
    return {str(p.relative_to(folder)): p.read_bytes() for p in sorted(folder.rglob("*"))
            if p.is_file() and p.name != "FILLER"}


def exit_with_backup(t, letter, generations=10):
    """Starts the program on MYLOG.ULM backing up to `letter`, ends it; returns the
    text of the "Corvane" box (None when none showed)."""
    t.write("MYLOG.ULM", LOG)
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", letter, generations=generations))
    app = t.start()
    app.command(app.window(MAIN_TITLE), CMD_EXIT)
    box, deadline = None, time.time() + 120
    while box is None and app.proc.poll() is None and time.time() < deadline:  # a box, or the program ended
        box = app.find_box("Log not backed up", 0.2)
    text = None
    if box:
        t.equal(box.caption, "Corvane", "the box's title")
        text = box.text
        app.answer(box, IDOK)
    t.equal(app.wait_exit(60), 0, "the program ends normally")
    t.equal(t.read("MYLOG.ULM"), LOG, "the log itself is unchanged")
    return text


def expect_failure_left_all(t, folder, before, text, reason):
    t.equal(text, NOT_BACKED_UP + reason, "the message says why")
    t.equal(snapshot(folder), before, "D:NAME and every older dated copy byte for byte as they were")
    t.check(not (folder / "~ULMAR.TMP").exists(), "no temporary copy left")
    t.check(not (folder / "ULMAR-BACKUP" / "~ULMAR.TMP").exists(), "no temporary copy left in the folder")


def free_bytes(folder):
    stat = os.statvfs(folder)
    return stat.f_bavail * stat.f_frsize


# -- success -----------------------------------------------------------------------

@scenario("backup matrix: success keeps D:NAME and the newest N dated copies equal to the log", screen=480)
def _(t):
    folder, before = drive_with_earlier_copies(t, 3)
    t.equal(exit_with_backup(t, "Q", generations=3), None, "no message")
    t.equal((folder / "MYLOG.ULM").read_bytes(), LOG, "D:NAME equals the log")
    names = sorted(p.name for p in (folder / "ULMAR-BACKUP").iterdir())
    t.equal([n[:13] for n in names], ["MYLOG-000002-", "MYLOG-000003-", "MYLOG-000004-"],
            "the newest 3 remain, the oldest is removed")
    t.check(names and (folder / "ULMAR-BACKUP" / names[-1]).read_bytes() == LOG, "the new dated copy equals the log")
    for name in names[:-1]:
        t.equal((folder / "ULMAR-BACKUP" / name).read_bytes(), before["ULMAR-BACKUP/" + name],
                "older dated copy %s unchanged" % name)
    t.check(not (folder / "~ULMAR.TMP").exists(), "no temporary copy left")


@scenario("backup matrix: N = 0 writes only D:NAME", screen=480)
def _(t):
    folder = t.dir / "qdrive"
    t.map_drive("Q", folder)
    (folder / "MYLOG.ULM").write_bytes(PREVIOUS)
    t.equal(exit_with_backup(t, "Q", generations=0), None, "no message")
    t.equal(sorted(p.name for p in folder.iterdir()), ["MYLOG.ULM"], "no dated copy, no folder")
    t.equal((folder / "MYLOG.ULM").read_bytes(), LOG, "D:NAME equals the log")


# -- failures -------------------------------------------------------------------------

def fails_on_disk(t, size_kb, spoil, reason):
    """A backup to a small disk with earlier copies, made to fail by `spoil(disk)`."""
    disk = t.small_disk("disk", size_kb)
    t.map_drive("Q", disk)
    older_generations(disk, 3)
    spoil(disk)
    before = snapshot(disk)
    expect_failure_left_all(t, disk, before, exit_with_backup(t, "Q"), reason)


FULL = "The copy Q:~ULMAR.TMP could not be written. The drive may be full."


@scenario("backup matrix: target full before the copy", screen=480)
def _(t):
    fails_on_disk(t, 256, steps.fill, FULL)


@scenario("backup matrix: target full part way through the copy", screen=480)
def _(t):
    def leave_room_for_a_third(disk):
        (disk / "FILLER").write_bytes(b"\0" * (free_bytes(disk) - 40 * 1024))
        t.check(0 < free_bytes(disk) < len(LOG), "room for part of the copy only: %d" % free_bytes(disk))
    fails_on_disk(t, 256, leave_room_for_a_third, FULL)


@scenario("backup matrix: read-only target", screen=480)
def _(t):
    fails_on_disk(t, 512, lambda disk: subprocess.run(["mount", "-o", "remount,ro", str(disk)], check=True),
                  "The copy Q:~ULMAR.TMP could not be made. The drive may be missing or write-protected.")


@scenario("backup matrix: no such drive", screen=480)
def _(t):
    letter = next(c for c in "KLMNOPRSTUVWXY" if not os.path.lexists(t.prefix / "dosdevices" / (c.lower() + ":")))
    text = exit_with_backup(t, letter)
    t.equal(text, NOT_BACKED_UP + "The copy %s:~ULMAR.TMP could not be made. The drive may be missing or "
                                  "write-protected." % letter, "the message says why")


@scenario("backup matrix: D:NAME held by another program", screen=480)
def _(t):
    folder, before = drive_with_earlier_copies(t, 10)  # one more backup would remove one
    # A second copy of the program has the backup as its own log, held without sharing.
    t.write("holder/CURLOG.DTA", logfiles.settings("Q:\\MYLOG.ULM"))
    holder = t.start(folder=t.dir / "holder")
    text = exit_with_backup(t, "Q")
    names = sorted(p.name for p in (folder / "ULMAR-BACKUP").iterdir())
    new = [n for n in names if n.startswith("MYLOG-000011-")]
    t.check(len(new) == 1, "the new dated copy is made and kept: %r" % names)
    generation = "Q:ULMAR-BACKUP\\" + (new[0] if new else "?")
    t.equal(text, NOT_BACKED_UP + "The checked copy could not take the place of Q:MYLOG.ULM. The file may be in use "
            "by another program.\r\nThe dated copy %s was made and kept; Q:MYLOG.ULM still holds the earlier copy, "
            "and no older copy was removed." % generation, "the message says what happened")
    t.check(new and (folder / "ULMAR-BACKUP" / new[0]).read_bytes() == LOG, "the new dated copy equals the log")
    after = snapshot(folder)
    for name in list(after):
        if name.startswith("ULMAR-BACKUP/MYLOG-000011-"):
            del after[name]
    t.equal(after, before, "D:NAME and every older dated copy byte for byte as they were")
    t.check(not (folder / "~ULMAR.TMP").exists(), "no temporary copy left")
    holder.command(holder.main, CMD_EXIT)
    t.equal(holder.wait_exit(), 0, "the holding copy ends normally")


@scenario("backup matrix: killed during the copy at several points", screen=480, timeout=900)
def _(t):
    big = logfiles.numbered_log(1) * 200000  # 23 MB, so the copy takes a while
    folder, before = drive_with_earlier_copies(t, 3)
    temp = folder / "~ULMAR.TMP"
    seen = []
    for delay in (0.0, 0.05, 0.2, 0.5, 1.0):
        t.write("MYLOG.ULM", big)
        t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "Q", generations=10))
        app = t.start()
        app.command(app.window(MAIN_TITLE), CMD_EXIT)
        deadline = time.time() + 60
        while not temp.exists() and app.proc.poll() is None and time.time() < deadline:
            time.sleep(0.001)
        time.sleep(delay)  # kill points spread over the copy, the check and the moves
        steps.kill_program(app)
        target = (folder / "MYLOG.ULM").read_bytes()
        t.check(target in (PREVIOUS, big), "after %.2f s: D:NAME is the earlier copy or the whole new one" % delay)
        dated = {name: data for name, data in snapshot(folder).items() if name.startswith("ULMAR-BACKUP/MYLOG-")}
        for name, data in before.items():
            if name.startswith("ULMAR-BACKUP/"):
                t.equal(dated.pop(name, None), data, "after %.2f s: older dated copy %s unchanged" % (delay, name))
        t.check(all(data == big for data in dated.values()), "after %.2f s: a new dated copy is whole" % delay)
        seen.append("%.2f s: %s, %d new dated" % (delay, "new" if target == big else "earlier", len(dated)))
        for name in dated:  # start the next round from the same earlier state
            (folder / name).unlink()
        (folder / "MYLOG.ULM").write_bytes(PREVIOUS)
    print("    backups killed: %s" % "; ".join(seen))
    t.equal(exit_with_backup(t, "Q"), None, "the next backup succeeds over a stale temporary copy")
    t.check(not temp.exists(), "the stale temporary copy is gone")
    t.equal((folder / "MYLOG.ULM").read_bytes(), LOG, "D:NAME equals the log")


@scenario("backup matrix: a byte of the temporary copy changed before the comparison (test build)", screen=480)
def _(t):
    folder, before = drive_with_earlier_copies(t, 3)
    for offset in (0, len(LOG) - 1, len(LOG)):  # the first byte, the last, one byte too many
        t.write("MYLOG.ULM", LOG)
        t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", "Q"))
        app = t.start(exe=TEST_BUILD, args=("--spoil-copy", str(offset)))
        app.command(app.window(MAIN_TITLE), CMD_EXIT)
        box = app.box("Log not backed up", 60)
        t.equal(box.caption, "Corvane", "the box's title")
        text = box.text
        app.answer(box, IDOK)
        t.equal(app.wait_exit(60), 0, "the program ends normally")
        expect_failure_left_all(t, folder, before, text, "The copy read back from the drive is not the same as the "
                                "log. The drive may be failing.")

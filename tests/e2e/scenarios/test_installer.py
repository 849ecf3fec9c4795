"""The Windows installer (the cross-build's `package` target): a silent install
for the current user, the program started as its Start-menu shortcut starts it,
and a silent uninstall that takes the program and leaves the log.

Wine's exit codes prove nothing here (a 32-bit installer under a 64-bit-only
Wine exits 0 and installs nothing), so every step is judged by the files."""
import re
import shutil
import struct
import subprocess

import logfiles
from harness import until, scenario, BUILD, HarnessError
from ids import MAIN_TITLE, MAIN_BUTTON_EXIT

CSIDL_PROGRAMS, CSIDL_PERSONAL, CSIDL_LOCAL_APPDATA = 2, 5, 28


def installer_path():
    """The installer CPack made, by the name it gives (ULMAR-<version>-win64.exe)."""
    config = (BUILD / "CPackConfig.cmake").read_text()
    name = re.search(r'set\(CPACK_PACKAGE_FILE_NAME "([^"]+)"\)', config).group(1)
    return BUILD / (name + ".exe")


def shortcut_working_folder(data):
    """The working folder stored in a shell link (.lnk) file."""
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = 0x4C
    if flags & 0x01:  # HasLinkTargetIDList
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & 0x02:  # HasLinkInfo
        at += struct.unpack_from("<I", data, at)[0]
    wide = bool(flags & 0x80)  # IsUnicode
    for bit in (0x04, 0x08, 0x10):  # name, relative path, working folder: each there when its flag is
        if not flags & bit:
            continue
        count = struct.unpack_from("<H", data, at)[0]
        size = count * (2 if wide else 1)
        text = data[at + 2:at + 2 + size].decode("utf-16-le" if wide else "latin-1")
        at += 2 + size
        if bit == 0x10:
            return text.split("\0")[0]  # Wine counts the terminating NUL in, Windows does not
    return None


def run_wine(t, *args):
    """Runs a Windows program to its end; its exit code is not looked at."""
    subprocess.run(["wine"] + [str(a) for a in args], env=t.display.env(), stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=300)


@scenario("the installer installs for the user, the shortcut's folder takes the log, the uninstaller keeps it",
          screen=480, timeout=600)
def _(t):
    installer = installer_path()
    if not installer.exists():
        raise HarnessError("%s is missing: build the win target's package" % installer)
    programs = t.unix_path(t.display.shell_folder(CSIDL_LOCAL_APPDATA)) / "Programs" / "ULMAR"
    menu = t.unix_path(t.display.shell_folder(CSIDL_PROGRAMS)) / "ULMAR"
    documents = t.display.shell_folder(CSIDL_PERSONAL)
    logs = t.unix_path(documents) / "ULMAR"
    for folder in (programs, menu, logs):  # what a failed run left behind is gone
        t.on_cleanup(lambda folder=folder: shutil.rmtree(folder, ignore_errors=True))
        shutil.rmtree(folder, ignore_errors=True)
    exe, uninstaller, shortcut = programs / "ulmar.exe", programs / "Uninstall.exe", menu / "ULMAR.lnk"

    run_wine(t, installer, "/S")
    done = until(lambda: exe.exists() and uninstaller.exists() and shortcut.exists(), True, timeout=120)
    t.check(done, "installed: %s %s, %s %s, %s %s" % (exe, exe.exists(), uninstaller, uninstaller.exists(),
                                                        shortcut, shortcut.exists()))
    if not done:
        return
    t.equal(exe.read_bytes(), (BUILD / "ulmar.exe").read_bytes(), "the installed program is the one built")
    t.check((menu / "Uninstall ULMAR.lnk").exists(), "the Start menu has the uninstaller too")
    folder = shortcut_working_folder(shortcut.read_bytes())
    t.equal(folder, documents + "\\ULMAR", "the shortcut's working folder")
    t.check(logs.is_dir(), "the installer made the log folder")
    t.equal(sorted(p.name for p in logs.iterdir()) if logs.is_dir() else None, [], "the log folder starts empty")

    # Started as the shortcut starts it: the installed program, in the log folder.
    app = t.start(folder=logs, exe=exe)
    t.equal(until(lambda: (logs / "MYLOG.ULM").exists(), True), True, "MYLOG.ULM appears in the log folder")
    t.equal(app.text(app.main), MAIN_TITLE + " " * 60 + "MYLOG.ULM", "the program shows its log")
    app.command(app.main, MAIN_BUTTON_EXIT)
    t.equal(app.wait_exit(), 0, "exit code")
    log = (logs / "MYLOG.ULM").read_bytes()
    t.equal((logs / "CURLOG.DTA").read_bytes(), logfiles.settings("MYLOG.ULM"), "CURLOG.DTA in the log folder")

    # The uninstaller copies itself away and goes on after `wine` returns: wait for the files.
    run_wine(t, uninstaller, "/S")
    gone = until(lambda: programs.exists() or menu.exists(), False, timeout=120)
    t.equal(gone, False, "the program folder and the Start-menu folder are removed")
    t.check(not exe.exists() and not shortcut.exists(), "the program and its shortcut are gone")
    t.equal(sorted(p.name for p in logs.iterdir()), ["CURLOG.DTA", "MYLOG.ULM"], "the log folder keeps its files")
    t.equal((logs / "MYLOG.ULM").read_bytes(), log, "the log is kept as it was")

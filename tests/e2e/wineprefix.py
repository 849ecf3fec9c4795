"""A Wine prefix whose fonts this rig chooses itself, the same on every machine.

Wine would otherwise take whatever fonts fontconfig finds on the machine, and a
font the program asks for that is not there falls back silently to another of
other metrics. So a prefix here sees exactly these fonts, copied into its
C:\\windows\\Fonts: Wine's own (MS Sans Serif, Courier, Tahoma, ... from
fonts-wine) and Liberation Mono (fonts-liberation), which stands in for
Courier New with the same metrics. fontconfig is given a configuration with no
font folder at all, and `check_fonts` proves that each font the program uses
resolves to the face it should before any scenario runs.

Also a command for scripts/start.sh:
    wine_env=$(python3 tests/e2e/wineprefix.py PREFIX [WIDTHxHEIGHT]) && eval "$wine_env"
prepares the prefix (a virtual desktop of that size when given) and prints the
environment to run Wine in it.
"""
import os
import pathlib
import subprocess
import sys
import tempfile

# (package, folder, file names) of every font file a prefix gets.
FONT_SOURCES = [
    ("fonts-wine", pathlib.Path("/usr/share/wine/fonts"), ["*"]),
    ("fonts-liberation", pathlib.Path("/usr/share/fonts/truetype/liberation"), ["LiberationMono-*.ttf"]),
]
# Files without which the program's fonts cannot be had.
REQUIRED = {"fonts-wine": ["sserife.fon", "coure.fon", "tahoma.ttf"],
            "fonts-liberation": ["LiberationMono-Regular.ttf"]}
# Fonts the program asks for that a Windows system has under another name here.
REPLACEMENTS = {"Courier New": "Liberation Mono"}
# What the fonts the program asks for must turn out to be: (name, points, face, full name of its file).
EXPECTED_FACES = [("MS Sans Serif", 8, "MS Sans Serif", ""),
                  ("Courier", 8, "Courier", ""),
                  ("Courier New", 10, "Courier New", "Liberation Mono")]

DLL_OVERRIDES = "mscoree,mshtml="


class FontError(Exception):
    pass


def font_files():
    """Every font file the prefix gets; FontError names the package of one that is missing."""
    files = []
    for package, folder, patterns in FONT_SOURCES:
        for name in REQUIRED[package]:
            if not (folder / name).is_file():
                raise FontError("the font file %s is missing: install the package %s (scripts/setup.sh does)"
                                % (folder / name, package))
        for pattern in patterns:
            files.extend(sorted(folder.glob(pattern)))
    return files


def fontconfig_file(prefix):
    """A fontconfig configuration with no font folder, so Wine sees only the prefix's own fonts."""
    path = prefix / "fontconfig.conf"
    path.write_text('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n'
                    "<fontconfig>\n  <cachedir>%s</cachedir>\n</fontconfig>\n" % (prefix / "fontconfig-cache"))
    return path


def env(prefix, display=None):
    """The environment that runs Wine in this prefix (on `display` when given)."""
    out = dict(os.environ)
    out.update({"WINEPREFIX": str(prefix), "WINEDEBUG": "-all", "WINEDLLOVERRIDES": DLL_OVERRIDES,
                "FONTCONFIG_FILE": str(prefix / "fontconfig.conf")})
    if display:
        out["DISPLAY"] = display
    return out


def _registry(desktop):
    lines = ["REGEDIT4", "",
             # Fonts that fontconfig listed in earlier runs are forgotten.
             "[-HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\External Fonts]", "",
             "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]"]
    lines += ['"%s"="%s"' % pair for pair in REPLACEMENTS.items()]
    lines += ["", "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]", '"Desktop"=%s' % ('"Default"' if desktop else "-")]
    if desktop:
        lines += ["", "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]", '"Default"="%s"' % desktop]
    return "\r\n".join(lines) + "\r\n"


def _quiet(args, environment, timeout=300):
    subprocess.run(args, env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)


def prepare(prefix, display=None, desktop=None):
    """Makes the prefix once (wineboot), then gives it its fonts and, with `desktop`
    ("640x480"), a virtual desktop of that size (else none). Ends with the prefix's
    wineserver stopped, so the next Wine process reads the settings afresh."""
    prefix = pathlib.Path(prefix).resolve()
    files = font_files()
    prefix.mkdir(parents=True, exist_ok=True)
    fontconfig_file(prefix)
    environment = env(prefix, display)
    if not (prefix / "system.reg").exists():
        _quiet(["wineboot", "-i"], environment)
        _quiet(["wineserver", "-w"], environment)
    own_shell_folders(prefix)
    fonts = prefix / "drive_c" / "windows" / "Fonts"
    fonts.mkdir(parents=True, exist_ok=True)
    for source in files:
        target = fonts / source.name
        if not target.exists() or target.stat().st_size != source.stat().st_size:
            target.write_bytes(source.read_bytes())
    with tempfile.TemporaryDirectory() as folder:
        reg = pathlib.Path(folder) / "ulmar.reg"
        reg.write_text(_registry(desktop), encoding="ascii")
        _quiet(["wine", "regedit", "/S", str(reg)], environment, timeout=120)
    _quiet(["wineserver", "-k"], environment, timeout=120)
    _quiet(["wineserver", "-w"], environment, timeout=120)
    return environment


def own_shell_folders(prefix):
    """Wine links a user's Documents, Desktop, ... to the home folder; here they are
    folders of the prefix, so nothing run in it writes into the home folder."""
    for user in (prefix / "drive_c" / "users").iterdir():
        for link in user.iterdir():
            if link.is_symlink():
                link.unlink()
                link.mkdir()


def check_fonts(font_face):
    """Raises FontError unless every font the program uses resolves to its face.
    `font_face(name, points)` gives (face, full name of its file, average width, height) as
    the prefix's Wine resolves it."""
    for name, points, face, full in EXPECTED_FACES:
        got = font_face(name, points)
        if got[0] != face or (full and got[1] != full):
            raise FontError('the font "%s" resolved to "%s" (%s), not "%s" (%s): the prefix lacks it'
                            % (name, got[0], got[1] or "bitmap font", face, full or "bitmap font"))


def main(argv):
    if len(argv) not in (2, 3):
        print("usage: wineprefix.py PREFIX [WIDTHxHEIGHT]", file=sys.stderr)
        return 2
    desktop = argv[2] if len(argv) == 3 else None
    try:
        environment = prepare(argv[1], os.environ.get("DISPLAY"), desktop)
    except FontError as error:
        print("wineprefix: %s" % error, file=sys.stderr)
        return 1
    for key in ("WINEPREFIX", "WINEDEBUG", "WINEDLLOVERRIDES", "FONTCONFIG_FILE"):
        print("export %s='%s'" % (key, environment[key]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

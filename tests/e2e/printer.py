"""A private CUPS server for printing scenarios: its own configuration folder,
its own socket and at most one `file:` queue, so Wine's default printer is a
file the scenario can read. The system's printers are never touched.

The server's folders lie under /tmp, not in the scenario folder: its filters
and its `file:` output run as the spooler's own user `lp`, who may not be able
to enter the checkout (a clone in /root, say). When the server stops, its
error log is copied into the scenario folder and the rest is removed.

    cups = PrivateCups(t, with_printer=True)   # started; stopped when the scenario ends
    app = t.start(env=cups.env())
    ...
    ps = cups.wait_job()                       # bytes of the finished PostScript job
"""
import os
import pathlib
import pwd
import shutil
import subprocess
import tempfile
import time

QUEUE = "ULMARTEST"
PPD = "drv:///sample.drv/generic.ppd"


def _lp_ids():
    lp = pwd.getpwnam("lp")
    return lp.pw_uid, lp.pw_gid


class PrivateCups:
    def __init__(self, t, with_printer=True):
        # /tmp itself, whatever TMPDIR says: every user can pass through it, and
        # the socket's path stays short enough for sun_path (108 bytes).
        self.root = pathlib.Path(tempfile.mkdtemp(prefix="ulmar-cups-", dir="/tmp"))
        self.socket = self.root / "cups.sock"
        self.output = self.root / "out" / "job.ps"
        self.scenario_dir = t.dir
        self.proc = None
        t.on_cleanup(self.stop)
        self._make_folders()
        self._write_config()
        self._start()
        if with_printer:
            self._add_queue()

    def env(self):
        """The environment that points a client (Wine, lpstat) at this server only."""
        return {"CUPS_SERVER": str(self.socket)}

    def _client_env(self):
        env = dict(os.environ)
        env.update(self.env())
        env.pop("PRINTER", None)
        env.pop("LPDEST", None)
        return env

    def _make_folders(self):
        for sub in ("", "spool", "spool/tmp", "cache", "state", "out", "log", "ppd"):
            (self.root / sub).mkdir(parents=True, exist_ok=True)
        uid, gid = _lp_ids()
        for sub in ("spool", "spool/tmp", "cache", "state", "out", "log"):
            os.chown(self.root / sub, uid, gid)
            os.chmod(self.root / sub, 0o775)
        os.chmod(self.root, 0o755)

    def _write_config(self):
        r = self.root
        (r / "cupsd.conf").write_text(
            "Listen %s\n"
            "WebInterface No\n"
            "Browsing No\n"
            "LogLevel warn\n"
            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
            "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n" % self.socket)
        (r / "cups-files.conf").write_text(
            "FileDevice Yes\n"
            "ServerRoot %s\n"
            "RequestRoot %s/spool\n"
            "CacheDir %s/cache\n"
            "StateDir %s/state\n"
            "TempDir %s/spool/tmp\n"
            "ErrorLog %s/log/error_log\n"
            "AccessLog %s/log/access_log\n"
            "PageLog %s/log/page_log\n"
            "User lp\nGroup lp\nSystemGroup root\n"
            "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\n" % ((r,) * 8))

    def _start(self):
        conf, files = self.root / "cupsd.conf", self.root / "cups-files.conf"
        check = subprocess.run(["cupsd", "-t", "-c", str(conf), "-s", str(files)], capture_output=True, text=True)
        if check.returncode != 0:
            raise RuntimeError("cupsd configuration refused: %s %s" % (check.stdout, check.stderr))
        # -f keeps cupsd in the foreground, so this process owns it and can end it.
        self.proc = subprocess.Popen(["cupsd", "-f", "-c", str(conf), "-s", str(files)],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 60
        while time.time() < deadline:
            if self.socket.exists():
                if subprocess.run(["lpstat", "-r"], env=self._client_env(), capture_output=True).returncode == 0:
                    return
            if self.proc.poll() is not None:
                break
            time.sleep(0.05)
        raise RuntimeError("private cupsd did not start")

    def _add_queue(self):
        env = self._client_env()
        subprocess.run(["lpadmin", "-p", QUEUE, "-E", "-v", "file://%s" % self.output, "-m", PPD],
                       env=env, check=True, capture_output=True)
        # The server's own default destination: no lpoptions file is written.
        subprocess.run(["lpadmin", "-d", QUEUE], env=env, check=True, capture_output=True)

    def default_destination(self):
        out = subprocess.run(["lpstat", "-d"], env=self._client_env(), capture_output=True, text=True).stdout
        return out.strip()

    def wait_job(self, timeout=120):
        """The finished job's bytes once the queue has completed a job and holds no
        other; b"" when none came."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.output.exists() and self.jobs_done() and self._idle():
                return self.output.read_bytes()
            time.sleep(0.2)
        return b""

    def _idle(self):
        out = subprocess.run(["lpstat", "-o"], env=self._client_env(), capture_output=True, text=True).stdout
        return out.strip() == ""

    def jobs_done(self):
        out = subprocess.run(["lpstat", "-W", "completed", "-o"], env=self._client_env(), capture_output=True,
                             text=True).stdout
        return [line for line in out.splitlines() if line.strip()]

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc = None
        if self.root.exists():
            log = self.root / "log" / "error_log"
            if log.exists():
                shutil.copy(log, self.scenario_dir / "cups-error_log")
            shutil.rmtree(self.root, ignore_errors=True)


def ps_pages(ps):
    """The number of pages a PostScript job says it has (its %%Page comments)."""
    return sum(1 for line in ps.splitlines() if line.startswith(b"%%Page:"))


# How the printer driver turns a page to landscape in its page set-up.
LANDSCAPE_TURN = b"\n-90 rotate\n"


def ps_text(path):
    """The job's text, as ps2ascii reads it. ps2ascii reads a landscape page's
    lines as columns of single letters, so it gets a copy whose pages are
    turned back upright (the text keeps its positions along the line)."""
    path = pathlib.Path(path)
    upright = path.with_name(path.stem + "-upright.ps")
    upright.write_bytes(path.read_bytes().replace(LANDSCAPE_TURN, b"\n0 -2550 translate\n"))
    out = subprocess.run(["ps2ascii", str(upright)], capture_output=True, timeout=120).stdout
    # ps2ascii writes UTF-8; the driver draws each blank as a no-break space.
    return out.decode("utf-8", "replace").replace("\u00a0", " ")


def render_pages(path, pattern, resolution=50):
    """Renders every page of the job to PNG files named by `pattern` (with %d)."""
    subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=png16m", "-r%d" % resolution,
                    "-sOutputFile=%s" % pattern, str(path)], check=True, capture_output=True, timeout=120)


def ps_drawing(ps):
    """What each page of a job draws, in printer dots as the program gave them:
    a list of pages, each {"glyphs": [(x, y)], "lines": [(x1, y1, x2, y2)]},
    where (x, y) of a glyph is where the driver placed it (x: left edge,
    y: baseline)."""
    pages = []
    here = None
    for raw in ps.split(b"\n"):
        line = raw.strip()
        if line.startswith(b"%%Page:"):
            pages.append({"glyphs": [], "lines": []})
            continue
        if not pages:
            continue
        words = line.split()
        if len(words) == 3 and words[2] in (b"moveto", b"lineto"):
            try:
                point = (int(words[0]), int(words[1]))
            except ValueError:
                continue
            if words[2] == b"lineto" and here:
                pages[-1]["lines"].append(here + point)
            here = point
        elif line.endswith(b"glyphshow") and here:
            pages[-1]["glyphs"].append(here)
    return pages

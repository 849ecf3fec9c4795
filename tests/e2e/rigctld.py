"""Debian's real rigctld with its dummy receiver (-m 1) on a free port, for the
receiver scenarios, and a plain client to tune or read it beside the program."""
import socket
import subprocess
import time


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def ask(port, command):
    """Sends one command line and returns the first reply line without LF."""
    with socket.create_connection(("127.0.0.1", port), timeout=30) as s:
        s.sendall(command.encode() + b"\n")
        reply = b""
        while not reply.endswith(b"\n"):
            chunk = s.recv(4096)
            if not chunk:
                break
            reply += chunk
        return reply.decode().split("\n")[0]


class Rigctld:
    """Started at once; `stop()` kills it and waits for it, `start()` starts it again
    on the same port (a restarted dummy is back at 145000000 Hz, FM)."""

    def __init__(self, t, port=None):
        self.port = port or free_port()
        self.process = None
        self.start()
        t.on_cleanup(self.stop)

    def start(self):
        self.process = subprocess.Popen(["rigctld", "-m", "1", "-T", "127.0.0.1", "-t", str(self.port)],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Connect until it accepts: a state, not a fixed wait.
        while True:
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=5).close()
                return
            except OSError:
                if self.process.poll() is not None:
                    raise RuntimeError("rigctld exited (is libhamlib-utils installed?)")
                time.sleep(0.02)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def tune(self, hertz):
        reply = ask(self.port, "F %d" % hertz)
        if reply != "RPRT 0":
            raise RuntimeError("rigctld answered %r to F %d" % (reply, hertz))

    def ask_mode(self, mode, passband=10000):
        return ask(self.port, "M %s %d" % (mode, passband))

    def frequency(self):
        return ask(self.port, "f")

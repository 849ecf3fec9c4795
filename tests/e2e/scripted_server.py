"""Small scripted receiver-control servers for the scenarios: the SDR programs'
variants and hostile servers, each answering the lines a client sends as its
script says, on a thread of its own."""
import socket
import threading


class ScriptedServer:
    """`script(line)` returns the bytes to send for a line (None: close). With
    `first_client_only`, later clients are accepted and never answered, as
    SDR++ and SDRangel do."""

    def __init__(self, t, script, first_client_only=False):
        self.script = script
        self.first_client_only = first_client_only
        self.accepted = 0
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(8)
        self.listener.settimeout(0.1)
        self.port = self.listener.getsockname()[1]
        self.stopping = False
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()
        t.on_cleanup(self.stop)

    def serve(self):
        while not self.stopping:
            try:
                client, _ = self.listener.accept()
            except OSError:
                continue
            self.accepted += 1
            answered = not self.first_client_only or self.accepted == 1
            threading.Thread(target=self.answer, args=(client, answered), daemon=True).start()

    def answer(self, client, answered=True):
        pending = b""
        with client:
            while not self.stopping:
                try:
                    chunk = client.recv(4096)
                except OSError:
                    return
                if not chunk:
                    return
                pending += chunk if answered else b""
                while b"\n" in pending:
                    line, pending = pending.split(b"\n", 1)
                    reply = self.script(line.decode("latin-1"))
                    if reply is None:
                        return
                    client.sendall(reply)

    def stop(self):
        self.stopping = True
        self.listener.close()


class FullListener:
    """Backlog 0 with one connection left unaccepted: a further connect waits
    unanswered, as across a network."""

    def __init__(self, t):
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(0)
        self.port = self.listener.getsockname()[1]
        self.queued = socket.create_connection(("127.0.0.1", self.port))
        t.on_cleanup(self.stop)

    def stop(self):
        self.queued.close()
        self.listener.close()

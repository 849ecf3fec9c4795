// A TCP client that never waits, for the receiver link: Winsock in the
// program, POSIX sockets in the command-line tool and the native tests. Each
// call does what can be done at once and returns: a name is looked up on a
// thread of its own, the connect runs in the background, and reads and
// writes take what the socket has room for. So the window thread may call it
// from a timer without ever freezing, whether the receiver answers, refuses
// or never answers.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

enum class TcpState { Closed, LookingUp, Connecting, Open, Failed };

struct TcpLookup;  // a name lookup running on its own thread

struct TcpClient {
    TcpState State = TcpState::Closed;
    intptr_t Socket = -1;  // SOCKET on Windows, file descriptor on POSIX
    int Port = 0;
    std::shared_ptr<TcpLookup> Lookup;
    std::string Unsent;   // bytes the socket had no room for yet
    std::string Failure;  // why it failed, in a listener's words ("connection refused")
};

// Begins connecting to `host` (a name or a literal address) at `port`,
// closing what the client had open.
void TcpOpen(TcpClient* client, const std::string& host, int port);
// Moves the client on without waiting and appends what arrived to
// `received`. Returns the state: Open once connected; Failed (with Failure
// set) when the connect failed or the server closed the link.
TcpState TcpPoll(TcpClient* client, std::string* received);
// Queues `bytes` and writes what the socket takes now.
void TcpSend(TcpClient* client, std::string_view bytes);
void TcpClose(TcpClient* client);
// Waits up to `milliseconds` for the client to have something to do; only
// for a program that may block (the command-line tool).
void TcpWait(const TcpClient& client, int milliseconds);

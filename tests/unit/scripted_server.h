// A small scripted receiver-control server on a free local port, playing the
// SDR programs' variants and hostile servers: it answers each line a client
// sends with what the script says, on a thread of its own.
#pragma once
#include <atomic>
#include <functional>
#include <string>
#include <thread>

struct ScriptedReply {
    std::string Bytes;   // sent as they are; may be empty
    bool Close = false;  // then the connection is closed
    int DelayMs = 0;     // waited before sending
};

struct ScriptedServer {
    // `script` gets each line without its LF. Only the first client is
    // answered when `firstClientOnly`; later ones are accepted and ignored.
    ScriptedServer(std::function<ScriptedReply(const std::string&)> script, bool firstClientOnly = false);
    ~ScriptedServer();
    int Port = 0;

  private:
    void Serve();
    std::function<ScriptedReply(const std::string&)> Script;
    bool FirstClientOnly;
    int ListenFd = -1;
    std::atomic<bool> Stop{false};
    std::thread Thread;
};

// A listener with a full accept queue: backlog 0 and one connection left
// unaccepted, so a further connect waits unanswered, as across a network.
struct FullListener {
    FullListener();
    ~FullListener();
    int Port = 0;
    int ListenFd = -1;
    int QueuedFd = -1;
};

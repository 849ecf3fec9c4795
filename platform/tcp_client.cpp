#include "platform/tcp_client.h"

#include <atomic>
#include <cstring>

#include "platform/socket_calls.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

// What a lookup found, handed over from its thread once Done is set.
struct TcpLookup {
    std::string Host;
    int Port = 0;
    sockaddr_storage Address = {};
    int AddressLength = 0;
    bool Found = false;
    std::atomic<bool> Done{false};
};

namespace {

constexpr int kReadChunk = 4096;
// The most one poll reads: a server that floods cannot make a poll run long
// or hold much memory; the rest waits in the socket for the next poll.
constexpr size_t kMostReadPerPoll = 64 * 1024;

void LookUp(void* argument) {
    auto* held = static_cast<std::shared_ptr<TcpLookup>*>(argument);
    TcpLookup* lookup = held->get();
    addrinfo hints = {};
    hints.ai_family = AF_INET;  // rigctld -T 127.0.0.1 and most servers listen on IPv4
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    std::string port = std::to_string(lookup->Port);
    if (getaddrinfo(lookup->Host.c_str(), port.c_str(), &hints, &found) == 0 && found != nullptr) {
        std::memcpy(&lookup->Address, found->ai_addr, found->ai_addrlen);
        lookup->AddressLength = static_cast<int>(found->ai_addrlen);
        lookup->Found = true;
    }
    if (found != nullptr) freeaddrinfo(found);
    lookup->Done = true;
    delete held;
}

void Fail(TcpClient* client, std::string failure) {
    if (client->Socket != kNoSocket) SocketClose(client->Socket);
    client->Socket = kNoSocket;
    client->Lookup.reset();
    client->Unsent.clear();
    client->State = TcpState::Failed;
    client->Failure = std::move(failure);
}

void StartConnect(TcpClient* client, const TcpLookup& lookup) {
    client->Socket = SocketOpenNonBlocking(lookup.Address.ss_family);
    int error = 0;
    if (client->Socket == kNoSocket) return Fail(client, "no socket");
    if (!SocketConnectStart(client->Socket, reinterpret_cast<const sockaddr*>(&lookup.Address), lookup.AddressLength,
                            &error)) {
        return Fail(client, SocketErrorText(error));
    }
    client->State = TcpState::Connecting;
}

void WriteUnsent(TcpClient* client) {
    while (!client->Unsent.empty()) {
        int error = 0;
        int written =
            SocketWrite(client->Socket, client->Unsent.data(), static_cast<int>(client->Unsent.size()), &error);
        if (written < 0) return Fail(client, SocketErrorText(error));
        if (written == 0) return;
        client->Unsent.erase(0, static_cast<size_t>(written));
    }
}

void ReadAvailable(TcpClient* client, std::string* received) {
    char buffer[kReadChunk];
    for (;;) {
        int error = 0;
        int got = SocketRead(client->Socket, buffer, kReadChunk, &error);
        if (got == -1) return;
        if (got == 0) return Fail(client, "connection closed");
        if (got < 0) return Fail(client, SocketErrorText(error));
        received->append(buffer, static_cast<size_t>(got));
        if (received->size() >= kMostReadPerPoll) return;
    }
}

}  // namespace

void TcpOpen(TcpClient* client, const std::string& host, int port) {
    TcpClose(client);
    SocketsReady();
    client->Port = port;
    client->Failure.clear();
    auto lookup = std::make_shared<TcpLookup>();
    lookup->Host = host;
    lookup->Port = port;
    client->Lookup = lookup;
    client->State = TcpState::LookingUp;
    RunDetached(LookUp, new std::shared_ptr<TcpLookup>(lookup));
}

TcpState TcpPoll(TcpClient* client, std::string* received) {
    if (client->State == TcpState::LookingUp && client->Lookup->Done) {
        std::shared_ptr<TcpLookup> lookup = std::move(client->Lookup);
        if (!lookup->Found) {
            Fail(client, "host not found");
        } else {
            StartConnect(client, *lookup);
        }
    }
    if (client->State == TcpState::Connecting) {
        int error = 0;
        int done = SocketConnectDone(client->Socket, &error);
        if (done < 0) Fail(client, SocketErrorText(error));
        if (done > 0) client->State = TcpState::Open;
    }
    if (client->State == TcpState::Open) WriteUnsent(client);
    if (client->State == TcpState::Open) ReadAvailable(client, received);
    return client->State;
}

void TcpSend(TcpClient* client, std::string_view bytes) {
    if (client->State != TcpState::Open) return;
    client->Unsent.append(bytes.data(), bytes.size());
    WriteUnsent(client);
}

void TcpClose(TcpClient* client) {
    if (client->Socket != kNoSocket) SocketClose(client->Socket);
    client->Socket = kNoSocket;
    client->Lookup.reset();  // a lookup still running finishes on its own
    client->Unsent.clear();
    client->State = TcpState::Closed;
}

void TcpWait(const TcpClient& client, int milliseconds) {
    if (client.State == TcpState::Open || client.State == TcpState::Connecting) {
        SocketWait(client.Socket, client.State == TcpState::Connecting, milliseconds);
    } else {
        SleepMilliseconds(milliseconds);
    }
}

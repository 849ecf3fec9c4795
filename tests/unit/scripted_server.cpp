#include "tests/unit/scripted_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace {

int ListenLocal(int backlog, int* port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(fd, backlog);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    *port = ntohs(address.sin_port);
    return fd;
}

struct Client {
    int Fd = -1;
    bool Answered = true;
    std::string Line;
};

// False when the client is to be closed.
bool Answer(Client* client, const std::function<ScriptedReply(const std::string&)>& script) {
    char buffer[4096];
    ssize_t got = recv(client->Fd, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    if (!client->Answered) return true;
    client->Line.append(buffer, static_cast<size_t>(got));
    for (size_t end; (end = client->Line.find('\n')) != std::string::npos;) {
        ScriptedReply reply = script(client->Line.substr(0, end));
        client->Line.erase(0, end + 1);
        if (reply.DelayMs > 0) usleep(static_cast<useconds_t>(reply.DelayMs) * 1000);
        if (!reply.Bytes.empty()) send(client->Fd, reply.Bytes.data(), reply.Bytes.size(), MSG_NOSIGNAL);
        if (reply.Close) return false;
    }
    return true;
}

}  // namespace

ScriptedServer::ScriptedServer(std::function<ScriptedReply(const std::string&)> script, bool firstClientOnly)
    : Script(std::move(script)), FirstClientOnly(firstClientOnly) {
    ListenFd = ListenLocal(8, &Port);
    Thread = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer() {
    Stop = true;
    Thread.join();
    close(ListenFd);
}

void ScriptedServer::Serve() {
    std::vector<Client> clients;
    int accepted = 0;
    while (!Stop) {
        std::vector<pollfd> polled = {{ListenFd, POLLIN, 0}};
        for (const Client& client : clients) polled.push_back({client.Fd, POLLIN, 0});
        if (poll(polled.data(), polled.size(), 20) <= 0) continue;
        for (size_t i = clients.size(); i-- > 0;) {
            if (!(polled[i + 1].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            if (!Answer(&clients[i], Script)) {
                close(clients[i].Fd);
                clients.erase(clients.begin() + static_cast<long>(i));
            }
        }
        if (polled[0].revents & POLLIN) {
            Client client;
            client.Fd = accept(ListenFd, nullptr, nullptr);
            client.Answered = !FirstClientOnly || accepted++ == 0;
            if (client.Fd >= 0) clients.push_back(client);
        }
    }
    for (const Client& client : clients) close(client.Fd);
}

FullListener::FullListener() {
    ListenFd = ListenLocal(0, &Port);
    QueuedFd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(Port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connect(QueuedFd, reinterpret_cast<sockaddr*>(&address), sizeof address);
}

FullListener::~FullListener() {
    close(QueuedFd);
    close(ListenFd);
}

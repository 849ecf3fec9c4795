#include "tests/unit/rigctld_daemon.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

sockaddr_in LocalAddress(int port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int ConnectLocal(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = LocalAddress(port);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    close(fd);
    return -1;
}

void PauseBriefly() {
    timespec pause = {0, 20 * 1000 * 1000};
    nanosleep(&pause, nullptr);
}

}  // namespace

int FreeLocalPort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = LocalAddress(0);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

pid_t StartRigctld(int port) {
    std::string portText = std::to_string(port);
    pid_t pid = fork();
    if (pid == 0) {
        execlp("rigctld", "rigctld", "-m", "1", "-T", "127.0.0.1", "-t", portText.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // Connect until it accepts; a daemon that exited is not waited for.
    for (;;) {
        int fd = ConnectLocal(port);
        if (fd >= 0) {
            close(fd);
            return pid;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return -1;
        PauseBriefly();
    }
}

void StopDaemon(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

std::string AskDaemon(int port, const std::string& command) {
    int fd = ConnectLocal(port);
    if (fd < 0) return "";
    send(fd, command.data(), command.size(), MSG_NOSIGNAL);
    std::string line;
    char c = 0;
    while (recv(fd, &c, 1, 0) == 1 && c != '\n') line += c;
    close(fd);
    return line;
}

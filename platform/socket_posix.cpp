#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "platform/socket_calls.h"

void SocketsReady() {}

intptr_t SocketOpenNonBlocking(int family) {
    int socket = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    return socket < 0 ? kNoSocket : socket;
}

void SocketClose(intptr_t socket) { close(static_cast<int>(socket)); }

bool SocketConnectStart(intptr_t socket, const sockaddr* address, int length, int* error) {
    if (connect(static_cast<int>(socket), address, static_cast<socklen_t>(length)) == 0) return true;
    *error = errno;
    return errno == EINPROGRESS;
}

int SocketConnectDone(intptr_t socket, int* error) {
    pollfd polled = {static_cast<int>(socket), POLLOUT, 0};
    if (poll(&polled, 1, 0) <= 0) return 0;
    int result = 0;
    socklen_t length = sizeof result;
    getsockopt(static_cast<int>(socket), SOL_SOCKET, SO_ERROR, &result, &length);
    *error = result;
    return result == 0 ? 1 : -1;
}

int SocketRead(intptr_t socket, char* buffer, int size, int* error) {
    ssize_t got = recv(static_cast<int>(socket), buffer, static_cast<size_t>(size), 0);
    if (got >= 0) return static_cast<int>(got);
    *error = errno;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? -1 : -2;
}

int SocketWrite(intptr_t socket, const char* bytes, int size, int* error) {
    ssize_t written = send(static_cast<int>(socket), bytes, static_cast<size_t>(size), MSG_NOSIGNAL);
    if (written >= 0) return static_cast<int>(written);
    *error = errno;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

void SocketWait(intptr_t socket, bool write, int milliseconds) {
    pollfd polled = {static_cast<int>(socket), static_cast<short>(write ? POLLOUT : POLLIN), 0};
    poll(&polled, 1, milliseconds);
}

void SleepMilliseconds(int milliseconds) {
    timespec pause = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    nanosleep(&pause, nullptr);
}

void RunDetached(void (*work)(void*), void* argument) { std::thread(work, argument).detach(); }

std::string SocketErrorText(int error) {
    switch (error) {
        case ECONNREFUSED: return "connection refused";
        case ETIMEDOUT: return "no answer";
        case EHOSTUNREACH:
        case ENETUNREACH: return "host unreachable";
        case ECONNRESET: return "connection reset";
        case EPIPE: return "connection closed";
        default: return "connection failed (" + std::string(strerror(error)) + ")";
    }
}

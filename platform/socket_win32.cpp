// winsock2.h brings windows.h, after its own declarations.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/socket_calls.h"

namespace {

struct DetachedWork {
    void (*Work)(void*);
    void* Argument;
};

DWORD WINAPI RunWork(LPVOID parameter) {
    DetachedWork* work = static_cast<DetachedWork*>(parameter);
    work->Work(work->Argument);
    delete work;
    return 0;
}

}  // namespace

void SocketsReady() {
    static bool ready = false;
    if (ready) return;
    WSADATA data;
    ready = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

intptr_t SocketOpenNonBlocking(int family) {
    SOCKET socket = ::socket(family, SOCK_STREAM, IPPROTO_TCP);
    if (socket == INVALID_SOCKET) return kNoSocket;
    u_long nonBlocking = 1;
    ioctlsocket(socket, FIONBIO, &nonBlocking);
    return static_cast<intptr_t>(socket);
}

void SocketClose(intptr_t socket) { closesocket(static_cast<SOCKET>(socket)); }

bool SocketConnectStart(intptr_t socket, const sockaddr* address, int length, int* error) {
    if (connect(static_cast<SOCKET>(socket), address, length) == 0) return true;
    *error = WSAGetLastError();
    return *error == WSAEWOULDBLOCK || *error == WSAEINPROGRESS;
}

int SocketConnectDone(intptr_t socket, int* error) {
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(static_cast<SOCKET>(socket), &writable);
    FD_SET(static_cast<SOCKET>(socket), &failed);
    timeval now = {0, 0};
    if (select(0, nullptr, &writable, &failed, &now) <= 0) return 0;
    int result = 0;
    int length = sizeof result;
    getsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&result), &length);
    if (FD_ISSET(static_cast<SOCKET>(socket), &failed) && result == 0) result = WSAECONNREFUSED;
    *error = result;
    return result == 0 ? 1 : -1;
}

int SocketRead(intptr_t socket, char* buffer, int size, int* error) {
    int got = recv(static_cast<SOCKET>(socket), buffer, size, 0);
    if (got >= 0) return got;
    *error = WSAGetLastError();
    return *error == WSAEWOULDBLOCK ? -1 : -2;
}

int SocketWrite(intptr_t socket, const char* bytes, int size, int* error) {
    int written = send(static_cast<SOCKET>(socket), bytes, size, 0);
    if (written >= 0) return written;
    *error = WSAGetLastError();
    return *error == WSAEWOULDBLOCK ? 0 : -1;
}

void SocketWait(intptr_t socket, bool write, int milliseconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(static_cast<SOCKET>(socket), &set);
    timeval wait = {milliseconds / 1000, (milliseconds % 1000) * 1000};
    select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait);
}

void SleepMilliseconds(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void RunDetached(void (*work)(void*), void* argument) {
    HANDLE thread = CreateThread(nullptr, 0, RunWork, new DetachedWork{work, argument}, 0, nullptr);
    if (thread != nullptr) CloseHandle(thread);
}

std::string SocketErrorText(int error) {
    switch (error) {
        case WSAECONNREFUSED: return "connection refused";
        case WSAETIMEDOUT: return "no answer";
        case WSAEHOSTUNREACH:
        case WSAENETUNREACH: return "host unreachable";
        case WSAECONNRESET:
        case WSAECONNABORTED: return "connection reset";
        default: return "connection failed (error " + std::to_string(error) + ")";
    }
}

// The few socket calls that differ between Winsock and POSIX, for the TCP
// client (tcp_client.cpp): each file of this layer gives them for its system.
#pragma once
#include <cstdint>
#include <string>

struct sockaddr;

constexpr intptr_t kNoSocket = -1;

// Makes the system's sockets ready once (WSAStartup on Windows).
void SocketsReady();
// A non-blocking stream socket of `family`, or kNoSocket.
intptr_t SocketOpenNonBlocking(int family);
void SocketClose(intptr_t socket);
// Starts a connect; true when it completed or is under way, else `error` set.
bool SocketConnectStart(intptr_t socket, const sockaddr* address, int length, int* error);
// 1 when the connect completed, 0 while under way, -1 failed with `error`.
int SocketConnectDone(intptr_t socket, int* error);
// Bytes read now: > 0 read, 0 closed by the peer, -1 nothing yet, -2 failed with `error`.
int SocketRead(intptr_t socket, char* buffer, int size, int* error);
// Bytes written now, 0 when there is no room, -1 failed with `error`.
int SocketWrite(intptr_t socket, const char* bytes, int size, int* error);
// Waits up to `milliseconds` until the socket can be read (or written, when `write`).
void SocketWait(intptr_t socket, bool write, int milliseconds);
void SleepMilliseconds(int milliseconds);
// Runs `work(argument)` on a thread of its own, not waited for.
void RunDetached(void (*work)(void*), void* argument);
// The system's error as a listener's words: "connection refused", "no answer".
std::string SocketErrorText(int error);

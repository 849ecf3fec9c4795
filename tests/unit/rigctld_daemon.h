// Debian's real rigctld with its dummy receiver (-m 1), started on a free
// port for a test, and a plain blocking client to set or read it beside the
// program's own link.
#pragma once
#include <sys/types.h>
#include <string>

// A TCP port nothing listens on now.
int FreeLocalPort();
// Starts `rigctld -m 1 -T 127.0.0.1 -t port` and returns once it accepts a
// connection; -1 when it could not be started.
pid_t StartRigctld(int port);
// Ends it and waits until it has exited.
void StopDaemon(pid_t pid);
// Sends one command line to 127.0.0.1:port and returns the first reply line
// (without LF), "" when nothing came.
std::string AskDaemon(int port, const std::string& command);

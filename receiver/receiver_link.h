// The one receiver link of the whole program: the protocol driven over the
// platform's TCP client. Some servers (SDR++, SDRangel) answer one client
// only, so the Receiver window re-targets this link instead of opening its
// own. Every call returns at once; the caller calls PumpReceiver from a timer.
#pragma once
#include <cstdint>
#include <string>

#include "platform/tcp_client.h"
#include "receiver/receiver_protocol.h"

struct ReceiverLinkState {
    std::string Host;  // empty: no receiver
    int Port = 0;
    ReceiverProtocol Protocol;
    TcpClient Client;
};

// The program's receiver link.
extern ReceiverLinkState Receiver;

// Milliseconds of a clock that only goes forward, for the protocol's timing.
int64_t ReceiverClockNow();
// Connects to `host`:`port` now (closing any link it had); an empty host
// stops it. Nothing happens when the link already targets them.
void RetargetReceiver(ReceiverLinkState* link, const std::string& host, int port, int64_t now);
// Moves the link on: what arrived, timeouts, polls, reconnects.
void PumpReceiver(ReceiverLinkState* link, int64_t now);
void TuneReceiver(ReceiverLinkState* link, int64_t hertz, int64_t now);
// The status line for the link.
std::string ReceiverStatus(const ReceiverLinkState& link);

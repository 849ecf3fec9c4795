#include "receiver/receiver_link.h"

#include <chrono>

#include "receiver/receiver_status.h"

ReceiverLinkState Receiver;

namespace {

void Carry(ReceiverLinkState* link, LinkAction action) {
    if (action == LinkAction::Close) TcpClose(&link->Client);
    if (action == LinkAction::Connect) TcpOpen(&link->Client, link->Host, link->Port);
}

void SendOutbox(ReceiverLinkState* link) {
    if (link->Protocol.Outbox.empty()) return;
    TcpSend(&link->Client, link->Protocol.Outbox);
    link->Protocol.Outbox.clear();
}

}  // namespace

int64_t ReceiverClockNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RetargetReceiver(ReceiverLinkState* link, const std::string& host, int port, int64_t now) {
    bool running = link->Protocol.Phase != LinkPhase::Idle;
    if (running && host == link->Host && port == link->Port) return;
    TcpClose(&link->Client);
    link->Host = host;
    link->Port = port;
    if (host.empty()) {
        StopLink(&link->Protocol);
        return;
    }
    StartLink(&link->Protocol, now);
    TcpOpen(&link->Client, host, port);
}

void PumpReceiver(ReceiverLinkState* link, int64_t now) {
    ReceiverProtocol* protocol = &link->Protocol;
    if (protocol->Phase == LinkPhase::Idle) return;
    std::string received;
    TcpState state = TcpPoll(&link->Client, &received);
    if (protocol->Phase == LinkPhase::Connecting && state == TcpState::Open) LinkConnected(protocol, now);
    // What arrived before a close is read first: its lines still count.
    if (!received.empty()) Carry(link, LinkReceived(protocol, received, now));
    if (state == TcpState::Failed && link->Client.State == TcpState::Failed) {
        LinkFailed(protocol, link->Client.Failure, now);
        TcpClose(&link->Client);
    }
    Carry(link, LinkTick(protocol, now));
    SendOutbox(link);
}

void TuneReceiver(ReceiverLinkState* link, int64_t hertz, int64_t now) {
    RequestTune(&link->Protocol, hertz, now);
    SendOutbox(link);
}

std::string ReceiverStatus(const ReceiverLinkState& link) {
    return ReceiverStatusText(link.Protocol, link.Host, link.Port);
}

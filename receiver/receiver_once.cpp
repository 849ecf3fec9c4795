#include "receiver/receiver_once.h"

#include "receiver/receiver_link.h"
#include "receiver/receiver_status.h"

namespace {

constexpr int kWaitStepMs = 20;

// Why no frequency came: what the link last said, or its silence.
std::string WhyNot(const ReceiverLinkState& link) {
    const ReceiverProtocol& protocol = link.Protocol;
    if (protocol.Phase == LinkPhase::Connected && !protocol.Refused.empty()) return ReceiverStatus(link);
    if (!protocol.Reason.empty()) return protocol.Reason;
    if (protocol.Phase == LinkPhase::Connected && protocol.LastReport != 0) {
        return "the receiver gave no frequency (RPRT " + std::to_string(protocol.LastReport) + ")";
    }
    return "no answer";
}

}  // namespace

bool ReadReceiverOnce(const std::string& host, int port, int64_t limitMs, int64_t* hertz, std::string* reason) {
    ReceiverLinkState link;
    int64_t start = ReceiverClockNow();
    RetargetReceiver(&link, host, port, start);
    bool found = false;
    // The first failure is the answer: no reconnect within the limit.
    while (!found && link.Protocol.Phase != LinkPhase::Waiting && ReceiverClockNow() - start < limitMs) {
        TcpWait(link.Client, kWaitStepMs);
        PumpReceiver(&link, ReceiverClockNow());
        found = link.Protocol.HasFrequency;
    }
    if (found) *hertz = link.Protocol.Hertz;
    if (!found) *reason = WhyNot(link);
    TcpClose(&link.Client);
    return found;
}

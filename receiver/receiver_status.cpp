#include "receiver/receiver_status.h"

#include "records/hertz.h"

namespace {

std::string Address(const std::string& host, int port) { return host + ":" + std::to_string(port); }

std::string ConnectedText(const ReceiverProtocol& link, const std::string& host, int port) {
    if (!link.Refused.empty()) {
        // Shown cut, so a hostile reply cannot fill the line.
        return "not a frequency: " + link.Refused.substr(0, 24) + " Hz";
    }
    if (!link.HasFrequency && link.LastReport != 0) {
        return "no frequency from the receiver (RPRT " + std::to_string(link.LastReport) + ")";
    }
    if (!link.HasFrequency) return "connected to " + Address(host, port);
    std::string text = FreqTextOfHertz(link.Hertz) + " kHz";
    if (!link.Mode.empty()) text += " " + link.Mode;
    if (link.LastTuneRefused) text += ", tuning refused";
    return text;
}

}  // namespace

std::string ReceiverStatusText(const ReceiverProtocol& link, const std::string& host, int port) {
    switch (link.Phase) {
        case LinkPhase::Idle: return "no receiver set";
        case LinkPhase::Connecting:
            if (!link.Reason.empty()) return link.Reason + "; connecting again";
            return "connecting to " + Address(host, port);
        case LinkPhase::Waiting: return link.Reason + "; trying again";
        case LinkPhase::Connected: return ConnectedText(link, host, port);
    }
    return std::string();
}

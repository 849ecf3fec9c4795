#include "receiver/receiver_status.h"

#include "records/hertz.h"

namespace {

std::string Address(const std::string& host, int port) { return host + ":" + std::to_string(port); }

std::string ConnectedText(const ReceiverProtocol& link, const std::string& host, int port) {
    if (!link.Refused.empty()) {
        // Shown cut, so a hostile reply cannot fill the line.
        return "the receiver reports " + link.Refused.substr(0, 24) + " Hz, not a frequency the log can hold";
    }
    if (!link.HasFrequency) return "connected to " + Address(host, port);
    std::string text = FreqTextOfHertz(link.Hertz) + " kHz";
    if (!link.Mode.empty()) text += " " + link.Mode;
    if (link.LastTuneRefused) text += " (the receiver refused the tuning)";
    return text;
}

}  // namespace

std::string ReceiverStatusText(const ReceiverProtocol& link, const std::string& host, int port) {
    switch (link.Phase) {
        case LinkPhase::Idle: return "no receiver set";
        case LinkPhase::Connecting:
            if (!link.Reason.empty()) return link.Reason + " (" + Address(host, port) + "); connecting again";
            return "connecting to " + Address(host, port);
        case LinkPhase::Waiting: return link.Reason + " (" + Address(host, port) + "); trying again";
        case LinkPhase::Connected: return ConnectedText(link, host, port);
    }
    return std::string();
}

#include "receiver/receiver_protocol.h"

#include <algorithm>

#include "receiver/reply_lines.h"
#include "records/hertz.h"

namespace {

constexpr const char* kUnexpected = "unexpected reply";

void EndLink(ReceiverProtocol* link, std::string_view reason, int64_t now) {
    link->Phase = LinkPhase::Waiting;
    link->Outstanding = Command::None;
    link->Line.clear();
    link->Outbox.clear();
    link->Reason = std::string(reason);
    link->RetryAt = now + link->RetryDelay;
    link->RetryDelay = std::min(link->RetryDelay * 2, kLongestRetryMs);
}

void Send(ReceiverProtocol* link, Command command, std::string text, int64_t now) {
    link->Outbox += text;
    link->Outstanding = command;
    link->SentAt = now;
}

// A reply that makes sense: the link works, so the next loss retries soon.
void Answered(ReceiverProtocol* link) {
    link->Outstanding = Command::None;
    link->RetryDelay = kFirstRetryMs;
}

bool TakeFrequency(ReceiverProtocol* link, std::string_view line) {
    int code = 0;
    int64_t hertz = 0;
    if (ReadReportLine(line, &code)) {
        link->LastReport = code;  // no value this time
    } else {
        HertzReading reading = ReadHertz(line, &hertz);
        if (reading == HertzReading::NotANumber) return false;
        link->Refused = reading == HertzReading::Frequency ? std::string() : std::string(line);
        if (reading == HertzReading::Frequency) {
            // A refused Tune is news only until the dial moves.
            if (link->HasFrequency && WholeKhz(hertz) != WholeKhz(link->Hertz)) link->LastTuneRefused = false;
            link->HasFrequency = true;
            link->Hertz = hertz;
            ++link->Readings;
        }
    }
    ++link->FrequenciesSinceMode;
    // Counted from the question, so a slow answer does not slow the polling.
    link->NextPollAt = link->SentAt + kPollIntervalMs;
    Answered(link);
    return true;
}

bool TakeMode(ReceiverProtocol* link, std::string_view line, int64_t now) {
    int code = 0;
    bool hasPassband = false;
    std::string mode;
    link->FrequenciesSinceMode = 0;
    if (ReadReportLine(line, &code)) {
        link->LastReport = code;
    } else if (ReadModeLine(line, &mode, &hasPassband)) {
        link->Mode = mode;
    } else {
        return false;
    }
    Answered(link);
    if (code == 0 && !hasPassband && !mode.empty()) {
        link->Outstanding = Command::Passband;
        link->PassbandUntil = now + kPassbandWaitMs;
    }
    return true;
}

bool TakeTuneReply(ReceiverProtocol* link, std::string_view line) {
    int code = 0;
    if (!ReadReportLine(line, &code)) return false;
    link->LastReport = code;
    link->LastTuneRefused = code != 0;
    ++link->TunesAnswered;
    Answered(link);
    return true;
}

// False when the line is not what the outstanding command expects.
bool TakeLine(ReceiverProtocol* link, std::string_view line, int64_t now) {
    switch (link->Outstanding) {
        case Command::Frequency: return TakeFrequency(link, line);
        case Command::Mode: return TakeMode(link, line, now);
        case Command::Passband:
            if (!IsAllDigits(line)) return false;
            link->Outstanding = Command::None;
            return true;
        case Command::Tune: return TakeTuneReply(link, line);
        case Command::None: return false;
    }
    return false;
}

void SendNext(ReceiverProtocol* link, int64_t now) {
    if (link->TuneHertz != 0) {
        Send(link, Command::Tune, "F " + std::to_string(link->TuneHertz) + "\n", now);
        link->TuneHertz = 0;
    } else if (link->FrequenciesSinceMode >= kFrequenciesPerMode) {
        // Straight after a frequency, so the next one is not delayed.
        Send(link, Command::Mode, "m\n", now);
    } else if (now >= link->NextPollAt) {
        Send(link, Command::Frequency, "f\n", now);
    }
}

}  // namespace

void StartLink(ReceiverProtocol* link, int64_t now) {
    *link = ReceiverProtocol();
    link->Phase = LinkPhase::Connecting;
    link->ConnectStartedAt = now;
}

void StopLink(ReceiverProtocol* link) { *link = ReceiverProtocol(); }

void LinkConnected(ReceiverProtocol* link, int64_t now) {
    if (link->Phase != LinkPhase::Connecting) return;
    link->Phase = LinkPhase::Connected;
    link->Reason.clear();
    link->NextPollAt = now;
    SendNext(link, now);
}

void LinkFailed(ReceiverProtocol* link, std::string_view reason, int64_t now) {
    if (link->Phase == LinkPhase::Connecting || link->Phase == LinkPhase::Connected) EndLink(link, reason, now);
}

LinkAction LinkReceived(ReceiverProtocol* link, std::string_view bytes, int64_t now) {
    if (link->Phase != LinkPhase::Connected) return LinkAction::None;
    while (!bytes.empty()) {
        size_t end = bytes.find('\n');
        size_t take = end == std::string_view::npos ? bytes.size() : end;
        if (link->Line.size() + take > kLongestLine) {
            EndLink(link, "reply line too long", now);
            return LinkAction::Close;
        }
        link->Line.append(bytes.data(), take);
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
        std::string line;
        line.swap(link->Line);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!TakeLine(link, line, now)) {
            EndLink(link, kUnexpected, now);
            return LinkAction::Close;
        }
    }
    if (link->Outstanding == Command::None) SendNext(link, now);
    return LinkAction::None;
}

LinkAction LinkTick(ReceiverProtocol* link, int64_t now) {
    switch (link->Phase) {
        case LinkPhase::Idle: return LinkAction::None;
        case LinkPhase::Waiting:
            if (now < link->RetryAt) return LinkAction::None;
            link->Phase = LinkPhase::Connecting;
            link->ConnectStartedAt = now;
            return LinkAction::Connect;
        case LinkPhase::Connecting:
            if (now - link->ConnectStartedAt < kConnectTimeoutMs) return LinkAction::None;
            EndLink(link, "no answer", now);
            return LinkAction::Close;
        case LinkPhase::Connected: break;
    }
    if (link->Outstanding == Command::Passband && now >= link->PassbandUntil) link->Outstanding = Command::None;
    if (link->Outstanding == Command::None) {
        SendNext(link, now);
    } else if (link->Outstanding != Command::Passband && now - link->SentAt >= kReplyTimeoutMs) {
        EndLink(link, "no answer", now);
        return LinkAction::Close;
    }
    return LinkAction::None;
}

void RequestTune(ReceiverProtocol* link, int64_t hertz, int64_t now) {
    link->TuneHertz = hertz;
    if (link->Phase == LinkPhase::Connected && link->Outstanding == Command::None) SendNext(link, now);
}

// The client side of the receiver-control protocol rigctld serves and the SDR
// programs copy, as plain state: bytes and a clock value (milliseconds from
// any fixed start) go in; bytes to send and whether to connect or close come
// out. It sends only `f`, `m` and `F <integer Hz>`, each with a bare LF,
// because every server answers those three; one command is outstanding at a
// time, because some servers read one line per packet and others answer
// pipelined commands out of step. A silence, an over-long line or a line it
// did not ask for means the two sides are out of step: the link is closed
// and opened again, after 1 s, then doubling up to 8 s.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

constexpr int64_t kReplyTimeoutMs = 2000;
constexpr int64_t kConnectTimeoutMs = 3000;
constexpr int64_t kPassbandWaitMs = 200;
// A frequency asked every 150 ms (from one question to the next) shows a turn
// of the knob within half a second.
constexpr int64_t kPollIntervalMs = 150;
constexpr int kFrequenciesPerMode = 5;
constexpr int64_t kFirstRetryMs = 1000;
constexpr int64_t kLongestRetryMs = 8000;
constexpr size_t kLongestLine = 256;

enum class LinkPhase {
    Idle,        // no receiver, or not started
    Connecting,  // asked to connect, waiting for the socket
    Connected,
    Waiting,  // the link ended; connecting again at RetryAt
};

enum class Command { None, Frequency, Mode, Passband, Tune };

// What the caller does after an event.
enum class LinkAction { None, Connect, Close };

struct ReceiverProtocol {
    LinkPhase Phase = LinkPhase::Idle;
    Command Outstanding = Command::None;
    std::string Line;           // received bytes not yet ending in LF
    std::string Outbox;         // commands to send; the caller takes them
    int64_t SentAt = 0;         // when Outstanding was sent
    int64_t PassbandUntil = 0;  // how long a passband line may still come
    int64_t NextPollAt = 0;
    int FrequenciesSinceMode = kFrequenciesPerMode - 1;
    int64_t ConnectStartedAt = 0;
    int64_t RetryAt = 0;
    int64_t RetryDelay = kFirstRetryMs;
    int64_t TuneHertz = 0;  // a Tune waiting to be sent; 0 when none
    // What the receiver last said.
    bool HasFrequency = false;
    int64_t Hertz = 0;
    uint64_t Readings = 0;  // frequencies read since the start: a new value shows as a change
    std::string Mode;       // empty until one is read
    std::string Refused;    // the last frequency reply that is not one, as sent; empty when fine
    int LastReport = 0;     // the code of the last RPRT line
    uint64_t TunesAnswered = 0;
    bool LastTuneRefused = false;
    std::string Reason;  // why the link ended or did not open
};

// Begins connecting now (the caller opens the socket).
void StartLink(ReceiverProtocol* link, int64_t now);
// Forgets everything: no receiver.
void StopLink(ReceiverProtocol* link);

void LinkConnected(ReceiverProtocol* link, int64_t now);
// The socket failed to open or closed; `reason` says why in a listener's words.
void LinkFailed(ReceiverProtocol* link, std::string_view reason, int64_t now);
// Received bytes, in chunks of any size. Close means the link is to end.
LinkAction LinkReceived(ReceiverProtocol* link, std::string_view bytes, int64_t now);
// Time passing: timeouts, the next poll, the next connect.
LinkAction LinkTick(ReceiverProtocol* link, int64_t now);
// Asks for the receiver to be set to `hertz` (1..kHighestHertz), after the
// command outstanding.
void RequestTune(ReceiverProtocol* link, int64_t hertz, int64_t now);

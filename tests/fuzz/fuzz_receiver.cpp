// The receiver protocol over arbitrary server bytes, cut into chunks and
// interleaved with time passing: a partial line never grows past the limit,
// a frequency shown is always one the log can hold, and the client never has
// more than one command outstanding nor sends anything but f, m and F.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "receiver/follow.h"
#include "receiver/receiver_protocol.h"
#include "receiver/receiver_status.h"
#include "records/hertz.h"

namespace {

bool IsOneCommand(const std::string& sent) {
    if (sent == "f\n" || sent == "m\n") return true;
    if (sent.size() < 4 || sent.compare(0, 2, "F ") != 0 || sent.back() != '\n') return false;
    return sent.find_first_not_of("0123456789", 2) == sent.size() - 1;
}

// What the client sent since the last look: one command at most.
void TakeSent(ReceiverProtocol* link) {
    if (!link->Outbox.empty() && !IsOneCommand(link->Outbox)) std::abort();
    link->Outbox.clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReceiverProtocol link;
    FollowState follow;
    StartLink(&link, 0);
    LinkConnected(&link, 0);
    TakeSent(&link);
    int64_t now = 0;
    size_t at = 0;
    uint64_t readings = 0;
    while (at < size) {
        // Each chunk: one byte of length and time, then that many bytes.
        size_t length = data[at] & 0x3F;
        now += (data[at] >> 6) * 100;
        ++at;
        length = std::min(length, size - at);
        std::string chunk(reinterpret_cast<const char*>(data + at), length);
        at += length;
        bool closed = LinkReceived(&link, chunk, now) == LinkAction::Close;
        TakeSent(&link);
        if (closed || LinkTick(&link, now) == LinkAction::Connect) {
            StartLink(&link, now);
            LinkConnected(&link, now);
        }
        TakeSent(&link);
        if (link.Line.size() > kLongestLine || link.Mode.size() > 16) std::abort();
        if (link.HasFrequency && (link.Hertz < 1 || link.Hertz > kHighestHertz)) std::abort();
        std::string text;
        if (link.Readings != readings && FollowReading(&follow, link.Hertz, &text) && text.size() > 6) std::abort();
        readings = link.Readings;
        if (length % 7 == 3 && link.HasFrequency) RequestTune(&link, link.Hertz, now);
        TakeSent(&link);
        if (ReceiverStatusText(link, "127.0.0.1", 4532).size() > 120) std::abort();
    }
    return 0;
}

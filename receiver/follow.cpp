#include "receiver/follow.h"

#include "records/hertz.h"
#include "records/record_values.h"

bool FollowReading(FollowState* follow, int64_t hertz, std::string* text) {
    int64_t khz = WholeKhz(hertz);
    if (khz == follow->ReportedKhz) return false;
    follow->ReportedKhz = khz;
    if (follow->AwaitedKhz >= 0) {
        if (khz != follow->AwaitedKhz) return false;
        follow->AwaitedKhz = -1;
    }
    follow->Paused = false;
    follow->WrittenText = FreqTextOfHertz(hertz);
    *text = follow->WrittenText;
    return true;
}

void FollowBoxChanged(FollowState* follow, std::string_view text) {
    if (text != follow->WrittenText) follow->Paused = true;
}

int64_t FollowTune(FollowState* follow, std::string_view boxText) {
    int64_t hertz = HertzOfKhzText(boxText);
    if (hertz == 0 || WholeKhz(hertz) == follow->ReportedKhz) return 0;
    follow->Paused = true;
    follow->AwaitedKhz = WholeKhz(hertz);
    return hertz;
}

void FollowTuneRefused(FollowState* follow) { follow->AwaitedKhz = -1; }

int64_t HertzOfKhzText(std::string_view text) {
    int64_t tenThousandths = 0;
    if (ReadTenThousandths(text.data(), text.size(), &tenThousandths) != ScaledNumber::Fits) return 0;
    int64_t hertz = (tenThousandths + 5) / 10;
    return hertz >= 1 && hertz <= kHighestHertz ? hertz : 0;
}

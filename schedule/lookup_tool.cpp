// ulmar-schedule [--within K] FILE KHZ YYYY-MM-DDTHH:MM
// ulmar-schedule [--within K] FILE --receiver HOST:PORT
// Prints the schedule lines on air on KHZ (within K kHz) at that UTC minute,
// best first, each exactly as its bytes stand in the file, one per line; with
// --receiver, on the receiver's frequency (asked once, in whole kHz) at the
// current UTC minute. Exit 0 (also with no candidate), 1 when the file cannot
// be read or the receiver not reached within 3 s, 2 on bad arguments.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "platform/utc_time.h"
#include "receiver/receiver_once.h"
#include "records/hertz.h"
#include "schedule/on_air.h"
#include "schedule/schedule_fields.h"
#include "settings/settings_file.h"

namespace {

constexpr const char kUsage[] =
    "usage: ulmar-schedule [--within K] FILE KHZ YYYY-MM-DDTHH:MM\n"
    "       ulmar-schedule [--within K] FILE --receiver HOST:PORT\n"
    "  Lists the lines of the schedule FILE on air on KHZ at that UTC minute, best first;\n"
    "  with --receiver, on the receiver's frequency now (rigctld and SDR++ 4532, gqrx 7356).\n"
    "  K: tolerance in kHz, a number >= 0 (default 0: the exact frequency only).\n"
    "  Exit status: 0 done (also with no line), 1 FILE cannot be read or the receiver not\n"
    "  reached within 3 s, 2 bad arguments.\n";

struct Arguments {
    const char* File = nullptr;
    int64_t MilliKhz = 0;
    int64_t WithinMilliKhz = 0;
    ScheduleTime When;
    std::string ReceiverHost;  // asked for the frequency when set
    int ReceiverPort = 0;
};

bool ReadArguments(int argc, char** argv, Arguments* args) {
    int at = 1;
    if (argc == 6 && std::strcmp(argv[1], "--within") == 0) {
        if (!ParseKhz(argv[2], &args->WithinMilliKhz)) return false;
        at = 3;
    } else if (argc != 4) {
        return false;
    }
    args->File = argv[at];
    if (args->File[0] == '\0') return false;
    if (std::strcmp(argv[at + 1], "--receiver") == 0) {
        return ParseReceiverAddress(argv[at + 2], &args->ReceiverHost, &args->ReceiverPort);
    }
    return ParseKhz(argv[at + 1], &args->MilliKhz) && ParseScheduleTime(argv[at + 2], &args->When);
}

// The receiver's frequency in whole kHz, as the log takes it, at the current
// UTC minute; false with the reason on standard error.
bool AskReceiver(Arguments* args) {
    int64_t hertz = 0;
    std::string reason;
    if (!ReadReceiverOnce(args->ReceiverHost, args->ReceiverPort, kOnceLimitMs, &hertz, &reason)) {
        std::fprintf(stderr, "ulmar-schedule: receiver %s:%d: %s\n", args->ReceiverHost.c_str(), args->ReceiverPort,
                     reason.c_str());
        return false;
    }
    args->MilliKhz = WholeKhz(hertz) * 1000;
    UtcTime now = UtcNow();
    args->When = {now.Year, now.Month, now.Day, now.Hour, now.Minute};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!ReadArguments(argc, argv, &args)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Schedule schedule;
    std::string reason;
    if (!LoadSchedule(args.File, &schedule, &reason)) {
        std::fprintf(stderr, "ulmar-schedule: cannot read %s: %s\n", args.File, reason.c_str());
        return 1;
    }
    if (!args.ReceiverHost.empty() && !AskReceiver(&args)) return 1;
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the lines' own bytes, LF after each, as on every system
#endif
    std::vector<uint32_t> candidates;
    FindCandidates(schedule, args.MilliKhz, args.WithinMilliKhz, args.When, &candidates);
    for (uint32_t index : candidates) {
        std::string_view line = LineText(schedule, schedule.Lines[index]);
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

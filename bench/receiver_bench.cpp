// Costs of the receiver link without a window. Each has its physical
// baseline in the same run, so a figure reads as a ratio:
// - reading replies through the protocol (line assembly, parsing, the next
//   command) against only finding their line ends with memchr;
// - one f answered by the real rigctld through the link (the non-blocking
//   client, the protocol) against the same question over a plain blocking socket.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/tcp_client.h"
#include "receiver/receiver_link.h"
#include "receiver/receiver_protocol.h"

namespace {

// A poll's worth of replies as rigctld sends them: five frequencies and a mode.
const std::string kReplies = "9410000\n9410000\n9410000\n9410000\n9410000\nAM\n10000\n";

void BM_ProtocolReadsReplies(benchmark::State& state) {
    ReceiverProtocol link;
    int64_t now = 0;
    for (auto _ : state) {
        StartLink(&link, now);
        LinkConnected(&link, now);
        size_t at = 0;
        while (at < kReplies.size()) {
            size_t end = kReplies.find('\n', at) + 1;
            if (link.Outstanding == Command::Mode) end = kReplies.size();  // both lines of m at once
            LinkReceived(&link, std::string_view(kReplies).substr(at, end - at), now);
            at = end;
            now += kPollIntervalMs;
            LinkTick(&link, now);
            link.Outbox.clear();
        }
        benchmark::DoNotOptimize(link.Hertz);
    }
}
BENCHMARK(BM_ProtocolReadsReplies);

void BM_BaselineFindLineEnds(benchmark::State& state) {
    for (auto _ : state) {
        const char* at = kReplies.data();
        const char* end = at + kReplies.size();
        size_t lines = 0;
        while (const void* found = std::memchr(at, '\n', static_cast<size_t>(end - at))) {
            ++lines;
            at = static_cast<const char*>(found) + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_BaselineFindLineEnds);

int FreePort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

int ConnectLocal(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    close(fd);
    return -1;
}

// rigctld's dummy for the whole program run.
struct Daemon {
    Daemon() {
        Port = FreePort();
        std::string port = std::to_string(Port);
        Pid = fork();
        if (Pid == 0) {
            execlp("rigctld", "rigctld", "-m", "1", "-T", "127.0.0.1", "-t", port.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int fd; (fd = ConnectLocal(Port)) < 0;) usleep(20000);
    }
    ~Daemon() {
        kill(Pid, SIGKILL);
        waitpid(Pid, nullptr, 0);
    }
    int Port = 0;
    pid_t Pid = -1;
};

Daemon& TheDaemon() {
    static Daemon daemon;
    return daemon;
}

// The link asks again as soon as it may: the poll interval is not measured.
void BM_LinkFrequencyFromRigctld(benchmark::State& state) {
    ReceiverLinkState link;
    RetargetReceiver(&link, "127.0.0.1", TheDaemon().Port, ReceiverClockNow());
    while (!link.Protocol.HasFrequency) {
        TcpWait(link.Client, 10);
        PumpReceiver(&link, ReceiverClockNow());
    }
    for (auto _ : state) {
        uint64_t readings = link.Protocol.Readings;
        link.Protocol.NextPollAt = 0;
        link.Protocol.FrequenciesSinceMode = 0;
        PumpReceiver(&link, ReceiverClockNow());
        while (link.Protocol.Readings == readings) {
            TcpWait(link.Client, 10);
            PumpReceiver(&link, ReceiverClockNow());
        }
    }
    TcpClose(&link.Client);
}
BENCHMARK(BM_LinkFrequencyFromRigctld)->UseRealTime();

void BM_BaselineBlockingFrequency(benchmark::State& state) {
    int fd = ConnectLocal(TheDaemon().Port);
    char reply[64];
    for (auto _ : state) {
        send(fd, "f\n", 2, MSG_NOSIGNAL);
        ssize_t got = 0;
        while (got == 0 || reply[got - 1] != '\n') got += recv(fd, reply + got, sizeof reply - got, 0);
        benchmark::DoNotOptimize(got);
    }
    close(fd);
}
BENCHMARK(BM_BaselineBlockingFrequency)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

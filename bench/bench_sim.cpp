// kx5sim figures: reply latency over a pseudo-terminal (last request byte written -> first
// reply byte readable, pacing off) against the 1 ms goal, and the CPU an idle line of 99
// stations uses. Run on demand: build-sim/bin/bench_sim [requests] [idle seconds]
#include "bench/Measure.h"
#include "sim/SimLine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

std::string frame(const std::string& body) {
    unsigned sum = 0;
    for (unsigned char c : body)
        sum += c;
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", sum % 256);
    return "\x02" + body + hex + "\r\n";
}

int openRaw(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    if (fd >= 0 && tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
    return fd;
}

// Microseconds from the request's last byte to the reply's first; -1 on time-out.
double roundTrip(int fd, const std::string& request) {
    // Stamped before the write: the reply may be on its way before write() returns.
    const auto sent = Clock::now();
    if (::write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size()))
        return -1;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 2000) <= 0) return -1;
    const auto first = Clock::now();
    std::string got;
    char buf[1024];
    while (got.empty() || got.back() != '\n') {
        if (poll(&p, 1, 2000) <= 0) return -1;
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) return -1;
        got.append(buf, static_cast<std::size_t>(n));
    }
    return std::chrono::duration<double, std::micro>(first - sent).count();
}

double percentile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(q * (v.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char** argv) {
    if (answeredHelp(
            argc, argv,
            "Usage: bench_sim [REQUESTS] [IDLE_SECONDS]\nkx5sim: reply latency over a "
            "pseudo-terminal for REQUESTS requests (default 2000) against\nthe 1 ms goal, and the "
            "CPU an idle line of 99 stations uses over IDLE_SECONDS (default 3).\n"))
        return 0;
    const int requests = argc > 1 ? std::atoi(argv[1]) : 2000;
    const double idleSeconds = argc > 2 ? std::atof(argv[2]) : 3.0;
    constexpr double kGoalUs = 1000.0;

    kx5sim::LineConfig cfg;
    for (int s = 1; s <= 99; ++s)
        cfg.stations.push_back(s);
    cfg.mode = kx5sim::Mode::Sum;
    kx5sim::SimLine line(cfg);
    std::string error;
    if (!line.start(&error)) {
        std::fprintf(stderr, "bench_sim: %s\n", error.c_str());
        return 1;
    }
    const int fd = openRaw(line.path());
    if (fd < 0) return 1;

    // The monitor read of the program: 19 registers, one station after another.
    const std::string regs = ",19,0610,0611,0614,0001,0002,0003,0004,0005,0008,0009,0017,0018,"
                             "0300,0501,0502,0503,0504,0505,0506";
    std::vector<double> lat;
    for (int i = 0; i < requests; ++i) {
        char mc[3];
        std::snprintf(mc, sizeof mc, "%02d", i % 99 + 1);
        const double us = roundTrip(fd, frame(std::string(mc) + "DRR" + regs));
        if (us >= 0) lat.push_back(us);
    }
    if (lat.empty()) return 1;
    const double med = percentile(lat, 0.5);
    const double p99 = percentile(lat, 0.99);
    double load[1] = {0};
    getloadavg(load, 1); // other work on the machine shows in the tail
    std::printf("load average %.2f\n", load[0]);
    std::printf("reply latency, %zu monitor reads over a pty (pacing off):\n", lat.size());
    std::printf("  median %8.1f us   ratio to 1 ms goal %.3f\n", med, med / kGoalUs);
    std::printf("  p99    %8.1f us   ratio to 1 ms goal %.3f\n", p99, p99 / kGoalUs);

    // First read after an idle hour of process time: the longest catch-up a station does.
    line.fastForward(3600.0);
    const double catchUp = roundTrip(fd, frame("01DRR" + regs));
    std::printf("  after 1 h idle  %.1f us   ratio to 1 ms goal %.3f\n", catchUp,
                catchUp / kGoalUs);

    // Idle: 99 stations, nothing on the line.
    const double cpu0 = cpuSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(idleSeconds));
    const double idleCpu = cpuSeconds() - cpu0;
    constexpr double kIdleGoal = 0.001; // 0.1 % of one core
    const double share = idleCpu / idleSeconds;
    std::printf("idle CPU, 99 stations for %.1f s: %.3f ms (%.4f %% of a core), ratio to 0.1 %% "
                "goal %.3f\n",
                idleSeconds, idleCpu * 1000, share * 100, share / kIdleGoal);
    ::close(fd);
    line.stop();
    return 0;
}

// What the benchmarks measure with: resident memory and CPU time (POSIX clocks; the
// benchmarks are built only where POSIX is).
#pragma once

#include <cstdio>
#include <cstring>
#include <fstream>
#include <time.h>
#include <unistd.h>

// Resident memory of this process now, in MiB (0 where /proc is missing).
inline double rssMiB() {
    std::ifstream statm("/proc/self/statm");
    double size = 0, resident = 0;
    if (!(statm >> size >> resident)) return 0;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

inline double secondsOf(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// CPU time of the whole process, and of the calling thread alone.
inline double cpuSeconds() {
    return secondsOf(CLOCK_PROCESS_CPUTIME_ID);
}
inline double threadCpuSeconds() {
    return secondsOf(CLOCK_THREAD_CPUTIME_ID);
}

// Every benchmark answers -h or --help with what it measures and its options instead of
// running (before any window system is needed).
inline bool answeredHelp(int argc, char** argv, const char* text) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::fputs(text, stdout);
            return true;
        }
    return false;
}

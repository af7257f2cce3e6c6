// kx5sim: a line of simulated KX5 controllers for the demo, the benchmarks and manual tries.
#include "sim/SimOptions.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>
#include <unistd.h>

int main(int argc, char** argv) {
    std::string error;
    const auto options =
        kx5sim::parseOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
    if (!options) {
        std::cerr << "kx5sim: " << error << '\n';
        return 2;
    }
    if (options->help) {
        std::cout << kx5sim::usageText();
        return 0;
    }
    if (options->version) {
        std::cout << "kx5sim " KX5_VERSION "\n";
        return 0;
    }

    // Block the stop signals before the serving thread exists, so only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    kx5sim::SimLine line(options->line);
    if (!line.start(&error)) {
        std::cerr << "kx5sim: " << error << '\n';
        return 1;
    }
    if (!options->linkPath.empty()) {
        ::unlink(options->linkPath.c_str()); // a link left by an earlier run
        if (::symlink(line.path().c_str(), options->linkPath.c_str()) != 0) {
            std::perror(("kx5sim: symlink " + options->linkPath).c_str());
            return 1;
        }
    }
    std::cout << line.path() << std::endl;
    std::cerr << "kx5sim: stations";
    for (int s : options->line.stations)
        std::cerr << ' ' << s;
    std::cerr << (options->line.mode == kx5sim::Mode::Sum ? ", SUM" : ", STD") << "; Ctrl-C ends\n";

    int sig = 0;
    sigwait(&stopSignals, &sig);
    line.stop();
    if (!options->linkPath.empty()) ::unlink(options->linkPath.c_str());
    return 0;
}

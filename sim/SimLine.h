// A line of simulated controllers on a pseudo-terminal (or a serial device), served by a
// thread of its own. Thread-safe: a test may inspect and steer it while it serves.
//
// Typical test use:
//   kx5sim::LineConfig cfg;
//   cfg.stations = {1, 5};
//   cfg.mode = kx5sim::Mode::Sum;
//   kx5sim::SimLine line(cfg);
//   ASSERT_TRUE(line.start());
//   line.addFault(*kx5sim::FaultPlan::parse("delay=300,station=5"));
//   ... open line.path() and talk to it ...
//   line.waitForExchanges(1, 2s);  auto seen = line.exchanges();
#pragma once

#include "sim/FaultPlan.h"
#include "sim/SimBus.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kx5sim {

struct LineConfig {
    std::vector<int> stations{1};
    Mode mode = Mode::Std;
    int baud = 9600;        // pacing rate; also set on a serial device
    int dataBits = 8;       // 7 or 8; with parity and stop bits also set on a serial device
    char parity = 'N';      // 'N', 'E' or 'O'
    int stopBits = 1;       // 1 or 2
    double timeScale = 1.0; // process seconds per real second
    int turnaroundMs = 0;   // the controller's own pause before it answers each request
    std::string device;     // empty: open a new pseudo-terminal
    std::string logPath;    // empty: no log
    std::vector<Fault> faults;
    std::map<int, std::string> models; // station -> model field, for stations not "KX5-100033"
    // Stays silent to a request sent at another rate than its own, as a controller hears only
    // noise then (on a pseudo-terminal: the rate the program set on its end).
    bool strictRate = false;

    // Wire time of one character: a start bit, the data, the parity bit if any, the stop bits.
    int bitsPerChar() const { return 1 + dataBits + (parity != 'N' ? 1 : 0) + stopBits; }
};

// One request seen on the line and what went back.
struct Exchange {
    std::chrono::system_clock::time_point time;
    int address = -1;
    std::string request; // STX .. LF as received
    std::string reply;   // bytes written, garbage included; empty when nothing was sent
};

class SimLine {
public:
    explicit SimLine(LineConfig config);
    ~SimLine();
    SimLine(const SimLine&) = delete;
    SimLine& operator=(const SimLine&) = delete;

    bool start(std::string* error = nullptr);
    void stop();
    // The path to give the program: the pseudo-terminal's slave, or the device.
    std::string path() const;

    // ---- What happened on the wire ----
    std::vector<Exchange> exchanges() const;
    void clearExchanges();
    // True once at least count exchanges have completed since the last clear.
    bool waitForExchanges(std::size_t count, std::chrono::milliseconds timeout) const;
    // Called on the serving thread after each exchange (before waiters are woken); keep it
    // short. It may use the accessors below, but must not call stop().
    void setExchangeHook(std::function<void(const Exchange&)> hook);

    // ---- Steering at run time ----
    void addFault(const Fault& fault);
    void clearFaults();
    void setMode(Mode mode);
    void setTimeScale(double scale);
    // Moves the process model forward at once, e.g. to skip a heat-up in a test.
    void fastForward(double processSeconds);
    double processTime() const;

    // Register access as a request would see it (the model is brought up to date first).
    // readRegister gives 0 and writeRegister false for a station that is not on the line.
    std::int16_t readRegister(int address, int reg);
    bool writeRegister(int address, int reg, std::int16_t value);
    // Runs fn on the station under the line's lock; false when there is no such station.
    bool withStation(int address, const std::function<void(SimStation&)>& fn);

private:
    void serve();
    void answer(const std::string& frame);
    bool sendAll(const char* data, std::size_t n);
    void sendPaced(const std::string& bytes, bool pace);
    bool sleepFor(std::chrono::microseconds d);
    bool heardAtOwnRate() const;
    double charSeconds() const; // wire time of one character at the line's rate and format
    double processTimeLocked() const;
    void log(const char* direction, const std::string& bytes);

    LineConfig mConfig;
    mutable std::mutex mMutex; // guards everything below that the serving thread shares
    mutable std::condition_variable mExchanged;
    SimBus mBus;
    std::vector<Exchange> mExchanges;
    std::function<void(const Exchange&)> mHook;
    double mScale;
    double mProcessBase = 0;
    std::chrono::steady_clock::time_point mWallBase;

    std::string mPath;
    int mFd = -1;      // master side or device
    int mSlaveFd = -1; // held open so the line survives the program closing and reopening it
    int mWake[2] = {-1, -1};
    std::thread mThread;
    std::ofstream mLog; // serving thread only
};

} // namespace kx5sim

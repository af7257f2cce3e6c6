#include "sim/SimLine.h"

#include "sim/SimFrameReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace kx5sim {

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t civilNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return static_cast<std::int64_t>(t) + tm.tm_gmtoff;
}

speed_t speedOf(int baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B9600;
    }
}

// Raw bytes at the line's rate. A serial device also takes the line's character format; a
// pseudo-terminal has no wire and refuses parity, so it stays 8 bits without parity there.
void makeRaw(int fd, const LineConfig& line, bool withFormat) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return; // not a terminal: use it as it is
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, speedOf(line.baud));
    cfsetospeed(&tio, speedOf(line.baud));
    const termios plain = tio;
    if (withFormat) {
        tio.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CSTOPB);
        tio.c_cflag |= line.dataBits == 7 ? CS7 : CS8;
        if (line.parity != 'N') tio.c_cflag |= PARENB;
        if (line.parity == 'O') tio.c_cflag |= PARODD;
        if (line.stopBits == 2) tio.c_cflag |= CSTOPB;
    }
    // A --device that turns out to be a pseudo-terminal may refuse the format outright.
    if (tcsetattr(fd, TCSANOW, &tio) != 0 && withFormat) tcsetattr(fd, TCSANOW, &plain);
}

bool fail(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    return false;
}

} // namespace

SimLine::SimLine(LineConfig config)
    : mConfig(std::move(config)), mBus(mConfig.mode, mConfig.stations),
      mScale(mConfig.timeScale > 0 ? mConfig.timeScale : 1.0), mWallBase(Clock::now()) {
    for (const Fault& f : mConfig.faults)
        mBus.faults().add(f);
    for (const auto& [address, model] : mConfig.models)
        if (SimStation* s = mBus.station(address)) s->setModel(model);
}

SimLine::~SimLine() {
    stop();
}

bool SimLine::start(std::string* error) {
    if (mThread.joinable()) return true;
    if (mConfig.device.empty()) {
        // Kept from the programs a test starts: a child holding the master would never see
        // the line go when the simulator stops.
        mFd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (mFd < 0) return fail(error, "posix_openpt");
        char name[256] = {};
        if (grantpt(mFd) != 0 || unlockpt(mFd) != 0 || ptsname_r(mFd, name, sizeof name) != 0) {
            fail(error, "pseudo-terminal set-up");
            stop();
            return false;
        }
        mPath = name;
        mSlaveFd = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (mSlaveFd < 0) {
            fail(error, "open " + mPath);
            stop();
            return false;
        }
        makeRaw(mSlaveFd, mConfig, false);
    } else {
        mPath = mConfig.device;
        mFd = ::open(mPath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (mFd < 0) return fail(error, "open " + mPath);
        makeRaw(mFd, mConfig, true);
    }
    fcntl(mFd, F_SETFL, fcntl(mFd, F_GETFL) | O_NONBLOCK);
    if (pipe2(mWake, O_CLOEXEC) != 0) {
        fail(error, "pipe");
        stop();
        return false;
    }
    if (!mConfig.logPath.empty()) {
        mLog.open(mConfig.logPath, std::ios::app);
        if (!mLog) {
            errno = EACCES;
            fail(error, "open log " + mConfig.logPath);
            stop();
            return false;
        }
    }
    {
        std::lock_guard lock(mMutex);
        mWallBase = Clock::now();
        mProcessBase = 0;
    }
    mThread = std::thread([this] { serve(); });
    return true;
}

void SimLine::stop() {
    if (mThread.joinable()) {
        const char c = 'q';
        [[maybe_unused]] auto n = ::write(mWake[1], &c, 1);
        mThread.join();
    }
    for (int* fd : {&mFd, &mSlaveFd, &mWake[0], &mWake[1]}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    if (mLog.is_open()) mLog.close();
}

std::string SimLine::path() const {
    return mPath;
}

// ---- serving thread ----

void SimLine::serve() {
    SimFrameReader reader;
    char buf[4096];
    for (;;) {
        pollfd fds[2] = {{mFd, POLLIN, 0}, {mWake[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        if (!(fds[0].revents & POLLIN)) {
            // Hang-up or error with nothing to read (no terminal open on the other side):
            // wait a little instead of spinning, then look again.
            if (!sleepFor(std::chrono::milliseconds(20))) return;
            continue;
        }
        const ssize_t n = ::read(mFd, buf, sizeof buf);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (!sleepFor(std::chrono::milliseconds(20))) return;
            continue;
        }
        for (const std::string& frame :
             reader.feed(std::string_view(buf, static_cast<std::size_t>(n))))
            answer(frame);
    }
}

bool SimLine::heardAtOwnRate() const {
    termios tio{};
    // A pseudo-terminal's master reports the settings of the program's end.
    if (!mConfig.strictRate || tcgetattr(mFd, &tio) != 0) return true;
    return cfgetospeed(&tio) == speedOf(mConfig.baud);
}

void SimLine::answer(const std::string& frame) {
    ReplyPlan plan;
    const bool heard = heardAtOwnRate();
    {
        std::lock_guard lock(mMutex);
        if (heard) plan = mBus.handle(frame, processTimeLocked(), civilNow());
    }
    if (!heard) plan.address = frame.size() >= 3 ? (frame[1] - '0') * 10 + (frame[2] - '0') : -1;
    log("RX", frame);
    Exchange ex;
    ex.address = plan.address;
    ex.request = frame;
    if (plan.answer) {
        // A paced line also takes the request's own wire time to come in: a pseudo-terminal
        // hands it over at once, a real controller hears its last byte only then.
        const auto heard = plan.pace ? std::chrono::microseconds(static_cast<std::int64_t>(
                                           static_cast<double>(frame.size()) * charSeconds() * 1e6))
                                     : std::chrono::microseconds(0);
        const auto wait = heard + std::chrono::milliseconds(mConfig.turnaroundMs + plan.delayMs);
        if (wait.count() > 0 && !sleepFor(wait)) return;
        if (!plan.garbage.empty()) sendPaced(plan.garbage, plan.pace);
        const std::size_t parts = static_cast<std::size_t>(std::max(plan.parts, 1));
        const std::size_t size = (plan.reply.size() + parts - 1) / parts;
        for (std::size_t at = 0; at < plan.reply.size(); at += size) {
            if (at > 0 && !sleepFor(std::chrono::milliseconds(plan.pauseMs))) return;
            sendPaced(plan.reply.substr(at, size), plan.pace);
        }
        ex.reply = plan.garbage + plan.reply;
        log("TX", ex.reply);
    } else {
        log("--", "no reply");
    }
    ex.time = std::chrono::system_clock::now();
    std::function<void(const Exchange&)> hook;
    {
        std::lock_guard lock(mMutex);
        hook = mHook;
    }
    // The hook runs before the exchange is counted, so a waiter sees its effects too.
    if (hook) hook(ex);
    {
        std::lock_guard lock(mMutex);
        mExchanges.push_back(std::move(ex));
    }
    mExchanged.notify_all();
}

void SimLine::sendPaced(const std::string& bytes, bool pace) {
    if (!pace) {
        sendAll(bytes.data(), bytes.size());
        return;
    }
    // Chunks of about 5 ms so a reader sees the reply arrive in pieces. Each goes out when its
    // last character has left the wire, as a receiver has a byte only after its stop bits:
    // sent at its start, a reply's tail would arrive up to a chunk early.
    const double byteSeconds = charSeconds();
    const std::size_t chunk =
        std::max<std::size_t>(1, static_cast<std::size_t>(0.005 / byteSeconds));
    auto due = Clock::now();
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        const std::size_t n = std::min(chunk, bytes.size() - at);
        due += std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(byteSeconds * static_cast<double>(n)));
        const auto wait = std::chrono::duration_cast<std::chrono::microseconds>(due - Clock::now());
        if (wait.count() > 0 && !sleepFor(wait)) return;
        if (!sendAll(bytes.data() + at, n)) return;
    }
}

bool SimLine::sendAll(const char* data, std::size_t n) {
    int stalls = 0;
    while (n > 0) {
        const ssize_t w = ::write(mFd, data, n);
        if (w > 0) {
            data += w;
            n -= static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && errno != EAGAIN) return false;
        // Nobody reads the other end: give up after a while rather than block the line.
        pollfd fds[2] = {{mFd, POLLOUT, 0}, {mWake[0], POLLIN, 0}};
        if (poll(fds, 2, 100) < 0 && errno != EINTR) return false;
        if (fds[1].revents || ++stalls > 20) return false;
    }
    return true;
}

double SimLine::charSeconds() const {
    return static_cast<double>(mConfig.bitsPerChar()) / std::max(mConfig.baud, 1);
}

// Sleeps unless stop() is called meanwhile; false when it was.
bool SimLine::sleepFor(std::chrono::microseconds d) {
    const auto until = Clock::now() + d;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(until - Clock::now());
        if (left.count() <= 0) return true;
        timespec ts{static_cast<time_t>(left.count() / 1000000),
                    static_cast<long>(left.count() % 1000000) * 1000};
        pollfd fd{mWake[0], POLLIN, 0};
        const int r = ppoll(&fd, 1, &ts, nullptr);
        if (r > 0) return false;
    }
}

void SimLine::log(const char* direction, const std::string& bytes) {
    if (!mLog.is_open()) return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    std::tm tm{};
    localtime_r(&t, &tm);
    char stamp[40];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &tm);
    char msPart[8];
    std::snprintf(msPart, sizeof msPart, ".%03d", static_cast<int>(ms.count()));
    mLog << stamp << msPart << ' ' << direction << ' '
         << (direction[0] == '-' ? bytes : SimProtocol::printable(bytes)) << '\n';
    mLog.flush();
}

// ---- accessors ----

double SimLine::processTimeLocked() const {
    const std::chrono::duration<double> wall = Clock::now() - mWallBase;
    return mProcessBase + wall.count() * mScale;
}

double SimLine::processTime() const {
    std::lock_guard lock(mMutex);
    return processTimeLocked();
}

std::vector<Exchange> SimLine::exchanges() const {
    std::lock_guard lock(mMutex);
    return mExchanges;
}

void SimLine::clearExchanges() {
    std::lock_guard lock(mMutex);
    mExchanges.clear();
}

bool SimLine::waitForExchanges(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mMutex);
    return mExchanged.wait_for(lock, timeout, [&] { return mExchanges.size() >= count; });
}

void SimLine::setExchangeHook(std::function<void(const Exchange&)> hook) {
    std::lock_guard lock(mMutex);
    mHook = std::move(hook);
}

void SimLine::addFault(const Fault& fault) {
    std::lock_guard lock(mMutex);
    mBus.faults().add(fault);
}

void SimLine::clearFaults() {
    std::lock_guard lock(mMutex);
    mBus.faults().clear();
}

void SimLine::setMode(Mode mode) {
    std::lock_guard lock(mMutex);
    mBus.setMode(mode);
}

void SimLine::setTimeScale(double scale) {
    std::lock_guard lock(mMutex);
    mProcessBase = processTimeLocked();
    mWallBase = Clock::now();
    mScale = scale > 0 ? scale : 1.0;
}

void SimLine::fastForward(double processSeconds) {
    std::lock_guard lock(mMutex);
    if (processSeconds > 0) mProcessBase += processSeconds;
}

std::int16_t SimLine::readRegister(int address, int reg) {
    std::int16_t v = 0;
    withStation(address, [&](SimStation& s) { v = s.read(reg, civilNow()); });
    return v;
}

bool SimLine::writeRegister(int address, int reg, std::int16_t value) {
    return withStation(address, [&](SimStation& s) { s.write(reg, value, civilNow()); });
}

bool SimLine::withStation(int address, const std::function<void(SimStation&)>& fn) {
    std::lock_guard lock(mMutex);
    SimStation* s = mBus.station(address);
    if (!s) return false;
    s->advanceTo(processTimeLocked());
    fn(*s);
    return true;
}

} // namespace kx5sim

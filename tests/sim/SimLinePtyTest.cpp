// The simulator over a real pseudo-terminal: the bytes a client sees, reopening the line,
// faults switched on at run time, a given device, and the kx5sim command. Real time, short.
#include "SimTestSupport.h"
#include "link/Frames.h"
#include "sim/SimLine.h"

#include <QSerialPort>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using kx5sim::Mode;
using kx5sim::SimLine;
using simtest::bytes;
using simtest::frame;
using simtest::kStx;
using Clock = std::chrono::steady_clock;

namespace {

kx5sim::LineConfig config(std::vector<int> stations, Mode mode = Mode::Std) {
    kx5sim::LineConfig c;
    c.stations = std::move(stations);
    c.mode = mode;
    return c;
}

kx5sim::Fault fault(const char* text) {
    return *kx5sim::FaultPlan::parse(text);
}

// The program's side of the line, raw bytes in and out.
class Client {
public:
    explicit Client(const std::string& path) : Client(::open(path.c_str(), O_RDWR | O_NOCTTY)) {}
    explicit Client(int fd) : mFd(fd) {
        termios tio{};
        if (mFd >= 0 && tcgetattr(mFd, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(mFd, TCSANOW, &tio);
        }
    }
    ~Client() {
        if (mFd >= 0) ::close(mFd);
    }

    // Sends a request and gathers bytes until LF or the time-out; reads counts the pieces.
    std::string ask(const std::string& request, std::chrono::milliseconds timeout = 3000ms) {
        EXPECT_EQ(::write(mFd, request.data(), request.size()), ssize_t(request.size()));
        std::string got;
        reads = 0;
        const auto until = Clock::now() + timeout;
        pollfd p{mFd, POLLIN, 0};
        while ((got.empty() || got.back() != '\n') && Clock::now() < until) {
            if (poll(&p, 1, 20) <= 0) continue;
            char buf[512];
            const ssize_t n = ::read(mFd, buf, sizeof buf);
            if (n <= 0) break;
            got.append(buf, std::size_t(n));
            ++reads;
        }
        return got;
    }
    int reads = 0;

private:
    int mFd;
};

TEST(SimLinePty, AnswersAndRecordsInBothModes) {
    SimLine line(config({1, 5, 12}, Mode::Sum));
    ASSERT_TRUE(line.start());
    Client c(line.path());
    const std::vector<std::pair<std::string, std::string>> sum = {
        {bytes(buildModelReq(1, 2)), kStx + "01WHO,OK,KX5-1000336D\r\n"},
        {bytes(buildWriteReq(12, {506}, {100}, 2)), kStx + "12DWR,OK16\r\n"},
        {bytes(buildReadReq(12, {506}, 2)), kStx + "12DRR,OK,006407\r\n"},
        {bytes(buildModelReq(9, 2)), ""}}; // nobody at 9
    for (const auto& [request, reply] : sum)
        EXPECT_EQ(c.ask(request, 300ms), reply);
    ASSERT_TRUE(line.waitForExchanges(sum.size(), 3s));
    const auto seen = line.exchanges();
    for (std::size_t i = 0; i < sum.size(); ++i) {
        EXPECT_EQ(seen[i].request, sum[i].first);
        EXPECT_EQ(seen[i].reply, sum[i].second);
    }
    EXPECT_EQ(seen[3].address, 9);

    line.setMode(Mode::Std);
    EXPECT_EQ(c.ask(bytes(buildModelReq(1, 0))), kStx + "01WHO,OK,KX5-100033\r\n");
    EXPECT_EQ(c.ask(bytes(buildWriteReq(12, {506}, {-5}, 0))), kStx + "12DWR,OK\r\n");
    EXPECT_EQ(c.ask(bytes(buildReadReq(12, {506, 2}, 0))), kStx + "12DRR,OK,FFFB,03E8\r\n");
    EXPECT_EQ(line.readRegister(12, 506), -5);
}

// The program closes and reopens the port with QSerialPort, which locks the device.
TEST(SimLinePty, KeepsServingWhenTheClientReopens) {
    SimLine line(config({1}));
    ASSERT_TRUE(line.start());
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        QSerialPort port(QString::fromStdString(line.path()));
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        port.write(buildModelReq(1, 0));
        QByteArray got;
        const auto until = Clock::now() + 3s;
        while (!got.endsWith('\n') && Clock::now() < until)
            if (port.waitForReadyRead(100)) got += port.readAll();
        EXPECT_EQ(got.toStdString(), kStx + "01WHO,OK,KX5-100033\r\n");
    }
    Client raw(line.path()); // and a plain open afterwards
    EXPECT_EQ(raw.ask(bytes(buildModelReq(1, 0))), kStx + "01WHO,OK,KX5-100033\r\n");
}

TEST(SimLinePty, FaultsSwitchedOnAtRunTime) {
    SimLine line(config({1, 2}, Mode::Sum)); // 9600 baud
    ASSERT_TRUE(line.start());
    Client c(line.path());
    const std::string who = bytes(buildModelReq(1, 2));
    const std::string good = kStx + "01WHO,OK,KX5-1000336D\r\n";

    line.addFault(fault("delay=300,station=1"));
    auto t0 = Clock::now();
    EXPECT_EQ(c.ask(who), good);
    EXPECT_GE(Clock::now() - t0, 280ms);
    line.clearFaults();

    // 19 registers at 9600 baud: 108 bytes, about 112 ms on the wire, seen in pieces.
    line.addFault(fault("pace"));
    t0 = Clock::now();
    EXPECT_EQ(c.ask(bytes(buildReadReq(2, std::vector<int>(19, 506), 2))).size(), 108u);
    EXPECT_GE(Clock::now() - t0, 90ms);
    EXPECT_GE(c.reads, 2);
    line.clearFaults();

    line.addFault(fault("split=2,pause=60"));
    EXPECT_EQ(c.ask(who), good);
    EXPECT_GE(c.reads, 2);
    line.clearFaults();

    line.addFault(fault("silent,station=2"));
    EXPECT_EQ(c.ask(bytes(buildModelReq(2, 2)), 300ms), "");
    EXPECT_EQ(c.ask(who), good); // the line goes on
}

// A serial device given by path: the slave of a pseudo-terminal that the test owns.
TEST(SimLinePty, ServesAGivenDevice) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    char name[128] = {};
    ASSERT_EQ(grantpt(master) | unlockpt(master) | ptsname_r(master, name, sizeof name), 0);
    kx5sim::LineConfig cfg = config({4}, Mode::Sum);
    cfg.device = name;
    SimLine line(cfg);
    std::atomic<int> hooked{0};
    line.setExchangeHook([&](const kx5sim::Exchange& ex) { hooked += ex.address == 4; });
    ASSERT_TRUE(line.start());
    Client c(master);
    EXPECT_EQ(c.ask(bytes(buildReadReq(4, {506}, 2))), kStx + "04DRR,OK,006408\r\n");
    ASSERT_TRUE(line.waitForExchanges(1, 3s));
    EXPECT_EQ(hooked.load(), 1);
}

TEST(SimCommand, ServesUntilTerminatedAndCleansUp) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("kx5sim-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string link = (dir / "line").string();
    const std::string log = (dir / "wire.log").string();
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        execl(KX5SIM_PATH, KX5SIM_PATH, "--stations", "1,3", "--sum", "--link", link.c_str(),
              "--log", log.c_str(), "--time-scale", "600", "--fault", "ng,station=3",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(out[1]);
    std::string first;
    char ch;
    pollfd p{out[0], POLLIN, 0};
    while (poll(&p, 1, 5000) > 0 && ::read(out[0], &ch, 1) == 1 && ch != '\n')
        first += ch;
    ::close(out[0]);
    ASSERT_EQ(first.rfind("/dev/pts/", 0), 0u) << first;
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), first);
    {
        Client c(link);
        EXPECT_EQ(c.ask(bytes(buildModelReq(1, 2))), kStx + "01WHO,OK,KX5-1000336D\r\n");
        EXPECT_EQ(c.ask(bytes(buildModelReq(3, 2))), frame("03NG,09", true));
        // At 600 times real speed a new SV of 300.0 is reached within seconds.
        EXPECT_EQ(c.ask(bytes(buildWriteReq(1, {301}, {3000}, 2))), kStx + "01DWR,OK14\r\n");
        int pv = 0;
        for (auto until = Clock::now() + 10s; pv < 2900 && Clock::now() < until;) {
            const std::string r = c.ask(bytes(buildReadReq(1, {1}, 2)));
            if (r.size() == 18) pv = std::int16_t(std::stoi(r.substr(10, 4), nullptr, 16));
            std::this_thread::sleep_for(50ms);
        }
        EXPECT_GE(pv, 2900);
    }
    ::kill(pid, SIGTERM);
    int status = -1;
    for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(50ms);
    if (status == -1) { // never leave a stray simulator behind
        ::kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    std::ifstream in(log);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("RX <STX>01WHO4F<CR><LF>"), std::string::npos);
    EXPECT_NE(text.find("TX <STX>01WHO,OK,KX5-1000336D<CR><LF>"), std::string::npos);
    std::filesystem::remove_all(dir);
}

} // namespace

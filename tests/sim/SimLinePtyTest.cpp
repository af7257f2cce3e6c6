// Real devices in real time: replies delivered as asked, the kx5sim command; bytes: SimWireTest.
#include "link/Frames.h"
#include "sim/SimLine.h"
#include "sim/SimOptions.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <tuple>
#include <unistd.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kStx(1, '\x02');
const std::string kWho1 = kStx + "01WHO,OK,KX5-1000336D\r\n"; // station 1 in SUM mode

// The program's side of the line on the master of a pseudo-terminal, raw bytes in and out.
struct Client {
    explicit Client(int f) : fd(f) {}
    ~Client() { ::close(fd); }

    // Sends a request and gathers bytes until LF or 3 s; reads counts the pieces, first is
    // when the first of them came.
    std::string ask(const std::string& request) {
        const auto t0 = Clock::now();
        EXPECT_EQ(::write(fd, request.data(), request.size()), ssize_t(request.size()));
        std::string got;
        reads = 0;
        pollfd p{fd, POLLIN, 0};
        for (const auto until = t0 + 3s; !got.ends_with('\n') && Clock::now() < until;) {
            char buf[512];
            const ssize_t n = poll(&p, 1, 20) > 0 ? ::read(fd, buf, sizeof buf) : 0;
            if (n > 0 && got.empty()) first = Clock::now() - t0;
            if (n > 0) got.append(buf, std::size_t(n));
            reads += n > 0;
        }
        return got;
    }
    int fd;
    int reads = 0;
    std::chrono::duration<double> first{};
};

// As the program does it: QSerialPort opens (and locks) the line for one request, then closes.
std::string askPort(const QString& path, const QByteArray& request) {
    QSerialPort port(path);
    EXPECT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
    port.write(request);
    QByteArray got;
    for (const auto until = Clock::now() + 3s; !got.endsWith('\n') && Clock::now() < until;)
        if (port.waitForReadyRead(100)) got += port.readAll();
    return got.toStdString();
}

// The simulator serves the slave of a pseudo-terminal as a given device; the test talks
// through the master. Each row: the first byte and the last at least this late, in this many
// reads, after this much junk.
TEST(SimLinePty, RepliesComeAsLateAndAsFragmentedAsAsked) {
    using Ms = std::chrono::milliseconds;
    using Row = std::tuple<std::vector<std::string>, Ms, Ms, int, std::size_t>;
    // clang-format off
    const Row rows[] = {
        {{"--turnaround", "120"}, 120ms, 120ms, 1, 0},
        {{"--fault", "delay=150,station=1"}, 150ms, 150ms, 1, 0},
        // 10 bytes heard, then 24 sent: at 1200 baud the last comes 33 characters (275 ms) later,
        // and the first only once it has crossed the wire, 11 characters after the request.
        {{"--baud", "1200", "--pace"}, 91ms, 274ms, 2, 0},
        {{"--baud", "1200", "--format", "8O2", "--pace"}, 109ms, 329ms, 2, 0}, // 12 bits, not 10
        {{"--fault", "split=3,pause=80"}, 0ms, 160ms, 2, 0},
        {{"--fault", "garbage=6"}, 0ms, 0ms, 1, 6},
        // The turnaround and the delay add up; the second half comes a pause later.
        {{"--turnaround", "50", "--fault", "delay=60", "--fault", "split,pause=70"}, 110ms, 180ms, 2, 0},
    };
    // clang-format on
    for (const auto& [rowArgs, firstAtLeast, atLeast, reads, junk] : rows) {
        SCOPED_TRACE(rowArgs[1]);
        Client c(posix_openpt(O_RDWR | O_NOCTTY));
        ASSERT_EQ(grantpt(c.fd) | unlockpt(c.fd), 0);
        std::vector<std::string> args = rowArgs;
        args.insert(args.end(), {"--sum", "--device", ptsname(c.fd), "--time-scale", "600"});
        const auto options = kx5sim::parseOptions(args, nullptr);
        ASSERT_TRUE(options);
        kx5sim::SimLine line(options->line);
        ASSERT_TRUE(line.start());
        termios tio{}; // the format's stop bits are set on the device; a pty drops parity
        ASSERT_EQ(tcgetattr(c.fd, &tio), 0);
        EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, options->line.stopBits == 2);
        const auto t0 = Clock::now();
        const std::string got = c.ask(buildModelReq(1, 2).toStdString());
        const std::chrono::duration<double> took = Clock::now() - t0;
        EXPECT_GE(c.first, firstAtLeast);
        EXPECT_GE(took, atLeast);
        EXPECT_GE(c.reads, reads);
        EXPECT_EQ(got.find_first_of(std::string("\x02\n", 2)), junk); // junk: no STX, no LF
        EXPECT_EQ(got.substr(std::min(junk, got.size())), kWho1);
        ASSERT_TRUE(line.waitForExchanges(1, 1s));
        EXPECT_EQ(line.exchanges()[0].reply, got);         // the record holds what was sent
        EXPECT_GE(line.processTime(), 600 * took.count()); // and the process ran 600 times faster
    }
}

// The command as the demo runs it; the client reopens the line for each request.
TEST(SimCommand, ServesUntilTerminatedAndCleansUp) {
    const QTemporaryDir dir;
    const QString link = dir.filePath("line");
    const QString log = dir.filePath("wire.log");
    QProcess sim; // its destructor kills a simulator left running
    sim.start(KX5SIM_PATH, {"--stations", "1,2-3", "--model", "3=KX5-200011", "--sum", "--link",
                            link, "--log", log});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    const std::string path = sim.readLine().trimmed().toStdString();
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    EXPECT_EQ(QFile::symLinkTarget(link).toStdString(), path);
    EXPECT_EQ(askPort(link, buildModelReq(1, 2)), kWho1);
    EXPECT_EQ(askPort(link, buildModelReq(3, 2)), kStx + "03WHO,OK,KX5-2000116C\r\n");
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(std::pair(sim.exitStatus(), sim.exitCode()), std::pair(QProcess::NormalExit, 0));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    const QByteArray text = readFile(log);
    EXPECT_TRUE(text.contains("RX <STX>01WHO4F<CR><LF>"));
    EXPECT_TRUE(text.contains("TX <STX>03WHO,OK,KX5-2000116C<CR><LF>"));
}

} // namespace

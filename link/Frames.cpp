#include "link/Frames.h"

#include "link/Grid.h"
#include "link/SerialPort.h"
#include "link/mdlKX5.h"

#include <QTimer>

namespace {

// Each digit is the first character of the decimal text of its value.
char digit(int v) {
    return QString::number(v).at(0).toLatin1();
}

void putTwoDigits(QByteArray& f, int at, int v) {
    f[at] = digit(v / 10);
    f[at + 1] = digit(v % 10);
}

void putRegister(QByteArray& f, int at, int r) {
    f[at] = digit(r / 1000);
    f[at + 1] = digit((r % 1000) / 100);
    f[at + 2] = digit((r % 100) / 10);
    f[at + 3] = digit(r % 10);
}

void putHeader(QByteArray& f, int mcNo, const char* cmd) {
    f[0] = STX;
    putTwoDigits(f, 1, mcNo);
    f[3] = cmd[0];
    f[4] = cmd[1];
    f[5] = cmd[2];
}

void finish(QByteArray& f, int sumLen) {
    if (sumLen > 0) PutFrameSum(f);
    f[f.size() - 2] = CR;
    f[f.size() - 1] = LF;
}

std::vector<int> range(int from, int to) {
    std::vector<int> v;
    for (int r = from; r <= to; ++r)
        v.push_back(r);
    return v;
}

std::vector<int> join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> v;
    for (const auto& p : parts)
        v.insert(v.end(), p.begin(), p.end());
    return v;
}

} // namespace

QByteArray buildReadReq(int mcNo, const std::vector<int>& regs, int sumLen) {
    const int n = static_cast<int>(regs.size());
    QByteArray f(11 + 5 * n + sumLen, '\0');
    putHeader(f, mcNo, "DRR");
    f[6] = ',';
    putTwoDigits(f, 7, n);
    for (int i = 0; i < n; ++i) {
        f[9 + 5 * i] = ',';
        putRegister(f, 10 + 5 * i, regs[i]);
    }
    finish(f, sumLen);
    return f;
}

QByteArray buildWriteReq(int mcNo, const std::vector<int>& regs, const std::vector<int>& vals,
                         int sumLen) {
    const int n = static_cast<int>(regs.size());
    QByteArray f(11 + 10 * n + sumLen, '\0');
    putHeader(f, mcNo, "DWR");
    f[6] = ',';
    putTwoDigits(f, 7, n);
    for (int i = 0; i < n; ++i) {
        f[9 + 10 * i] = ',';
        putRegister(f, 10 + 10 * i, regs[i]);
        f[14 + 10 * i] = ',';
        const int v = i < static_cast<int>(vals.size()) ? vals[i] : 0;
        const QByteArray hex = HexPad(v, 4).toLatin1().left(4);
        for (int k = 0; k < 4; ++k)
            f[15 + 10 * i + k] = k < hex.size() ? hex[k] : '0';
    }
    finish(f, sumLen);
    return f;
}

QByteArray buildModelReq(int mcNo, int sumLen) {
    QByteArray f(8 + sumLen, '\0');
    putHeader(f, mcNo, "WHO");
    finish(f, sumLen);
    return f;
}

std::vector<int> stepRegisters(int step) {
    switch (step) {
    case 11:
        return join({{610, 611, 614}, {1, 2, 3, 4, 5, 8, 9, 17, 18, 300}, range(501, 506)});
    case 21:
        return join({range(1, 18), range(100, 104), {106, 108, 109, 110}});
    case 22:
        return join(
            {range(300, 303), {305, 306}, range(310, 318), range(320, 328), range(330, 337)});
    case 23:
        return join(
            {range(400, 402), range(410, 418), range(501, 506), range(510, 516), range(520, 525)});
    case 24:
        return join({range(600, 608), range(610, 619)});
    case 101:
        return {410, 411, 413, 414, 416, 417};
    case 102:
        return {305, 306};
    case 103:
        return {102, 103, 106, 108, 109, 110};
    case 105:
        return {610, 611};
    case 106:
        return range(600, 608);
    case 107:
        return join({range(310, 318), range(320, 328), range(330, 337)});
    case 109:
        return range(300, 303);
    case 110:
        return range(612, 619);
    default:
        return {};
    }
}

bool isWriteStep(int step) {
    switch (step) {
    case 101:
    case 102:
    case 103:
    case 105:
    case 106:
    case 107:
    case 109:
    case 110:
    case 120:
    case 121:
    case 220:
        return true;
    default:
        return false;
    }
}

namespace {

void sendFrame(const QByteArray& frame, int threshold) {
    CommTrace(frame, QStringLiteral("Send"));
    if (!gComm) return;
    gComm->setRThreshold(threshold);
    if (!gComm->isOpen()) return;
    // The watchdog counts from this request, so it restarts here rather than merely staying on.
    if (gTmrRecvErr) gTmrRecvErr->start();
    gComm->write(frame);
}

} // namespace

void SendReadReq(int mcNo, int count, const std::vector<int>& regs) {
    std::vector<int> r(regs.begin(), regs.begin() + qMin<size_t>(count, regs.size()));
    sendFrame(buildReadReq(mcNo, r, gSumLen), 1);
}

void SendWriteReq(int mcNo, int count, const std::vector<int>& regs, const std::vector<int>& vals) {
    std::vector<int> r(regs.begin(), regs.begin() + qMin<size_t>(count, regs.size()));
    sendFrame(buildWriteReq(mcNo, r, vals, gSumLen), 11 + gSumLen);
}

void SendModelReq(int mcNo) {
    sendFrame(buildModelReq(mcNo, gSumLen), 1);
}

void CommTrace(Grid* grid, const QByteArray& bytes, const QString& label) {
    if (!grid) return;
    if (grid->maxRows() < 500)
        grid->appendRow();
    else
        grid->setMaxRows(1);
    const int row = grid->maxRows();
    grid->setText(0, row, label);
    QStringList cells;
    cells.reserve(bytes.size());
    for (const char b : bytes) {
        if (b == STX)
            cells << QStringLiteral("STX");
        else if (b == CR)
            cells << QStringLiteral("CR");
        else if (b == LF)
            cells << QStringLiteral("LF");
        else
            cells << QString(QChar(static_cast<unsigned char>(b)));
    }
    // One change for the whole row; a restarted first row loses the tail of an older frame.
    grid->setRowTexts(row, 1, cells);
    grid->setActiveCell(1, row);
}

void CommTrace(const QByteArray& bytes, const QString& label) {
    CommTrace(gCommGrid, bytes, label);
}

#include "link/Frames.h"

#include "link/mdlKX5.h"

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

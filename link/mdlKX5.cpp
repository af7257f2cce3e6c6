#include "link/mdlKX5.h"

#include <algorithm>
#include <cmath>

qint64 HexToLong(const QByteArray& text) {
    qint64 result = 0;
    for (char c : text) {
        int digit = 0;
        if (c >= 'A' && c <= 'F')
            digit = 10 + (c - 'A');
        else if (c >= '0' && c <= '9')
            digit = c - '0';
        result = result * 16 + digit;
    }
    return result;
}

QString HexToSigned(const QByteArray& text) {
    qint64 v = HexToLong(text);
    if (!text.isEmpty() && text.at(0) == 'F') v -= 65536;
    return QString::number(v);
}

std::optional<int> valueField(const QByteArray& text) {
    if (text.size() != 4) return std::nullopt;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return std::nullopt;
    return static_cast<int>(HexToLong(text) - (text.at(0) == 'F' ? 65536 : 0));
}

QString HexPad(qint64 value, int width) {
    if (value < 0) value += 65536;
    QString hex = QString::number(value, 16).toUpper();
    if (value < 0) // still negative after raising: keep the sign as the text would
        hex = QLatin1Char('-') + QString::number(-value, 16).toUpper();
    if (hex.size() < width) hex.prepend(QString(width - hex.size(), QLatin1Char('0')));
    return hex;
}

static int frameSum(const QByteArray& frame) {
    int sum = 0;
    for (qsizetype i = 1; i <= frame.size() - 5; ++i)
        sum += static_cast<unsigned char>(frame[i]);
    return sum % 256;
}

void PutFrameSum(QByteArray& frame) {
    if (frame.size() < 5) return;
    static const char digits[] = "0123456789ABCDEF";
    const int sum = frameSum(frame);
    frame[frame.size() - 4] = digits[sum / 16];
    frame[frame.size() - 3] = digits[sum % 16];
}

bool CheckFrameSum(const QByteArray& frame) {
    if (frame.size() < 5) return false;
    const qint64 hi = HexToLong(frame.mid(frame.size() - 4, 1));
    const qint64 lo = HexToLong(frame.mid(frame.size() - 3, 1));
    return hi * 16 + lo == frameSum(frame);
}

int DecimalPlaces(int inp, int unit, int dpp) {
    // The controllers offer 0 to 3 decimals; a wild DP-P must not ask for thousands.
    if (inp >= 30) return std::clamp(dpp, 0, 3);
    if (unit == 0) {
        switch (inp) {
        case 2:
        case 3:
        case 4:
        case 5:
        case 9:
        case 11:
        case 20:
        case 21:
            return 1;
        default:
            return 0;
        }
    }
    return inp == 20 ? 1 : 0;
}

QString numberPattern(int decimals) {
    if (decimals <= 0) return QStringLiteral("0");
    return QStringLiteral("0.") + QString(decimals, QLatin1Char('0'));
}

QString formatDecimals(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    QString s = QString::number(value, 'f', decimals);
    // A rounded zero keeps its sign, as the display of -0.04 with one decimal would: "-0.0".
    // Plain "-0" for a whole zero reads as noise, so only drop the sign there.
    if (decimals == 0 && s == QLatin1String("-0")) s = QStringLiteral("0");
    return s;
}

double val(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
    bool digits = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits) return 0.0;
    // An exponent only counts when digits follow it ("1e3" is 1000, "1e" is 1).
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) ++j;
        if (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            while (j < n && text[j].isDigit() && text[j].unicode() < 128)
                ++j;
            i = j;
        }
    }
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

qint64 roundHalfEven(double value) {
    if (!std::isfinite(value)) return 0;
    constexpr double limit = 9.0e18;
    if (value > limit) value = limit;
    if (value < -limit) value = -limit;
    return static_cast<qint64>(std::nearbyint(value)); // default rounding mode is to-nearest-even
}

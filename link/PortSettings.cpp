#include "link/PortSettings.h"

#include <QtGlobal>

namespace {

using P = LineSettings::Parity;
using S = LineSettings::StopBits;

constexpr std::pair<P, char> kParities[] = {
    {P::None, 'N'}, {P::Even, 'E'}, {P::Odd, 'O'}, {P::Mark, 'M'}, {P::Space, 'S'}};
constexpr std::pair<S, const char*> kStops[] = {
    {S::One, "1"}, {S::OneAndHalf, "1.5"}, {S::Two, "2"}};

QString parityText(P p) {
    for (const auto& [v, c] : kParities)
        if (v == p) return QString(QLatin1Char(c));
    return {};
}

QString stopText(S s) {
    for (const auto& [v, t] : kStops)
        if (v == s) return QLatin1String(t);
    return {};
}

} // namespace

double LineSettings::charBits() const {
    const int data = dataBits == 7 ? 7 : 8;
    const int par = parity == Parity::None ? 0 : 1;
    const double stop = stopBits == StopBits::OneAndHalf ? 1.5 : stopBits == StopBits::Two ? 2 : 1;
    return 1 + data + par + stop;
}

double LineSettings::charMs() const {
    return charBits() * 1000.0 / qMax(baud, 300);
}

QString LineSettings::text() const {
    return QString::number(baud) + QLatin1Char(',') + parityText(parity) + QLatin1Char(',') +
           QString::number(dataBits) + QLatin1Char(',') + stopText(stopBits);
}

void PortSettings::setText(int k, const QString& t) {
    const QString v = t.trimmed();
    bool ok = false;
    switch (k) {
    case kPort:
        port = t;
        break;
    case kBaud:
        line.baud = v.toInt(&ok);
        if (!ok) line.baud = 0;
        break;
    case kParity:
        line.parity = P::Unusable;
        for (const auto& [p, c] : kParities)
            if (v.compare(QString(QLatin1Char(c)), Qt::CaseInsensitive) == 0) line.parity = p;
        break;
    case kDataBits:
        line.dataBits = v.toInt(&ok);
        if (!ok) line.dataBits = 0;
        break;
    case kStopBits:
        line.stopBits = S::Unusable;
        for (const auto& [s, text] : kStops)
            if (v == QLatin1String(text)) line.stopBits = s;
        break;
    case kProtocol:
        protocol = t == QLatin1String("STD") ? Protocol::Std : Protocol::Sum;
        break;
    default:
        return;
    }
    asWritten.remove(k);
    if (text(k) != t) asWritten[k] = t;
}

QString PortSettings::text(int k) const {
    if (asWritten.contains(k)) return asWritten[k];
    switch (k) {
    case kPort:
        return port;
    case kBaud:
        return QString::number(line.baud);
    case kParity:
        return parityText(line.parity);
    case kDataBits:
        return QString::number(line.dataBits);
    case kStopBits:
        return stopText(line.stopBits);
    case kProtocol:
        return protocol == Protocol::Std ? QStringLiteral("STD") : QStringLiteral("SUM");
    default:
        return {};
    }
}

PortSettings PortSettings::fromLines(const QStringList& six) {
    PortSettings s;
    for (int k = kPort; k <= kProtocol && k <= six.size(); ++k)
        s.setText(k, six[k - 1]);
    return s;
}

QString PortSettings::commText() const {
    return text(kBaud) + QLatin1Char(',') + text(kParity) + QLatin1Char(',') + text(kDataBits) +
           QLatin1Char(',') + text(kStopBits);
}

QString PortSettings::lineText() const {
    return text(kBaud) + QLatin1Char(' ') + text(kDataBits) + text(kParity).left(1) +
           text(kStopBits) + QLatin1Char(' ') + text(kProtocol);
}

QList<int> PortSettings::unusableLines() const {
    QList<int> out;
    if (line.baud <= 0) out << kBaud;
    if (line.parity == P::Unusable) out << kParity;
    if (line.dataBits < 5 || line.dataBits > 8) out << kDataBits;
    if (line.stopBits == S::Unusable) out << kStopBits;
    if (asWritten.contains(kProtocol)) out << kProtocol;
    return out;
}

bool PortSettings::canOpen() const {
    const QList<int> bad = unusableLines();
    return bad.isEmpty() || bad == QList<int>{kProtocol};
}

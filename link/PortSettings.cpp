#include "link/PortSettings.h"

#include <QtGlobal>

QString PortSettings::commText() const {
    return baud + QLatin1Char(',') + parity + QLatin1Char(',') + dataBits + QLatin1Char(',') +
           stopBits;
}

QString PortSettings::lineText() const {
    return baud + QLatin1Char(' ') + dataBits + parity.left(1) + stopBits + QLatin1Char(' ') +
           protocol;
}

double PortSettings::charBits() const {
    const int data = dataBits.toInt() == 7 ? 7 : 8;
    const int par = parity.isEmpty() || parity.startsWith(QLatin1Char('N')) ? 0 : 1;
    const double stop = stopBits.toDouble() >= 1.5 ? stopBits.toDouble() : 1.0;
    return 1 + data + par + qMin(stop, 2.0);
}

double PortSettings::charMs() const {
    return charBits() * 1000.0 / qMax(baud.toInt(), 300);
}

QList<int> PortSettings::unusableLines() const {
    QList<int> out;
    bool ok = false;
    if (baud.trimmed().toInt(&ok) <= 0 || !ok) out << 2;
    const QString p = parity.trimmed().toUpper();
    if (p.size() != 1 || !QStringLiteral("NEOMS").contains(p)) out << 3;
    const int bits = dataBits.trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8) out << 4;
    const QString s = stopBits.trimmed();
    if (s != QLatin1String("1") && s != QLatin1String("1.5") && s != QLatin1String("2")) out << 5;
    if (protocol != QLatin1String("STD") && protocol != QLatin1String("SUM")) out << 6;
    return out;
}

bool PortSettings::canOpen() const {
    const QList<int> bad = unusableLines();
    return bad.isEmpty() || bad == QList<int>{6};
}

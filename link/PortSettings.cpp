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

#include "gateway/GatewayCounters.h"

#include <QStringList>

quint64 GatewayCounts::exceptionsTotal() const {
    quint64 n = 0;
    for (const auto& [code, count] : exceptions)
        n += count;
    return n;
}

QString GatewayCounts::exceptionsText() const {
    QStringList parts;
    for (const auto& [code, count] : exceptions)
        parts << QStringLiteral("%1 \u00d7%2").arg(code, 2, 16, QLatin1Char('0')).arg(count);
    return parts.join(QStringLiteral(", "));
}

FileNotice GatewayCounts::text(bool client) const {
    const QString none = QStringLiteral("0");
    const QString ex = exceptions.empty() ? none : exceptionsText();
    const QStringList args = {
        QString::number(requests), QString::number(answers), ex,
        QString::number(timeouts), QString::number(writes),  QString::number(refused)};
    return client ? fileNotice("Gateway",
                               QT_TRANSLATE_NOOP("Gateway",
                                                 "%1 requests, %2 answers, exceptions %3, %4 "
                                                 "time-outs, %5 writes, %6 connections refused"),
                               args)
                  : fileNotice("Gateway",
                               QT_TRANSLATE_NOOP("Gateway", "%1 requests, %2 answers, exceptions "
                                                            "%3, %4 time-outs, %5 writes"),
                               args.mid(0, 5));
}

void GatewayCounters::add(const QString& client, int unit, Tally what, int code) {
    const auto tally = [&](GatewayCounts& c) {
        switch (what) {
        case Tally::Request:
            ++c.requests;
            break;
        case Tally::Answer:
            ++c.answers;
            break;
        case Tally::Exception:
            ++c.exceptions[code];
            break;
        case Tally::TimeOut:
            ++c.timeouts;
            break;
        case Tally::Write:
            ++c.writes;
            break;
        case Tally::Refused:
            ++c.refused;
            break;
        }
    };
    tally(clients[client]);
    if (unit != 0) tally(units[unit]);
}

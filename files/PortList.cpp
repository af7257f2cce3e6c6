#include "files/PortList.h"

#include "link/SerialPort.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

namespace PortList {

QStringList ordered(const QStringList& systemPorts, const QStringList& byIdLinks,
                    const QString& current) {
    QStringList coms;
    QStringList comNames; // what COM1 .. COM16 open
    for (int n = 1; n <= 16; ++n) {
        coms.append(QStringLiteral("COM%1").arg(n));
        comNames.append(systemPortName(coms.last()));
    }
    // The ports that exist come first, the likeliest first: an adapter's stable name, then
    // USB adapters, then the built-in ports; a typed path stays offered once it is in use.
    const auto rank = [](const QString& loc) {
        if (loc.startsWith(QLatin1String("/dev/serial/by-id/"))) return 0;
        if (loc.contains(QLatin1String("ttyUSB")) || loc.contains(QLatin1String("ttyACM")))
            return 1;
        if (loc.contains(QLatin1String("ttyS"))) return 2;
        return 3;
    };
    QStringList devices = byIdLinks + systemPorts;
    if (current.startsWith(QLatin1Char('/'))) devices.append(current);
    QStringList existing;
    for (QString loc : devices) {
#ifdef Q_OS_WIN
        if (loc.startsWith(QLatin1String("\\\\.\\"))) loc = loc.mid(4);
        if (comNames.contains(loc)) continue; // a COM name of its own follows
#endif
        if (!loc.isEmpty() && !existing.contains(loc)) existing.append(loc);
    }
    std::stable_sort(existing.begin(), existing.end(), [&](const QString& a, const QString& b) {
        if (rank(a) != rank(b)) return rank(a) < rank(b);
        // ttyS2 before ttyS10
        const QString da = QString(a).remove(QRegularExpression(QStringLiteral("\\d+$")));
        const QString db = QString(b).remove(QRegularExpression(QStringLiteral("\\d+$")));
        if (da != db) return da < db;
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
#ifndef Q_OS_WIN
    // COM1 is an alias of /dev/ttyS0 here, which most machines lack: only those that are there.
    QStringList present;
    for (int i = 0; i < coms.size(); ++i)
        if (systemPorts.contains(comNames[i])) present << coms[i];
    coms = present;
#endif
    return existing + coms;
}

QStringList available(const QString& current, QMap<QString, QString>* details) {
    // Stable names of USB adapters, which keep naming the same adapter after a re-plug: each
    // is offered in place of the device it points to.
    QStringList links;
    QMap<QString, QString> linkOf; // device -> its stable name
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QString& name :
         byId.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        links.append(byId.filePath(name));
        linkOf.insert(QFileInfo(links.last()).canonicalFilePath(), links.last());
    }
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString name = linkOf.value(info.systemLocation(), info.systemLocation());
        if (name == info.systemLocation()) ports.append(name);
        // What tells two adapters apart: what it is, who made it, its serial number.
        QStringList said;
        for (const QString& part : {info.description(), info.manufacturer(), info.serialNumber()})
            if (!part.isEmpty() && !said.contains(part)) said << part;
        if (details && !said.isEmpty()) details->insert(name, said.join(QStringLiteral(", ")));
    }
    return ordered(ports, links, current);
}

QString firstReal(const QString& fallback) {
    const QStringList ports = available(QString());
    return ports.isEmpty() ? fallback : ports.first();
}

} // namespace PortList

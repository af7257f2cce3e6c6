// The serial ports offered to the user, the likeliest first: an adapter's stable
// /dev/serial/by-id name, then USB adapters, then built-in ports that exist. On Windows COM1 to
// COM16 follow; elsewhere a COM name is offered only where its device exists.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace PortList {

// From the devices the system reports, the by-id links and the port in use (kept when it is
// a typed path), each once.
QStringList ordered(const QStringList& systemPorts, const QStringList& byIdLinks,
                    const QString& current);
// The same with this machine's devices and links, a device that has a stable by-id name
// offered by that name only; *details gets each port's description, maker and serial number as
// far as the system knows them.
QStringList available(const QString& current, QMap<QString, QString>* details = nullptr);
// The port to use when none was ever set up: the likeliest real port of this machine, or
// `fallback` when it has none.
QString firstReal(const QString& fallback);

} // namespace PortList

#include "publish/PublishOptions.h"

#include "settings/ConfigFiles.h"
#include "settings/TextLines.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

namespace {

bool flag(const QString& v) {
    return v == QLatin1String("1");
}
QString flagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// A topic level may not hold the wildcards or the separator, or be empty.
bool goodLevel(const QString& s, bool allowSlash) {
    if (s.isEmpty() || s.contains(QLatin1Char('+')) || s.contains(QLatin1Char('#'))) return false;
    return allowSlash || !s.contains(QLatin1Char('/'));
}

} // namespace

QString PublishOptions::effectiveClientId() const {
    if (!clientId.isEmpty()) return clientId;
    return QStringLiteral("kx5comm-%1-%2").arg(QSysInfo::machineHostName(), line);
}

QString PublishOptions::problem() const {
    if (host.trimmed().isEmpty()) return QStringLiteral("No broker host is given.");
    if (port < 1 || port > 65535) return QStringLiteral("The port must be 1 to 65535.");
    if (!goodLevel(prefix, true))
        return QStringLiteral("The topic prefix must not be empty or hold '+' or '#'.");
    if (!goodLevel(line, false))
        return QStringLiteral("The line name must not be empty or hold '/', '+' or '#'.");
    if (certFile.isEmpty() != keyFile.isEmpty())
        return QStringLiteral("A client certificate needs its key file, and a key its "
                              "certificate.");
    if (when == When::EveryNSeconds && (everySeconds < 1 || everySeconds > 3600))
        return QStringLiteral("Publish every 1 to 3600 seconds.");
    if (qos != 0 && qos != 1) return QStringLiteral("QoS must be 0 or 1.");
    return {};
}

PublishOptions& publishOptions() {
    static PublishOptions options;
    return options;
}

QString publishOptionsPath() {
    return cfgDir() + QStringLiteral("/Publishing.INI");
}
QString publishPasswordPath() {
    return cfgDir() + QStringLiteral("/Publishing.PWD");
}

bool loadPublishOptions() {
    PublishOptions& o = publishOptions();
    o = PublishOptions();
    QStringList lines;
    if (!readLines(publishOptionsPath(), &lines)) return false;
    for (const QString& line : lines) {
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString v = line.section(QLatin1Char('='), 1).trimmed();
        bool ok = false;
        const int n = v.toInt(&ok);
        if (key == QLatin1String("Enabled"))
            o.enabled = flag(v);
        else if (key == QLatin1String("Host"))
            o.host = v;
        else if (key == QLatin1String("Port") && ok)
            o.port = n;
        else if (key == QLatin1String("TLS"))
            o.tls = flag(v);
        else if (key == QLatin1String("CAFile"))
            o.caFile = v;
        else if (key == QLatin1String("CertFile"))
            o.certFile = v;
        else if (key == QLatin1String("KeyFile"))
            o.keyFile = v;
        else if (key == QLatin1String("User"))
            o.user = v;
        else if (key == QLatin1String("ClientId"))
            o.clientId = v;
        else if (key == QLatin1String("Prefix"))
            o.prefix = v;
        else if (key == QLatin1String("Line"))
            o.line = v;
        else if (key == QLatin1String("When"))
            o.when = v == QLatin1String("Interval") ? PublishOptions::When::EveryNSeconds
                                                    : PublishOptions::When::EveryReply;
        else if (key == QLatin1String("EverySeconds") && ok)
            o.everySeconds = n;
        else if (key == QLatin1String("Retain"))
            o.retain = flag(v);
        else if (key == QLatin1String("QoS") && ok)
            o.qos = n;
    }
    QStringList pwd;
    if (readLines(publishPasswordPath(), &pwd) && !pwd.isEmpty()) o.password = pwd.first();
    // Whatever a hand-edited file got wrong, the program publishes nothing rather than guess.
    if (!o.problem().isEmpty()) o.enabled = false;
    return true;
}

bool savePublishOptions(const PublishOptions& o, QString* error) {
    QDir().mkpath(cfgDir());
    const QStringList lines = {QStringLiteral("Enabled=") + flagText(o.enabled),
                               QStringLiteral("Host=") + o.host,
                               QStringLiteral("Port=") + QString::number(o.port),
                               QStringLiteral("TLS=") + flagText(o.tls),
                               QStringLiteral("CAFile=") + o.caFile,
                               QStringLiteral("CertFile=") + o.certFile,
                               QStringLiteral("KeyFile=") + o.keyFile,
                               QStringLiteral("User=") + o.user,
                               QStringLiteral("ClientId=") + o.clientId,
                               QStringLiteral("Prefix=") + o.prefix,
                               QStringLiteral("Line=") + o.line,
                               QStringLiteral("When=") +
                                   (o.when == PublishOptions::When::EveryNSeconds
                                        ? QStringLiteral("Interval")
                                        : QStringLiteral("Reply")),
                               QStringLiteral("EverySeconds=") + QString::number(o.everySeconds),
                               QStringLiteral("Retain=") + flagText(o.retain),
                               QStringLiteral("QoS=") + QString::number(o.qos)};
    if (!writeLinesAtomic(publishOptionsPath(), lines, error)) return false;

    // The password file is readable by its owner alone.
    return writeLinesAtomic(publishPasswordPath(), {o.password}, error,
                            QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

#include "files/PublishOptions.h"

#include "files/ConfigFiles.h"
#include "files/TextLines.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSysInfo>
#include <map>
#include <optional>

namespace {

QString flagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// A topic level may not hold the wildcards or the separator, or be empty.
bool goodLevel(const QString& s, bool allowSlash) {
    if (s.isEmpty() || s.contains(QLatin1Char('+')) || s.contains(QLatin1Char('#'))) return false;
    return allowSlash || !s.contains(QLatin1Char('/'));
}

// The words of When= in the file.
constexpr std::pair<PublishOptions::When, const char*> kWhenWords[] = {
    {PublishOptions::When::EveryReply, "Reply"},
    {PublishOptions::When::EveryNSeconds, "Interval"},
    {PublishOptions::When::OnChange, "Change"}};

std::optional<PublishOptions::When> whenOf(const QString& word) {
    for (const auto& [when, w] : kWhenWords)
        if (word == QLatin1String(w)) return when;
    return std::nullopt;
}
const char* whenWord(PublishOptions::When when) {
    for (const auto& [w, text] : kWhenWords)
        if (w == when) return text;
    return "Reply";
}

} // namespace

QString PublishOptions::effectiveClientId() const {
    if (!clientId.isEmpty()) return clientId;
    // The same every start, and different for another program folder on the same computer.
    const QString host = QSysInfo::machineHostName();
    const QByteArray tag = QCryptographicHash::hash(
        (host + QLatin1Char('\n') + QDir(programDir()).absolutePath()).toUtf8(),
        QCryptographicHash::Sha1);
    return QStringLiteral("kx5comm-%1-%2-%3")
        .arg(host, line, QString::fromLatin1(tag.left(4).toHex()));
}

std::vector<PublishOptions::Problem> PublishOptions::problems() const {
    const auto say = [](const char* source) { return fileNotice("PublishOptions", source, {}); };
    std::vector<Problem> out;
    if (host.trimmed().isEmpty())
        out.push_back(
            {"Host", say(QT_TRANSLATE_NOOP("PublishOptions", "No broker host is given."))});
    if (port < 1 || port > 65535)
        out.push_back(
            {"Port", say(QT_TRANSLATE_NOOP("PublishOptions", "The port must be 1 to 65535."))});
    if (!goodLevel(prefix, true))
        out.push_back({"Prefix", say(QT_TRANSLATE_NOOP(
                                     "PublishOptions",
                                     "The topic prefix must not be empty or hold '+' or '#'."))});
    if (!goodLevel(line, false))
        out.push_back({"Line", say(QT_TRANSLATE_NOOP(
                                   "PublishOptions",
                                   "The line name must not be empty or hold '/', '+' or '#'."))});
    if (certFile.isEmpty() != keyFile.isEmpty())
        out.push_back({certFile.isEmpty() ? "KeyFile" : "CertFile",
                       say(QT_TRANSLATE_NOOP("PublishOptions",
                                             "A client certificate needs its key file, and a "
                                             "key its certificate."))});
    if (when == When::EveryNSeconds && (everySeconds < 1 || everySeconds > 3600))
        out.push_back({"EverySeconds", say(QT_TRANSLATE_NOOP("PublishOptions",
                                                             "Publish every 1 to 3600 seconds."))});
    if (when == When::OnChange && !(deadBand >= 0 && deadBand <= kMaxDeadBand))
        out.push_back({"DeadBand", say(QT_TRANSLATE_NOOP("PublishOptions",
                                                         "The dead band must be 0 to 10000."))});
    if (when == When::OnChange && (heartbeatSeconds < 1 || heartbeatSeconds > 3600))
        out.push_back({"HeartbeatSeconds",
                       say(QT_TRANSLATE_NOOP("PublishOptions",
                                             "Publish a steady station at least every 1 to 3600 "
                                             "seconds."))});
    if (qos != 0 && qos != 1)
        out.push_back({"QoS", say(QT_TRANSLATE_NOOP("PublishOptions", "QoS must be 0 or 1."))});
    if (discovery && !goodLevel(discoveryPrefix, true))
        out.push_back(
            {"DiscoveryPrefix",
             say(QT_TRANSLATE_NOOP("PublishOptions",
                                   "The discovery prefix must not be empty or hold '+' or '#'."))});
    return out;
}

FileNotice PublishOptions::problem() const {
    const auto all = problems();
    return all.empty() ? FileNotice{} : all.front().text;
}

QString publishOptionsPath() {
    return cfgDir() + QStringLiteral("/Publishing.INI");
}
QString publishPasswordPath() {
    return cfgDir() + QStringLiteral("/Publishing.PWD");
}
QString discoveryListPath() {
    return cfgDir() + QStringLiteral("/Discovery.LST");
}

PublishOptions loadPublishOptions() {
    PublishOptions o;
    QStringList lines;
    QString why;
    // A file that is there and cannot be read keeps publishing off and says why, rather than
    // looking like a file nobody wrote.
    if (!readLines(publishOptionsPath(), &lines, &why)) {
        if (!why.isEmpty()) o.fileErrors << unreadableFile(publishOptionsPath(), why);
        return o;
    }
    std::map<QString, int> lineOf; // key -> line number, for saying where a problem is
    const QString file = QDir::toNativeSeparators(publishOptionsPath());
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty()) continue;
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString v = line.section(QLatin1Char('='), 1).trimmed();
        const QStringList at = {file, QString::number(i + 1), line.trimmed()};
        const auto wrong = [&](const char* source) {
            o.fileErrors << fileNotice("PublishOptions", source, at);
        };
        lineOf[key] = i + 1;
        bool ok = false;
        const int n = v.toInt(&ok);
        auto number = [&](int* into) {
            if (ok)
                *into = n;
            else
                wrong(QT_TRANSLATE_NOOP("PublishOptions",
                                        "%1 line %2 (%3): a whole number is expected"));
        };
        // The file is the same in every language: a point before the decimals.
        auto decimal = [&](double* into) {
            bool good = false;
            const double d = QLocale::c().toDouble(v, &good);
            if (good)
                *into = d;
            else
                wrong(QT_TRANSLATE_NOOP("PublishOptions",
                                        "%1 line %2 (%3): a number is expected (0.5, not 0,5)"));
        };
        auto flag = [&](bool* into) {
            if (v == QLatin1String("1") || v == QLatin1String("0"))
                *into = v == QLatin1String("1");
            else
                wrong(QT_TRANSLATE_NOOP("PublishOptions",
                                        "%1 line %2 (%3): 1 (on) or 0 (off) is expected"));
        };
        if (key == QLatin1String("Enabled"))
            flag(&o.enabled);
        else if (key == QLatin1String("Host"))
            o.host = v;
        else if (key == QLatin1String("Port"))
            number(&o.port);
        else if (key == QLatin1String("TLS"))
            flag(&o.tls);
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
        else if (key == QLatin1String("When") && whenOf(v))
            o.when = *whenOf(v);
        else if (key == QLatin1String("When"))
            wrong(QT_TRANSLATE_NOOP("PublishOptions",
                                    "%1 line %2 (%3): Reply, Interval or Change is expected"));
        else if (key == QLatin1String("EverySeconds"))
            number(&o.everySeconds);
        else if (key == QLatin1String("DeadBand"))
            decimal(&o.deadBand);
        else if (key == QLatin1String("HeartbeatSeconds"))
            number(&o.heartbeatSeconds);
        else if (key == QLatin1String("Discovery"))
            flag(&o.discovery);
        else if (key == QLatin1String("DiscoveryPrefix"))
            o.discoveryPrefix = v;
        else if (key == QLatin1String("Retain"))
            flag(&o.retain);
        else if (key == QLatin1String("QoS"))
            number(&o.qos);
        else
            o.fileNotes << fileNotice(
                "PublishOptions",
                QT_TRANSLATE_NOOP("PublishOptions",
                                  "%1 line %2 (%3): not a publishing setting; ignored"),
                at);
    }
    // What the values together get wrong, said at the line of the setting concerned.
    for (const PublishOptions::Problem& p : o.problems()) {
        const auto it = lineOf.find(QLatin1String(p.key));
        const QStringList at = it == lineOf.end() ? QStringList{file, QLatin1String(p.key)}
                                                  : QStringList{file, QString::number(it->second),
                                                                lines[it->second - 1].trimmed()};
        o.fileErrors << fileNotice("PublishOptions",
                                   it == lineOf.end()
                                       ? QT_TRANSLATE_NOOP("PublishOptions", "%1 (no %2= line): %3")
                                       : QT_TRANSLATE_NOOP("PublishOptions", "%1 line %2 (%3): %4"),
                                   at + QStringList{p.text.logged}, at + QStringList{p.text.shown});
    }
    QStringList pwd;
    if (readLines(publishPasswordPath(), &pwd, &why) && !pwd.isEmpty())
        o.password = pwd.first();
    else if (!why.isEmpty() && !o.user.isEmpty()) // the broker would say only "wrong password"
        o.fileErrors << unreadableFile(publishPasswordPath(), why);
    return o;
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
                               QStringLiteral("When=") + QLatin1String(whenWord(o.when)),
                               QStringLiteral("EverySeconds=") + QString::number(o.everySeconds),
                               QStringLiteral("DeadBand=") + QLocale::c().toString(o.deadBand),
                               QStringLiteral("HeartbeatSeconds=") +
                                   QString::number(o.heartbeatSeconds),
                               QStringLiteral("Retain=") + flagText(o.retain),
                               QStringLiteral("QoS=") + QString::number(o.qos),
                               QStringLiteral("Discovery=") + flagText(o.discovery),
                               QStringLiteral("DiscoveryPrefix=") + o.discoveryPrefix};
    if (!writeLinesAtomic(publishOptionsPath(), lines, error)) return false;

    // The password file is readable by its owner alone.
    return writeLinesAtomic(publishPasswordPath(), {o.password}, error,
                            QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

#include "files/PublishOptions.h"

#include "files/ConfigFiles.h"
#include "files/OptionTable.h"
#include "files/TextLines.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSysInfo>
#include <optional>

namespace {

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

constexpr OptionWords words(const char* text) {
    return {"PublishOptions", text};
}

// Publishing.INI as one table, in the order the file is written.
const OptionTable<PublishOptions>& publishTable() {
    using O = PublishOptions;
    const auto level = [](QString O::*field, bool slash) {
        return [field, slash](const O& o) { return goodLevel(o.*field, slash); };
    };
    const OptionWords pair = words(QT_TRANSLATE_NOOP(
        "PublishOptions", "A client certificate needs its key file, and a key its certificate."));
    const auto onChange = [](const O& o) { return o.when == O::When::OnChange; };
    static const OptionTable<O> table{
        publishOptionsPath,
        words(QT_TRANSLATE_NOOP("PublishOptions", "not a publishing setting; ignored")),
        {flagOption("Enabled", &O::enabled),
         textOption<O>(
             "Host", &O::host, [](const O& o) { return !o.host.trimmed().isEmpty(); },
             words(QT_TRANSLATE_NOOP("PublishOptions", "No broker host is given."))),
         wholeOption("Port", &O::port, 1, 65535,
                     words(QT_TRANSLATE_NOOP("PublishOptions", "The port must be 1 to 65535."))),
         flagOption("TLS", &O::tls),
         textOption("CAFile", &O::caFile),
         textOption<O>(
             "CertFile", &O::certFile,
             [](const O& o) { return o.certFile.isEmpty() || !o.keyFile.isEmpty(); }, pair),
         textOption<O>(
             "KeyFile", &O::keyFile,
             [](const O& o) { return o.keyFile.isEmpty() || !o.certFile.isEmpty(); }, pair),
         textOption("User", &O::user),
         textOption("ClientId", &O::clientId),
         textOption<O>(
             "Prefix", &O::prefix, level(&O::prefix, true),
             words(QT_TRANSLATE_NOOP("PublishOptions",
                                     "The topic prefix must not be empty or hold '+' or '#'."))),
         textOption<O>(
             "Line", &O::line, level(&O::line, false),
             words(QT_TRANSLATE_NOOP("PublishOptions",
                                     "The line name must not be empty or hold '/', '+' or '#'."))),
         {"When",
          [](const O& o) { return QString::fromLatin1(whenWord(o.when)); },
          [](O& o, const QString& v, QString*) {
              const auto when = whenOf(v);
              if (when) o.when = *when;
              return bool(when);
          },
          words(QT_TRANSLATE_NOOP("PublishOptions", "Reply, Interval or Change is expected")),
          nullptr,
          {}},
         wholeOption("EverySeconds", &O::everySeconds, 1, 3600,
                     words(QT_TRANSLATE_NOOP("PublishOptions", "Publish every 1 to 3600 seconds.")))
             .onlyWhen([](const O& o) { return o.when == O::When::EveryNSeconds; }),
         numberOption(
             "DeadBand", &O::deadBand, 0, O::kMaxDeadBand,
             words(QT_TRANSLATE_NOOP("PublishOptions", "The dead band must be 0 to 10000.")))
             .onlyWhen(onChange),
         wholeOption("HeartbeatSeconds", &O::heartbeatSeconds, 1, 3600,
                     words(QT_TRANSLATE_NOOP("PublishOptions",
                                             "Publish a steady station at least every 1 to 3600 "
                                             "seconds.")))
             .onlyWhen(onChange),
         flagOption("Retain", &O::retain),
         wholeOption("QoS", &O::qos, 0, 1,
                     words(QT_TRANSLATE_NOOP("PublishOptions", "QoS must be 0 or 1."))),
         flagOption("Discovery", &O::discovery),
         textOption<O>("DiscoveryPrefix", &O::discoveryPrefix, level(&O::discoveryPrefix, true),
                       words(QT_TRANSLATE_NOOP("PublishOptions",
                                               "The discovery prefix must not be empty or hold "
                                               "'+' or '#'.")))
             .onlyWhen([](const O& o) { return o.discovery; })}};
    return table;
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
    std::vector<Problem> out;
    for (const auto& [key, text] : optionProblems(publishTable(), *this))
        out.push_back({key, text});
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
    readOptions(publishTable(), &o, &o.fileErrors, &o.fileNotes);
    QStringList pwd;
    QString why;
    if (readLines(publishPasswordPath(), &pwd, &why) && !pwd.isEmpty())
        o.password = pwd.first();
    else if (!why.isEmpty() && !o.user.isEmpty()) // the broker would say only "wrong password"
        o.fileErrors << unreadableFile(publishPasswordPath(), why);
    return o;
}

bool savePublishOptions(const PublishOptions& o, QString* error) {
    if (!writeOptions(publishTable(), o, error)) return false;
    // The password file is readable by its owner alone.
    return writeLinesAtomic(publishPasswordPath(), {o.password}, error,
                            QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

#include "gateway/GatewayOptions.h"

#include "settings/ConfigFiles.h"
#include "settings/TextLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QHostAddress>
#include <algorithm>
#include <map>
#include <optional>

namespace {

constexpr int kLastRegister = 699;

} // namespace

bool GatewayOptions::allows(int reg) const {
    return std::find(allowList.begin(), allowList.end(), reg) != allowList.end();
}

QString GatewayOptions::allowListText() const {
    std::vector<int> regs = allowList;
    std::sort(regs.begin(), regs.end());
    regs.erase(std::unique(regs.begin(), regs.end()), regs.end());
    QStringList parts;
    for (size_t i = 0; i < regs.size();) {
        size_t j = i;
        while (j + 1 < regs.size() && regs[j + 1] == regs[j] + 1)
            ++j;
        parts << (j > i ? QStringLiteral("%1-%2").arg(regs[i]).arg(regs[j])
                        : QString::number(regs[i]));
        i = j + 1;
    }
    return parts.join(QLatin1Char(','));
}

bool GatewayOptions::parseAllowList(const QString& text, std::vector<int>* regs, QString* bad) {
    regs->clear();
    for (const QString& raw : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString item = raw.trimmed();
        if (item.isEmpty()) continue;
        bool okLo = false, okHi = false;
        const int lo = item.section(QLatin1Char('-'), 0, 0).trimmed().toInt(&okLo);
        const int hi = item.contains(QLatin1Char('-'))
                           ? item.section(QLatin1Char('-'), 1).trimmed().toInt(&okHi)
                           : (okHi = okLo, lo);
        if (!okLo || !okHi || lo < 0 || hi > kLastRegister || lo > hi) {
            *bad = item;
            return false;
        }
        for (int r = lo; r <= hi; ++r)
            regs->push_back(r);
    }
    return true;
}

namespace {

// An address or a network as a prefix: a plain address is a network of its own.
std::optional<std::pair<QHostAddress, int>> subnet(const QString& item) {
    if (!item.contains(QLatin1Char('/'))) {
        const QHostAddress a(item);
        if (a.isNull()) return std::nullopt;
        return std::pair{a, a.protocol() == QAbstractSocket::IPv4Protocol ? 32 : 128};
    }
    const auto net = QHostAddress::parseSubnet(item);
    if (net.first.isNull() || net.second < 0) return std::nullopt;
    return net;
}

// Every value that keeps the options from being used: the key of its line and why.
std::vector<std::pair<const char*, const char*>> problemsOf(const GatewayOptions& o) {
    std::vector<std::pair<const char*, const char*>> out;
    if (QHostAddress(o.address).isNull())
        out.push_back({"Address", QT_TRANSLATE_NOOP("GatewayOptions",
                                                    "The listen address must be an IP address, "
                                                    "such as 127.0.0.1 or 0.0.0.0.")});
    if (o.port < 1 || o.port > 65535)
        out.push_back(
            {"Port", QT_TRANSLATE_NOOP("GatewayOptions", "The port must be 1 to 65535.")});
    if (o.maxClients < 1 || o.maxClients > GatewayOptions::kMostClients)
        out.push_back(
            {"MaxClients",
             QT_TRANSLATE_NOOP("GatewayOptions", "The most clients at once must be 1 to 64.")});
    if (o.answerWaitMs < GatewayOptions::kLeastWaitMs ||
        o.answerWaitMs > GatewayOptions::kMostWaitMs)
        out.push_back({"AnswerWaitMs",
                       QT_TRANSLATE_NOOP("GatewayOptions",
                                         "The longest a client waits must be 100 to 60000 ms.")});
    if (o.serialTimeoutMs != 0 && (o.serialTimeoutMs < GatewayOptions::kLeastSerialMs ||
                                   o.serialTimeoutMs > GatewayOptions::kMostSerialMs))
        out.push_back({"SerialTimeoutMs",
                       QT_TRANSLATE_NOOP("GatewayOptions",
                                         "The serial response time-out must be 0 (from the line's "
                                         "speed) or 50 to 10000 ms.")});
    if (o.idleSeconds < 0 || o.idleSeconds > GatewayOptions::kMostIdleSeconds)
        out.push_back({"IdleTimeout",
                       QT_TRANSLATE_NOOP("GatewayOptions", "The idle time-out must be 0 (never) to "
                                                           "86400 s.")});
    if (o.imageMaxAgeSeconds < 1 || o.imageMaxAgeSeconds > GatewayOptions::kMostImageAgeSeconds)
        out.push_back({"ImageMaxAge",
                       QT_TRANSLATE_NOOP("GatewayOptions", "The longest a parameter is served "
                                                           "without reading it again must be 1 to "
                                                           "3600 s.")});
    return out;
}

} // namespace

bool GatewayOptions::trusts(const QHostAddress& address) const {
    if (trusted.isEmpty()) return true;
    // A client of an IPv4 network reaches a socket listening on "::" as ::ffff:a.b.c.d.
    QHostAddress a = address;
    bool v4 = false;
    if (const quint32 four = a.toIPv4Address(&v4); v4) a = QHostAddress(four);
    for (const QString& item : trusted)
        if (const auto net = subnet(item); net && a.isInSubnet(net->first, net->second))
            return true;
    return false;
}

bool GatewayOptions::parseTrusted(const QString& text, QStringList* items, QString* bad) {
    items->clear();
    for (const QString& raw : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString item = raw.trimmed();
        if (item.isEmpty()) continue;
        if (!subnet(item)) {
            *bad = item;
            return false;
        }
        *items << item;
    }
    return true;
}

QString GatewayOptions::problem(bool translated) const {
    const auto all = problemsOf(*this);
    if (all.empty()) return {};
    return translated ? QCoreApplication::translate("GatewayOptions", all.front().second)
                      : QString::fromUtf8(all.front().second);
}

QString gatewayOptionsPath() {
    return cfgDir() + QStringLiteral("/Gateway.INI");
}

GatewayOptions loadGatewayOptions() {
    GatewayOptions o;
    QStringList lines;
    QString why;
    if (!readLines(gatewayOptionsPath(), &lines, &why)) {
        // There but unreadable: said, and the gateway stays off as without the file.
        if (!why.isEmpty()) o.fileErrors << unreadableFile(gatewayOptionsPath(), why);
        return o;
    }
    const QString file = QDir::toNativeSeparators(gatewayOptionsPath());
    std::map<QString, int> lineOf; // key -> its last line, where a wrong value is said
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty()) continue;
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        lineOf[key] = i + 1;
        const QString v = line.section(QLatin1Char('='), 1).trimmed();
        const QStringList at = {file, QString::number(i + 1), line};
        const auto wrong = [&](const char* source, const QStringList& more = {}) {
            o.fileErrors << fileNotice("GatewayOptions", source, at + more);
        };
        bool ok = false;
        const int n = v.toInt(&ok);
        const bool flag = v == QLatin1String("1") || v == QLatin1String("0");
        QString bad;
        if (key == QLatin1String("Enabled") && flag)
            o.enabled = v == QLatin1String("1");
        else if (key == QLatin1String("Writes") && flag)
            o.writes = v == QLatin1String("1");
        else if ((key == QLatin1String("Enabled") || key == QLatin1String("Writes")))
            wrong(QT_TRANSLATE_NOOP("GatewayOptions",
                                    "%1 line %2 (%3): 1 (on) or 0 (off) is expected"));
        else if (key == QLatin1String("Address"))
            o.address = v;
        else if (const bool number =
                     key == QLatin1String("Port") || key == QLatin1String("MaxClients") ||
                     key == QLatin1String("AnswerWaitMs") || key == QLatin1String("IdleTimeout") ||
                     key == QLatin1String("SerialTimeoutMs") || key == QLatin1String("ImageMaxAge");
                 number && !ok)
            wrong(
                QT_TRANSLATE_NOOP("GatewayOptions", "%1 line %2 (%3): a whole number is expected"));
        else if (key == QLatin1String("Port"))
            o.port = n;
        else if (key == QLatin1String("MaxClients"))
            o.maxClients = n;
        else if (key == QLatin1String("AnswerWaitMs"))
            o.answerWaitMs = n;
        else if (key == QLatin1String("SerialTimeoutMs"))
            o.serialTimeoutMs = n;
        else if (key == QLatin1String("IdleTimeout"))
            o.idleSeconds = n;
        else if (key == QLatin1String("ImageMaxAge"))
            o.imageMaxAgeSeconds = n;
        else if (QStringList items; key == QLatin1String("TrustedClients") &&
                                    GatewayOptions::parseTrusted(v, &items, &bad))
            o.trusted = items;
        else if (key == QLatin1String("TrustedClients"))
            wrong(QT_TRANSLATE_NOOP("GatewayOptions",
                                    "%1 line %2 (%3): %4 is not an address or a network "
                                    "(\"192.168.1.0/24\")"),
                  {bad});
        else if (std::vector<int> regs; key == QLatin1String("AllowWrite") &&
                                        GatewayOptions::parseAllowList(v, &regs, &bad))
            o.allowList = regs; // a list that cannot be read leaves the default
        else if (key == QLatin1String("AllowWrite"))
            wrong(QT_TRANSLATE_NOOP("GatewayOptions",
                                    "%1 line %2 (%3): %4 is not a register 0 to 699 or a range "
                                    "of them (\"301-303,506\")"),
                  {bad});
        else if (key != QLatin1String("AllowWrite"))
            o.fileNotes << fileNotice(
                "GatewayOptions",
                QT_TRANSLATE_NOOP("GatewayOptions",
                                  "%1 line %2 (%3): not a gateway setting; ignored"),
                at);
    }
    // Each wrong value at its own line; one the file leaves out is the default's, never wrong.
    for (const auto& [key, why] : problemsOf(o)) {
        const FileNotice reason = fileNotice("GatewayOptions", why, {});
        const auto at = lineOf.find(QLatin1String(key));
        o.fileErrors << (at == lineOf.end()
                             ? FileNotice{file + QStringLiteral(": ") + reason.logged,
                                          file + QStringLiteral(": ") + reason.shown}
                             : lineProblem(gatewayOptionsPath(), at->second,
                                           lines[at->second - 1].trimmed(), reason));
    }
    return o;
}

bool saveGatewayOptions(const GatewayOptions& o, QString* error) {
    QDir().mkpath(cfgDir());
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    return writeLinesAtomic(
        gatewayOptionsPath(),
        {QStringLiteral("Enabled=") + flag(o.enabled), QStringLiteral("Address=") + o.address,
         QStringLiteral("Port=") + QString::number(o.port),
         QStringLiteral("MaxClients=") + QString::number(o.maxClients),
         QStringLiteral("Writes=") + flag(o.writes),
         QStringLiteral("AllowWrite=") + o.allowListText(),
         QStringLiteral("AnswerWaitMs=") + QString::number(o.answerWaitMs),
         QStringLiteral("IdleTimeout=") + QString::number(o.idleSeconds),
         QStringLiteral("ImageMaxAge=") + QString::number(o.imageMaxAgeSeconds),
         QStringLiteral("TrustedClients=") + o.trustedText(),
         QStringLiteral("SerialTimeoutMs=") + QString::number(o.serialTimeoutMs)},
        error);
}

#include "files/GatewayOptions.h"

#include "files/ConfigFiles.h"
#include "files/OptionTable.h"
#include "files/TextLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QHostAddress>
#include <algorithm>
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

// Gateway.INI as one table, in the order the file is written.
const OptionTable<GatewayOptions>& gatewayTable() {
    using O = GatewayOptions;
    static const OptionTable<O> table{
        gatewayOptionsPath,
        {"GatewayOptions", QT_TRANSLATE_NOOP("GatewayOptions", "not a gateway setting; ignored")},
        {flagOption("Enabled", &O::enabled),
         textOption<O>(
             "Address", &O::address, [](const O& o) { return !QHostAddress(o.address).isNull(); },
             {"GatewayOptions",
              QT_TRANSLATE_NOOP("GatewayOptions", "The listen address must be an IP address, "
                                                  "such as 127.0.0.1 or 0.0.0.0.")}),
         wholeOption("Port", &O::port, 1, 65535,
                     {"GatewayOptions",
                      QT_TRANSLATE_NOOP("GatewayOptions", "The port must be 1 to 65535.")}),
         wholeOption("MaxClients", &O::maxClients, 1, O::kMostClients,
                     {"GatewayOptions",
                      QT_TRANSLATE_NOOP("GatewayOptions", "The most clients at once must be 1 "
                                                          "to 64.")}),
         flagOption("Writes", &O::writes),
         {"AllowWrite",
          [](const O& o) { return o.allowListText(); },
          [](O& o, const QString& v, QString* bad) {
              std::vector<int> regs;
              if (!GatewayOptions::parseAllowList(v, &regs, bad)) return false;
              o.allowList = regs;
              return true;
          },
          {"GatewayOptions",
           QT_TRANSLATE_NOOP("GatewayOptions", "%1 is not a register 0 to 699 or a range of them "
                                               "(\"301-303,506\")")},
          nullptr,
          {}},
         wholeOption("AnswerWaitMs", &O::answerWaitMs, O::kLeastWaitMs, O::kMostWaitMs,
                     {"GatewayOptions",
                      QT_TRANSLATE_NOOP("GatewayOptions", "The longest a client waits must be "
                                                          "100 to 60000 ms.")}),
         wholeOption("IdleTimeout", &O::idleSeconds, 0, O::kMostIdleSeconds,
                     {"GatewayOptions",
                      QT_TRANSLATE_NOOP("GatewayOptions", "The idle time-out must be 0 (never) "
                                                          "to 86400 s.")}),
         wholeOption("ImageMaxAge", &O::imageMaxAgeSeconds, 1, O::kMostImageAgeSeconds,
                     {"GatewayOptions",
                      QT_TRANSLATE_NOOP("GatewayOptions", "The longest a parameter is served "
                                                          "without reading it again must be 1 "
                                                          "to 3600 s.")}),
         {"TrustedClients",
          [](const O& o) { return o.trustedText(); },
          [](O& o, const QString& v, QString* bad) {
              QStringList items;
              if (!GatewayOptions::parseTrusted(v, &items, bad)) return false;
              o.trusted = items;
              return true;
          },
          {"GatewayOptions",
           QT_TRANSLATE_NOOP("GatewayOptions", "%1 is not an address or a network "
                                               "(\"192.168.1.0/24\")")},
          nullptr,
          {}},
         wholeOption("SerialTimeoutMs", &O::serialTimeoutMs, O::kLeastSerialMs, O::kMostSerialMs,
                     {"GatewayOptions",
                      QT_TRANSLATE_NOOP("GatewayOptions",
                                        "The serial response time-out must be 0 (from the line's "
                                        "speed) or 50 to 10000 ms.")},
                     0)}};
    return table;
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
    const auto all = optionProblems(gatewayTable(), *this);
    if (all.empty()) return {};
    return translated ? all.front().second.shown : all.front().second.logged;
}

QString gatewayOptionsPath() {
    return cfgDir() + QStringLiteral("/Gateway.INI");
}

GatewayOptions loadGatewayOptions() {
    GatewayOptions o;
    readOptions(gatewayTable(), &o, &o.fileErrors, &o.fileNotes);
    return o;
}

bool saveGatewayOptions(const GatewayOptions& o, QString* error) {
    return writeOptions(gatewayTable(), o, error);
}

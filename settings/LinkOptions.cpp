#include "settings/LinkOptions.h"

#include "settings/ConfigFiles.h"

#include <QDir>

namespace {

const QString kFast = QStringLiteral("FastPolling");
const QString kReopen = QStringLiteral("ReopenLostPort");

} // namespace

LinkOptions& linkOptions() {
    static LinkOptions options;
    return options;
}

QString linkOptionsPath() {
    return cfgDir() + QStringLiteral("/LinkOptions.INI");
}

bool loadLinkOptions() {
    LinkOptions& o = linkOptions();
    o = LinkOptions();
    QStringList lines;
    if (!readLines(linkOptionsPath(), &lines)) return false;
    for (const QString& line : lines) {
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        if (value != QLatin1String("0") && value != QLatin1String("1")) continue;
        if (key == kFast) o.fastPolling = value == QLatin1String("1");
        if (key == kReopen) o.reopenLostPort = value == QLatin1String("1");
    }
    return true;
}

bool saveLinkOptions(const LinkOptions& o, QString* error) {
    QDir().mkpath(cfgDir());
    auto line = [](const QString& key, bool on) {
        return key + QLatin1Char('=') + QLatin1Char(on ? '1' : '0');
    };
    return writeLinesAtomic(linkOptionsPath(),
                            {line(kFast, o.fastPolling), line(kReopen, o.reopenLostPort)}, error);
}

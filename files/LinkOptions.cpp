#include "files/LinkOptions.h"

#include "files/ConfigFiles.h"

#include <QDir>

namespace {

const QString kFast = QStringLiteral("FastPolling");
const QString kReopen = QStringLiteral("ReopenLostPort");
const QString kRecord = QStringLiteral("RecordTrace");
const QString kLimit = QStringLiteral("TraceLimitMB");

} // namespace

QString linkOptionsPath() {
    return cfgDir() + QStringLiteral("/LinkOptions.INI");
}

LinkOptions loadLinkOptions(QList<FileNotice>* notes) {
    LinkOptions o;
    QStringList lines;
    QString why;
    if (!readLines(linkOptionsPath(), &lines, &why)) {
        if (notes && !why.isEmpty()) notes->append(unreadableFile(linkOptionsPath(), why));
        return o;
    }
    const auto wrong = [&](int n, const char* reason) {
        if (notes)
            notes->append(lineProblem(linkOptionsPath(), n, lines[n - 1],
                                      fileNotice("LinkOptions", reason, {})));
    };
    for (int n = 1; n <= lines.size(); ++n) {
        const QString& line = lines[n - 1];
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#'))) continue;
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        if (key == kLimit) {
            bool ok = false;
            const int mb = value.toInt(&ok);
            if (ok && mb >= 1 && mb <= 100000)
                o.traceLimitMB = mb;
            else
                wrong(n, QT_TRANSLATE_NOOP("LinkOptions",
                                           "1 to 100000 is expected, so the default is kept"));
            continue;
        }
        if (key != kFast && key != kReopen && key != kRecord) {
            wrong(n, QT_TRANSLATE_NOOP("LinkOptions", "not a link setting; ignored"));
            continue;
        }
        if (value != QLatin1String("0") && value != QLatin1String("1")) {
            wrong(n, QT_TRANSLATE_NOOP("LinkOptions",
                                       "1 (on) or 0 (off) is expected, so the default is kept"));
            continue;
        }
        if (key == kFast) o.fastPolling = value == QLatin1String("1");
        if (key == kReopen) o.reopenLostPort = value == QLatin1String("1");
        if (key == kRecord) o.recordTrace = value == QLatin1String("1");
    }
    return o;
}

bool saveLinkOptions(const LinkOptions& o, QString* error) {
    QDir().mkpath(cfgDir());
    auto line = [](const QString& key, bool on) {
        return key + QLatin1Char('=') + QLatin1Char(on ? '1' : '0');
    };
    return writeLinesAtomic(linkOptionsPath(),
                            {line(kFast, o.fastPolling), line(kReopen, o.reopenLostPort),
                             line(kRecord, o.recordTrace),
                             kLimit + QLatin1Char('=') + QString::number(o.traceLimitMB)},
                            error);
}

#include "settings/TextLines.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {
// Far more than the longest file the windows write (99 stations with their descriptions).
constexpr qint64 kMaxSettingsFile = 64 * 1024;
} // namespace

bool readLines(const QString& path, QStringList* lines) {
    // A FIFO would block start-up before the window shows, and a device such as /dev/zero
    // never ends: only a regular file of sane size is read.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxSettingsFile) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray all = f.read(kMaxSettingsFile + 1);
    if (f.error() != QFileDevice::NoError || all.size() > kMaxSettingsFile) return false;
    // A file saved by a Windows editor may be UTF-16 with a byte-order mark, or UTF-8 with one.
    QString text;
    if (all.startsWith("\xFF\xFE") || all.startsWith("\xFE\xFF"))
        text = QStringDecoder(all.startsWith("\xFF") ? QStringConverter::Utf16LE
                                                     : QStringConverter::Utf16BE)(all.mid(2));
    else
        text = QString::fromUtf8(all.startsWith("\xEF\xBB\xBF") ? all.mid(3) : all);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList l = text.split(QLatin1Char('\n'));
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast(); // the final line end
    *lines = l;
    return true;
}

#include "settings/TextLines.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
// Far more than the longest file the windows write (99 stations with their descriptions).
constexpr qint64 kMaxSettingsFile = 64 * 1024;

// Whether bytes are built as CP949 (Korean Windows' ANSI code page) builds its text: ASCII, or
// a lead byte 81-FE with a trail byte 41-5A, 61-7A or 81-FE. Decoders map the stray bytes 80
// and FF and drop a lead byte at the very end without a word, so those are caught here.
bool cp949Shaped(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes[i]);
        if (b < 0x80) continue;
        if (b == 0x80 || b == 0xFF || ++i == bytes.size()) return false;
        const auto t = uchar(bytes[i]);
        if (!((t >= 0x41 && t <= 0x5A) || (t >= 0x61 && t <= 0x7A) || (t >= 0x81 && t <= 0xFE)))
            return false;
    }
    return true;
}

// The text of CP949 bytes, or false when they are not CP949 or nothing here decodes it. Qt
// decodes it by name where it is built with ICU (Debian's is); a Windows build without ICU asks
// the system's own code page 949.
bool fromCp949(const QByteArray& bytes, QString* text) {
    if (!cp949Shaped(bytes)) return false;
    QStringDecoder icu("windows-949");
    if (icu.isValid()) {
        *text = icu(bytes);
        return !icu.hasError();
    }
#ifdef Q_OS_WIN
    const int n = MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, bytes.constData(),
                                      int(bytes.size()), nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()),
                        wide.data(), n);
    *text = QString::fromStdWString(wide);
    return true;
#else
    return false;
#endif
}

// UTF-16 or UTF-8 by their byte-order marks (as a Windows editor saves them), UTF-8 without
// one, and anything that is not UTF-8 as CP949: what Notepad or an older program wrote on a
// Korean Windows PC. Bytes that are neither read as UTF-8, their bad bytes as U+FFFD.
QString decodeSettingsText(const QByteArray& all) {
    if (all.startsWith("\xFF\xFE") || all.startsWith("\xFE\xFF"))
        return QStringDecoder(all.startsWith("\xFF") ? QStringConverter::Utf16LE
                                                     : QStringConverter::Utf16BE)(all.mid(2));
    if (all.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(all.mid(3));
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(all);
    if (!utf8.hasError()) return text;
    QString korean;
    return fromCp949(all, &korean) ? korean : text;
}

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
    QString text = decodeSettingsText(all);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList l = text.split(QLatin1Char('\n'));
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast(); // the final line end
    *lines = l;
    return true;
}

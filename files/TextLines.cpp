#include "files/TextLines.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

bool openRegularFile(QFile* file, QString* why) {
    const QString path = file->fileName();
    const auto refuse = [&](const char* reason) {
        if (why) *why = QString::fromUtf8(reason);
        return false;
    };
    const QFileInfo info(path);
    if (info.isDir()) return refuse(QT_TRANSLATE_NOOP("FileChecks", "it is a folder"));
#ifdef Q_OS_UNIX
    // Opened without waiting, so a FIFO put in the file's place between a look at it and the
    // open cannot hold the program; its type is then checked on what was opened.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (why) *why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(QT_TRANSLATE_NOOP("FileChecks",
                                        "it is not a regular file (a FIFO, a socket or a device)"));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
    ::close(fd);
#else
    if (info.exists() && !info.isFile())
        return refuse(QT_TRANSLATE_NOOP("FileChecks",
                                        "it is not a regular file (a FIFO, a socket or a device)"));
    if (file->open(QIODevice::ReadOnly)) return true;
#endif
    if (why) *why = file->errorString();
    return false;
}

bool readLines(const QString& path, QStringList* lines, QString* why) {
    QString dummy;
    QString& reason = why ? *why : dummy;
    reason.clear();
    // A missing file is no fault: the defaults are what a first start has.
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) return false;
    // A device such as /dev/zero never ends: only a regular file of sane size is read.
    QFile f(path);
    if (!openRegularFile(&f, &reason)) return false;
    if (f.size() > kMaxSettingsFile) {
        reason = QStringLiteral(QT_TRANSLATE_NOOP(
            "FileChecks", "it is larger than 64 KiB, far too large for a settings file"));
        return false;
    }
    const QByteArray all = f.read(kMaxSettingsFile + 1);
    if (f.error() != QFileDevice::NoError) {
        reason = f.errorString();
        return false;
    }
    QString text = decodeSettingsText(all);
    // Control characters other than the line ends and TAB: not a text file at all.
    for (const QChar c : text)
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') {
            reason = QStringLiteral(QT_TRANSLATE_NOOP("FileChecks", "it is not a text file"));
            return false;
        }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList l = text.split(QLatin1Char('\n'));
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast(); // the final line end
    *lines = l;
    return true;
}

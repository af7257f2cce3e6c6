// libFuzzer target: the viewer's .DAT reader on a file that grows in fuzzed pieces, read after
// each piece as Follow does. Besides crashes it checks one property: reading the file bit by
// bit as it grows gives exactly what one read of the finished file gives.
#include "graph/DatFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

bool same(const DatReader& a, const DatReader& b) {
    const DatSeries &x = a.data(), &y = b.data();
    if (x.size() != y.size() || a.skipped() != b.skipped() || a.pendingBytes() != b.pendingBytes())
        return false;
    for (qint64 i = 0; i < x.size(); ++i) {
        if (x.time(i) != y.time(i)) return false;
        for (int s = 0; s < DatSeries::kSeries; ++s)
            if (x.value(s, i) != y.value(s, i)) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KX5_01.DAT"));
    QFile::remove(path);
    DatReader growing(path);
    // The input is pieces separated by 0xFF, each appended and then read.
    const uint8_t* p = data;
    const uint8_t* const end = data + size;
    while (p <= end) {
        const uint8_t* q = p;
        while (q < end && *q != 0xFF)
            ++q;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) std::abort();
        f.write(reinterpret_cast<const char*>(p), q - p);
        f.close();
        growing.update();
        p = q + 1;
    }
    DatReader whole(path);
    whole.update();
    if (!same(growing, whole)) std::abort();
    return 0;
}

// CSV export: the exact bytes for known files and ranges (quoting as RFC 4180 has it, raw
// numbers scaled by each file's decimals). What the window puts in view is left to test_window.
#include "GraphFiles.h"
#include "graph/CsvExport.h"

#include <tuple>

namespace {

struct CsvFiles {
    QTemporaryDir dir;
    DatReader a{writeFile(dir, QStringLiteral("Oven_03.DAT"),
                          "2026-12-06\t11:59:59\t2500\t2490\t500\r\n"
                          "2026-12-06\t12:00:00\t2500\t2498\t455\r\n"
                          "bad line\r\n"
                          "2026-12-06\t12:00:01\t2500\t-5\t0\r\n"
                          "2026-12-06\t12:00:02\t2505\t2501\t1000\r\n")};
    DatReader b{
        writeFile(dir, QStringLiteral("a,\"b\".DAT"), "2026-12-06\t12:00:01\t-1999\t7\t5\r\n")};
    const qint64 noon = daysFromCivil(2026, 12, 6) * 86400 + 12 * 3600;
    CsvPart oven{&a.data(), {"03", "Oven_03.DAT", 1, QStringLiteral("℃")}};
    CsvPart quoted{&b.data(), {"", "a,\"b\".DAT", 2, ""}};
    CsvPart fahrenheit{&a.data(), {"7", "f.DAT", 0, QStringLiteral("℉")}};
    CsvFiles() {
        a.update();
        b.update();
    }
};

const QByteArray kHeader = "Station,File,Date,Time,Unit,SV,PV,MV (%)\r\n";

} // namespace

TEST(CsvExport, HeaderFirstThenOneRowPerRecordOfEachFileInRange) {
    CsvFiles f;
    using Parts = std::vector<CsvPart>;
    const QByteArray at0 = "03,Oven_03.DAT,2026-12-06,12:00:00,degC,250.0,249.8,45.5\r\n";
    const QByteArray at1 = "03,Oven_03.DAT,2026-12-06,12:00:01,degC,250.0,-0.5,0.0\r\n";
    const QByteArray quoted = ",\"a,\"\"b\"\".DAT\",2026-12-06,12:00:01,,-19.99,0.07,0.5\r\n";
    const std::tuple<Parts, int, int, QByteArray> cases[] = {
        {{f.oven}, 0, 1, at0 + at1},
        {{f.oven, f.quoted}, 1, 1, at1 + quoted},
        {{f.fahrenheit}, 2, 99, "7,f.DAT,2026-12-06,12:00:02,degF,2505,2501,100.0\r\n"},
        {{f.oven}, 5, 99, ""}, // nothing in range: the header alone
    };
    for (const auto& [parts, from, to, rows] : cases)
        EXPECT_EQ(csvBytes(parts, f.noon + from, f.noon + to), kHeader + rows) << from;
    // What the window writes is checked in test_window; a file that cannot be written is named.
    QString error;
    const QString bad = f.dir.filePath(QStringLiteral("missing/out.csv"));
    EXPECT_FALSE(writeCsv(bad, {f.oven}, f.noon, f.noon, &error));
    EXPECT_TRUE(error.contains(bad)) << error.toStdString();
}

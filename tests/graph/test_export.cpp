// CSV export: the exact bytes for a known file and range, and the scaling of raw numbers by
// decimals. What the window puts in view is left to test_window.
#include "GraphFiles.h"
#include "graph/CsvExport.h"

#include <gtest/gtest.h>
#include <tuple>

TEST(CsvExport, ScaledTextTable) {
    const std::tuple<qint64, int, const char*> rows[] = {
        {2500, 1, "250.0"}, {2498, 1, "249.8"}, {-5, 1, "-0.5"},       {-1999, 2, "-19.99"},
        {7, 3, "0.007"},    {12, 0, "12"},      {-12, 0, "-12"},       {0, 2, "0.00"},
        {1000, 1, "100.0"}, {-10, 1, "-1.0"},   {123456, 4, "12.3456"}};
    for (const auto& [v, decimals, text] : rows)
        EXPECT_EQ(scaledText(v, decimals), QByteArray(text)) << v << " " << decimals;
}

TEST(CsvExport, KnownFileVisibleRangeExactBytes) {
    QTemporaryDir dir;
    DatReader reader(writeFile(dir, QStringLiteral("Oven_03.DAT"),
                               "2026-12-06\t11:59:59\t2500\t2490\t500\r\n"
                               "2026-12-06\t12:00:00\t2500\t2498\t455\r\n"
                               "bad line\r\n"
                               "2026-12-06\t12:00:01\t2500\t-5\t0\r\n"
                               "2026-12-06\t12:00:02\t2505\t2501\t1000\r\n"));
    ASSERT_TRUE(reader.update());
    const qint64 noon = daysFromCivil(2026, 12, 6) * 86400 + 12 * 3600;
    const CsvMeta meta{QStringLiteral("03"), QStringLiteral("Oven_03.DAT"), 1, QStringLiteral("℃")};
    EXPECT_EQ(csvBytes(reader.data(), meta, noon, noon + 1),
              QByteArray("\xEF\xBB\xBF"
                         "Station,03,File,Oven_03.DAT\r\n"
                         "Date,Time,SV (\xE2\x84\x83),PV (\xE2\x84\x83),MV (%)\r\n"
                         "2026-12-06,12:00:00,250.0,249.8,45.5\r\n"
                         "2026-12-06,12:00:01,250.0,-0.5,0.0\r\n"));
    // No unit, two decimals, a name that needs quoting.
    const CsvMeta other{QString(), QStringLiteral("a,b.DAT"), 2, QString()};
    EXPECT_EQ(csvBytes(reader.data(), other, noon + 2, noon + 100),
              QByteArray("\xEF\xBB\xBF"
                         "Station,,File,\"a,b.DAT\"\r\n"
                         "Date,Time,SV,PV,MV (%)\r\n"
                         "2026-12-06,12:00:02,25.05,25.01,100.0\r\n"));
    // Written by the window's export (see test_window); a file that cannot be written is
    // reported by name.
    QString error;
    const QString bad = dir.filePath(QStringLiteral("missing/out.csv"));
    EXPECT_FALSE(writeCsv(bad, reader.data(), meta, noon, noon, &error));
    EXPECT_TRUE(error.contains(bad));
}

// The .DAT reader: record lines, line ends, bad lines, a file growing and replaced while read,
// and the date arithmetic. Decimation and export are in their own files.
#include "graph/DatFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Rec {
    const char* date;
    const char* time;
    qint32 sv, pv, mv;
};

struct Step {
    QByteArray append;    // bytes added to the file before this read
    bool replace = false; // the file is written anew instead
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<Rec> records; // after the last read
    qint64 skipped;
    qint64 pending;
};

std::vector<Case> cases() {
    return {
        {"crlf records",
         {{"2026-12-06\t12:00:00\t2500\t2498\t455\r\n2026-12-06\t12:00:01\t2500\t2501\t450\r\n"}},
         {{"2026-12-06", "12:00:00", 2500, 2498, 455}, {"2026-12-06", "12:00:01", 2500, 2501, 450}},
         0,
         0},
        {"lf records and negative values",
         {{"2024-02-29\t23:59:59\t-5\t-1999\t0\n2024-03-01\t00:00:00\t0\t7\t1000\n"}},
         {{"2024-02-29", "23:59:59", -5, -1999, 0}, {"2024-03-01", "00:00:00", 0, 7, 1000}},
         0,
         0},
        {"empty file", {{""}}, {}, 0, 0},
        {"truncated last line waits for its end",
         {{"2026-01-01\t00:00:00\t1\t2\t3\r\n2026-01-01\t00:00:01\t1\t2\t4"}},
         {{"2026-01-01", "00:00:00", 1, 2, 3}},
         0,
         25},
        {"garbage lines are skipped and counted",
         {{"hello\r\n"
           "2026-13-01\t00:00:00\t1\t2\t3\r\n"           // month 13
           "2025-02-29\t00:00:00\t1\t2\t3\r\n"           // not a leap year
           "2026-01-01\t24:00:00\t1\t2\t3\r\n"           // hour 24
           "2026-01-01\t00:00:00\t1\t2\r\n"              // a field short
           "2026-01-01\t00:00:00\t1\t2\t3\t4\r\n"        // a field too many
           "2026-01-01\t00:00:00\t1\t2\t3x\r\n"          // not a number
           "2026-01-01\t00:00:00\t\t2\t3\r\n"            // empty field
           "2026-01-01\t00:00:00\t99999999999\t2\t3\r\n" // beyond 32 bits
           "2026-01-01 00:00:00\t1\t2\t3\r\n"            // blank for tab
           "\r\n"                                        // empty line
           "2026-01-01\t00:00:02\t10\t20\t30\r\n"}},
         {{"2026-01-01", "00:00:02", 10, 20, 30}},
         11,
         0},
        {"a line longer than any record is skipped as one",
         {{QByteArray(3000, 'x') + "\n2026-01-01\t00:00:03\t1\t1\t1\n"}},
         {{"2026-01-01", "00:00:03", 1, 1, 1}},
         1,
         0},
        {"growing file read in pieces, split inside a record and a line end",
         {{"2026-05-05\t08:00:00\t100\t9"},
          {"9\t5\r"},
          {"\n2026-05-05\t08:00:01\t100\t101\t6\r\n"},
          {""},
          {"junk\n2026-05-05\t08:00:02\t100\t102\t7\r\n"}},
         {{"2026-05-05", "08:00:00", 100, 99, 5},
          {"2026-05-05", "08:00:01", 100, 101, 6},
          {"2026-05-05", "08:00:02", 100, 102, 7}},
         1,
         0},
        {"a file replaced by a shorter one is read again from the start",
         {{"2026-01-01\t00:00:00\t1\t2\t3\r\n2026-01-01\t00:00:01\t1\t2\t3\r\n"},
          {"2027-01-01\t00:00:00\t4\t5\t6\r\n", true}},
         {{"2027-01-01", "00:00:00", 4, 5, 6}},
         0,
         0},
    };
}

} // namespace

TEST(DatReader, Table) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KX5_01.DAT"));
        DatReader reader(path);
        for (const Step& s : c.steps) {
            QFile f(path);
            ASSERT_TRUE(
                f.open(s.replace ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::Append));
            f.write(s.append);
            f.close();
            ASSERT_TRUE(reader.update()) << reader.error().toStdString();
        }
        const DatSeries& d = reader.data();
        ASSERT_EQ(d.size(), static_cast<qint64>(c.records.size()));
        for (size_t i = 0; i < c.records.size(); ++i) {
            const Rec& r = c.records[i];
            const auto k = static_cast<qint64>(i);
            EXPECT_EQ(datDateText(d.time(k)).toStdString(), r.date) << i;
            EXPECT_EQ(datTimeText(d.time(k)).toStdString(), r.time) << i;
            EXPECT_EQ(d.value(DatSeries::SV, k), r.sv) << i;
            EXPECT_EQ(d.value(DatSeries::PV, k), r.pv) << i;
            EXPECT_EQ(d.value(DatSeries::MV, k), r.mv) << i;
        }
        EXPECT_EQ(reader.skipped(), c.skipped);
        EXPECT_EQ(reader.pendingBytes(), c.pending);
        EXPECT_EQ(reader.offset() + reader.pendingBytes(), QFile(path).size());
    }
}

TEST(DatReader, MissingFileIsAnErrorNamingIt) {
    QTemporaryDir dir;
    DatReader reader(dir.filePath(QStringLiteral("nowhere.DAT")));
    EXPECT_FALSE(reader.update());
    EXPECT_TRUE(reader.error().contains(QStringLiteral("nowhere.DAT")));
    EXPECT_TRUE(reader.data().isEmpty());
}

TEST(DatReader, TheWriterKeepsAppendingWhileTheFileIsRead) {
    // The writer's own open-append-close per record must keep working between reads.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KX5_02.DAT"));
    DatReader reader(path);
    for (int i = 0; i < 50; ++i) {
        QFile w(path);
        ASSERT_TRUE(w.open(QIODevice::WriteOnly | QIODevice::Append));
        const QByteArray rec = QByteArrayLiteral("2026-01-01\t00:00:") +
                               QByteArray::number(i).rightJustified(2, '0') + "\t1\t" +
                               QByteArray::number(i) + "\t3\r\n";
        ASSERT_EQ(w.write(rec), rec.size());
        w.close();
        if (i % 7 == 0) {
            ASSERT_TRUE(reader.update());
        }
    }
    ASSERT_TRUE(reader.update());
    ASSERT_EQ(reader.data().size(), 50);
    for (qint64 i = 0; i < 50; ++i)
        EXPECT_EQ(reader.data().value(DatSeries::PV, i), i);
    EXPECT_TRUE(reader.data().sorted());
}

TEST(DatReader, DaysRoundTripAcrossCenturiesAndLeapDays) {
    const int dates[][3] = {{1970, 1, 1},  {1969, 12, 31}, {2000, 2, 29},  {1900, 3, 1},
                            {2100, 2, 28}, {2026, 12, 6},  {9999, 12, 31}, {1, 1, 1}};
    for (const auto& d : dates) {
        const qint64 days = daysFromCivil(d[0], d[1], d[2]);
        EXPECT_EQ(days, QDate(1970, 1, 1).daysTo(QDate(d[0], d[1], d[2])));
        int y = 0, m = 0, day = 0;
        civilFromDays(days, &y, &m, &day);
        EXPECT_EQ(y, d[0]);
        EXPECT_EQ(m, d[1]);
        EXPECT_EQ(day, d[2]);
    }
}

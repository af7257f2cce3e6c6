// The .DAT reader: record lines, line ends, bad lines, a file growing and replaced while read,
// dates across leap days and before 1970. Decimation and export are in their own files.
#include "GraphFiles.h"

#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Every record as "date time sv pv mv", one a line, then the skipped lines and pending bytes.
std::string dump(const DatReader& r) {
    const DatSeries& d = r.data();
    QString out;
    for (qint64 i = 0; i < d.size(); ++i)
        out += QStringLiteral("%1 %2 %3 %4 %5\n")
                   .arg(datDateText(d.time(i)), datTimeText(d.time(i)))
                   .arg(d.value(DatSeries::SV, i))
                   .arg(d.value(DatSeries::PV, i))
                   .arg(d.value(DatSeries::MV, i));
    return (out + QStringLiteral("skipped %1 pending %2").arg(r.skipped()).arg(r.pendingBytes()))
        .toStdString();
}

} // namespace

TEST(DatReader, Table) {
    const struct {
        const char* name;
        std::vector<QByteArray> steps; // appended before each read; "!..." writes the file anew
        const char* want;              // after the last read
    } cases[] = {
        {"crlf records",
         {"2026-12-06\t12:00:00\t2500\t2498\t455\r\n2026-12-06\t12:00:01\t2500\t2501\t450\r\n"},
         "2026-12-06 12:00:00 2500 2498 455\n2026-12-06 12:00:01 2500 2501 450\n"
         "skipped 0 pending 0"},
        {"lf records and negative values",
         {"2024-02-29\t23:59:59\t-5\t-1999\t0\n2024-03-01\t00:00:00\t0\t7\t1000\n"},
         "2024-02-29 23:59:59 -5 -1999 0\n2024-03-01 00:00:00 0 7 1000\nskipped 0 pending 0"},
        {"empty file", {""}, "skipped 0 pending 0"},
        {"truncated last line waits for its end",
         {"2026-01-01\t00:00:00\t1\t2\t3\r\n2026-01-01\t00:00:01\t1\t2\t4"},
         "2026-01-01 00:00:00 1 2 3\nskipped 0 pending 25"},
        {"garbage lines are skipped and counted",
         {"hello\r\n"
          "2026-13-01\t00:00:00\t1\t2\t3\r\n"           // month 13
          "2025-02-29\t00:00:00\t1\t2\t3\r\n"           // not a leap year
          "2026-01-01\t24:00:00\t1\t2\t3\r\n"           // hour 24
          "2026-01-01\t00:00:00\t1\t2\r\n"              // a field short
          "2026-01-01\t00:00:00\t1\t2\t3\t4\r\n"        // a field too many
          "2026-01-01\t00:00:00\t1\t2\t3x\r\n"          // not a number
          "2026-01-01\t00:00:00\t\t2\t3\r\n"            // empty field
          "2026-01-01\t00:00:00\t99999999999\t2\t3\r\n" // beyond 32 bits
          "2026-01-01\t00:00:00\t1\t2\t2147483648\r\n"  // one past the largest
          "2026-01-01 00:00:00\t1\t2\t3\r\n"            // blank for tab
          "\r\n"                                        // empty line
          "2026-01-01\t00:00:02\t10\t20\t30\r\n"},
         "2026-01-01 00:00:02 10 20 30\nskipped 12 pending 0"},
        {"a line longer than any record, read before its end, is skipped as one",
         {QByteArray(3000, 'x'), "\n2026-01-01\t00:00:03\t1\t1\t1\n"},
         "2026-01-01 00:00:03 1 1 1\nskipped 1 pending 0"},
        {"growing file read in pieces, split inside a record and a line end",
         {"2026-05-05\t08:00:00\t100\t9", "9\t5\r", "\n2026-05-05\t08:00:01\t100\t101\t6\r\n", "",
          "junk\n2026-05-05\t08:00:02\t100\t102\t7\r\n"},
         "2026-05-05 08:00:00 100 99 5\n2026-05-05 08:00:01 100 101 6\n"
         "2026-05-05 08:00:02 100 102 7\nskipped 1 pending 0"},
        {"values beyond 16 bits and times 76 years apart keep what came before",
         {"2026-01-01\t00:00:00\t1\t-2\t3\r\n2026-01-01\t00:00:01\t40000\t-32768\t32767\r\n",
          "1950-01-01\t00:00:00\t5\t-40000\t-2147483648\r\n"},
         "2026-01-01 00:00:00 1 -2 3\n2026-01-01 00:00:01 40000 -32768 32767\n"
         "1950-01-01 00:00:00 5 -40000 -2147483648\nskipped 0 pending 0"},
        {"a file replaced by a shorter one is read again from the start",
         {"2026-01-01\t00:00:00\t1\t2\t3\r\n2026-01-01\t00:00:01\t1\t2\t3\r\n",
          "!2027-01-01\t00:00:00\t4\t5\t6\r\n"},
         "2027-01-01 00:00:00 4 5 6\nskipped 0 pending 0"},
        {"a file replaced by a bigger, different one is read again from the start",
         {"2026-01-01\t00:00:00\t1\t2\t3\r\n",
          "!2027-01-01\t00:00:00\t4\t5\t6\r\n2027-01-01\t00:00:01\t4\t5\t7\r\n"},
         "2027-01-01 00:00:00 4 5 6\n2027-01-01 00:00:01 4 5 7\nskipped 0 pending 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        DatReader reader(dir.filePath(QStringLiteral("KX5_01.DAT")));
        for (const QByteArray& s : c.steps) {
            const bool anew = s.startsWith('!');
            writeFile(dir, QStringLiteral("KX5_01.DAT"), anew ? s.mid(1) : s, anew);
            ASSERT_TRUE(reader.update()) << reader.error().toStdString();
        }
        EXPECT_EQ(dump(reader), c.want);
        EXPECT_EQ(reader.offset() + reader.pendingBytes(), QFile(reader.path()).size());
    }
    // A missing file is an error naming it; so is a followed file replaced by a FIFO, which
    // is never waited on (the alarm ends the test if it is).
    QTemporaryDir dir;
    DatReader missing(dir.filePath(QStringLiteral("nowhere.DAT")));
    EXPECT_FALSE(missing.update());
    EXPECT_TRUE(missing.error().contains(QStringLiteral("nowhere.DAT")));
    writeFile(dir, QStringLiteral("KX5_02.DAT"), "2026-01-01\t00:00:00\t1\t2\t3\r\n", true);
    DatReader followed(dir.filePath(QStringLiteral("KX5_02.DAT")));
    ASSERT_TRUE(followed.update());
    ASSERT_TRUE(QFile::remove(followed.path()));
    ASSERT_EQ(mkfifo(QFile::encodeName(followed.path()).constData(), 0600), 0);
    alarm(10);
    EXPECT_FALSE(followed.update());
    alarm(0);
}

TEST(DatReader, ACancelledReadGoesOnWhereItStoppedWithNothingLostOrDoubled) {
    QTemporaryDir dir;
    // Over two of the reader's 4 MiB pieces, so it is cut inside a line.
    const QString path = writeFile(dir, "KX5_01.DAT", records(1'700'000'000, 250'000));
    DatReader reader(path), whole(path);
    std::vector<qint64> heard;
    const auto hear = [&](qint64 done, qint64 total) {
        heard.push_back(done);
        return heard.size() > 1 && total == QFile(path).size();
    };
    EXPECT_FALSE(reader.update(hear));
    EXPECT_TRUE(reader.cancelled());
    ASSERT_TRUE(reader.update(hear) && whole.update());
    EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()) && heard.size() > 2) << heard.size();
    EXPECT_EQ(heard.back(), QFile(path).size());
    EXPECT_EQ(dump(reader), dump(whole));
    EXPECT_EQ(reader.data().size(), 250'000);
}

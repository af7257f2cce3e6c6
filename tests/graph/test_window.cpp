// The viewer's window offscreen: files opened by every route, the colours and decimated series
// drawn from them, decimals and the cursor read-out, following growing files and the logs of
// the data-save settings, and exports. Parsing and decimation details are in their own files.
#include "GraphFiles.h"
#include "graph/GraphWindow.h"
#include "graph/LogFiles.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMimeData>
#include <QSpinBox>
#include <fstream>
#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <sys/stat.h>

namespace {

constexpr qint64 kNoon = 20'428LL * 86400 + 12 * 3600; // 2025-12-06 12:00:00

struct Viewer : testing::Test {
    QTemporaryDir dir;
    GraphWindow w;
    void SetUp() override { w.show(); }
    QString file(const char* name, const QByteArray& bytes) {
        return writeFile(dir, QLatin1String(name), bytes);
    }
    double maxOf(int series) const {
        bool found = false;
        return w.graph(0, series)->data()->valueRange(found).upper;
    }
};

} // namespace

TEST_F(Viewer, OpensWhatItCanNamesTheRestAndDrawsTheTrendColours) {
    const QString a = file("KX5_01.DAT", records(kNoon, 300));
    const QByteArray raw = QFile::encodeName(dir.path()) + "/KX5_\xFF.DAT"; // not UTF-8
    std::ofstream(raw.constData()) << records(kNoon, 3).constData();
    EXPECT_EQ(w.openFiles({dir.filePath(QStringLiteral("gone.DAT")), dir.path(),
                           QFile::decodeName(raw), a}),
              1);
    auto* box = w.findChild<QMessageBox*>(QStringLiteral("msgProblem"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(QStringLiteral("gone.DAT")));
    EXPECT_TRUE(box->text().contains(QFile::decodeName(raw) + ": the name is not valid UTF-8"));
    EXPECT_TRUE(box->text().contains(QDir::toNativeSeparators(dir.path())));
    box->close();
    w.plot()->replot();
    const QImage img = w.plot()->toPixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* px = reinterpret_cast<const QRgb*>(img.constBits());
    for (const QColor c : {QColor(220, 0, 0), QColor(0, 160, 0), QColor(0, 0, 220)})
        EXPECT_NE(std::count(px, px + img.sizeInBytes() / 4, c.rgb()), 0) << c.name().toStdString();
    // A second file: its bad lines counted.
    ASSERT_EQ(w.openFiles({file("KX5_02.DAT", records(kNoon, 50) + "garbage\r\n\r\n")}), 1);
    EXPECT_EQ(w.plot()->graphCount(), 6);
    EXPECT_TRUE(w.summary().contains(QStringLiteral("2 malformed line(s) skipped")));
}

TEST_F(Viewer, ZoomedOutViewKeepsASpikeAndStaysSmall) {
    ASSERT_EQ(w.openFiles({file("KX5_01.DAT", records(kNoon, 100'000, 61'234))}), 1);
    EXPECT_LE(w.graph(0, DatSeries::PV)->dataCount(), 2 * w.plot()->axisRect()->width() + 2);
    EXPECT_DOUBLE_EQ(maxOf(DatSeries::PV), 3000.0);
    // Panned away from the spike it is gone; back over it, it is there again.
    w.setView(kNoon, kNoon + 1000);
    EXPECT_LT(maxOf(DatSeries::PV), 3000.0);
    w.setView(kNoon + 61'000, kNoon + 90'000);
    EXPECT_DOUBLE_EQ(maxOf(DatSeries::PV), 3000.0);
    // Zoomed in far enough every record is drawn, and one on each side.
    w.setView(kNoon + 10, kNoon + 20);
    EXPECT_EQ(w.graph(0, DatSeries::PV)->dataCount(), 13);
}

TEST_F(Viewer, DecimalsScaleTheFileAndTheReadout) {
    ASSERT_EQ(w.openFiles({file("KX5_03.DAT", "2025-12-06\t12:00:00\t2500\t2498\t455\r\n"
                                              "2025-12-06\t12:00:10\t2500\t2502\t460\r\n")}),
              1);
    w.showCursorAt(kNoon + 3);
    EXPECT_EQ(w.readout(), "Cursor 2025-12-06 12:00:03\n12:00:00  SV 250.0  PV 249.8  MV 45.5");
    w.findChild<QSpinBox*>(QStringLiteral("spnDecimals0"))->setValue(2);
    EXPECT_DOUBLE_EQ(maxOf(DatSeries::PV), 25.02);
    EXPECT_DOUBLE_EQ(maxOf(DatSeries::MV), 46.0);
    w.showCursorAt(kNoon + 8);
    EXPECT_EQ(w.readout(), "Cursor 2025-12-06 12:00:08\n12:00:10  SV 25.00  PV 25.02  MV 46.0");
}

TEST_F(Viewer, FollowTakesUpAppendedRecordsAndKeepsTheEndInView) {
    const QString path = file("KX5_01.DAT", records(kNoon, 100));
    ASSERT_EQ(w.openFiles({path}), 1);
    w.setFollow(true);
    const double width = w.plot()->xAxis->range().size();
    file("KX5_01.DAT", records(kNoon + 100, 50) + "2025-12-06\t12:");
    w.followTick();
    EXPECT_EQ(w.reader(0).data().size(), 150);
    EXPECT_GE(w.plot()->xAxis->range().upper, double(kNoon + 149));
    EXPECT_NEAR(w.plot()->xAxis->range().size(), width, 1e-6);
    // The writer finishes its line later; a view moved back into history stays where it is.
    w.setView(kNoon, kNoon + 20);
    file("KX5_01.DAT", "02:30\t1\t2\t3\r\n");
    w.followTick();
    EXPECT_EQ(w.reader(0).data().size(), 151);
    EXPECT_EQ(w.reader(0).skipped(), 0);
    EXPECT_DOUBLE_EQ(w.plot()->xAxis->range().lower, double(kNoon));
    // A file that disappears keeps what was read and says why in the read-out.
    ASSERT_TRUE(QFile::remove(path));
    w.followTick();
    EXPECT_EQ(w.reader(0).data().size(), 151);
    EXPECT_TRUE(w.readout().contains(QStringLiteral("KX5_01.DAT")));
}

TEST_F(Viewer, ADroppedFileOpensOnceAndExportsItsVisibleRangeAsCsvAndTheGraphAsPngAndPdf) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file("KX5_05.DAT", records(kNoon, 100)))});
    for (int drop = 0; drop < 2; ++drop) {
        // The window must take the drag on entering before the drop reaches it.
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &dropped);
        ASSERT_EQ(w.plot()->graphCount(), 3) << drop;
    }
    w.setView(kNoon + 10.5, kNoon + 12.5);
    QString error;
    ASSERT_TRUE(w.exportCsv(0, dir.filePath(QStringLiteral("view.csv")), &error));
    QFile csv(dir.filePath(QStringLiteral("view.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(), QByteArray("\xEF\xBB\xBFStation,05,File,KX5_05.DAT\r\n"
                                        "Date,Time,SV (\xE2\x84\x83),PV (\xE2\x84\x83),MV (%)\r\n"
                                        "2025-12-06,12:00:11,250.0,250.1,41.1\r\n"
                                        "2025-12-06,12:00:12,250.0,250.2,41.2\r\n"));
    for (const char* name : {"graph.png", "graph.pdf"}) {
        ASSERT_TRUE(w.exportImage(dir.filePath(QLatin1String(name)), &error)) << name;
        QFile img(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(img.open(QIODevice::ReadOnly));
        EXPECT_TRUE(img.read(4) == (QByteArray(name).endsWith("png") ? "\x89PNG" : "%PDF"));
    }
    EXPECT_FALSE(w.exportImage(dir.filePath(QStringLiteral("no/such/graph.png")), &error));
}

TEST_F(Viewer, TheLogSourceOpensTheSettingsFilesAndTheOnesThatAppearWhileFollowing) {
    QTemporaryDir data;
    QDir().mkpath(dir.filePath(QStringLiteral("CFG")));
    file("CFG/SaveData.INI", "Yes\r\n5\r\nsec\r\n" + data.path().toUtf8() + "\r\nOven\r\n");
    for (const char* name :
         {"Oven_10.DAT", "Oven_9.DAT", "Other_01.DAT", "Oven_ab.DAT", "Oven_x_03.DAT"})
        writeFile(data, QLatin1String(name), records(kNoon, 30));
    auto names = [&] {
        QStringList out;
        for (int i = 0; i < w.fileCount(); ++i)
            out << QFileInfo(w.reader(i).path()).fileName() + ' ' + stationOf(w.reader(i).path());
        return out.join(QStringLiteral(", ")).toStdString();
    };
    w.setLogSource(dir.path());
    w.setFollow(true);
    EXPECT_EQ(names(), "Oven_9.DAT 9, Oven_10.DAT 10");
    // Station 2 starts logging: its file is taken up, the others' reading goes on.
    writeFile(data, QStringLiteral("Oven_02.DAT"), records(kNoon + 30, 5));
    writeFile(data, QStringLiteral("Oven_9.DAT"), records(kNoon + 30, 5));
    w.followTick();
    w.followTick();
    EXPECT_EQ(names(), "Oven_9.DAT 9, Oven_10.DAT 10, Oven_02.DAT 02");
    EXPECT_EQ(w.reader(0).data().size(), 35);
    EXPECT_GE(w.plot()->xAxis->range().upper, double(kNoon + 34));
    // Closed by the user, the logs stay closed.
    w.closeAll();
    w.followTick();
    EXPECT_EQ(w.fileCount(), 0);
    // Without settings, or with a FIFO or a device in their place (read, they would block or
    // never end): the program folder and the name KX5.
    writeFile(data, QStringLiteral("KX5_04.DAT"), "");
    EXPECT_EQ(dataFilesOf(data.path()), QStringList{data.filePath(QStringLiteral("KX5_04.DAT"))});
    QDir(data.path()).mkpath("CFG");
    ASSERT_EQ(mkfifo(QFile::encodeName(data.filePath("CFG/SaveData.INI")).constData(), 0600), 0);
    EXPECT_EQ(dataFilesOf(data.path()), QStringList{data.filePath(QStringLiteral("KX5_04.DAT"))});
    // Names that are not UTF-8, of a log or of the folder: listed, and said once while following.
    const QByteArray raw = QFile::encodeName(data.path()) + "/K\xFF";
    std::ofstream((raw + "_05.DAT").constData()) << "";
    writeFile(dir, "CFG/SaveData.INI",
              "Yes\r\n5\r\nsec\r\n" + data.path().toUtf8() + "\r\nK\xFF\r\n", true);
    const QString lost = QFile::decodeName(raw + "_05.DAT");
    w.setLogSource(dir.path());
    w.followTick();
    const auto boxes = w.findChildren<QMessageBox*>(QStringLiteral("msgProblem"));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->text().contains(lost + ": the name is not valid UTF-8"));
    writeFile(dir, "CFG/SaveData.INI", "Yes\r\n5\r\nsec\r\n" + raw + "\r\nK\r\n", true);
    EXPECT_EQ(dataFilesOf(dir.path()), QStringList{QFile::decodeName(raw)});
}

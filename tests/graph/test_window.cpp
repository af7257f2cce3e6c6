// The viewer's window offscreen: files opened by every route, the series it draws from them,
// zoom, decimals, the cursor read-out, following a growing file, exports, and where the logs
// of the data-save settings are found. Parsing and decimation details are in their own files.
#include "graph/DatFile.h"
#include "graph/GraphWindow.h"
#include "graph/LogFiles.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {

constexpr qint64 kNoon = 20'428LL * 86400 + 12 * 3600; // 2025-12-06 12:00:00

QByteArray records(qint64 from, int n, int spikeAt = -1) {
    QByteArray out;
    for (int i = 0; i < n; ++i) {
        const qint64 t = from + i;
        const int pv = i == spikeAt ? 30000 : 2490 + i % 20;
        out += datDateText(t).toLatin1() + '\t' + datTimeText(t).toLatin1() + "\t2500\t" +
               QByteArray::number(pv) + '\t' + QByteArray::number(400 + i % 100) + "\r\n";
    }
    return out;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Append);
    f.write(bytes);
    return path;
}

double maxValue(QCPGraph* g) {
    double m = -1e300;
    for (auto it = g->data()->constBegin(); it != g->data()->constEnd(); ++it)
        m = std::max(m, it->value);
    return m;
}

QMessageBox* problemBox(QWidget* w) {
    return w->findChild<QMessageBox*>(QStringLiteral("msgProblem"));
}

} // namespace

TEST(GraphWindow, OpensSeveralFilesEachInItsOwnColourFamily) {
    QTemporaryDir dir;
    const QString a = writeFile(dir, QStringLiteral("KX5_01.DAT"), records(kNoon, 100));
    const QString b = writeFile(dir, QStringLiteral("KX5_02.DAT"),
                                records(kNoon, 50) + "garbage\r\n\r\n" + records(kNoon + 50, 50));
    GraphWindow w;
    w.show();
    ASSERT_EQ(w.openFiles({a, b}), 2);
    ASSERT_EQ(w.plot()->graphCount(), 6);
    EXPECT_EQ(w.reader(1).skipped(), 2);
    EXPECT_TRUE(w.summary().contains(QStringLiteral("2 malformed line(s) skipped")));
    auto* table = w.findChild<QTableWidget*>(QStringLiteral("tblFiles"));
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(1, 1)->text(), QStringLiteral("02"));
    EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("2"));
    // Within a file one hue, between files different hues; MV on the right axis.
    for (int f = 0; f < 2; ++f) {
        EXPECT_EQ(w.graph(f, DatSeries::SV)->pen().color().hue(),
                  w.graph(f, DatSeries::PV)->pen().color().hue());
        EXPECT_EQ(w.graph(f, DatSeries::MV)->valueAxis(), w.plot()->yAxis2);
    }
    EXPECT_NE(w.graph(0, DatSeries::PV)->pen().color().hue(),
              w.graph(1, DatSeries::PV)->pen().color().hue());
}

TEST(GraphWindow, OneFileHasTheTrendGraphsColoursOnScreen) {
    QTemporaryDir dir;
    GraphWindow w;
    w.show();
    ASSERT_EQ(w.openFiles({writeFile(dir, QStringLiteral("KX5_01.DAT"), records(kNoon, 300))}), 1);
    w.plot()->replot();
    const QImage img = w.plot()->toPixmap().toImage();
    bool red = false, green = false, blue = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            red = red || c == QColor(220, 0, 0);
            green = green || c == QColor(0, 160, 0);
            blue = blue || c == QColor(0, 0, 220);
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(green);
    EXPECT_TRUE(blue);
}

TEST(GraphWindow, ZoomedOutViewKeepsASpikeAndStaysSmall) {
    QTemporaryDir dir;
    GraphWindow w;
    w.resize(800, 500);
    w.show();
    ASSERT_EQ(w.openFiles(
                  {writeFile(dir, QStringLiteral("KX5_01.DAT"), records(kNoon, 100'000, 61'234))}),
              1);
    QCPGraph* pv = w.graph(0, DatSeries::PV);
    const int columns = w.plot()->axisRect()->width();
    EXPECT_LE(pv->dataCount(), 2 * columns + 2);
    EXPECT_DOUBLE_EQ(maxValue(pv), 3000.0);
    // Panned away from the spike it is gone; back over it, it is there again.
    w.setView(kNoon, kNoon + 1000);
    EXPECT_LT(maxValue(pv), 3000.0);
    w.setView(kNoon + 61'000, kNoon + 90'000);
    EXPECT_DOUBLE_EQ(maxValue(pv), 3000.0);
    // Zoomed in far enough every record is drawn.
    w.setView(kNoon + 10, kNoon + 20);
    EXPECT_EQ(pv->dataCount(), 13);
}

TEST(GraphWindow, DecimalsScaleTheFileAndTheReadout) {
    QTemporaryDir dir;
    GraphWindow w;
    w.show();
    ASSERT_EQ(w.openFiles({writeFile(dir, QStringLiteral("KX5_03.DAT"),
                                     "2025-12-06\t12:00:00\t2500\t2498\t455\r\n"
                                     "2025-12-06\t12:00:10\t2500\t2502\t460\r\n")}),
              1);
    w.showCursorAt(kNoon + 3);
    EXPECT_TRUE(w.readout().contains(QStringLiteral("2025-12-06 12:00:03")));
    EXPECT_TRUE(w.readout().contains(QStringLiteral("12:00:00  SV 250.0  PV 249.8  MV 45.5")))
        << w.readout().toStdString();
    auto* spin = w.findChild<QSpinBox*>(QStringLiteral("spnDecimals0"));
    ASSERT_NE(spin, nullptr);
    spin->setValue(2);
    EXPECT_EQ(w.decimals(0), 2);
    EXPECT_DOUBLE_EQ(maxValue(w.graph(0, DatSeries::PV)), 25.02);
    EXPECT_DOUBLE_EQ(maxValue(w.graph(0, DatSeries::MV)), 46.0);
    w.showCursorAt(kNoon + 8);
    EXPECT_TRUE(w.readout().contains(QStringLiteral("12:00:10  SV 25.00  PV 25.02  MV 46.0")))
        << w.readout().toStdString();
}

TEST(GraphWindow, FollowTakesUpAppendedRecordsAndKeepsTheEndInView) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("KX5_01.DAT"), records(kNoon, 100));
    GraphWindow w;
    w.show();
    ASSERT_EQ(w.openFiles({path}), 1);
    w.setFollow(true);
    EXPECT_TRUE(w.follow());
    const double width = w.plot()->xAxis->range().size();
    writeFile(dir, QStringLiteral("KX5_01.DAT"), records(kNoon + 100, 50) + "2025-12-06\t12:");
    w.followTick();
    EXPECT_EQ(w.reader(0).data().size(), 150);
    EXPECT_GE(w.plot()->xAxis->range().upper, double(kNoon + 149));
    EXPECT_NEAR(w.plot()->xAxis->range().size(), width, 1e-6);
    // The writer finishes its line later; a view moved back into history stays where it is.
    w.setView(kNoon, kNoon + 20);
    writeFile(dir, QStringLiteral("KX5_01.DAT"), "02:30\t1\t2\t3\r\n");
    w.followTick();
    EXPECT_EQ(w.reader(0).data().size(), 151);
    EXPECT_EQ(w.reader(0).skipped(), 0);
    EXPECT_DOUBLE_EQ(w.plot()->xAxis->range().lower, double(kNoon));
    // A file that disappears keeps what was read and says why in the read-out.
    ASSERT_TRUE(QFile::remove(path));
    w.followTick();
    EXPECT_EQ(w.reader(0).data().size(), 151);
    EXPECT_TRUE(w.readout().contains(QStringLiteral("KX5_01.DAT")));
    w.setFollow(false);
    EXPECT_FALSE(w.follow());
}

TEST(GraphWindow, FilesThatCannotBeOpenedAreNamedAndTheRestOpens) {
    QTemporaryDir dir;
    GraphWindow w;
    w.show();
    const QString good = writeFile(dir, QStringLiteral("KX5_01.DAT"), records(kNoon, 10));
    EXPECT_EQ(w.openFiles({dir.filePath(QStringLiteral("gone.DAT")), dir.path(), good}), 1);
    QMessageBox* box = problemBox(&w);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(QStringLiteral("gone.DAT")));
    EXPECT_TRUE(box->text().contains(QDir::toNativeSeparators(dir.path())));
    EXPECT_EQ(w.fileCount(), 1);
    box->close();
}

TEST(GraphWindow, DroppedFilesAreOpened) {
    QTemporaryDir dir;
    GraphWindow w;
    w.show();
    const QString path = writeFile(dir, QStringLiteral("KX5_07.DAT"), records(kNoon, 10));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    // The window must take the drag on entering before the drop reaches it.
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    ASSERT_EQ(w.fileCount(), 1);
    EXPECT_EQ(w.reader(0).path(), path);
    // The same file dropped again is not drawn twice.
    QApplication::sendEvent(&w, &enter);
    QDropEvent again(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &again);
    EXPECT_EQ(w.fileCount(), 1);
    EXPECT_EQ(w.plot()->graphCount(), 3);
}

TEST(GraphWindow, ExportsTheVisibleRangeAsCsvAndTheGraphAsPngAndPdf) {
    QTemporaryDir dir;
    GraphWindow w;
    w.show();
    ASSERT_EQ(w.openFiles({writeFile(dir, QStringLiteral("KX5_05.DAT"), records(kNoon, 100))}), 1);
    w.setView(kNoon + 10.5, kNoon + 12.5);
    QString error;
    const QString csv = dir.filePath(QStringLiteral("view.csv"));
    ASSERT_TRUE(w.exportCsv(0, csv, &error)) << error.toStdString();
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 5); // two header lines, records 11 and 12, the final line end
    EXPECT_EQ(lines[0], QByteArray("\xEF\xBB\xBFStation,05,File,KX5_05.DAT\r"));
    EXPECT_EQ(lines[2], QByteArray("2025-12-06,12:00:11,250.0,250.1,41.1\r"));
    EXPECT_EQ(lines[3], QByteArray("2025-12-06,12:00:12,250.0,250.2,41.2\r"));
    for (const char* name : {"graph.png", "graph.pdf"}) {
        const QString path = dir.filePath(QLatin1String(name));
        ASSERT_TRUE(w.exportImage(path, &error)) << name;
        QFile img(path);
        ASSERT_TRUE(img.open(QIODevice::ReadOnly));
        const QByteArray head = img.read(8);
        EXPECT_TRUE(head.startsWith(QByteArray(name).endsWith("png") ? "\x89PNG" : "%PDF"));
    }
    EXPECT_FALSE(w.exportImage(dir.filePath(QStringLiteral("no/such/graph.png")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(LogFiles, TheDataSaveSettingsNameTheFilesSortedByStation) {
    QTemporaryDir program, data;
    QDir().mkpath(program.filePath(QStringLiteral("CFG")));
    writeFile(program, QStringLiteral("CFG/SaveData.INI"),
              "Yes\r\n5\r\nsec\r\n" + data.path().toUtf8() + "\r\nOven\r\n");
    for (const char* name : {"Oven_10.DAT", "Oven_02.DAT", "Oven_1.DAT", "Other_01.DAT",
                             "Oven_ab.DAT", "Oven_x_03.DAT"})
        writeFile(data, QLatin1String(name), "");
    QStringList names;
    for (const QString& f : dataFilesOf(program.path()))
        names << QFileInfo(f).fileName();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Oven_1.DAT"), QStringLiteral("Oven_02.DAT"),
                                  QStringLiteral("Oven_10.DAT")}));
    // Without settings: the program folder and the name KX5.
    QTemporaryDir bare;
    writeFile(bare, QStringLiteral("KX5_04.DAT"), "");
    ASSERT_EQ(dataFilesOf(bare.path()).size(), 1);
    EXPECT_EQ(stationOf(dataFilesOf(bare.path()).first()), QStringLiteral("04"));
}

TEST(GraphWindow, TheLogSourceOpensItsFilesAndTheOnesThatAppearWhileFollowing) {
    QTemporaryDir program;
    QDir().mkpath(program.filePath(QStringLiteral("CFG")));
    writeFile(program, QStringLiteral("CFG/SaveData.INI"), "Yes\r\n5\r\nsec\r\n\r\nOven\r\n");
    writeFile(program, QStringLiteral("Oven_01.DAT"), records(kNoon, 30));
    GraphWindow w;
    w.show();
    w.setLogSource(program.path());
    w.setFollow(true);
    ASSERT_EQ(w.fileCount(), 1);
    w.followTick();
    EXPECT_EQ(w.fileCount(), 1);
    // Station 2 starts logging: its file is taken up, station 1's reading goes on.
    writeFile(program, QStringLiteral("Oven_02.DAT"), records(kNoon + 30, 5));
    writeFile(program, QStringLiteral("Oven_01.DAT"), records(kNoon + 30, 5));
    w.followTick();
    ASSERT_EQ(w.fileCount(), 2);
    EXPECT_EQ(QFileInfo(w.reader(1).path()).fileName(), QStringLiteral("Oven_02.DAT"));
    EXPECT_EQ(w.reader(0).data().size(), 35);
    EXPECT_EQ(w.reader(1).data().size(), 5);
    EXPECT_EQ(w.plot()->graphCount(), 6);
    EXPECT_GE(w.plot()->xAxis->range().upper, double(kNoon + 34));
    w.followTick();
    EXPECT_EQ(w.fileCount(), 2);
    // Closed by the user, the logs stay closed.
    w.closeAll();
    EXPECT_EQ(w.plot()->graphCount(), 0);
    w.followTick();
    EXPECT_EQ(w.fileCount(), 0);
}

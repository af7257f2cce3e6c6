// The viewer's window offscreen: files opened by every route, the colours and decimated series
// drawn from them, holes drawn as holes, decimals and the cursor read-out, following growing
// files and the logs of the data-save settings, and exports. Parsing and decimation details
// are in their own files.
#include "GraphFiles.h"
#include "graph/GraphWindow.h"
#include "graph/LogFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <fstream>
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
    // Nothing open: an axis without labels rather than one of 1970, and no cursor.
    EXPECT_FALSE(w.cursorShown());
    w.plot()->replot();
    EXPECT_EQ(w.plot()->xAxis->tickVectorLabels().join(' ').toStdString(), "");
    const QString a = file("KX5_01.DAT", records(kNoon, 300));
    const QByteArray raw = QFile::encodeName(dir.path()) + "/KX5_\xFF.DAT"; // not UTF-8
    std::ofstream(raw.constData()) << records(kNoon, 3).constData();
    EXPECT_EQ(w.openFiles({dir.filePath(QStringLiteral("gone.DAT")), dir.path(),
                           QFile::decodeName(raw), a}),
              1);
    auto* box = w.findChild<QMessageBox*>(QStringLiteral("msgProblem"));
    ASSERT_NE(box, nullptr);
    for (const QString& named :
         {QStringLiteral("gone.DAT"), QFile::decodeName(raw), QDir::toNativeSeparators(dir.path())})
        EXPECT_TRUE(box->text().contains(named)) << named.toStdString();
    box->close();
    w.plot()->replot();
    const QImage img = w.plot()->toPixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* px = reinterpret_cast<const QRgb*>(img.constBits());
    EXPECT_EQ(w.graph(0, DatSeries::PV)->name(), "PV"); // one file: no station in the legend
    for (const QColor c : {QColor(220, 0, 0), QColor(0, 160, 0), QColor(0, 0, 220)})
        EXPECT_NE(std::count(px, px + img.sizeInBytes() / 4, c.rgb()), 0) << c.name().toStdString();
    // A second file: its bad lines counted, its curves named by the settings beside it.
    file("CFG/SetEnv.INI", "X\t\r\nO\tDryer\r\n");
    ASSERT_EQ(w.openFiles({file("KX5_02.DAT", records(kNoon, 50) + "garbage\r\n\r\n")}), 1);
    EXPECT_EQ(w.graph(0, DatSeries::PV)->name() + ", " + w.graph(1, DatSeries::PV)->name(),
              "KX5_01 PV, Dryer PV");
    EXPECT_EQ(w.plot()->graphCount(), 2 * 2 * DatSeries::kSeries); // lines and dots
    EXPECT_EQ(w.reader(1).skipped(), 2);
}

TEST_F(Viewer, ZoomedOutViewKeepsASpikeAndStaysSmallAndKeysZoomAndPanIt) {
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
    // The View menu's keys zoom about the centre and pan by a quarter of the view; Home shows
    // all, and the arrows act on the plot only.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.plot()->setFocus();
    // clang-format off
    const struct {
        int key;
        double lo, hi; // the view after it, from kNoon
    } steps[] = {{Qt::Key_Plus, 150, 250}, {Qt::Key_Right, 175, 275}, {Qt::Key_Minus, 125, 325},
                 {Qt::Key_Left, 75, 275}, {Qt::Key_Equal, 125, 225}};
    // clang-format on
    w.setView(kNoon + 100, kNoon + 300);
    for (const auto& st : steps) {
        QTest::keyClick(w.plot(), Qt::Key(st.key));
        const QCPRange r = w.plot()->xAxis->range();
        EXPECT_DOUBLE_EQ(r.lower - kNoon, st.lo) << st.key;
        EXPECT_DOUBLE_EQ(r.upper - kNoon, st.hi) << st.key;
    }
    QTest::keyClick(w.plot(), Qt::Key_Home);
    EXPECT_LT(w.plot()->xAxis->range().lower, kNoon + 1);
    for (const char* name : {"actZoomIn", "actZoomOut", "actPanLeft", "actPanRight", "actFitAll"})
        EXPECT_FALSE(w.findChild<QAction*>(name)->shortcut().isEmpty()) << name; // in the menu
}

namespace {

// Records of runs (count, seconds from one record to the next) from kNoon: {1, 0} is the first.
QByteArray logged(std::initializer_list<std::pair<int, int>> runs) {
    QByteArray out;
    qint64 t = kNoon;
    int i = 0;
    for (const auto& [n, step] : runs)
        for (int k = 0; k < n; ++k)
            out += record(t += step, i++);
    return out;
}

// What a series shows: each stretch of line as "first-last" (a point alone draws none), then
// the lone records (dots).
std::string drawn(const GraphWindow& w, int series) {
    QStringList lines, dots;
    qint64 first = -1, last = -1;
    const auto end = [&] {
        if (first < last) lines << datTimeText(first) + '-' + datTimeText(last);
        first = -1;
    };
    for (const QCPGraphData& p : *w.graph(0, series)->data()) {
        if (std::isnan(p.value)) {
            end();
            continue;
        }
        if (first < 0) first = qint64(p.key);
        last = qint64(p.key);
    }
    end();
    for (const QCPGraphData& p : *w.dots(0, series)->data())
        dots << datTimeText(qint64(p.key));
    return (lines.join(' ') + " | " + dots.join(' ')).toStdString();
}

// Separate stretches of pixel columns that hold the colour, in the middle rows of an image.
int stretches(const QImage& img, const QColor& colour) {
    int n = 0;
    bool in = false;
    for (int x = 0; x < img.width(); ++x) {
        bool here = false;
        for (int y = img.height() * 3 / 10; y < img.height() * 7 / 10 && !here; ++y)
            here = img.pixelColor(x, y) == colour;
        n += here && !in;
        in = here;
    }
    return n;
}

} // namespace

TEST_F(Viewer, HolesAreDrawnAsHolesOnScreenAndInTheImageAndTheReadoutSaysSo) {
    const struct {
        const char* name;
        QByteArray file;
        const char* pv; // drawn(PV) of the whole file
        int pieces;     // stretches of MV in an exported image
        int cursor;     // seconds from kNoon
        const char* readout;
    } cases[] = {
        {"a 1 s file with a 10 s hole", logged({{1, 0}, {119, 1}, {1, 10}, {59, 1}}),
         "12:00:00-12:01:59 12:02:09-12:03:08 | ", 2, 124,
         "no record: nothing was logged from 12:01:59 to 12:02:09"},
        {"a 60 s file written 60 or 61 s apart, beyond its end",
         logged({{1, 0}, {10, 60}, {1, 61}, {10, 60}, {1, 61}, {10, 60}}), "12:00:00-12:32:02 | ",
         1, 40 * 60, "no record: the file ends at 12:32:02"},
        {"closed for 8 minutes between records 6 s apart",
         logged({{1, 0}, {50, 6}, {1, 487}, {50, 6}}), "12:00:00-12:05:00 12:13:07-12:18:07 | ", 2,
         9 * 60, "no record: nothing was logged from 12:05:00 to 12:13:07"},
        {"restarted after 5 minutes to log every minute instead of every second",
         logged({{1, 0}, {60, 1}, {1, 300}, {20, 60}}), "12:00:00-12:01:00 12:06:00-12:26:00 | ", 2,
         12 * 60 + 50, "12:13:00  SV 250.0  PV 249.8  MV 46.8"},
        {"a hole at the very start and at the very end",
         logged({{1, 0}, {1, 600}, {100, 1}, {1, 600}}), "12:10:00-12:11:40 | 12:00:00 12:21:40", 3,
         -100, "no record: the file starts at 12:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w.closeAll();
        ASSERT_EQ(w.openFiles({writeFile(dir, "KX5_01.DAT", c.file, true)}), 1);
        for (const int s : {DatSeries::SV, DatSeries::PV, DatSeries::MV})
            EXPECT_EQ(drawn(w, s), c.pv);
        w.showCursorAt(double(kNoon + c.cursor));
        EXPECT_EQ(w.readout().section('\n', 1).toStdString(), c.readout);
        QString error;
        const QString png = dir.filePath(QStringLiteral("gaps.png"));
        ASSERT_TRUE(w.exportImage(png, &error, QSize(800, 400))) << error.toStdString();
        EXPECT_EQ(stretches(QImage(png), QColor(0, 0, 220)), c.pieces);
        // PDF and print paint as vectors, without the screen's fast lines.
        QImage vector(800, 400, QImage::Format_RGB32);
        vector.fill(Qt::white);
        QCPPainter painter(&vector);
        painter.setModes(QCPPainter::pmVectorized | QCPPainter::pmNoCaching);
        w.plot()->toPainter(&painter, 800, 400);
        painter.end();
        EXPECT_EQ(stretches(vector, QColor(0, 0, 220)), c.pieces);
    }
}

TEST_F(Viewer, DecimalsScaleTheFileAndTheReadoutKeepsThePlotInPlaceAndFollowTakesUpRecords) {
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
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.plot(), &leave);
    EXPECT_FALSE(w.cursorShown());
    // The read-out's lines come and go; the plot stays where it is.
    QApplication::processEvents();
    const QRect plotAt = w.plot()->geometry();
    w.showCursorAt(kNoon + 8);
    QApplication::processEvents();
    EXPECT_EQ(w.plot()->geometry(), plotAt);
    // The legend sits beside the data, not on it.
    w.plot()->replot();
    EXPECT_FALSE(w.plot()->legend->outerRect().intersects(w.plot()->axisRect()->rect()));
    QApplication::sendEvent(w.plot(), &leave);
    EXPECT_FALSE(w.readout().contains(QStringLiteral("Cursor")));

    // Following takes up appended records and keeps the end in view.
    w.closeAll();
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

TEST_F(Viewer, ADroppedFileOpensOnceAndExportsAsCsvAndAsImagesWithTitleAndWithoutCursor) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file("KX5_05.DAT", records(kNoon, 100)))});
    for (int drop = 0; drop < 2; ++drop) {
        // The window must take the drag on entering before the drop reaches it.
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &dropped);
        ASSERT_EQ(w.plot()->graphCount(), 2 * DatSeries::kSeries) << drop;
    }
    w.setView(kNoon + 10.5, kNoon + 12.5);
    const QString title =
        QStringLiteral("Station 05 - KX5_05.DAT - 2025-12-06 12:00:11 to 12:00:12");
    EXPECT_EQ(w.exportTitle(), title);
    // Images: the title drawn above the graph and in the document; no cursor line.
    w.showCursorAt(kNoon + 11.5);
    auto cursorPixels = [](const QImage& img) { // most cursor-grey pixels in one column
        int most = 0;
        for (int x = 0; x < img.width(); ++x) {
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                n += img.pixelColor(x, y) == QColor(120, 120, 120);
            most = std::max(most, n);
        }
        return most;
    };
    EXPECT_GT(cursorPixels(w.plot()->toPixmap().toImage()), 100); // the check sees a cursor
    QString error;
    ASSERT_TRUE(w.exportImage(dir.filePath(QStringLiteral("g.png")), &error, QSize(640, 400)));
    const QImage png(dir.filePath(QStringLiteral("g.png")));
    EXPECT_EQ(png.size(), QSize(640, 400));
    EXPECT_EQ(png.text(QStringLiteral("Title")), title);
    EXPECT_LT(cursorPixels(png), 20);
    int dark = 0; // the title, centred in the top line
    for (int y = 0; y < 20; ++y)
        for (int x = 640 / 3; x < 640 * 2 / 3; ++x)
            dark += qGray(png.pixel(x, y)) < 128;
    EXPECT_GT(dark, 50);
    EXPECT_TRUE(w.cursorShown());
    ASSERT_TRUE(w.exportImage(dir.filePath(QStringLiteral("g.pdf")), &error));
    const QByteArray bytes = readFile(dir.filePath(QStringLiteral("g.pdf")));
    QByteArray utf16("\xFE\xFF", 2); // how the PDF spells its Title: UTF-16BE
    for (const QChar c : title)
        utf16 += QByteArray(1, char(c.unicode() >> 8)) + char(c.unicode() & 0xFF);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Title (" + utf16 + ")"));
    // One landscape page of the paper the user's locale has.
    const struct {
        QLocale locale;
        QSize points;
    } papers[] = {{QLocale(QLocale::English, QLocale::UnitedStates), {792, 612}},
                  {QLocale(QLocale::Korean, QLocale::SouthKorea), {842, 595}},
                  {QLocale(QLocale::French, QLocale::Canada), {792, 612}}};
    const QLocale before;
    const QRegularExpression mediaBox(QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"));
    for (const auto& p : papers) {
        SCOPED_TRACE(p.locale.name().toStdString());
        QLocale::setDefault(p.locale);
        ASSERT_TRUE(w.exportImage(dir.filePath(QStringLiteral("p.pdf")), &error));
        const QString doc = QString::fromLatin1(readFile(dir.filePath(QStringLiteral("p.pdf"))));
        EXPECT_EQ(doc.count(QStringLiteral("/Type /Page\n")), 1);
        const QRegularExpressionMatch m = mediaBox.match(doc);
        ASSERT_TRUE(m.hasMatch());
        EXPECT_EQ(QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble())),
                  p.points);
    }
    QLocale::setDefault(before);
    const QString nowhere = dir.filePath(QStringLiteral("no/such/graph.png"));
    EXPECT_FALSE(w.exportImage(nowhere, &error));
    EXPECT_TRUE(error.contains(nowhere)) << error.toStdString();
    // By the menu: a file, then the size, offered next time as chosen; Cancel writes nothing.
    // The dialogs are modal: a timer answers whichever is up, again while it stays up, and closes
    // one that is unexpected or never goes.
    QList<QSize> offered; // by the size dialog, each time it is up
    QTimer answer;
    QObject::connect(
        &answer, &QTimer::timeout, [&, last = QPointer<QWidget>(), ticks = 0]() mutable {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            ticks = modal == last ? ticks + 1 : 0;
            last = modal;
            auto* files = qobject_cast<QFileDialog*>(modal);
            auto* width = modal->findChild<QSpinBox*>(QStringLiteral("spnWidth"));
            auto* height = modal->findChild<QSpinBox*>(QStringLiteral("spnHeight"));
            if (ticks > 300 || !(files || (width && height))) return (void)modal->close();
            if (files) {
                // Typed as a user would: selectFile() leaves the name box alone once it has focus.
                files->setDirectory(dir.path());
                files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                    ->setText(QStringLiteral("menu%1.png").arg(offered.size()));
                return static_cast<QDialog*>(files)->accept(); // through QFileDialog's own checks
            }
            if (ticks == 0) offered << QSize(width->value(), height->value());
            width->setValue(700);
            height->setValue(300);
            // OK, then Cancel (a key would depend on which button has the focus yet).
            QMetaObject::invokeMethod(modal, offered.size() == 1 ? "accept" : "reject");
        });
    answer.start(10);
    for (int k = 0; k < 2; ++k)
        w.findChild<QAction*>(QStringLiteral("actExportImage"))->trigger();
    EXPECT_EQ(offered.value(1), QSize(700, 300));
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("menu0.png"))).size(), QSize(700, 300));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("menu1.png"))));
    // CSV: the selected file or all, the view or the whole.
    ASSERT_EQ(w.openFiles({file("KX5_06.DAT", records(kNoon + 5, 10))}), 1);
    w.setView(kNoon + 10.5, kNoon + 12.5);
    const QByteArray r05 = "05,KX5_05.DAT,2025-12-06,12:00:11,degC,250.0,250.1,41.1\r\n"
                           "05,KX5_05.DAT,2025-12-06,12:00:12,degC,250.0,250.2,41.2\r\n";
    const QByteArray last06 = "06,KX5_06.DAT,2025-12-06,12:00:14,degC,250.0,249.9,40.9\r\n";
    // The rows themselves are test_export's: here, which file and which range.
    const struct {
        int file;
        bool whole;
        int lines; // with the header
        QByteArray end;
    } cases[] = {{0, false, 3, r05}, {1, true, 11, last06}, {-1, true, 111, last06}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        ASSERT_TRUE(w.exportCsv(c.file, c.whole, path, &error)) << error.toStdString();
        const QByteArray got = readFile(path);
        EXPECT_EQ(got.count('\n'), c.lines) << c.file << c.whole;
        EXPECT_TRUE(got.endsWith(c.end)) << c.file << c.whole;
    }
}

TEST_F(Viewer, TheLogSourceOpensTheSettingsFilesAndTheOnesThatAppearWhileFollowing) {
    QTemporaryDir data;
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
    EXPECT_TRUE(boxes[0]->text().contains(lost));
    writeFile(dir, "CFG/SaveData.INI", "Yes\r\n5\r\nsec\r\n" + raw + "\r\nK\r\n", true);
    EXPECT_EQ(dataFilesOf(dir.path()), QStringList{QFile::decodeName(raw)});
}

// The window at its default size as drawn; what its cells and labels say is the other files'.
#include "MainFixture.h"
#include "ui/GridView.h"

#include <QHeaderView>
#include <QSplitter>
#include <QStatusBar>

using Layout = MainFixture;

TEST_F(Layout, TablesStatusBarAndTraceFitTheDefaultWindow) {
    writeFile("Comm.CFG", "/dev/serial/by-id/usb-" + QByteArray(300, 'x') +
                              "\r\n9600\r\nN\r\n8\r\n1\r\nSTD\r\n");
    build({1, 2, 3}, 3);
    win->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
    EXPECT_LE(win->width(), 1200); // the long port name did not widen the window
    for (const char* name : {"sprdStatus", "sprdMonitoring"}) {
        SCOPED_TRACE(name);
        auto* v = child<GridView>(name);
        for (int c = 0; c < v->model()->columnCount(); ++c) {
            const QString heading = v->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_LE(v->columnViewportPosition(c) + v->columnWidth(c), v->viewport()->width())
                << c;
            EXPECT_GE(v->columnWidth(c), v->fontMetrics().horizontalAdvance(heading)) << c;
        }
        EXPECT_GE(v->viewport()->height(), 5 * v->rowHeight(0));
    }
    for (const char* name : {"splitTables", "splitStations"}) {
        auto* split = child<QSplitter>(name);
        QList<int> sizes = split->sizes();
        split->setSizes({sizes[0] + 40, sizes[1] - 40}); // as a drag of the handle does
        EXPECT_EQ(split->sizes()[0], sizes[0] + 40) << name;
    }

    auto* bar = child<QStatusBar>("StatusBar1");
    EXPECT_TRUE(child<QLabel>("StatusBar1_Panel1")->text().endsWith("xxx")); // whole, shown elided
    for (const char* name : {"StatusBar1_Panel4", "StatusBar1_Panel5", "shpRecv"}) {
        const QRect r = child(name)->geometry();
        EXPECT_LE(r.right(), bar->width()) << name;
        EXPECT_GE(r.width(), 20) << name;
    }

    // The trace keeps one narrow width for every column, however long the frame.
    auto* trace = child<QTableView>("sprdCommD");
    QByteArray frame(500, '7');
    for (int i = 0; i < frame.size(); i += 50)
        frame[i] = '\x02';
    link()->sprdCommD.add(frame, false);
    const int width = trace->columnWidth(0);
    const QModelIndex stx = trace->model()->index(trace->model()->rowCount() - 1, 0);
    ASSERT_EQ(stx.data().toString(), "STX");
    EXPECT_GE(width, trace->itemDelegate()->sizeHint({}, stx).width()); // "STX" shows whole
    EXPECT_LE(width, 2 * trace->fontMetrics().horizontalAdvance("STX"));
    for (int c = 1; c < trace->model()->columnCount(); ++c)
        ASSERT_EQ(trace->columnWidth(c), width) << c;
}

// The window at its default size as drawn; what its cells and labels say is the other files'.
#include "MainFixture.h"

#include <QClipboard>
#include <QStatusBar>
#include <QTabWidget>

using Layout = MainFixture;

// Tab steps out of every table (the arrows move inside), and the switches that are buttons
// in the window have keys of their own, named in the menu (the data-save key only starts).
TEST_F(Layout, TablesStatusBarAndTraceFitTheDefaultWindowAndTabLeavesEveryTable) {
    writeFile("Comm.CFG", "/dev/serial/by-id/usb-" + QByteArray(300, 'x') +
                              "\r\n9600\r\nN\r\n8\r\n1\r\nSTD\r\n");
    writeFile("CFG/SaveData.INI", "Yes\r\n1\r\nsec\r\nData\r\nKX5\r\n");
    build({1, 2, 3}, 3);
    win->show();
    QApplication::setActiveWindow(win.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
    EXPECT_LE(win->width(), 1400); // the long port name did not widen the window
    for (const char* name : {"sprdStatus", "sprdMonitoring"}) {
        SCOPED_TRACE(name);
        auto* v = child<QTableView>(name);
        for (int c = 0; c < v->model()->columnCount(); ++c) {
            const QString heading = v->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_LE(v->columnViewportPosition(c) + v->columnWidth(c), v->viewport()->width())
                << c;
            EXPECT_GE(v->columnWidth(c), v->fontMetrics().horizontalAdvance(heading)) << c;
        }
        EXPECT_GE(v->viewport()->height(), 5 * v->rowHeight(0));
    }

    auto* bar = child<QStatusBar>("StatusBar1");
    EXPECT_TRUE(child<QLabel>("StatusBar1_Panel1")->text().endsWith("xxx")); // whole, shown elided
    for (const char* name : {"StatusBar1_Panel4", "StatusBar1_Panel5", "shpRecv"}) {
        const QRect r = child(name)->geometry();
        EXPECT_LE(r.right(), bar->width()) << name;
        EXPECT_GE(r.width(), 20) << name;
    }

    // The trace: a frame to a row with its time, station and command, control bytes spelled
    // out; selected rows copy as tab-separated lines, in order.
    auto* trace = child<QTableView>("sprdCommD");
    link()->sprdCommD.clear();
    link()->sprdCommD.add("\00201DRR,01,0100\r\n", true);
    link()->sprdCommD.add("\00201DRR,OK,0005\r\n", false);
    link()->sprdCommD.add("late", false);
    ASSERT_EQ(trace->model()->rowCount(), 3);
    trace->selectRow(2);
    for (int r : {0, 1})
        trace->selectionModel()->select(trace->model()->index(r, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    trace->setFocus();
    QTest::keyClick(trace, Qt::Key_C, Qt::ControlModifier);
    const auto time = [&](int r) { return trace->model()->index(r, 0).data().toString(); };
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              time(0) + "\tSend\t01\tDRR\t<STX>01DRR,01,0100<CR><LF>\n" + time(1) +
                  "\tRecv\t01\tDRR\t<STX>01DRR,OK,0005<CR><LF>\n" + time(2) + "\tRecv\t\t\tlate");
    EXPECT_GE(trace->columnWidth(0), trace->fontMetrics().horizontalAdvance("00:00:00.000"));

    auto* tabs = child<QTabWidget>("tabTables");
    const std::pair<int, const char*> tables[] = {
        {0, "sprdStatus"}, {0, "sprdMonitoring"}, {1, "sprdCommD"}, {2, "sprdEvents"}};
    for (const auto& [page, name] : tables) {
        SCOPED_TRACE(name);
        tabs->setCurrentIndex(page);
        auto* view = child<QAbstractItemView>(name);
        view->setFocus();
        ASSERT_TRUE(view->hasFocus());
        view->setCurrentIndex(view->model()->index(0, 0));
        QTest::keyClick(view, Qt::Key_Right);
        EXPECT_TRUE(view->hasFocus());
        QTest::keyClick(view, Qt::Key_Tab);
        EXPECT_FALSE(view->hasFocus());
        // ... and Tab, going on through the window, comes round to it again.
        for (int i = 0; i < 200 && !view->hasFocus() && QApplication::focusWidget(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(view->hasFocus());
    }

    // (What Ctrl+S does is test_datalog's.)
    const std::pair<const char*, Qt::Key> keys[] = {
        {"mOnlineSave", Qt::Key_S}, {"mOnlineGraph", Qt::Key_G}, {"mSetExit", Qt::Key_Q}};
    for (const auto& [action, key] : keys)
        EXPECT_EQ(child<QAction>(action)->shortcut(), QKeySequence(Qt::CTRL | key)) << action;
    EXPECT_FALSE(win->trend()->mGrpRun);
    QTest::keyClick(win.get(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(win->trend()->mGrpRun);
    QTest::keyClick(win.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(link()->phase(), KX5Link::Phase::Closing);
}

// The window at its default size as drawn; what its cells and labels say is the other files'.
#include "MainFixture.h"
#include "services/DataLogger.h"

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

    // The trace: a frame to a row with its station and command, control bytes spelled out;
    // selected rows copy as tab-separated lines, in order.
    auto* trace = child<QTableView>("sprdCommD");
    link()->sprdCommD.clear();
    link()->sprdCommD.add("\00201DRR,01,0100\r\n", true);
    link()->sprdCommD.add("\00201DRR,OK,0005\r\n", false);
    link()->sprdCommD.add("late", false);
    const QStringList rows[] = {{"Send", "01", "DRR", "<STX>01DRR,01,0100<CR><LF>"},
                                {"Recv", "01", "DRR", "<STX>01DRR,OK,0005<CR><LF>"},
                                {"Recv", "", "", "late"}};
    ASSERT_EQ(trace->model()->rowCount(), 3);
    QStringList lines;
    for (int r = 0; r < 3; ++r) {
        QStringList shown;
        for (int c = 1; c < trace->model()->columnCount(); ++c)
            shown << trace->model()->index(r, c).data().toString();
        EXPECT_EQ(shown, rows[r]) << r;
        lines << trace->model()->index(r, 0).data().toString() + "\t" + shown.join("\t");
    }
    trace->selectRow(2);
    trace->selectionModel()->select(trace->model()->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    trace->setFocus();
    QTest::keyClick(trace, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), lines[0] + "\n" + lines[2]);
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
        bool back = false;
        for (int i = 0; i < 200 && !back && QApplication::focusWidget(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            back = view->hasFocus();
        }
        EXPECT_TRUE(back);
    }

    const std::tuple<const char*, Qt::Key, std::function<bool()>> keys[] = {
        {"mOnlineSave", Qt::Key_S, [&] { return win->dataLogger()->switchedOn(); }},
        {"mOnlineGraph", Qt::Key_G, [&] { return win->trend()->mGrpRun; }}};
    for (const auto& [action, key, on] : keys) {
        SCOPED_TRACE(action);
        auto* a = win->findChild<QAction*>(action);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->shortcut(), QKeySequence(Qt::CTRL | key));
        EXPECT_FALSE(on());
        QTest::keyClick(win.get(), key, Qt::ControlModifier);
        EXPECT_TRUE(on());
    }
    EXPECT_EQ(win->findChild<QAction*>("mSetExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QTest::keyClick(win.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(link()->phase(), KX5Link::Phase::Closing);
}

// Start-up from missing, short and odd settings files; commands and their states; the
// station-table click; shut-down through the "Exit?" box.
#include "MainFixture.h"
#include "monitor/Commands.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <QMenuBar>
#include <QStatusBar>

namespace {
QString panel(frmKX5_Main* w, int i) {
    return w->findChild<QLabel*>(QStringLiteral("StatusBar1_Panel%1").arg(i))->text();
}
} // namespace

using Startup = MainFixture;

TEST_F(Startup, MissingFilesGiveDefaultsAndOneStation) {
    open();
    EXPECT_EQ(win->windowTitle(), "KX5 Communication Program");
    EXPECT_EQ(panel(win.get(), 1), "COM1");
    EXPECT_EQ(panel(win.get(), 2), "9600,N,8,1");
    EXPECT_EQ(panel(win.get(), 5), "STD");
    EXPECT_EQ(gSumLen, 0);
    EXPECT_EQ(text("lblDSave_Enable"), "No");
    EXPECT_EQ(text("lblDSave_Intv"), "1");
    EXPECT_EQ(text("lblDSave_Unit"), "분");
    EXPECT_FALSE(child<QPushButton>("btnDSave_Start")->isEnabled());
    EXPECT_EQ(gDSaveFolder, dir.path());
    EXPECT_EQ(gDSaveName, "KX5");
    EXPECT_TRUE(QDir(path("CFG")).exists());
    ASSERT_EQ(link()->sprdStatus.maxRows(), 1);
    EXPECT_EQ(link()->sprdStatus.text(1, 1), "1");
    ASSERT_EQ(link()->sprdMonitoring.maxRows(), 1);
    EXPECT_EQ(link()->sprdMonitoring.text(0, 1), "1");
    EXPECT_EQ(gMC_List, std::vector<int>{1});
    EXPECT_EQ(gMC_Last, 0);
    EXPECT_EQ(gComm, link()->port());
    EXPECT_EQ(gCommGrid, &link()->sprdCommD);
    EXPECT_EQ(gTmrRecvErr, &link()->tmrRecvErr);
    EXPECT_TRUE(win->tmrDispGraph.interval() == 1000);
}

TEST_F(Startup, SettingsFilesAreRead) {
    writeFile("Comm.CFG", "/dev/ttyUSB0\r\n19200\r\nE\r\n7\r\n2\r\nSUM\r\n");
    writeFile("CFG/SaveData.INI", "Yes\r\n2.5\r\nmin\r\n/data/log\r\nOven\r\n");
    writeStations({2, 4});
    open();
    EXPECT_EQ(panel(win.get(), 1), "/dev/ttyUSB0");
    EXPECT_EQ(panel(win.get(), 2), "19200,E,7,2");
    EXPECT_EQ(panel(win.get(), 5), "SUM");
    EXPECT_EQ(gSumLen, 2);
    EXPECT_EQ(text("lblDSave_Enable"), "Yes");
    EXPECT_EQ(text("lblDSave_Intv"), "2"); // 2.5 rounds half to even
    EXPECT_EQ(text("lblDSave_Unit"), "min");
    EXPECT_TRUE(child<QPushButton>("btnDSave_Start")->isEnabled());
    EXPECT_EQ(gDSaveFolder, "/data/log");
    ASSERT_EQ(link()->sprdStatus.maxRows(), 2);
    EXPECT_EQ(link()->sprdStatus.text(1, 1), "2");
    EXPECT_EQ(link()->sprdStatus.text(1, 2), "4");
    EXPECT_EQ(link()->sprdMonitoring.text(0, 1), "2");
    EXPECT_EQ(link()->sprdMonitoring.text(0, 2), "4");
    EXPECT_EQ(gMC_Name, QStringList({"Oven 2", "Oven 4"}));
}

TEST_F(Startup, ShortAndOddFiles) {
    struct Case {
        const char* comm;
        const char* save;
        const char* env;
        QString panel1, panel2;
        bool saveEnabled;
        std::vector<int> stations;
    };
    const Case cases[] = {
        // Five lines of Comm.CFG are not enough: all six fall back.
        {"COM3\r\n4800\r\nO\r\n8\r\n1\r\n",
         "Yes\r\n1\r\nsec\r\n",
         "O\tA\r\n",
         "COM1",
         "9600,N,8,1",
         false,
         {1}},
        // Lower-case "yes" does not enable saving; bare LF line ends are read too.
        {"COM2\n38400\nN\n8\n1\nSTD\n",
         "yes\n5\nsec\n/x\nK\n",
         "X\tA\nO\tB\n",
         "COM2",
         "38400,N,8,1",
         false,
         {2}},
        // Empty files; an SetEnv without any "O" leaves both tables empty.
        {"", "", "X\r\no\tlower\r\n O\tblank\r\nO \ttrailing\r\n", "COM1", "9600,N,8,1", false, {}},
        // An "O" line without a description is still in use; lines past 99 address nothing.
        {"COM4\r\n9600\r\nN\r\n8\r\n1\r\nSTD",
         "Yes\r\n3\r\nmin\r\n\r\nKX5\r\n",
         "O\r\n",
         "COM4",
         "9600,N,8,1",
         true,
         {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.comm);
        win.reset();
        resetDataImage();
        writeFile("Comm.CFG", c.comm);
        writeFile("CFG/SaveData.INI", c.save);
        writeFile("CFG/SetEnv.INI", c.env);
        open();
        EXPECT_EQ(panel(win.get(), 1), c.panel1);
        EXPECT_EQ(panel(win.get(), 2), c.panel2);
        EXPECT_EQ(child<QPushButton>("btnDSave_Start")->isEnabled(), c.saveEnabled);
        EXPECT_EQ(gMC_List, c.stations);
        EXPECT_EQ(link()->sprdStatus.maxRows(), static_cast<int>(c.stations.size()));
        EXPECT_EQ(link()->sprdMonitoring.maxRows(), static_cast<int>(c.stations.size()));
    }
}

TEST_F(Startup, StationBeyondLine99IsIgnored) {
    QByteArray all;
    for (int n = 1; n <= 100; ++n)
        all += (n == 100 || n == 7 ? "O\tx\r\n" : "X\tx\r\n");
    writeFile("CFG/SetEnv.INI", all);
    open();
    EXPECT_EQ(gMC_List, std::vector<int>{7});
}

TEST_F(Startup, MenusCaptionsAndSeparators) {
    open();
    struct Item {
        const char* name;
        const char* caption;
    };
    const Item items[] = {{"mSetMulti", "Use &MC Setting"},
                          {"mSetDSave", "&Data Save Setting"},
                          {"mSetPort", "&Port Setting"},
                          {"mSetPortOpen", "Port &Open"},
                          {"mSetExit", "Program &Quit"},
                          {"mOnlineMonitoring", "&Multi-Monitoring"},
                          {"mOnlinePrmt", "&Parameter Setting"},
                          {"mHelpAbout", "&About"},
                          {"mHelpHelp", "&Help"},
                          {"mHelpManual", "KX5 &Manual"},
                          {"mHelpGView", "&Graph Viewer"}};
    for (const Item& i : items) {
        auto* a = win->findChild<QAction*>(QString::fromLatin1(i.name));
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
    }
    for (const char* sep : {"mSetLine1", "mSetLine2", "mHelpLine1"}) {
        auto* a = win->findChild<QAction*>(QString::fromLatin1(sep));
        ASSERT_NE(a, nullptr) << sep;
        EXPECT_TRUE(a->isSeparator()) << sep;
    }
    QStringList menus;
    for (QAction* a : win->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"&Setup", "&Online", "&Help"}));
    const QStringList buttons = {
        "Use MC Setting",   "Data Save Setting", "Port Setting", "Port Open",
        "Multi-Monitoring", "Parameter Setting", "About",        "Help",
        "KX5 Manual",       "Graph Viewer"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(child<QPushButton>(QStringLiteral("btnMenu_%1").arg(i).toLatin1())->text(),
                  buttons[i]);
}

TEST_F(Startup, OnlineStateSwitchesCommandsDisplayAndRefresh) {
    open();
    // Commands whose windows have not been wired stay disabled in either state.
    for (int i : {0, 1, 2, 6, 7, 8, 9})
        EXPECT_FALSE(
            child<QPushButton>(QStringLiteral("btnMenu_%1").arg(i).toLatin1())->isEnabled());
    auto* multi = child<QPushButton>("btnMenu_4");
    auto* prmt = child<QPushButton>("btnMenu_5");
    auto* pic = child<QWidget>("picSingle");
    EXPECT_TRUE(child<QPushButton>("btnMenu_3")->isEnabled());
    EXPECT_FALSE(multi->isEnabled());
    EXPECT_FALSE(prmt->isEnabled());
    EXPECT_FALSE(win->findChild<QAction*>("mOnlineMonitoring")->isEnabled());
    EXPECT_FALSE(win->findChild<QAction*>("mOnlinePrmt")->isEnabled());
    EXPECT_TRUE(pic->isHidden());
    EXPECT_FALSE(win->tmrRefresh.isActive());

    win->SetOnlineState(true);
    EXPECT_TRUE(multi->isEnabled());
    EXPECT_TRUE(prmt->isEnabled());
    EXPECT_TRUE(win->findChild<QAction*>("mOnlinePrmt")->isEnabled());
    EXPECT_FALSE(pic->isHidden());
    EXPECT_TRUE(win->tmrRefresh.isActive());
    // Not built yet: the command says so instead of opening a stand-in.
    QTest::mouseClick(multi, Qt::LeftButton);
    EXPECT_TRUE(panel(win.get(), 4).contains("not available yet"));

    win->SetOnlineState(false);
    EXPECT_FALSE(multi->isEnabled());
    EXPECT_TRUE(pic->isHidden());
    EXPECT_FALSE(win->tmrRefresh.isActive());
}

TEST_F(Startup, WiredSettingsCommandsFollowUpOnlyWhenConfirmed) {
    open();
    int opened = 0;
    bool confirm = false;
    win->setCommandAction(2, [&](QWidget* parent) {
        EXPECT_EQ(parent, win.get());
        ++opened;
        if (confirm) applyCommCfg({"COM7", "4800", "E", "7", "2", "SUM"});
        return confirm;
    });
    auto* btn = child<QPushButton>("btnMenu_2");
    ASSERT_TRUE(btn->isEnabled());
    QTest::mouseClick(btn, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(panel(win.get(), 1), "COM1"); // cancelled: nothing changes

    confirm = true;
    win->findChild<QAction*>("mSetPort")->trigger();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(panel(win.get(), 1), "COM7");
    EXPECT_EQ(panel(win.get(), 2), "4800,E,7,2");
    EXPECT_EQ(panel(win.get(), 5), "SUM");

    // Port settings only while the port is closed.
    win->SetOnlineState(true);
    EXPECT_FALSE(btn->isEnabled());
    win->runCommand(2);
    EXPECT_EQ(opened, 2);

    win->setCommandAction(1, [](QWidget*) {
        applySaveDataCfg({"Yes", 5, "min", "/tmp", "X"});
        return true;
    });
    win->runCommand(1);
    EXPECT_EQ(text("lblDSave_Enable"), "Yes");
    EXPECT_EQ(text("lblDSave_Intv"), "5");
    EXPECT_EQ(text("lblDSave_Unit"), "min");
    EXPECT_TRUE(child<QPushButton>("btnDSave_Start")->isEnabled());

    win->SetOnlineState(false);
    win->setCommandAction(0, [](QWidget*) {
        gMC_No = 9;
        return true;
    });
    win->runCommand(0);
    EXPECT_EQ(text("lblMC_No"), "9");
}

TEST_F(Startup, StationClickSelectsOnlyConnectedStationsOnceLinked) {
    writeStations({3, 5, 8});
    open();
    auto click = [&](int row) { emit link()->sprdStatus.clicked(2, row); };
    gMC_OK[1] = true;
    click(2); // no station has answered since start
    EXPECT_EQ(gMC_No, 0);
    EXPECT_EQ(gReqStep, 0);

    gLinkUp = true;
    click(3); // MC 8 has not answered
    EXPECT_EQ(gMC_No, 0);
    click(0); // header row
    click(9); // beyond the table
    EXPECT_EQ(gMC_No, 0);

    win->mGrpCount = 7;
    click(2);
    EXPECT_EQ(gMC_SelIdx, 1);
    EXPECT_EQ(gMC_No, 5);
    EXPECT_EQ(text("lblMC_No"), "5");
    EXPECT_EQ(gReqStep, 21);
    EXPECT_EQ(win->mGrpCount, 0);
    EXPECT_EQ(win->chart()->pointCount(), TrendChart::kResetPoints);
}

TEST_F(Startup, ExitAskedAndNoKeepsEverything) {
    open();
    openPort();
    QStringList asked;
    setMsgBoxHandler(
        [&](const QString& title, const QString& text, QMessageBox::StandardButtons b) {
            asked << title << text;
            EXPECT_EQ(b, QMessageBox::Yes | QMessageBox::No);
            return QMessageBox::No;
        });
    EXPECT_FALSE(win->close());
    EXPECT_EQ(asked, QStringList({"Confirm", "Exit?"}));
    EXPECT_TRUE(port->isOpen());
    EXPECT_EQ(gComm, link()->port());
}

TEST_F(Startup, ExitYesClosesPort) {
    open();
    openPort();
    setMsgBoxHandler([](const QString&, const QString&, QMessageBox::StandardButtons) {
        return QMessageBox::Yes;
    });
    win->findChild<QAction*>("mSetExit")->trigger();
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(panel(win.get(), 3), "CLOSE");
}

TEST_F(Startup, PortCommandCaptionsFollowTheLink) {
    open();
    auto* btn = child<QPushButton>("btnMenu_3");
    auto* menu = win->findChild<QAction*>("mSetPortOpen");
    menu->trigger();
    EXPECT_TRUE(port->isOpen());
    EXPECT_EQ(btn->text(), "Port Close");
    EXPECT_EQ(menu->text(), "Port &Close");
    EXPECT_EQ(panel(win.get(), 3), "OPEN");
    EXPECT_EQ(panel(win.get(), 4), "Checking ... (Connect status)");
    // Before any controller answered, the close is immediate.
    QTest::mouseClick(btn, Qt::LeftButton);
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(btn->text(), "Port Open");
    EXPECT_EQ(menu->text(), "Port &Open");
    EXPECT_EQ(panel(win.get(), 3), "CLOSE");
}

TEST_F(Startup, OpenFailureLeavesCommandOfferingOpen) {
    open();
    port->failNextOpen("no such port");
    QTest::mouseClick(child<QPushButton>("btnMenu_3"), Qt::LeftButton);
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(child<QPushButton>("btnMenu_3")->text(), "Port Open");
    EXPECT_TRUE(panel(win.get(), 4).contains("no such port"));
}

TEST_F(Startup, SendAndReceiveLampsMirrorTheLink) {
    open();
    openPort();
    auto* send = win->findChild<Lamp*>("shpSend");
    auto* recv = win->findChild<Lamp*>("shpRecv");
    ASSERT_TRUE(send && recv);
    EXPECT_EQ(send->color(), kBlack);
    link()->tmrSend_Timer();
    EXPECT_EQ(send->color(), kRed);
    link()->tmrBall_Send_Timer();
    EXPECT_EQ(send->color(), kBlack);
    port->feed("\x02");
    EXPECT_EQ(recv->color(), kGreen);
    link()->tmrBall_Recv_Timer();
    EXPECT_EQ(recv->color(), kBlack);
}

// The program's own wiring: each settings command opens its window, and a cancelled window
// changes nothing in the main window.
TEST_F(Startup, InstalledCommandsOpenTheirWindows) {
    open();
    installCommands(win.get());
    const struct {
        int index;
        const char* dialogClass;
    } cases[] = {
        {0, "frmKX5_SetEnv"}, {1, "frmKX5_Set_DSave"}, {2, "frmKX5_SetPort"}, {6, "frmKX5_About"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        auto* btn = child<QPushButton>(QStringLiteral("btnMenu_%1").arg(c.index).toLatin1());
        ASSERT_TRUE(btn->isEnabled());
        QString opened;
        QTimer::singleShot(0, [&] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                opened = QString::fromLatin1(m->metaObject()->className());
                qobject_cast<QDialog*>(m)->reject();
            }
        });
        const QString panel1 = panel(win.get(), 1);
        btn->click();
        EXPECT_EQ(opened, c.dialogClass);
        EXPECT_EQ(panel(win.get(), 1), panel1);
    }
}

// Start-up, commands, station click and exit; parsing the settings files is tests/settings'.
#include "MainFixture.h"
#include "app/Commands.h"
#include "files/PortList.h"
#include "services/LineTexts.h"

#include <QAction>

class Startup : public MainFixture {
protected:
    QString panels() const {
        QStringList p;
        for (int i = 1; i <= 5; ++i)
            p << text(QStringLiteral("StatusBar1_Panel%1").arg(i));
        return p.join('|');
    }
    QAction* action(const char* name) const { return child<QAction>(name); }
};

// The window from its settings files or their defaults, its commands following the port state and
// following up only when confirmed, the port command and lamps mirroring the link, exit asked, and
// a station click selecting only answering stations once linked.
TEST_F(Startup, WindowFollowsItsSettingsAndThePortAndAsksBeforeExit) {
    open(); // no files: the defaults, one station, the likeliest real port of this machine
    EXPECT_EQ(text("lblDSave_Enable") + text("lblDSave_Intv") + text("lblDSave_Unit"), "No1sec");
    EXPECT_EQ(cell("sprdMonitoring", 0, 1), "1");
    for (int i : {0, 1, 2, 4, 5, 6, 7, 8, 9}) // not wired, or offline: disabled
        EXPECT_FALSE(child(QStringLiteral("btnMenu_%1").arg(i))->isEnabled()) << i;
    int opened = 0;
    win->setCommandAction(2, [&](QWidget* parent) {
        EXPECT_EQ(parent, win.get());
        if (++opened == 2)
            link()->setPortSettings(
                PortSettings::fromLines({"COM7", "4800", "E", "7", "2", "SUM"}));
        return opened == 2;
    });
    win->runCommand(2); // cancelled: nothing changes (the defaults)
    EXPECT_EQ(panels(), PortList::firstReal("COM1") + "|9600,N,8,1|||STD");
    action("mSetPort")->trigger();
    EXPECT_EQ(panels(), "COM7|4800,E,7,2|||SUM");
    press("btnMenu_3"); // open, the stations still being checked: the port is not changed
    for (const char* name : {"btnMenu_2", "mSetPort"})
        EXPECT_FALSE(child<QObject>(name)->property("enabled").toBool()) << name;
    win->runCommand(2);
    press("btnMenu_3");
    EXPECT_TRUE(child("btnMenu_2")->isEnabled());
    win->SetOnlineState(true);
    win->runCommand(2); // port settings only while the port is closed
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(action("mOnlinePrmt")->isEnabled());
    EXPECT_TRUE(child("picSingle")->isVisibleTo(win.get()) && win->tmrRefresh.isActive());
    win->SetOnlineState(false);
    EXPECT_FALSE(action("mOnlineMonitoring")->isEnabled() || win->tmrRefresh.isActive());
    installCommands(win.get());
    const std::pair<int, const char*> dialogs[] = {
        {0, "frmKX5_SetEnv"}, {1, "frmKX5_Set_DSave"}, {2, "frmKX5_SetPort"}, {6, "frmKX5_About"}};
    for (auto [index, dialog] : dialogs)
        EXPECT_EQ(opens(index), dialog);
    // The port command and lamps; exit.
    open();
    port->failNextOpen();
    press("btnMenu_3");
    EXPECT_EQ(child<QPushButton>("btnMenu_3")->text(), "Port Open");
    EXPECT_EQ(std::pair(status().note.kind, status().note.fault.kind),
              std::pair(LinkNote::Kind::CannotOpen, PortFault::Kind::NoSuchPort));
    action("mSetPortOpen")->trigger();
    EXPECT_EQ(child<QPushButton>("btnMenu_3")->text() + action("mSetPortOpen")->text(),
              "Port ClosePort &Close");
    link()->fire(LinkTimer::Send);
    EXPECT_EQ(child<Lamp>("shpSend")->color(), kRed);
    port->feed("\x02");
    EXPECT_EQ(child<Lamp>("shpRecv")->color(), kGreen);
    QStringList asked;
    auto answer = QMessageBox::No;
    setMsgBoxHandler(
        [&](const QString& title, const QString& text, QMessageBox::StandardButtons b) {
            asked << title << text;
            EXPECT_EQ(b, QMessageBox::Yes | QMessageBox::No);
            return answer;
        });
    EXPECT_FALSE(win->close());
    EXPECT_EQ(asked, QStringList({"Confirm", "Exit?"}));
    EXPECT_TRUE(port->isOpen());
    answer = QMessageBox::Yes;
    action("mSetExit")->trigger();
    EXPECT_FALSE(port->isOpen());
    EXPECT_TRUE(panels().contains("CLOSE"));
    // The settings files.
    writeFile("Comm.CFG", "/dev/ttyUSB0\r\n19200\r\nE\r\n7\r\n2\r\nSUM\r\n");
    writeFile("CFG/SaveData.INI", "Yes\r\n5\r\nmin\r\n/x\r\nOven\r\n");
    build({2, 4});
    EXPECT_EQ(panels(), "/dev/ttyUSB0|19200,E,7,2|||SUM");
    EXPECT_EQ(text("lblDSave_Enable") + text("lblDSave_Intv") + text("lblDSave_Unit"), "Yes5min");
    EXPECT_TRUE(child("btnDSave_Start")->isEnabled());
    ASSERT_EQ(child<QTableView>("sprdMonitoring")->model()->rowCount(), 2);
    EXPECT_EQ(cell("sprdStatus", StatusCol::MC_No, 2), "4");
    EXPECT_EQ(cell("sprdMonitoring", 0, 2), "4");
    EXPECT_TRUE(child("picSingle")->isHidden());
    // A file there but unusable is named in panel 4 and the events; a corrected value too.
    QFile::remove(path("Comm.CFG"));
    QDir().mkpath(path("Comm.CFG"));
    writeFile("CFG/SaveData.INI", "Yes\r\n0\r\nmin\r\n/x\r\nOven\r\n");
    build({2});
    const QString said = panels(); // the built-in port settings, both files named
    EXPECT_TRUE(said.startsWith("COM1|9600,N,8,1||") && said.endsWith("|STD") &&
                said.contains(path("CFG/SaveData.INI")) && said.contains(path("Comm.CFG")))
        << said.toStdString();
    EXPECT_EQ(text("lblDSave_Intv"), "1");
    EXPECT_EQ(win->eventLog()->entries().size(), 2u);
    // A station click selects only answering stations, once linked.
    build({3, 5, 8});
    auto click = [&](int row) { win->sprdStatus_Click(2, row); };
    press("btnMenu_3");
    link()->line().setModel(5, ControllerModel::KX5_105);
    click(2); // the stations are still being checked
    EXPECT_FALSE(link()->pendingRequest());
    build({3, 5, 8}, 2);
    win->trend()->mGrpCount = 7;
    for (int row : {3, 0, 9}) // MC 8 has not answered; header; beyond the table
        click(row);
    EXPECT_EQ(std::tuple(link()->selectedMcNo(), win->trend()->mGrpCount), std::tuple(3, 7));
    EXPECT_FALSE(link()->pendingRequest());
    click(2);
    EXPECT_EQ(std::tuple(link()->selectedMcNo(), win->trend()->mGrpCount), std::tuple(5, 0));
    EXPECT_TRUE(sent().startsWith("\x02"
                                  "05DRR,27,0001,0002,")); // its parameters are read
    EXPECT_EQ(text("lblMC_No"), "5");
}

// The notes whose words are fixed.
TEST(LinkWords, NotesOfTheLink) {
    using K = LinkNote::Kind;
    const struct {
        LinkNote note;
        const char* text;
    } rows[] = {
        {{.kind = K::Clear}, ""},
        {{.kind = K::Checking}, "Checking ... (Connect status)"},
        {{.kind = K::StationSilent, .mcNo = 12}, "MC [12] ==> NG"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(LinkWords::note(r.note), r.text) << r.text;
}

// The clock window's request, the shell launcher and the Help commands with F1; the settings
// windows: test_windows.cpp. The guide's own links are tests/app's.
#include "SettingsFixture.h"
#include "settings/frmKX5_SetDT.h"
#include "tests/support/RecordingSink.h"
#include "ui/GridView.h"
#include "ui/HelpGuide.h"
#include "ui/ShellOpen.h"

#include <QApplication>

class ClockShell : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        testSeams().clock = [this] { return now; };
        sink.mcNo = 5;
    }
    QDateTime now{QDate(2024, 2, 29), QTime(23, 59, 59)};
    RecordingSink sink;
};

// Opened, the window's grid has the focus but no editor open: one Esc closes it. Following the
// PC clock sends the moment shown and freezes when off.
TEST_F(ClockShell, OneEscapeClosesTheFreshWindowAndFollowingThePcClockSendsTheMomentShown) {
    frmKX5_SetDT w(&sink);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* grid = w.findChild<GridView*>("sprdDT");
    grid->clearFocus();
    grid->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(grid->currentIndex().isValid());
    EXPECT_EQ(grid->indexWidget(grid->currentIndex()), nullptr); // no editor open
    QTest::keyClick(w.focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    w.btnSameDT1_Click(); // on
    w.tmrDT_Timer();
    w.btnSet_Click();
    // Registers 520 to 525 of the selected station, written out here rather than taken from
    // the factory under test.
    const Request leap{121, 5, {520, 521, 522, 523, 524, 525}, {2024, 2, 29, 23, 59, 59}, {}};
    EXPECT_EQ(sink.requests, std::vector{leap});
    w.btnSameDT1_Click(); // off: the cells keep the last second copied
    now = QDateTime(QDate(2024, 3, 1), QTime(0, 0, 4));
    w.tmrDT_Timer();
    EXPECT_EQ(w.findChild<QLabel*>("lblDT")->text(), "2024-03-01 00:00:04");
    w.btnSet_Click();
    EXPECT_EQ(sink.requests, std::vector({leap, leap}));
    w.dateTimeGrid()->setText(1, 1, "2030-01-01"); // on again: typing is overwritten
    w.btnSameDT1_Click();
    w.tmrDT_Timer();
    EXPECT_EQ(w.dateTimeGrid()->text(1, 1), "2024-03-01");
    EXPECT_EQ(w.dateTimeGrid()->text(2, 1), "00:00:04");
}

// Opened, the cells hold a moment Set sends as it stands: the controller's clock as last read
// when it is one the cells take, else the PC's. Typed cells are sent only when both are valid
// and in range; Set never closes the window.
TEST_F(ClockShell, SetSendsTheClockOpenedOnOrTypedOnlyWhenValidInRange) {
    const QDateTime read(QDate(2031, 12, 31), QTime(0, 0, 1));
    const QDateTime zeros(QDate(0, 0, 0), QTime(0, 0)), late(QDate(2101, 1, 1), QTime(0, 0));
    const std::vector<int> pc = {2024, 2, 29, 23, 59, 59};
    // date, time: typed (nullptr: as opened); linkSays: the link refuses the request, which the
    // window says.
    const std::tuple<std::optional<QDateTime>, const char*, const char*, std::vector<int>,
                     const char*, const char*>
        rows[] = {
            {std::nullopt, nullptr, nullptr, pc, "", ""},
            {read, nullptr, nullptr, {2031, 12, 31, 0, 0, 1}, "", ""},
            {zeros, nullptr, nullptr, pc, "", ""},
            {late, nullptr, nullptr, pc, "", ""},
            {std::nullopt, "2031-12-31", "00:00:00", {2031, 12, 31, 0, 0, 0}, "", ""},
            {std::nullopt, "1990-01-01", "23:59:59", {1990, 1, 1, 23, 59, 59}, "", ""},
            {std::nullopt, "2024-2-9", "7:05:09", {2024, 2, 9, 7, 5, 9}, "", ""},
            {std::nullopt, "", "", {}, "date", ""},
            {std::nullopt, "1989-12-31", "12:00:00", {}, "1990-01-01", ""},
            {std::nullopt, "2101-01-01", "12:00:00", {}, "2100-12-31", ""},
            {std::nullopt, "2023-02-29", "12:00:00", {}, "date", ""},
            {std::nullopt, "2024-01-01", "24:00:00", {}, "time", ""},
            {std::nullopt, "2024-01-01", "12:00", {}, "time", ""},
            {std::nullopt, "2024-2-9", "7:05:09", {2024, 2, 9, 7, 5, 9}, "MC 5", "refused"},
        };
    for (const auto& [clock, date, time, sent, complaint, linkSays] : rows) {
        SCOPED_TRACE(date ? std::string(date) + " " + time : "as opened");
        said.clear();
        sink.requests.clear();
        sink.refusal = *linkSays ? Refusal::NotAnswered : Refusal::None;
        frmKX5_SetDT w(&sink, nullptr, clock);
        w.show();
        if (date) {
            w.dateTimeGrid()->setText(1, 1, date);
            w.dateTimeGrid()->setText(2, 1, time);
        }
        w.btnSet_Click();
        std::vector<Request> asked;
        if (!sent.empty()) asked.push_back(Request::clock(5, sent));
        EXPECT_EQ(sink.requests, asked);
        EXPECT_EQ(said.size(), sent.empty() || *linkSays ? 1 : 0);
        EXPECT_TRUE(said.value(0).contains(complaint)); // nothing sent: say what is wrong
        EXPECT_TRUE(w.isVisible());                     // Set never closes the window
    }
}

TEST_F(ClockShell, FilesOpenWithTheRegisteredProgramOrAChoiceAndHelpOpensTheHelpFileOrGuide) {
    write("KX5.pdf", "%PDF");
    // A document with the execute bit is still only opened, never run.
    QFile::setPermissions(path("KX5.pdf"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    write("KX5_Graph", "#!/bin/sh\n");
    QFile::setPermissions(path("KX5_Graph"), QFile::ReadOwner | QFile::ExeOwner);
    const QString pdf = path("KX5.pdf"), chm = path("Help/KX5.chm");
    // The desktop calls made, in order: open <file>, choose <file>, start <program> <args>.
    // clang-format off
    const std::tuple<QString, bool, QString, bool, QString> rows[] = {
        {pdf, true, "", true, "open " + pdf},
        {pdf, false, "/bin/viewer", true, "open " + pdf + ";choose " + pdf + ";start /bin/viewer " + pdf},
        {chm, true, "/bin/viewer", true, "choose " + chm + ";start /bin/viewer " + chm},
        {chm, true, "", true, "choose " + chm},                                // choice cancelled
        {path("Old/KX5_Graph.exe"), true, "", true, "choose " + path("Old/KX5_Graph")},
        {pdf, false, "/bin/broken", false, "open " + pdf + ";choose " + pdf + ";start /bin/broken " + pdf},
    };
    // clang-format on
    for (const auto& [asked, openWorks, chosen, startWorks, want] : rows) {
        SCOPED_TRACE(want.toStdString());
        QStringList calls;
        testSeams().openUrl = [&](const QUrl& u) {
            calls << "open " + u.toLocalFile();
            return openWorks;
        };
        testSeams().chooseProgram = [&](const QString& f) {
            calls << "choose " + f;
            return chosen;
        };
        testSeams().startDetached = [&](const QString& p, const QStringList& a, const QString& d) {
            EXPECT_EQ(d, dir.path()); // programs start in the program folder
            calls << (QStringList{"start " + p} + a).join(' ');
            return startWorks;
        };
        said.clear();
        ShellOpen(asked);
        EXPECT_EQ(calls.join(';'), want);
        // A chosen program that does not start is reported.
        EXPECT_EQ(said.size(), startWorks ? 0 : 1);
    }

    // Help and F1 open the help file when the program folder has one, else our guide at the
    // page of the window; a missing manual is said where to put, never offered to a program.
    QStringList opened;
    testSeams().openUrl = [&](const QUrl& u) {
        opened << u.toLocalFile();
        return true;
    };
    testSeams().chooseProgram = [&](const QString& f) {
        opened << "choose " + f;
        return QString();
    };
    std::unique_ptr<QObject> f1(installHelpKey(qApp, openHelp));
    frmKX5_SetPort port;
    frmKX5_SetDT clock(&sink);
    const QString guide = QCoreApplication::applicationDirPath() + "/guide/";
    const auto f1In = [](QWidget* w) { return [w] { QTest::keyClick(w, Qt::Key_F1); }; };
    const std::tuple<const char*, std::function<void()>, QString> helpRows[] = {
        {nullptr, f1In(&port), guide + "port-setting.html"},
        {nullptr, f1In(&clock), guide + "clock.html"},
        {nullptr, [] { openHelp(guidePage(nullptr)); }, guide + "index.html"},
        {"Help/KX5.chm", f1In(&port), chm},
        {nullptr, openManual, ""}, // missing: the message says where it belongs
        {"KX5.pdf", openManual, pdf},
    };
    for (const auto& [present, act, want] : helpRows) {
        SCOPED_TRACE(want.toStdString());
        QFile::remove(chm);
        QFile::remove(pdf);
        if (present) write(present, "x");
        opened.clear();
        said.clear();
        act();
        EXPECT_EQ(opened.join(';'), want);
        EXPECT_EQ(said.size(), want.isEmpty() ? 1 : 0);
        EXPECT_TRUE(!want.isEmpty() || said.value(0).contains(QDir::toNativeSeparators(pdf)));
    }
    // The desktop's own xdg-open takes the file and fails later, nothing being installed for
    // its type: the manual is offered to a program of the user's choice, and Help says so.
    write("bin/xdg-open", "#!/bin/sh\nexit 3\n");
    QFile::setPermissions(path("bin/xdg-open"), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray searched = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(path("bin")) + ':' + searched);
    testSeams().openUrl = nullptr;
    opened.clear();
    said.clear();
    openManual();
    openGuide();
    // QTRY_ macros only return on failure outside QTest: wait, then let GoogleTest judge.
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened.size() + said.size() == 2; }, 5000));
    qputenv("PATH", searched);
    EXPECT_EQ(opened.value(0), "choose " + pdf);
}

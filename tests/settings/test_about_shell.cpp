#include "SettingsFixture.h"
#include "settings/frmKX5_About.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

struct Started {
    QString program;
    QStringList args;
    QString workDir;
};

} // namespace

class Shell : public SettingsFixture {
protected:
    // Records every desktop call; opening and starting succeed unless told otherwise.
    void hook(bool openWorks, QString chosen, bool startWorks = true) {
        setShellHooks({[=, this](const QUrl& u) {
                           opened << u;
                           return openWorks;
                       },
                       [=, this](const QString& file) {
                           offered << file;
                           return chosen;
                       },
                       [=, this](const QString& p, const QStringList& a, const QString& d) {
                           started.push_back({p, a, d});
                           return startWorks;
                       }});
    }
    QList<QUrl> opened;
    QStringList offered;
    std::vector<Started> started;
};

TEST_F(Shell, DocumentsOpenWithTheRegisteredProgramOrFallBackToAChoice) {
    write("KX5.pdf", "%PDF");
    const QString pdf = path("KX5.pdf"), chm = path("Help/KX5.chm");
    struct Row {
        const char* what;
        QString file;
        bool openWorks;
        QString chosen;
        int opens;
        bool offeredChoice;
        bool startsChosen;
    };
    const Row rows[] = {
        {"registered program", pdf, true, "/usr/bin/viewer", 1, false, false},
        {"no program registered", pdf, false, "/usr/bin/viewer", 1, true, true},
        {"missing file", chm, true, "/usr/bin/viewer", 0, true, true},
        {"choice cancelled", chm, true, "", 0, true, false},
    };
    for (const Row& r : rows) {
        opened.clear();
        offered.clear();
        started.clear();
        hook(r.openWorks, r.chosen);
        ShellOpen(r.file);
        EXPECT_EQ(opened.size(), r.opens) << r.what;
        if (r.opens) {
            EXPECT_EQ(opened[0], QUrl::fromLocalFile(r.file)) << r.what;
        }
        EXPECT_EQ(offered, r.offeredChoice ? QStringList({r.file}) : QStringList()) << r.what;
        ASSERT_EQ(started.size(), r.startsChosen ? 1u : 0u) << r.what;
        if (r.startsChosen) {
            EXPECT_EQ(started[0].program, r.chosen);
            EXPECT_EQ(started[0].args, QStringList({r.file}));
            EXPECT_EQ(started[0].workDir, dir.path());
        }
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Shell, GraphViewerStartsInTheProgramFolder) {
    write("KX5_Graph", "#!/bin/sh\n");
    QFile(path("KX5_Graph")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    hook(true, "/usr/bin/never");
    // The main window names the Windows program; the same program here has no ".exe".
    ShellOpen(dir.path() + "/KX5_Graph.exe");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, path("KX5_Graph"));
    EXPECT_TRUE(started[0].args.isEmpty());
    EXPECT_EQ(started[0].workDir, dir.path());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_EQ(graphViewerPath(), path("KX5_Graph"));
}

TEST_F(Shell, AChosenProgramThatWillNotStartIsReported) {
    hook(false, "/usr/bin/broken", false);
    ShellOpen(path("KX5.pdf"));
    ASSERT_EQ(started.size(), 1u);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("broken")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("KX5.pdf")) << messages[0].toStdString();
}

TEST_F(Shell, AboutShowsNameVersionAndOpensTheHomePage) {
    hook(true, QString());
    QCoreApplication::setApplicationVersion(QString());
    {
        frmKX5_About w;
        EXPECT_EQ(w.windowTitle(), "About");
        EXPECT_EQ(w.findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
        EXPECT_FALSE(w.findChild<QLabel*>("Image1")->pixmap().isNull());
        auto* link = w.findChild<QLabel*>("lblHomePage");
        EXPECT_TRUE(link->text().contains(kHomePage));
        emit link->linkActivated(kHomePage);
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened[0], QUrl(kHomePage));
        EXPECT_TRUE(offered.isEmpty()); // a home page has no fallback
        w.show();
        QTest::mouseClick(w.findChild<QPushButton*>("btnClose"), Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
    }
    QCoreApplication::setApplicationVersion("2.3.4");
    frmKX5_About w;
    EXPECT_EQ(w.findChild<QLabel*>("lblVersion")->text(), "Version 2.3.4");
    QCoreApplication::setApplicationVersion(QString());
}

// The main window's "Graph Viewer" command finds the viewer beside the program, and the
// program folder falls back to the user's own (with links to the viewer) when it cannot be
// written. The viewer itself is tested in the other files of this folder.
#include "settings/ConfigFiles.h"
#include "settings/ShellOpen.h"
#include "ui/TestSeams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(GraphViewerCommand, StartsOurViewerFromTheProgramFolder) {
    QString program, workDir;
    QStringList args;
    testSeams().startDetached = [&](const QString& p, const QStringList& a, const QString& w) {
        program = p;
        args = a;
        workDir = w;
        return true;
    };
    bool asked = false;
    testSeams().chooseProgram = [&](const QString&) {
        asked = true;
        return QString();
    };
    ShellOpen(programDir() + QStringLiteral("/KX5_Graph.exe"));
    resetTestSeams();
    EXPECT_FALSE(asked);
    EXPECT_EQ(program, QCoreApplication::applicationDirPath() + QStringLiteral("/KX5_Graph"));
    EXPECT_TRUE(args.isEmpty());
    EXPECT_EQ(workDir, QCoreApplication::applicationDirPath());
    const QFileInfo target(QFileInfo(program).canonicalFilePath());
    EXPECT_EQ(target.fileName(), QStringLiteral("kx5graph"));
    EXPECT_TRUE(target.isExecutable());
}

TEST(ProgramFolder, FallsBackToTheUsersFolderWhenTheProgramsCannotBeWritten) {
    QTemporaryDir tmp;
    const QString exeDir = tmp.filePath(QStringLiteral("bin"));
    const QString user = tmp.filePath(QStringLiteral("home/.local/share/kx5comm"));
    ASSERT_TRUE(QDir().mkpath(exeDir));
    bool usedUser = true, created = true;
    EXPECT_EQ(chooseProgramDir(exeDir, user, &usedUser, &created), exeDir);
    EXPECT_FALSE(usedUser);
    EXPECT_FALSE(created);
    EXPECT_FALSE(QFileInfo::exists(user));
    // A folder nobody can write in, even root: a path through a plain file.
    QFile plain(tmp.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString blocked = plain.fileName() + QStringLiteral("/bin");
    EXPECT_EQ(chooseProgramDir(blocked, user, &usedUser, &created), user);
    EXPECT_TRUE(usedUser);
    EXPECT_TRUE(created);
    EXPECT_TRUE(QFileInfo(user).isDir());
    // Said once: the second start finds the folder there.
    EXPECT_EQ(chooseProgramDir(blocked, user, &usedUser, &created), user);
    EXPECT_TRUE(usedUser);
    EXPECT_FALSE(created);
}

TEST(ProgramFolder, TheUsersFolderLinksTheViewerAndTheManualOnce) {
    QTemporaryDir tmp;
    const QString exeDir = tmp.filePath(QStringLiteral("bin"));
    const QString user = tmp.filePath(QStringLiteral("user"));
    ASSERT_TRUE(QDir().mkpath(exeDir + QStringLiteral("/Help")));
    ASSERT_TRUE(QDir().mkpath(user));
    ASSERT_TRUE(QFile::link(QCoreApplication::applicationDirPath() + QStringLiteral("/kx5graph"),
                            exeDir + QStringLiteral("/KX5_Graph")));
    QFile own(user + QStringLiteral("/KX5.pdf"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("the user's own");
    own.close();
    QFile pdf(exeDir + QStringLiteral("/KX5.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.close();
    EXPECT_EQ(linkCompanions(exeDir, user), 2); // KX5_Graph and Help; KX5.pdf is the user's
    EXPECT_EQ(linkCompanions(exeDir, user), 0);
    EXPECT_EQ(QFileInfo(user + QStringLiteral("/KX5_Graph")).canonicalFilePath(),
              QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/kx5graph"))
                  .canonicalFilePath());
    EXPECT_TRUE(QFileInfo(user + QStringLiteral("/Help")).isDir());
    EXPECT_FALSE(QFileInfo(user + QStringLiteral("/KX5.pdf")).isSymLink());
    // The Graph Viewer command, with the user's folder as the program folder, starts the viewer.
    QString program;
    testSeams().startDetached = [&](const QString& p, const QStringList&, const QString&) {
        program = p;
        return true;
    };
    setProgramDir(user);
    ShellOpen(programDir() + QStringLiteral("/KX5_Graph.exe"));
    resetTestSeams();
    EXPECT_EQ(program, user + QStringLiteral("/KX5_Graph"));
}

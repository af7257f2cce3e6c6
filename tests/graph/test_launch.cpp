// The main window's "Graph Viewer" command finds the viewer beside the program, and the
// program folder falls back to the user's own (with links to the viewer) when it cannot be
// written. The viewer itself is tested in the other files of this folder.
#include "files/ConfigFiles.h"
#include "tests/support/TestFiles.h"
#include "ui/ShellOpen.h"
#include "ui/TestSeams.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

// What the "Graph Viewer" command starts from `folder` (by default the program's own): "program |
// arguments | working folder".
QString graphViewerCommand(const QString& folder) {
    QString started = QStringLiteral("nothing");
    testSeams().startDetached = [&](const QString& p, const QStringList& a, const QString& w) {
        started = p + " | " + a.join(' ') + " | " + w;
        return true;
    };
    testSeams().chooseProgram = [&](const QString&) {
        started = "asked";
        return QString();
    };
    if (!folder.isEmpty()) setProgramDir(folder);
    ShellOpen(programDir() + QStringLiteral("/KX5_Graph.exe"));
    resetTestSeams();
    return started;
}

} // namespace

TEST(GraphViewerCommand, StartsOurViewerFromTheProgramFolderOrTheUsersLinksToIt) {
    const QString app = QCoreApplication::applicationDirPath();
    EXPECT_EQ(graphViewerCommand(QString()), app + "/KX5_Graph |  | " + app);
    const QFileInfo target(QFileInfo(app + QStringLiteral("/KX5_Graph")).canonicalFilePath());
    EXPECT_EQ(target.fileName(), QStringLiteral("kx5graph"));
    EXPECT_TRUE(target.isExecutable());
    // The user's folder links the viewer and the manual once, never over the user's own file.
    QTemporaryDir tmp;
    const QString exeDir = tmp.filePath(QStringLiteral("bin")), user = tmp.filePath("user");
    ASSERT_TRUE(QDir().mkpath(exeDir + QStringLiteral("/Help")) && QDir().mkpath(user));
    ASSERT_TRUE(QFile::link(app + QStringLiteral("/kx5graph"), exeDir + "/KX5_Graph"));
    writeWhole(user + "/KX5.pdf", "the user's own");
    writeWhole(exeDir + "/KX5.pdf", {});
    EXPECT_EQ(linkCompanions(exeDir, user), 2);
    EXPECT_EQ(linkCompanions(exeDir, user), 0);
    EXPECT_EQ(QFileInfo(user + "/KX5_Graph").canonicalFilePath(), target.filePath());
    EXPECT_TRUE(QFileInfo(user + QStringLiteral("/Help")).isDir());
    EXPECT_FALSE(QFileInfo(user + QStringLiteral("/KX5.pdf")).isSymLink());
    EXPECT_TRUE(graphViewerCommand(user).startsWith(user + "/KX5_Graph | "));
}

TEST(ProgramFolder, FallsBackToTheUsersFolderWhenTheProgramsCannotBeWritten) {
    QTemporaryDir tmp;
    const QString exeDir = tmp.filePath(QStringLiteral("bin"));
    const QString user = tmp.filePath(QStringLiteral("home/.local/share/kx5comm"));
    // A folder nobody can write in, even root: a path through a plain file.
    const QString blocked = tmp.filePath(QStringLiteral("plain/bin"));
    ASSERT_TRUE(QDir().mkpath(exeDir));
    writeWhole(tmp.filePath(QStringLiteral("plain")), {});
    // What the program folder comes out as, and whether the user's was used and created; the
    // flags start out opposite to what is expected so each must be set.
    auto choose = [&](const QString& exe, bool init) {
        bool usedUser = init, created = init;
        const QString dir = chooseProgramDir(exe, user, &usedUser, &created);
        return (dir + (usedUser ? " user" : "") + (created ? " created" : "")).toStdString();
    };
    EXPECT_EQ(choose(exeDir, true), exeDir.toStdString());
    EXPECT_FALSE(QFileInfo::exists(user));
    EXPECT_EQ(choose(blocked, false), (user + " user created").toStdString());
    EXPECT_TRUE(QFileInfo(user).isDir());
    // Said once: the second start finds the folder there.
    EXPECT_EQ(choose(blocked, true), (user + " user").toStdString());
}

// The main window's "Graph Viewer" command finds the viewer the build put beside the program
// and starts it there. The viewer itself is tested in the other files of this folder.
#include "settings/ConfigFiles.h"
#include "settings/ShellOpen.h"
#include "ui/TestSeams.h"

#include <QCoreApplication>
#include <QFileInfo>
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

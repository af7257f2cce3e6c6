#include "graph/GraphWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kx5graph"));
    QApplication::setApplicationVersion(QStringLiteral(KX5_VERSION));
    QCommandLineParser cli;
    cli.setApplicationDescription(
        QStringLiteral("KX5 Graph: SV, PV and MV of KX5 data files (.DAT) over time.\n"
                       "Without files it opens the data files of the data-save settings in the "
                       "working folder (CFG/SaveData.INI)."));
    cli.addHelpOption();
    cli.addVersionOption();
    const QCommandLineOption follow(QStringLiteral("follow"),
                                    QStringLiteral("Follow the files as they grow."));
    cli.addOption(follow);
    cli.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Data files to open."),
                              QStringLiteral("[files...]"));
    cli.process(app);

    GraphWindow w;
    w.show();
    const QStringList files = cli.positionalArguments();
    if (files.isEmpty()) {
        // Started by the "Graph Viewer" command: the logs being written, followed live.
        w.setLogSource(QDir::currentPath());
        w.setFollow(true);
    } else {
        w.openFiles(files);
        if (cli.isSet(follow)) w.setFollow(true);
    }
    return QApplication::exec();
}

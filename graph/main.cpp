#include "graph/GraphWindow.h"
#include "ui/DesktopIdentity.h"
#include "ui/HelpGuide.h"
#include "ui/Language.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

namespace {

void describe(QCommandLineParser* cli) {
    cli->setApplicationDescription(
        QStringLiteral("KX5 Graph: SV, PV and MV of KX5 data files (.DAT) over time.\n"
                       "Without files it opens and follows the data files of the data-save "
                       "settings in the working folder (CFG/SaveData.INI)."));
    cli->addHelpOption();
    cli->addVersionOption();
    cli->addOption({QStringLiteral("follow"), QStringLiteral("Follow the files as they grow.")});
    cli->addPositionalArgument(QStringLiteral("files"), QStringLiteral("Data files to open."),
                               QStringLiteral("[files...]"));
}

} // namespace

int main(int argc, char** argv) {
    // Help and version are answered before the window system is needed, so they work
    // without a display.
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "-h" || a == "--help" || a == "-v" || a == "--version") {
            QCommandLineParser cli;
            describe(&cli);
            QString text =
                a.contains('v') ? QStringLiteral("kx5graph " KX5_VERSION "\n") : cli.helpText();
            text.replace(QStringLiteral("<executable_name>"), QStringLiteral("kx5graph"));
            std::printf("%s", qPrintable(text));
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kx5graph"));
    QApplication::setApplicationVersion(QStringLiteral(KX5_VERSION));
    setDesktopIdentity(QStringLiteral("org.kx5link.kx5graph"));
    installTranslations(&app);
    QCommandLineParser cli;
    describe(&cli);
    cli.process(app);
    installHelpKey(&app); // F1 in the viewer's dialogs too

    GraphWindow w;
    w.show();
    const QStringList files = cli.positionalArguments();
    if (files.isEmpty()) {
        // Started by the "Graph Viewer" command: the logs being written, followed live.
        w.setLogSource(QDir::currentPath());
        w.setFollow(true);
    } else {
        w.openFiles(files);
        if (cli.isSet(QStringLiteral("follow"))) w.setFollow(true);
    }
    return QApplication::exec();
}

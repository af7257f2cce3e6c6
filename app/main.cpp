#include "app/Commands.h"
#include "app/StartOptions.h"
#include "monitor/frmKX5_Main.h"
#include "settings/ConfigFiles.h"
#include "settings/Version.h"
#include "ui/DesktopIdentity.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A data file that reaches a file-size limit fails its write like a full disk does,
    // instead of the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kx5comm"));
    QApplication::setApplicationVersion(QLatin1String(kVersion));
    setDesktopIdentity(QStringLiteral("org.kx5link.kx5comm"));

    QList<QByteArray> raw; // argv without the options Qt has taken, matching arguments()
    for (int i = 0; i < argc; ++i)
        raw << QByteArray(argv[i]);
    const StartOptions options = parseStartOptions(QApplication::arguments(), raw);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "kx5comm: %s\n%s", qPrintable(options.error),
                     qPrintable(options.helpText));
        return 2;
    }
    if (options.help || options.version) {
        std::printf("%s", options.help ? qPrintable(options.helpText)
                                       : qPrintable(QStringLiteral("kx5comm %1\n").arg(kVersion)));
        return 0;
    }
    if (!options.dir.isEmpty()) {
        const QString path = QDir(options.dir).absolutePath();
        if (!QDir().mkpath(path)) {
            std::fprintf(stderr, "kx5comm: cannot use %s as the program folder\n",
                         qPrintable(path));
            return 2;
        }
        setProgramDir(path);
        linkCompanions(QCoreApplication::applicationDirPath(), path);
    }
    bool usedUser = false, created = false;
    if (options.dir.isEmpty())
        setProgramDir(chooseProgramDir(QCoreApplication::applicationDirPath(), userProgramDir(),
                                       &usedUser, &created));

    frmKX5_Main w;
    installCommands(&w);
    w.show();
    if (created) {
        // Said once, when the folder is made; not modal, so an unattended start goes on.
        auto* box = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Program Folder"),
            QStringLiteral("%1 cannot be written, so the settings, data files and traces are "
                           "kept in %2.\nStart the program with --dir PATH to use another folder.")
                .arg(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()),
                     QDir::toNativeSeparators(programDir())),
            QMessageBox::Ok, &w);
        box->setObjectName(QStringLiteral("msgProgramFolder"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    const QString problems = applyStartOptions(&w, options);
    if (!problems.isEmpty()) std::fprintf(stderr, "kx5comm: %s\n", qPrintable(problems));
    return QApplication::exec();
}

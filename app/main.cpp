#include "app/Commands.h"
#include "app/LineServices.h"
#include "app/ServiceMain.h"
#include "app/StartOptions.h"
#include "files/ConfigFiles.h"
#include "files/FolderLock.h"
#include "files/Version.h"
#include "monitor/frmKX5_Main.h"
#include "ui/DesktopIdentity.h"
#include "ui/HelpGuide.h"
#include "ui/Language.h"
#include "ui/ShellOpen.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <cstdio>
#include <cstring>

namespace {

// On X11 and Wayland desktops a window needs one of them; a platform named by the
// environment or the command line (offscreen, vnc, ...) needs neither.
bool noDisplay(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0) return false;
    return qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return false;
#endif
}

} // namespace

int main(int argc, char** argv) {
    ignoreWriteSignals();
    // Decided before any application object exists: the windowed one would want a display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--headless") == 0) return runService(argc, argv, "kx5comm");

    const bool headless = noDisplay(argc, argv);
    if (headless || wantsTextOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("kx5comm"));
        QCoreApplication::setApplicationVersion(QLatin1String(kVersion));
        const int rc = printStartText(parseStartOptions(QCoreApplication::arguments()));
        if (rc >= 0) return rc;
        // Said plainly rather than by the window system's abort.
        if (headless) {
            std::fprintf(stderr, "kx5comm: no display to show the window on (DISPLAY and "
                                 "WAYLAND_DISPLAY are empty). Start it from a desktop session, "
                                 "over 'ssh -X', or under xvfb-run; or run it without windows "
                                 "with --headless.\n");
            return 2;
        }
        // "--help" was the value of an option (a folder named so): the program itself runs.
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kx5comm"));
    QApplication::setApplicationVersion(QLatin1String(kVersion));
    setDesktopIdentity(QStringLiteral("org.kx5link.kx5comm"));
    installTranslations(&app);

    QList<QByteArray> raw; // argv without the options Qt has taken, matching arguments()
    for (int i = 0; i < argc; ++i)
        raw << QByteArray(argv[i]);
    const StartOptions options = parseStartOptions(QApplication::arguments(), raw);
    if (const int rc = printStartText(options); rc >= 0) return rc;
    // F1 in any window: the help file when the program folder has one, else our guide.
    installHelpKey(&app, openHelp);
    bool created = false;
    if (!setUpProgramDir(options, &created)) return 2;

    const StartSettings settings = loadStartSettings();
    FolderLocks locks;
    if (const FileNotice busy = lockFolders(&locks, settings.dataSave.folder); !busy.isEmpty()) {
        QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("main", "Folder in Use"),
                        busy.shown, QMessageBox::Ok);
        box.setObjectName(QStringLiteral("msgFolderInUse"));
        box.exec();
        return 1;
    }
    LineServices line; // outlives the window, which shows it
    frmKX5_Main w(line.parts(), settings);
    installCommands(&w, &locks);
    keepLocks(&w, &locks, &line);
    installGateway(&w, line.gateway(), settings.gateway, options);
    w.show();
    if (created) {
        // Said once, when the folder is made; not modal, so an unattended start goes on.
        auto* box = new QMessageBox(
            QMessageBox::Information, QCoreApplication::translate("main", "Program Folder"),
            QCoreApplication::translate(
                "main", "%1 cannot be written, so the settings, data files and traces are "
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

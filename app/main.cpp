#include "app/Commands.h"
#include "app/Headless.h"
#include "app/LineServices.h"
#include "app/ServiceOutput.h"
#include "app/StartOptions.h"
#include "files/ConfigFiles.h"
#include "files/FolderLock.h"
#include "files/Version.h"
#include "monitor/frmKX5_Main.h"
#include "services/DataLogger.h"
#include "services/EventLog.h"
#include "settings/ShellOpen.h"
#include "ui/DesktopIdentity.h"
#include "ui/HelpGuide.h"
#include "ui/Language.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// The texts a command line can ask for, printed without a window system, so that --help and
// --version work with no display. -1 when the arguments ask for the program itself.
int printText(const StartOptions& options) {
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
    return -1;
}

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

// Set by SIGTERM, SIGINT or SIGHUP (the terminal or the session gone); a timer on the event loop
// notices it and ends the run cleanly.
volatile std::sig_atomic_t g_stopRequested = 0;
extern "C" void requestStop(int) {
    g_stopRequested = 1;
}

// The program folder from --dir, or the one chosen beside the program or for the user; false
// (said on standard error) when --dir cannot be used.
bool setUpProgramDir(const StartOptions& options, bool* created) {
    if (options.dir.isEmpty()) {
        bool usedUser = false;
        setProgramDir(chooseProgramDir(QCoreApplication::applicationDirPath(), userProgramDir(),
                                       &usedUser, created));
        return true;
    }
    const QString path = QDir(options.dir).absolutePath();
    if (!QDir().mkpath(path)) {
        std::fprintf(stderr, "kx5comm: cannot use %s as the program folder\n", qPrintable(path));
        return false;
    }
    setProgramDir(path);
    linkCompanions(QCoreApplication::applicationDirPath(), path);
    return true;
}

// The program folder and the data folder are this program's alone; when another one holds
// either, the reason goes to standard error and is returned.
FileNotice lockFolders(FolderLocks* locks, const QString& dataFolder) {
    const FileNotice busy = locks->lock({programDir(), dataFolder});
    if (!busy.isEmpty()) std::fprintf(stderr, "kx5comm: %s\n", qPrintable(busy.logged));
    return busy;
}

// A held folder that is removed and made again gets its lock back within seconds; when another
// program took it meanwhile, the events say so and data saving stops, as it does for a
// folder chosen while another program holds it: two programs never write the same files.
void keepLocks(QObject* owner, FolderLocks* locks, LineServices* line) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, owner, [locks, line] {
        const FileNotice lost = locks->retake();
        if (lost.isEmpty()) return;
        line->events()->add(0, lost);
        line->logger()->setRunning(false);
    });
    timer->start(2000);
}

// kx5comm --headless: no window and no display, so a QCoreApplication, which never asks for X
// or Wayland.
int runHeadless(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kx5comm"));
    QCoreApplication::setApplicationVersion(QLatin1String(kVersion));
    QList<QByteArray> raw;
    for (int i = 0; i < argc; ++i)
        raw << QByteArray(argv[i]);
    const StartOptions options = parseStartOptions(QCoreApplication::arguments(), raw);
    if (const int rc = printText(options); rc >= 0) return rc;
    bool created = false;
    if (!setUpProgramDir(options, &created)) return 2;
    if (created)
        std::fprintf(stderr,
                     "kx5comm: %s cannot be written, so the settings and data are kept "
                     "in %s\n",
                     qPrintable(QCoreApplication::applicationDirPath()), qPrintable(programDir()));
    if (const QString p = gatewayStartProblem(options); !p.isEmpty()) {
        std::fprintf(stderr, "kx5comm: the Modbus TCP gateway cannot run: %s\n", qPrintable(p));
        return 2;
    }
    FolderLocks locks;
    // The run reads the settings again, and says what was wrong with them.
    if (!lockFolders(&locks, LoadSaveDataCfg().folder).isEmpty()) return 1;
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    std::signal(SIGHUP, requestStop);

    // From here on standard error never holds the run up, whoever reads it or not.
    ServiceOutput out(2); // standard error
    out.takeQtMessages();
    LineServices line;
    Headless run(&line, &out);
    const QString problems = run.start(options);
    if (!problems.isEmpty()) out.line(QStringLiteral("kx5comm: ") + problems);
    keepLocks(&app, &locks, &line);
    QObject::connect(&run, &Headless::portGivenUp, &app, [&](int status) {
        run.stop();
        QCoreApplication::exit(status);
    });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (!g_stopRequested) return;
        watch.stop();
        run.stop();
        QCoreApplication::quit();
    });
    watch.start(200);
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A reader of standard error that has gone makes a write fail, not the program end with
    // the folders still locked and the data file's record half written.
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef SIGXFSZ
    // A data file that reaches a file-size limit fails its write like a full disk does,
    // instead of the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Decided before any application object exists: the windowed one would want a display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--headless") == 0) return runHeadless(argc, argv);

    const bool headless = noDisplay(argc, argv);
    if (headless || wantsTextOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("kx5comm"));
        QCoreApplication::setApplicationVersion(QLatin1String(kVersion));
        const int rc = printText(parseStartOptions(QCoreApplication::arguments()));
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
    if (const int rc = printText(options); rc >= 0) return rc;
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

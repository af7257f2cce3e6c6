#include "app/ServiceMain.h"

#include "app/Headless.h"
#include "app/LineServices.h"
#include "app/ServiceOutput.h"
#include "app/StartOptions.h"
#include "files/ConfigFiles.h"
#include "files/FolderLock.h"
#include "files/Version.h"
#include "link/KX5Link.h"
#include "services/DataLogger.h"
#include "services/EventLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace {

// Set by SIGTERM, SIGINT or SIGHUP (the terminal or the session gone); a timer on the event loop
// notices it and ends the run cleanly.
volatile std::sig_atomic_t g_stopRequested = 0;
extern "C" void requestStop(int) {
    g_stopRequested = 1;
}

// "kx5comm: " or "kx5service: ", before what is said on standard error.
QByteArray said(const QString& text) {
    return (QCoreApplication::applicationName() + QStringLiteral(": ") + text).toLocal8Bit();
}

} // namespace

void ignoreWriteSignals() {
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

int printStartText(const StartOptions& options) {
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n%s", said(options.error).constData(),
                     qPrintable(options.helpText));
        return 2;
    }
    if (options.help || options.version) {
        std::printf("%s", options.help ? qPrintable(options.helpText)
                                       : qPrintable(QStringLiteral("%1 %2\n").arg(
                                             QCoreApplication::applicationName(), kVersion)));
        return 0;
    }
    return -1;
}

bool setUpProgramDir(const StartOptions& options, bool* created) {
    if (options.dir.isEmpty()) {
        bool usedUser = false;
        setProgramDir(chooseProgramDir(QCoreApplication::applicationDirPath(), userProgramDir(),
                                       &usedUser, created));
        return true;
    }
    const QString path = QDir(options.dir).absolutePath();
    if (!QDir().mkpath(path)) {
        std::fprintf(
            stderr, "%s\n",
            said(QStringLiteral("cannot use %1 as the program folder").arg(path)).constData());
        return false;
    }
    setProgramDir(path);
    linkCompanions(QCoreApplication::applicationDirPath(), path);
    return true;
}

FileNotice lockFolders(FolderLocks* locks, const QString& dataFolder) {
    const FileNotice busy = locks->lock({programDir(), dataFolder});
    if (!busy.isEmpty()) std::fprintf(stderr, "%s\n", said(busy.logged).constData());
    return busy;
}

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

// No window and no display, so a QCoreApplication, which never asks for X or Wayland.
int runService(int argc, char** argv, const char* name) {
    // The run waits on a serial port and sockets only, which Qt's own event dispatcher does
    // as well as GLib's main loop; GLib's code and tables would cost about 0.3 MB resident.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(name));
    QCoreApplication::setApplicationVersion(QLatin1String(kVersion));
    QStringList args = QCoreApplication::arguments();
    QList<QByteArray> raw;
    for (int i = 0; i < argc; ++i)
        raw << QByteArray(argv[i]);
    // The service program runs without windows whether or not it is told so.
    if (!args.contains(QStringLiteral("--headless"))) {
        args.insert(1, QStringLiteral("--headless"));
        raw.insert(1, QByteArrayLiteral("--headless"));
    }
    const StartOptions options = parseStartOptions(args, raw, StartProgram::Service);
    if (const int rc = printStartText(options); rc >= 0) return rc;
    bool created = false;
    if (!setUpProgramDir(options, &created)) return 2;
    if (created)
        std::fprintf(stderr, "%s\n",
                     said(QStringLiteral("%1 cannot be written, so the settings and data are "
                                         "kept in %2")
                              .arg(QCoreApplication::applicationDirPath(), programDir()))
                         .constData());
    if (const QString p = gatewayStartProblem(options); !p.isEmpty()) {
        std::fprintf(stderr, "%s\n",
                     said(QStringLiteral("the Modbus TCP gateway cannot run: ") + p).constData());
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
    // Nobody looks at the lists the windows show: the events go to standard error and the
    // events file as they come, and the trace recorder takes each frame as it passes.
    line.events()->setListKept(false);
    line.link()->sprdCommD.setMaxRows(1);
    Headless run(&line, &out);
    const QString problems = run.start(options);
    if (!problems.isEmpty()) out.line(QString::fromLocal8Bit(said(problems)));
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

#include "app/Commands.h"
#include "app/Headless.h"
#include "app/StartOptions.h"
#include "monitor/frmKX5_Main.h"
#include "settings/ConfigFiles.h"
#include "settings/Version.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Set by SIGTERM or SIGINT; a timer on the event loop notices it and ends the run cleanly.
volatile std::sig_atomic_t g_stopRequested = 0;
extern "C" void requestStop(int) {
    g_stopRequested = 1;
}

// Parses the command line and sets the program folder up; returns the exit code when the
// program should end here, or -1 to go on.
int prepare(int argc, char** argv, StartOptions* options, bool* created) {
    QList<QByteArray> raw; // argv without the options Qt has taken, matching arguments()
    for (int i = 0; i < argc; ++i)
        raw << QByteArray(argv[i]);
    *options = parseStartOptions(QCoreApplication::arguments(), raw);
    if (!options->error.isEmpty()) {
        std::fprintf(stderr, "kx5comm: %s\n%s", qPrintable(options->error),
                     qPrintable(options->helpText));
        return 2;
    }
    if (options->help || options->version) {
        std::printf("%s", options->help ? qPrintable(options->helpText)
                                        : qPrintable(QStringLiteral("kx5comm %1\n").arg(kVersion)));
        return 0;
    }
    if (!options->dir.isEmpty()) {
        const QString path = QDir(options->dir).absolutePath();
        if (!QDir().mkpath(path)) {
            std::fprintf(stderr, "kx5comm: cannot use %s as the program folder\n",
                         qPrintable(path));
            return 2;
        }
        setProgramDir(path);
        linkCompanions(QCoreApplication::applicationDirPath(), path);
    } else {
        bool usedUser = false;
        setProgramDir(chooseProgramDir(QCoreApplication::applicationDirPath(), userProgramDir(),
                                       &usedUser, created));
    }
    return -1;
}

// No window and no display: a QCoreApplication, so neither X nor Wayland is ever asked for.
int runHeadless(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kx5comm"));
    QCoreApplication::setApplicationVersion(QLatin1String(kVersion));
    StartOptions options;
    bool created = false;
    if (const int code = prepare(argc, argv, &options, &created); code >= 0) return code;
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);

    if (created)
        std::fprintf(stderr,
                     "kx5comm: %s cannot be written, so the settings and data are kept in %s\n",
                     qPrintable(QCoreApplication::applicationDirPath()), qPrintable(programDir()));
    Headless run;
    const QString problems = run.start(options);
    if (!problems.isEmpty()) std::fprintf(stderr, "kx5comm: %s\n", qPrintable(problems));
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
#ifdef SIGXFSZ
    // A data file that reaches a file-size limit fails its write like a full disk does,
    // instead of the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Decided before any application object exists: the windowed one would want a display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--headless") == 0) return runHeadless(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kx5comm"));
    QApplication::setApplicationVersion(QLatin1String(kVersion));
    StartOptions options;
    bool created = false;
    if (const int code = prepare(argc, argv, &options, &created); code >= 0) return code;

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

#include "app/Commands.h"
#include "app/StartOptions.h"
#include "monitor/frmKX5_Main.h"
#include "settings/ConfigFiles.h"
#include "settings/Version.h"

#include <QApplication>
#include <QDir>
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

    const StartOptions options = parseStartOptions(QApplication::arguments());
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
    }

    frmKX5_Main w;
    installCommands(&w);
    w.show();
    const QString problems = applyStartOptions(&w, options);
    if (!problems.isEmpty()) std::fprintf(stderr, "kx5comm: %s\n", qPrintable(problems));
    return QApplication::exec();
}

#include "app/Commands.h"
#include "monitor/frmKX5_Main.h"
#include "settings/Version.h"

#include <QApplication>
#include <csignal>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A data file that reaches a file-size limit fails its write like a full disk does,
    // instead of the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kx5comm"));
    QApplication::setApplicationVersion(QLatin1String(kVersion));
    frmKX5_Main w;
    installCommands(&w);
    w.show();
    return QApplication::exec();
}

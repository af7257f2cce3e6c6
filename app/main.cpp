#include "monitor/Commands.h"
#include "monitor/frmKX5_Main.h"
#include "settings/Version.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kx5comm"));
    QApplication::setApplicationVersion(QLatin1String(kVersion));
    frmKX5_Main w;
    installCommands(&w);
    w.show();
    return QApplication::exec();
}

#include "ui/DesktopIdentity.h"

#include "ui/ScreenFit.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

void setDesktopIdentity(const QString& desktopEntry) {
    QGuiApplication::setDesktopFileName(desktopEntry);
    keepWindowsOnScreen();
    // Drawn from the packaged SVG at the sizes window managers ask for, so no image plug-in
    // needs to be installed for it.
    QSvgRenderer svg(QStringLiteral(":/kx5/icon.svg"));
    if (!svg.isValid()) return;
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64, 128, 256}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        svg.render(&p);
        p.end();
        icon.addPixmap(pm);
    }
    QApplication::setWindowIcon(icon);
}

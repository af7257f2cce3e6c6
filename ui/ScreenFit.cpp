#include "ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void fitToScreen(QWidget* window) {
    const QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect free = s->availableGeometry();
    // The frame the window manager adds is not known before the first show; leave room for
    // a title bar and borders.
    const QSize frame(16, 40);
    const QSize most = (free.size() - frame).expandedTo(QSize(200, 150));
    const QSize want = window->size().boundedTo(most);
    if (want != window->size()) window->resize(want);
}

#include "ui/ScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace {

// The frame the window manager adds is not known before the first show: room for a title bar
// and borders.
constexpr int kFrameW = 16, kFrameH = 40;

class ScreenFitter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            const Qt::WindowType type = w->windowType();
            if (w->isWindow() && (type == Qt::Window || type == Qt::Dialog)) fitToScreen(w);
        }
        return false;
    }
};

} // namespace

void fitToScreen(QWidget* window) {
    const QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect free = s->availableGeometry();
    const QSize most(free.width() - kFrameW, free.height() - kFrameH);
    const QSize want = window->size().boundedTo(most).expandedTo(window->minimumSize());
    if (want != window->size()) window->resize(want);
    // A window placed partly off the screen comes back inside it.
    QRect g = window->frameGeometry();
    if (window->testAttribute(Qt::WA_Moved) && !free.contains(g)) {
        g.moveRight(qMin(g.right(), free.right()));
        g.moveBottom(qMin(g.bottom(), free.bottom()));
        g.moveLeft(qMax(g.left(), free.left()));
        g.moveTop(qMax(g.top(), free.top()));
        window->move(g.topLeft());
    }
}

void keepWindowsOnScreen() {
    static ScreenFitter* fitter = nullptr;
    if (fitter || !qApp) return;
    fitter = new ScreenFitter(qApp);
    qApp->installEventFilter(fitter);
}

#include "ui/ScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
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

// A scroll area around content, drawn without a frame of its own.
QScrollArea* scrollArea(QWidget* content) {
    auto* area = new QScrollArea;
    area->setObjectName(QStringLiteral("screenFitScroll"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

// A window whose content cannot shrink to the screen gets it in a scroll area, once: a main
// window keeps its menu and status bar outside it, so both stay in reach.
void scrollWhenTooLarge(QWidget* window, const QSize& most) {
    const QSize need = window->minimumSizeHint().expandedTo(window->minimumSize());
    if (need.width() <= most.width() && need.height() <= most.height()) return;
    if (window->findChild<QScrollArea*>(QStringLiteral("screenFitScroll"))) return;
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        if (QWidget* central = main->takeCentralWidget())
            main->setCentralWidget(scrollArea(central));
    } else if (QLayout* layout = window->layout()) {
        auto* content = new QWidget;
        content->setLayout(layout); // takes the layout and the widgets in it
        auto* top = new QVBoxLayout(window);
        top->setContentsMargins(0, 0, 0, 0);
        top->addWidget(scrollArea(content));
    }
    // The new, smaller minimum holds from now, not from the next layout pass.
    window->setMinimumSize(0, 0);
    if (window->layout()) window->layout()->activate();
}

} // namespace

void fitToScreen(QWidget* window) {
    const QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect free = s->availableGeometry();
    const QSize most(free.width() - kFrameW, free.height() - kFrameH);
    scrollWhenTooLarge(window, most);
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
    // One for the application, which owns it; found again by its name.
    const QString name = QStringLiteral("kx5ScreenFitter");
    if (!qApp || qApp->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) return;
    auto* fitter = new ScreenFitter(qApp);
    fitter->setObjectName(name);
    qApp->installEventFilter(fitter);
}

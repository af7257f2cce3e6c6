#include "ui/ViewKeys.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace {

class ClickKeys : public QObject {
public:
    explicit ClickKeys(QAbstractItemView* view) : QObject(view), m_view(view) {}

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != m_view || e->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        const QModelIndex at = m_view->currentIndex();
        if (!at.isValid()) return false; // an open editor takes its keys before the view
        // Space types into a cell that takes text; Return never does.
        const bool space = key == Qt::Key_Space && !(at.flags() & Qt::ItemIsEditable);
        if (!space && key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        emit m_view->clicked(at);
        return true;
    }

private:
    QAbstractItemView* m_view;
};

} // namespace

void keyboardLikeMouse(QAbstractItemView* view) {
    view->setTabKeyNavigation(false);
    view->installEventFilter(new ClickKeys(view));
}

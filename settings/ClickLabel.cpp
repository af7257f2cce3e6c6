#include "settings/ClickLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int kIcon = 16;
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover); // the face lights up under the mouse, as a button's does
    setMargin(4);
    // Room on the right for the folder sign that says a click opens a picker.
    setContentsMargins(0, 0, kIcon + 6, 0);
    setMinimumHeight(qMax(sizeHint().height(), kIcon + 8) + 4);
}

void ClickLabel::paintEvent(QPaintEvent* e) {
    {
        QStyleOptionButton face;
        face.initFrom(this);
        face.state |= QStyle::State_Raised;
        QStylePainter p(this);
        p.drawPrimitive(QStyle::PE_PanelButtonCommand, face);
        const QRect icon(width() - kIcon - 6, (height() - kIcon) / 2, kIcon, kIcon);
        style()->standardIcon(QStyle::SP_DirOpenIcon, nullptr, this).paint(&p, icon);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(3, 3, -3, -3);
            p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
    QLabel::paintEvent(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(e);
}

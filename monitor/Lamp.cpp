#include "monitor/Lamp.h"

#include "ui/GridModel.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolTip>

Lamp::Lamp(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignCenter);
    // Never narrower than its caption, whatever the font.
    setMinimumSize(qMax(48, fontMetrics().horizontalAdvance(caption) + 8), 22);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(caption + QStringLiteral(": ") + tr("off"));
}

// The meaning says when the lamp lights; the name says whether it is lit now, so a screen
// reader never reads "alarm 2 is on" for a dark lamp.
void Lamp::setMeaning(const QString& meaning) {
    setToolTip(meaning);
    setAccessibleDescription(tr("lit when: %1").arg(meaning));
}

void Lamp::setLit(bool lit) {
    if (m_lit == lit) return;
    m_lit = lit;
    stateChanged();
}

void Lamp::setColor(Bgr color) {
    if (m_color == color) return;
    m_color = color;
    stateChanged();
}

void Lamp::stateChanged() {
    const QString name = text() + QStringLiteral(": ") + (isOn() ? tr("on") : tr("off"));
    if (accessibleName() != name) setAccessibleName(name);
    // The caption keeps its contrast on any fill: dark on a light one, light on a dark one.
    QPalette p = palette();
    const QColor fill = toQColor(m_color);
    p.setColor(QPalette::WindowText, !m_lit
                                         ? QApplication::palette(this).color(QPalette::WindowText)
                                     : fill.lightness() > 110 ? QColor(Qt::black)
                                                              : QColor(Qt::white));
    setPalette(p);
    update();
}

void Lamp::focusInEvent(QFocusEvent* e) {
    QLabel::focusInEvent(e);
    // A keyboard user cannot hover: the meaning shows when the lamp is reached with Tab.
    if (!toolTip().isEmpty()) QToolTip::showText(mapToGlobal(rect().bottomLeft()), toolTip(), this);
}

void Lamp::paintEvent(QPaintEvent* e) {
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Mid), 1));
        p.setBrush(m_lit ? QBrush(toQColor(m_color)) : QBrush(Qt::transparent));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(2, 2, -2, -2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
        }
    }
    QLabel::paintEvent(e);
}

#include "monitor/Lamp.h"

#include "ui/GridModel.h"

#include <QPainter>

Lamp::Lamp(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignCenter);
    setMinimumSize(48, 22);
}

void Lamp::setLit(bool lit) {
    if (m_lit == lit) return;
    m_lit = lit;
    update();
}

void Lamp::setColor(Bgr color) {
    if (m_color == color) return;
    m_color = color;
    update();
}

void Lamp::paintEvent(QPaintEvent* e) {
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Mid), 1));
        p.setBrush(m_lit ? QBrush(toQColor(m_color)) : QBrush(Qt::transparent));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    QLabel::paintEvent(e);
}

// A status lamp: a caption on a fill that is opaque (lit) or transparent (dark). The send and
// receive lamps use it always lit and change its colour instead.
#pragma once

#include "link/Grid.h"

#include <QLabel>

class Lamp : public QLabel {
    Q_OBJECT
public:
    explicit Lamp(const QString& caption = QString(), QWidget* parent = nullptr);

    bool isLit() const { return m_lit; }
    // Repaints only when the state changes, so a steady lamp costs nothing per refresh.
    void setLit(bool lit);
    Bgr color() const { return m_color; }
    void setColor(Bgr color);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool m_lit = false;
    Bgr m_color = kRed;
};

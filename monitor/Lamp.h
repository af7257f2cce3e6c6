// A status lamp: a caption on a fill that is opaque (lit) or transparent (dark). The send and
// receive lamps use it always lit and change its colour instead, black being off.
// Its state is not only a colour: assistive technology reads "on" or "off" as its description,
// and a keyboard user reaches it with Tab and is shown what it means.
#pragma once

#include "ui/Grid.h"

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
    // Lit in a colour other than black.
    bool isOn() const { return m_lit && m_color != kBlack; }
    // What the lamp tells when on, for its tool tip and its accessible name.
    void setMeaning(const QString& meaning);

protected:
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void stateChanged();
    bool m_lit = false;
    Bgr m_color = kRed;
};

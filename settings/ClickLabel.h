// A label that reports a click, for fields the user changes by clicking them. It is drawn on a
// push-button face with a folder sign and a hand cursor, so it reads as something to press and not
// as a disabled box; Space and Return press it from the keyboard.
#pragma once

#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

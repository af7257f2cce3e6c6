// A label that shortens its text with "…" instead of growing: status-bar panels whose texts
// (a long device path, a long error) must never push the others off the window.
#pragma once

#include <QLabel>

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Never wider than this unless the layout gives it more room (stretch).
    void setPreferredWidth(int width) { m_preferred = width; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int m_preferred = 160;
};

#include "settings/ClickLabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int kIcon = 16;

// To assistive technology a ClickLabel is what it is to the eye: a button that can be pressed,
// whose value (the folder, the alarm type) is its text.
class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override {
        const auto* l = static_cast<const QLabel*>(widget());
        if (t == QAccessible::Value ||
            (t == QAccessible::Description && l->accessibleDescription().isEmpty()))
            return l->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) emit static_cast<ClickLabel*>(widget())->clicked();
    }
};

QAccessibleInterface* clickLabelAccessible(const QString& className, QObject* o) {
    if (className == QLatin1String("ClickLabel") && o->isWidgetType())
        return new ClickLabelAccessible(static_cast<QWidget*>(o));
    return nullptr;
}

} // namespace

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(clickLabelAccessible);
        return true;
    }();
    Q_UNUSED(installed);
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

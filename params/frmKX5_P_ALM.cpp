#include "params/frmKX5_P_ALM.h"

#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "params/frmKX5_AlarmCode.h"
#include "registers/ValueList.h"
#include "settings/ClickLabel.h"

#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QStylePainter>

namespace {

// An alarm type is a value like the fields below it, so it is drawn as one: a text box with
// a drop-down arrow that says a click offers the choices (not a button face with a folder).
class TypeField : public ClickLabel {
public:
    using ClickLabel::ClickLabel;

protected:
    void paintEvent(QPaintEvent* e) override {
        {
            QStylePainter p(this);
            QStyleOptionFrame box;
            box.initFrom(this);
            box.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &box, this);
            box.state |= QStyle::State_Sunken;
            p.drawPrimitive(QStyle::PE_PanelLineEdit, box);
            QStyleOption arrow;
            arrow.initFrom(this);
            arrow.rect = QRect(width() - kArrow - 6, (height() - kArrow) / 2, kArrow, kArrow);
            p.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);
            if (hasFocus()) { // Space and Return open the picker
                QStyleOptionFocusRect focus;
                focus.initFrom(this);
                focus.rect = rect().adjusted(3, 3, -3, -3);
                p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
            }
        }
        QLabel::paintEvent(e); // the code, over the box
    }

private:
    static constexpr int kArrow = 12;
};

} // namespace

frmKX5_P_ALM::frmKX5_P_ALM(RequestSink* sink, const ParamImage& image, QWidget* parent)
    : GroupDialog(sink, image, parent) {
    setObjectName(QStringLiteral("frmKX5_P_ALM"));
    setWindowTitle(tr("Alarm Group Setting"));
    openPicker = [](frmKX5_P_ALM* alm) {
        frmKX5_AlarmCode picker(alm);
        picker.exec();
        return picker.code();
    };
    const auto typeField = [this](const char* name, const char* mnemonic, const QString& desc) {
        auto* l = new TypeField(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setToolTip(tr("Click to choose the alarm type"));
        l->setMinimumWidth(90);
        l->setFixedHeight(QLineEdit().sizeHint().height()); // as high as the fields below
        addRow(l, mnemonic, desc);
        return l;
    };
    lblA1TY = typeField("lblA1TY", "A1TY", tr("Alarm 1 Type"));
    lblA2TY = typeField("lblA2TY", "A2TY", tr("Alarm 2 Type"));
    txtA1DB = addText("txtA1DB", "A1DB", tr("Alarm 1 Dead Band"));
    txtA2DB = addText("txtA2DB", "A2DB", tr("Alarm 2 Dead Band"));
    txtAL1 = addText("txtAL1", "AL-1", tr("Alarm 1 Point"));
    txtAL2 = addText("txtAL2", "AL-2", tr("Alarm 2 Point"));
    finishLayout();
    connect(lblA1TY, &ClickLabel::clicked, this, &frmKX5_P_ALM::lblA1TY_Click);
    connect(lblA2TY, &ClickLabel::clicked, this, &frmKX5_P_ALM::lblA2TY_Click);

    // As the map shows them, also a code the picker does not offer; nothing when not read.
    for (int alarm : {0, 1}) {
        m_types[alarm] = raw(410 + alarm);
        (alarm == 0 ? lblA1TY : lblA2TY)->setText(shown(410 + alarm));
    }
    txtA1DB->setText(shown(413));
    txtA2DB->setText(shown(414));
    txtAL1->setText(shown(416));
    txtAL2->setText(shown(417));
}

void frmKX5_P_ALM::pickType(int alarm) {
    if (!openPicker) return;
    if (const std::optional<int> code = openPicker(this)) setType(alarm, *code);
}

void frmKX5_P_ALM::setType(int alarm, int code) {
    m_types[alarm] = code;
    (alarm == 0 ? lblA1TY : lblA2TY)->setText(QString::number(code));
}

void frmKX5_P_ALM::btnOK_Click() {
    ValueList v;
    addRaw(v, 410, m_types[0]);
    addRaw(v, 411, m_types[1]);
    addParam(v, 413, txtA1DB->text());
    addParam(v, 414, txtA2DB->text());
    addParam(v, 416, txtAL1->text());
    addParam(v, 417, txtAL2->text());
    send(v, kStepWriteAlarm);
}

#include "params/frmKX5_P_IN.h"

#include "link/Request.h"
#include "link/mdlKX5.h"
#include "registers/ParamInfo.h"
#include "registers/ValueList.h"
#include "ui/Grid.h"
#include "ui/GridView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kTypes = kInputTypeCount;
} // namespace

frmKX5_P_IN::frmKX5_P_IN(RequestSink* sink, const ParamImage& image, QWidget* parent)
    : GroupDialog(sink, image, parent) {
    setObjectName(QStringLiteral("frmKX5_P_IN"));
    setWindowTitle(tr("Input Group Setting"));
    cmbINP = addChoices("cmbINP", "INP", tr("Input Signal"), 610);
    cmbUnit = addChoices("cmbUnit", "UNIT", tr("Range Unit"), 611);
    txtFRH = addText("txtFRH", "FR-H", tr("High Limit"));
    txtFRL = addText("txtFRL", "FR-L", tr("Low Limit"));
    cmbDPP = addChoices("cmbDPP", "DP-P", tr("Decimal Point"), 614);
    txtSLH = addText("txtSLH", "SL-H", tr("Maximum on scale"));
    txtSLL = addText("txtSLL", "SL-L", tr("Minimum on scale"));
    txtFILT = addText("txtFILT", "FILT", tr("PV Filter"));
    txtBIAS = addText("txtBIAS", "BIAS", tr("PV Bias"));
    cmbBOUT = addChoices("cmbBOUT", "B.OUT", tr("Burn-out "), 619);

    m_sheet = new Grid(3, kTypes, this);
    m_sheet->setText(1, 0, tr("No"));
    m_sheet->setText(2, 0, tr("Type"));
    m_sheet->setText(3, 0, tr("Range"));
    m_sheet->setAlternateColors(kWhite, kLightGreen);
    for (int i = 0; i < kTypes; ++i) {
        const InputType& t = kInputTypes[i];
        m_sheet->setRowTexts(
            i + 1, 1,
            {QString::number(t.no), QString::fromUtf8(t.type), QString::fromUtf8(t.range)});
    }
    vaSpread1 = new GridView(m_sheet, this);
    vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
    vaSpread1->setAccessibleName(tr("INP Sheet"));
    vaSpread1->verticalHeader()->hide();
    // Rows and columns from the font in use, so a larger desktop font cuts no text.
    const QFontMetrics fm = vaSpread1->fontMetrics();
    const int rowHeight = qMax(18, fm.height() + 4);
    int widths[3] = {36, 84, 120};
    for (int r = 1; r <= kTypes; ++r)
        for (int c = 0; c < 3; ++c)
            widths[c] = qMax(widths[c], fm.horizontalAdvance(m_sheet->text(c + 1, r)) + 12);
    vaSpread1->verticalHeader()->setDefaultSectionSize(rowHeight);
    vaSpread1->verticalHeader()->setMinimumSectionSize(rowHeight);
    vaSpread1->setColumnWidth(0, widths[0]);
    vaSpread1->setColumnWidth(1, widths[1]);
    vaSpread1->horizontalHeader()->setStretchLastSection(true);
    vaSpread1->setMinimumWidth(widths[0] + widths[1] + widths[2] + 2 * vaSpread1->frameWidth());
    // The whole table at once: it is a reference to read, not to scroll.
    vaSpread1->setMinimumHeight(vaSpread1->horizontalHeader()->sizeHint().height() +
                                kTypes * rowHeight + 2 * vaSpread1->frameWidth());
    vaSpread1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* frame = new QGroupBox(tr("INP Sheet"), this);
    frame->setObjectName(QStringLiteral("fraINP"));
    auto* frameLay = new QVBoxLayout(frame);
    frameLay->addWidget(vaSpread1);
    finishLayout(frame);

    setChoice(cmbINP, 610);
    setChoice(cmbUnit, 611);
    txtFRH->setText(shown(612));
    txtFRL->setText(shown(613));
    setChoice(cmbDPP, 614);
    txtSLH->setText(shown(615));
    txtSLL->setText(shown(616));
    txtFILT->setText(shown(617));
    txtBIAS->setText(shown(618));
    setChoice(cmbBOUT, 619);
    enableLinearFields(raw(610));

    connect(cmbINP, &QComboBox::activated, this, &frmKX5_P_IN::cmbINP_Click);
    connect(cmbUnit, &QComboBox::activated, this, &frmKX5_P_IN::cmbUnit_Click);
    resize(sizeHint());
}

void frmKX5_P_IN::enableLinearFields(double type) {
    const bool linear = type >= kLinearFrom;
    cmbDPP->setEnabled(linear);
    txtSLH->setEnabled(linear);
    txtSLL->setEnabled(linear);
}

void frmKX5_P_IN::ApplyInputDefaults() {
    const double t = val(cmbINP->currentText());
    const InputType* type = t == std::floor(t) ? inputType(int(t)) : nullptr;
    if (type) {
        const bool linear = type->no >= kLinearFrom;
        const bool celsius = codeOf(cmbUnit, 611) == 0;
        const char* high = celsius ? type->highC : type->highF;
        const char* low = celsius ? type->lowC : type->lowF;
        const int decimals = celsius ? type->decimalsC : type->decimalsF;
        txtFRH->setText(QString::fromUtf8(high));
        txtFRL->setText(QString::fromUtf8(low));
        txtSLH->setText(linear ? QStringLiteral("100.0") : QString::fromUtf8(high));
        txtSLL->setText(linear ? QStringLiteral("0.0") : QString::fromUtf8(low));
        setCode(cmbDPP, decimals);
    }
    enableLinearFields(t);
}

void frmKX5_P_IN::btnOK_Click() {
    ValueList first;
    addChoice(first, cmbINP, 610);
    addChoice(first, cmbUnit, 611);
    const int inp = first.values[0], unit = first.values[1];
    // The new type, unit and decimal point decide the scaling and the ranges, not the stored
    // ones; DP-P as it opened is what the controller holds, whatever it is (5 on a sensor type
    // counts for nothing, and its field cannot be changed there).
    ValueList dpp;
    addChoice(dpp, cmbDPP, 614);
    const int d = DecimalPlaces(inp, unit, dpp.values[0]);
    ValueList second;
    const QLineEdit* before[] = {txtFRH, txtFRL};
    for (int i = 0; i < 2; ++i)
        addParam(second, 612 + i, before[i]->text(), inp, unit, d);
    addChoice(second, cmbDPP, 614);
    const QLineEdit* after[] = {txtSLH, txtSLL, txtFILT, txtBIAS};
    for (int i = 0; i < 4; ++i)
        addParam(second, 615 + i, after[i]->text(), inp, unit, d);
    addChoice(second, cmbBOUT, 619);

    std::vector<int> regs;
    for (int reg = 610; reg <= 619; ++reg)
        regs.push_back(reg);
    if (unread(regs) || refused(first) || refused(second)) return;
    submit(Request::inputWrite(m_sink->selectedMcNo(), first.values, second.values));
}

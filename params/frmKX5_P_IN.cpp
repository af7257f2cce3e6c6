#include "params/frmKX5_P_IN.h"

#include "link/Grid.h"
#include "link/Request.h"
#include "link/mdlKX5.h"
#include "params/ValueList.h"
#include "ui/GridView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QString kCelsius = QStringLiteral("℃");
const QString kFahrenheit = QStringLiteral("℉");
constexpr int kLinearFrom = 30; // types from 30 on are linear signals
} // namespace

// clang-format off
const InputType frmKX5_P_IN::kInputTypes[kTypes] = {
    {1, "K1", "-200  ∼ 1370", "-200", "1370", 0, "-300", "2500", 0},
    {2, "K2", "-199.9 ∼ 999.9", "-199.9", "999.9", 1, "0", "2300", 0},
    {3, "J", "-199.9 ∼ 999.9", "-199.9", "999.9", 1, "-300", "2300", 0},
    {4, "E", "-199.9 ∼ 999.9", "-199.9", "999.9", 1, "-300", "1800", 0},
    {5, "T", "-199.9 ∼ 400.0", "-199.9", "400.0", 1, "-300", "750", 0},
    {6, "R", "0 ∼ 1700", "0", "1700", 0, "32", "3100", 0},
    {7, "B", "0 ∼ 1800", "0", "1800", 0, "32", "3300", 0},
    {8, "S", "0 ∼ 1700", "0", "1700", 0, "32", "3100", 0},
    {9, "L", "-199.9 ∼ 900.0", "-199.9", "900.0", 1, "-300", "1300", 0},
    {10, "N", "-200 ∼ 1300", "-200", "1300", 0, "-300", "2400", 0},
    {11, "U", "-199.9 ∼ 400.0", "-199.9", "400.0", 1, "-300", "750", 0},
    {12, "W", "0 ∼ 2300", "0", "2300", 0, "32", "4200", 0},
    {13, "Platinel II", "0 ∼ 1390", "0", "1390", 0, "32", "2500", 0},
    {20, "KSPt100", "-199.9 ∼ 500.0", "-199.9", "500.0", 1, "-199.9", "999.9", 1},
    {21, "Pt100", "-199.9 ∼ 640.0", "-199.9", "640.0", 1, "-300", "1180", 0},
    {30, "1∼5V", "1∼5V", "1.000", "5.000", 1, "1.000", "5.000", 1},
    {32, "-10∼20mV", "-10∼20mV", "-10.00", "20.00", 1, "-10.00", "20.00", 1},
    {33, "0∼100mV", "0∼100mV", "0.0", "100.0", 1, "0.0", "100.0", 1},
};
// clang-format on

const InputType* frmKX5_P_IN::inputType(int no) {
    for (const InputType& t : kInputTypes)
        if (t.no == no) return &t;
    return nullptr;
}

frmKX5_P_IN::frmKX5_P_IN(RequestSink* sink, const Grid* display, const Grid* data, QWidget* parent)
    : GroupDialog(sink, display, data, parent) {
    setObjectName(QStringLiteral("frmKX5_P_IN"));
    setWindowTitle(tr("Input Group Setting"));
    QStringList types;
    for (const InputType& t : kInputTypes)
        types << QString::number(t.no);
    cmbINP = addCombo("cmbINP", "INP", tr("Input Signal"), types);
    cmbUnit = addCombo("cmbUnit", "UNIT", tr("Range Unit"), {kCelsius, kFahrenheit});
    txtFRH = addText("txtFRH", "FR-H", tr("High Limit"));
    txtFRL = addText("txtFRL", "FR-L", tr("Low Limit"));
    cmbDPP = addCombo("cmbDPP", "DP-P", tr("Decimal Point"), {"0", "1", "2", "3"});
    txtSLH = addText("txtSLH", "SL-H", tr("Maximum on scale"));
    txtSLL = addText("txtSLL", "SL-L", tr("Minimum on scale"));
    txtFILT = addText("txtFILT", "FILT", tr("PV Filter"));
    txtBIAS = addText("txtBIAS", "BIAS", tr("PV Bias"));
    cmbBOUT = addCombo("cmbBOUT", "B.OUT", tr("Burn-out "), {"OFF", "UP", "DOWN"});

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

    setChoice(cmbINP, shown(610));
    setChoice(cmbUnit, shown(611));
    txtFRH->setText(shown(612));
    txtFRL->setText(shown(613));
    setChoice(cmbDPP, shown(614));
    txtSLH->setText(shown(615));
    txtSLL->setText(shown(616));
    txtFILT->setText(shown(617));
    txtBIAS->setText(shown(618));
    setChoice(cmbBOUT, shown(619));
    enableLinearFields(val(cmbINP->currentText()));

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
        const bool celsius = cmbUnit->currentText() == kCelsius;
        const char* high = celsius ? type->highC : type->highF;
        const char* low = celsius ? type->lowC : type->lowF;
        const int decimals = celsius ? type->decimalsC : type->decimalsF;
        txtFRH->setText(QString::fromUtf8(high));
        txtFRL->setText(QString::fromUtf8(low));
        txtSLH->setText(linear ? QStringLiteral("100.0") : QString::fromUtf8(high));
        txtSLL->setText(linear ? QStringLiteral("0.0") : QString::fromUtf8(low));
        setChoice(cmbDPP, QString::number(decimals));
    }
    enableLinearFields(t);
}

void frmKX5_P_IN::btnOK_Click() {
    const int inp = cInt(cmbINP->currentText());
    const int unit = cmbUnit->currentText() == kFahrenheit ? 1 : 0;
    const int dpp = cInt(cmbDPP->currentText());
    // The new type, unit and decimal point decide the scaling, not the stored ones.
    const int d = DecimalPlaces(inp, unit, dpp);

    ValueList first;
    first.addNumber(QStringLiteral("INP"), cmbINP->currentText());
    first.addCode(unit);
    ValueList second;
    second.addNumber(QStringLiteral("FR-H"), txtFRH->text(), d);
    second.addNumber(QStringLiteral("FR-L"), txtFRL->text(), d);
    second.addNumber(QStringLiteral("DP-P"), cmbDPP->currentText());
    second.addNumber(QStringLiteral("SL-H"), txtSLH->text(), d);
    second.addNumber(QStringLiteral("SL-L"), txtSLL->text(), d);
    second.addNumber(QStringLiteral("FILT"), txtFILT->text());
    second.addNumber(QStringLiteral("BIAS"), txtBIAS->text(), d);
    const QString bout = cmbBOUT->currentText();
    second.addCode(bout == QLatin1String("UP") ? 1 : bout == QLatin1String("DOWN") ? 2 : 0);

    if (refused(first) || refused(second)) return;
    submit(Request::inputWrite(m_sink->selectedMcNo(), first.values, second.values));
}

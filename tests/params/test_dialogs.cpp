// The six group dialogs: initial texts from the map, OK's value list and step for each
// conversion, values read and sent back unchanged, Cancel, and the refused value. The input
// dialog is left to test_input.cpp, the alarm-type picker to test_alarm_code.cpp.
#include "ParamsFixture.h"
#include "link/Steps.h"
#include "params/frmKX5_P_ALM.h"
#include "params/frmKX5_P_AT.h"
#include "params/frmKX5_P_Control.h"
#include "params/frmKX5_P_IN.h"
#include "params/frmKX5_P_OUT.h"
#include "params/frmKX5_P_PID.h"
#include "params/frmKX5_P_SV.h"

#include <QPushButton>
#include <QTest>
#include <memory>

class Dialogs : public ParamsFixture {
protected:
    std::unique_ptr<GroupDialog> make(const std::string& name) {
        if (name == "OUT") return std::make_unique<frmKX5_P_OUT>(&display, &data);
        if (name == "SV") return std::make_unique<frmKX5_P_SV>(&display, &data);
        if (name == "AT") return std::make_unique<frmKX5_P_AT>(&display, &data);
        if (name == "PID") return std::make_unique<frmKX5_P_PID>(&display, &data);
        if (name == "ALM") return std::make_unique<frmKX5_P_ALM>(&display, &data);
        if (name == "Control") return std::make_unique<frmKX5_P_Control>(&display, &data);
        if (name == "IN") return std::make_unique<frmKX5_P_IN>(&display, &data);
        ADD_FAILURE() << name;
        return nullptr;
    }
    // "sprdPID s r" names a cell of the PID sheet; anything else a field.
    void set(GroupDialog* d, const std::string& name, const char* text) {
        int s = 0, r = 0;
        if (sscanf(name.c_str(), "sprdPID %d %d", &s, &r) == 2)
            static_cast<frmKX5_P_PID*>(d)->pidGrid()->setText(s, r, QString::fromUtf8(text));
        else
            setField(d, QString::fromStdString(name), QString::fromUtf8(text));
    }
    void clickOK(QDialog* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    }
};

TEST_F(Dialogs, OkSendsTheConvertedValuesOfItsStep) {
    struct Case {
        const char* dialog;
        int inp, unit, dpp;
        std::vector<std::pair<std::string, const char*>> fields;
        std::vector<int> values;
        int step;
    };
    // clang-format off
    const Case cases[] = {
        {"SV", 1, 0, 0, {{"cmbSV_No", "2"}, {"txtSV1", "150.5"}, {"txtSV2", "151.5"},
                         {"txtSV3", "-20"}}, {2, 150, 152, -20}, kStepWriteSV},
        {"SV", 2, 0, 0, {{"cmbSV_No", "3"}, {"txtSV1", "150.5"}, {"txtSV2", "7a"},
                         {"txtSV3", ""}}, {3, 1505, 70, 0}, kStepWriteSV},
        // Products a hair off a half in binary still halve to even; the register's bounds fit.
        {"SV", 30, 0, 2, {{"txtSV1", "2.675"}, {"txtSV2", "1.005"}, {"txtSV3", "-0.125"}},
                         {0, 268, 100, -12}, kStepWriteSV},
        {"SV", 2, 0, 0, {{"txtSV1", "6553.5"}, {"txtSV2", "-3276.8"}}, {0, 65535, -32768, 0},
                         kStepWriteSV},
        {"OUT", 2, 0, 0, {{"cmbOUT", "5"}, {"cmbOACT", "DIR"}, {"txtCT", "20"}, {"txtCTC", "x"},
                          {"txtHYS", "0.5"}, {"txtPO", "55.5"}, {"txtPOC", "100"},
                          {"txtOLH", "100.0"}, {"txtOLL", "0.05"}},
                         {5, 1, 20, 0, 5, 555, 1000, 1000, 0}, kStepWriteOutput},
        {"OUT", 1, 0, 0, {{"cmbOUT", "12"}, {"cmbOACT", "dir"}, {"txtCT", "2.5"},
                          {"txtCTC", "3.5"}, {"txtHYS", "2.5"}, {"txtPO", "55.5"},
                          {"txtPOC", "-5"}, {"txtOLH", "99.95"}, {"txtOLL", ""}},
                         {12, 0, 2, 4, 2, 555, -50, 1000, 0}, kStepWriteOutput},
        {"AT", 1, 0, 0, {{"cmbATM", "LOW"}, {"cmbAT", "AUTO"}}, {1, 4}, kStepWriteAT},
        {"AT", 1, 0, 0, {{"cmbATM", "STD"}, {"cmbAT", "2"}}, {0, 2}, kStepWriteAT},
        {"AT", 2, 0, 0, {{"cmbATM", "low"}, {"cmbAT", "OFF"}}, {0, 0}, kStepWriteAT},
        {"AT", 1, 0, 0, {{"cmbATM", ""}, {"cmbAT", "7"}}, {0, 7}, kStepWriteAT},
        {"Control", 2, 0, 0, {{"cmbZONE", "ON"}, {"cmbFUZY", "OFF"}, {"cmbDIS", "on"},
                              {"txtUPRT", "12"}, {"txtDNRT", "3.5"}, {"cmbRTMU", "Min"}},
                             {1, 0, 0, 12, 4, 1}, kStepWriteControl},
        {"Control", 1, 0, 0, {{"cmbZONE", ""}, {"cmbFUZY", "ON"}, {"cmbDIS", "ON"},
                              {"txtUPRT", "-1"}, {"txtDNRT", "0"}, {"cmbRTMU", "Hour"}},
                             {0, 1, 1, -1, 0, 0}, kStepWriteControl},
        {"ALM", 2, 0, 0, {{"lblA1TY", "5"}, {"lblA2TY", "21"}, {"txtA1DB", "2"},
                          {"txtA2DB", "3.5"}, {"txtAL1", "100.5"}, {"txtAL2", "-5"}},
                         {5, 21, 2, 4, 1005, -50}, kStepWriteAlarm},
        {"ALM", 1, 0, 0, {{"lblA1TY", "0"}, {"lblA2TY", ""}, {"txtA1DB", "0"}, {"txtA2DB", "1"},
                          {"txtAL1", "100.5"}, {"txtAL2", "101.5"}},
                         {0, 0, 0, 1, 100, 102}, kStepWriteAlarm},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dialog << " with INP " << c.inp << " DP-P " << c.dpp);
        resetDataImage();
        input(c.inp, c.unit, c.dpp);
        auto d = make(c.dialog);
        for (const auto& [name, text] : c.fields)
            set(d.get(), name, text);
        clickOK(d.get());
        EXPECT_EQ(gRegVal, c.values);
        EXPECT_EQ(gReqStep, c.step);
        EXPECT_EQ(d->result(), QDialog::Accepted);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Dialogs, PidSendsTwentySixValuesScalingOnlyRp) {
    for (int d : {0, 2}) {
        resetDataImage();
        input(30, 0, d);
        store(104, 77); // ARW: shown, never sent
        refresh();
        auto dlg = make("PID");
        EXPECT_EQ(field(dlg.get(), "txtARW"), "77");
        std::vector<int> expected;
        for (int s = 1; s <= 3; ++s)
            for (int r = 1; r <= 9; ++r) {
                if (s == 3 && r == 9) continue;
                const int n = 100 * s + r;
                set(dlg.get(), "sprdPID " + std::to_string(s) + " " + std::to_string(r),
                    QByteArray::number(n + 0.5).constData());
                // n + 0.5 halves to even; RP gets 10^d first.
                const double x = (n + 0.5) * (r == 9 ? std::pow(10, d) : 1);
                expected.push_back(int(std::nearbyint(x)));
            }
        set(dlg.get(), "txtARW", "999");
        set(dlg.get(), "sprdPID 3 9", "555"); // set 3 has no RP: dropped
        EXPECT_EQ(static_cast<frmKX5_P_PID*>(dlg.get())->pidGrid()->text(3, 9), "");
        clickOK(dlg.get());
        EXPECT_EQ(gRegVal, expected) << "d " << d;
        EXPECT_EQ(gReqStep, kStepWritePID);
    }
}

TEST_F(Dialogs, ValuesReadAreSentBackUnchanged) {
    // A station's values as stored, d = 1: every dialog opened and confirmed as it stands
    // writes back exactly what the controller holds.
    input(2, 0, 0);
    const std::map<int, int> stored = {
        {102, 1},     {103, 0},    {106, 1},     {108, 12},  {109, 7},   {110, 1},  {300, 2},
        {301, 1505},  {302, -25},  {303, 0},     {305, 1},   {306, 4},   {410, 7},  {411, 21},
        {413, 2},     {414, 3},    {416, 1000},  {417, -50}, {600, 4},   {601, 1},  {602, 20},
        {603, 30},    {604, 15},   {605, 1000},  {606, 0},   {607, 955}, {608, -5}, {612, 9999},
        {613, -1999}, {615, 9999}, {616, -1999}, {617, 5},   {618, -12}, {619, 2}};
    for (const auto& [reg, v] : stored)
        store(reg, v);
    for (int reg = 310; reg <= 337; ++reg)
        if (reg % 10 != 9) store(reg, reg % 10 == 8 ? 15 : reg - 300);
    refresh();
    const auto regsOf = [](int step) { return findStep(step)->regs; };
    const auto valueOf = [&](int reg) {
        const MapCell c = mapCell(reg);
        return data.text(c.col, c.row).toInt();
    };
    for (const char* name : {"OUT", "SV", "AT", "PID", "ALM", "Control"}) {
        SCOPED_TRACE(name);
        gReqStep = 0;
        auto d = make(name);
        clickOK(d.get());
        std::vector<int> expected;
        for (int reg : regsOf(gReqStep))
            expected.push_back(valueOf(reg));
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(gRegVal, expected);
    }
    gReqStep = 0;
    auto in = make("IN");
    clickOK(in.get());
    EXPECT_EQ(gReqStep, kStepWriteInput1);
    EXPECT_EQ(gRegVal, (std::vector<int>{2, 0}));
    EXPECT_EQ(gRegVal2, (std::vector<int>{9999, -1999, 0, 9999, -1999, 5, -12, 2}));
}

TEST_F(Dialogs, CancelSendsNothing) {
    input(2, 0, 0);
    for (const char* name : {"OUT", "SV", "AT", "PID", "ALM", "Control", "IN"}) {
        SCOPED_TRACE(name);
        gReqStep = 0;
        gRegVal = {42};
        gRegVal2 = {43};
        auto d = make(name);
        for (QLineEdit* e : d->findChildren<QLineEdit*>())
            e->setText(QStringLiteral("12.5"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_EQ(gReqStep, 0);
        EXPECT_EQ(gRegVal, std::vector<int>{42});
        EXPECT_EQ(gRegVal2, std::vector<int>{43});
    }
}

TEST_F(Dialogs, ValueThatDoesNotFitIsRefusedAndTheDialogStaysOpen) {
    struct Case {
        const char* dialog;
        int inp, dpp;
        std::string field;
        const char* text;
        const char* what;
        const char* range;
    };
    const char* fits16 = "-32768 to 65535.";
    const char* fits1 = "-3276.8 to 6553.5.";
    // clang-format off
    const Case cases[] = {
        {"SV", 2, 0, "txtSV1", "7000", "SV1: 7000", fits1},
        {"SV", 1, 0, "txtSV3", "-40000", "SV3: -40000", fits16},
        {"OUT", 1, 0, "txtPO", "6553.6", "PO: 6553.6", fits1},
        {"ALM", 30, 3, "txtAL2", "66", "AL-2: 66", "-32.768 to 65.535."},
        {"Control", 1, 0, "txtUPRT", "1e6", "UP.RT: 1e6", fits16},
        {"PID", 1, 0, "sprdPID 2 4", "70000", "2.MR: 70000", fits16},
        {"IN", 33, 1, "txtFRH", "7000", "FR-H: 7000", fits1},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        resetDataImage();
        messages.clear();
        input(c.inp, 0, c.dpp);
        auto d = make(c.dialog);
        d->show();
        set(d.get(), c.field, c.text);
        clickOK(d.get());
        EXPECT_EQ(messages, QStringList{QStringLiteral("%1 does not fit. Enter a value from %2"
                                                       "\nNothing was sent.")
                                            .arg(c.what, c.range)});
        EXPECT_EQ(gReqStep, 0);
        EXPECT_TRUE(gRegVal.empty());
        EXPECT_TRUE(d->isVisible());
    }
}

// The input dialog: ApplyInputDefaults for types and units, the enabling of the linear
// fields, the reference sheet, and OK's two value lists. Its wire exchange is left to
// test_param_wire.cpp.
#include "ParamsFixture.h"
#include "link/Steps.h"
#include "params/frmKX5_P_IN.h"

#include <QPushButton>
#include <QTest>

class InputDialog : public ParamsFixture {
protected:
    bool enabled(QWidget* w, const char* name) {
        return w->findChild<QWidget*>(QString::fromLatin1(name))->isEnabled();
    }
};

TEST_F(InputDialog, DefaultsFollowTypeAndUnit) {
    struct Case {
        const char* inp;
        const char* unit;
        const char *frh, *frl, *slh, *sll, *dpp;
        bool linear;
    };
    // clang-format off
    const Case cases[] = {
        {"2", "℉", "2300", "0", "2300", "0", "0", false},
        {"2", "℃", "999.9", "-199.9", "999.9", "-199.9", "1", false},
        {"20", "℉", "999.9", "-199.9", "999.9", "-199.9", "1", false},
        {"1", "℃", "1370", "-200", "1370", "-200", "0", false},
        {"21", "", "1180", "-300", "1180", "-300", "0", false}, // no unit: the ℉ defaults
        {"13", "℉", "2500", "32", "2500", "32", "0", false},
        {"32", "℃", "20.00", "-10.00", "100.0", "0.0", "1", true},
        {"30", "℉", "5.000", "1.000", "100.0", "0.0", "1", true},
        {"5", "℃", "400.0", "-199.9", "400.0", "-199.9", "1", false},
        // Codes not offered change no field; from 30 on the linear fields open all the same.
        {"15", "℃", "5", "6", "7", "8", "3", false},
        {"31", "℃", "5", "6", "7", "8", "3", true},
    };
    // clang-format on
    frmKX5_P_IN d(&display, &data);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "INP " << c.inp << " unit " << c.unit);
        setField(&d, "txtFRH", "5");
        setField(&d, "txtFRL", "6");
        setField(&d, "txtSLH", "7");
        setField(&d, "txtSLL", "8");
        setField(&d, "cmbDPP", "3");
        setField(&d, "cmbUnit", QString::fromUtf8(c.unit));
        setField(&d, "cmbINP", QString::fromLatin1(c.inp));
        d.cmbINP_Click();
        EXPECT_EQ(field(&d, "txtFRH"), QString::fromUtf8(c.frh));
        EXPECT_EQ(field(&d, "txtFRL"), QString::fromUtf8(c.frl));
        EXPECT_EQ(field(&d, "txtSLH"), QString::fromUtf8(c.slh));
        EXPECT_EQ(field(&d, "txtSLL"), QString::fromUtf8(c.sll));
        EXPECT_EQ(field(&d, "cmbDPP"), QString::fromUtf8(c.dpp));
        for (const char* f : {"cmbDPP", "txtSLH", "txtSLL"})
            EXPECT_EQ(enabled(&d, f), c.linear) << f;
    }
}

TEST_F(InputDialog, OpensEnabledByTheStoredTypeAndUnitClickAppliesDefaults) {
    for (int inp : {2, 33}) {
        input(inp, 0, 1);
        frmKX5_P_IN d(&display, &data);
        EXPECT_EQ(enabled(&d, "txtSLH"), inp >= 30);
        EXPECT_EQ(enabled(&d, "cmbDPP"), inp >= 30);
        auto* unit = d.findChild<QComboBox*>(QStringLiteral("cmbUnit"));
        unit->setCurrentIndex(1); // "℉", as the user's choice in the list
        emit unit->activated(1);
        EXPECT_EQ(field(&d, "txtFRH"), inp == 2 ? "2300" : "100.0");
    }
}

TEST_F(InputDialog, OkScalesWithTheNewTypeAndQueuesStep105) {
    struct Case {
        const char *inp, *unit, *dpp, *slh, *bout;
        std::vector<int> first, second;
    };
    // clang-format off
    const Case cases[] = {
        {"30", "℃", "2", "123.45", "UP", {30, 0}, {1000, -500, 2, 12345, 50, 3, -150, 1}},
        {"1", "℃", "2", "123.45", "DOWN", {1, 0}, {10, -5, 2, 123, 0, 3, -2, 2}},
        {"2", "℉", "0", "123.45", "x", {2, 1}, {10, -5, 0, 123, 0, 3, -2, 0}},
        {"20", "℉", "0", "0.25", "OFF", {20, 1}, {100, -50, 0, 2, 5, 3, -15, 0}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "INP " << c.inp << " unit " << c.unit);
        resetDataImage();
        frmKX5_P_IN d(&display, &data);
        setField(&d, "cmbINP", c.inp);
        setField(&d, "cmbUnit", QString::fromUtf8(c.unit));
        setField(&d, "cmbDPP", c.dpp);
        setField(&d, "txtFRH", "10");
        setField(&d, "txtFRL", "-5");
        setField(&d, "txtSLH", c.slh);
        setField(&d, "txtSLL", "0.5");
        setField(&d, "txtFILT", "3");
        setField(&d, "txtBIAS", "-1.5");
        setField(&d, "cmbBOUT", c.bout);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        EXPECT_EQ(gRegVal, c.first);
        EXPECT_EQ(gRegVal2, c.second);
        EXPECT_EQ(gReqStep, kStepWriteInput1);
    }
}

// The alarm-type picker and its use from the alarm dialog: which code each cell and button
// gives, and which label receives it. The alarm dialog's OK is left to test_dialogs.cpp.
#include "ParamsFixture.h"
#include "params/frmKX5_AlarmCode.h"
#include "params/frmKX5_P_ALM.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class AlarmCode : public ParamsFixture {};

TEST_F(AlarmCode, CellsAndButtonsGiveTheirCodeToTheChosenLabel) {
    struct Case {
        int alarmSel;
        int col, row; // 0: the button below instead of a cell
        const char* button;
        const char* a1;
        const char* a2;
    };
    const Case cases[] = {
        {1, 1, 1, nullptr, "1", "k2"},       {1, 5, 4, nullptr, "20", "k2"},
        {2, 3, 2, nullptr, "k1", "8"},       {7, 2, 3, nullptr, "k1", "12"},
        {1, 0, 0, "btnAlarmOff", "0", "k2"}, {2, 0, 0, "btnCode21", "k1", "21"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "sel " << c.alarmSel << " cell " << c.col << "," << c.row);
        frmKX5_P_ALM alm(&display, &data);
        setField(&alm, "lblA1TY", "k1");
        setField(&alm, "lblA2TY", "k2");
        gAlarmSel = c.alarmSel;
        frmKX5_AlarmCode picker(&alm);
        picker.show();
        if (c.button) {
            QTest::mouseClick(picker.findChild<QPushButton*>(c.button), Qt::LeftButton);
        } else {
            auto* grid = picker.findChild<QTableWidget*>("vaSpread1");
            const QRect r = grid->visualItemRect(grid->item(c.row - 1, c.col - 1));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
        }
        EXPECT_EQ(field(&alm, "lblA1TY"), c.a1);
        EXPECT_EQ(field(&alm, "lblA2TY"), c.a2);
        EXPECT_EQ(picker.result(), QDialog::Accepted);
        EXPECT_FALSE(picker.isVisible());
    }
}

TEST_F(AlarmCode, TypeLabelClickSetsTheSelectionAndOpensThePicker) {
    frmKX5_P_ALM alm(&display, &data);
    std::vector<int> seen;
    alm.openPicker = [&seen](frmKX5_P_ALM*) { seen.push_back(gAlarmSel); };
    alm.resize(alm.sizeHint());
    alm.show();
    QTest::mouseClick(alm.findChild<QLabel*>("lblA2TY"), Qt::LeftButton);
    QTest::mouseClick(alm.findChild<QLabel*>("lblA1TY"), Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<int>{2, 1}));
}

TEST_F(AlarmCode, EachPictureIsItsOwn) {
    // Twenty different drawings: a mix-up of two codes would show the same picture twice.
    QSet<QByteArray> seen;
    for (int code = 1; code <= 20; ++code) {
        const QImage img = frmKX5_AlarmCode::alarmPicture(code).toImage();
        ASSERT_FALSE(img.isNull());
        seen.insert(QByteArray(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), 20);
}

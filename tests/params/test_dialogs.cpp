// The group dialogs, the input dialog and the alarm-type picker without the link: OK's request
// (step, selected station, values) for each conversion of what the user changed, refused values
// and a refused request, the input defaults and the picker's codes. Values sent back untouched
// and the wire are left to test_param_wire.cpp.
#include "ParamsFixture.h"
#include "params/frmKX5_AlarmCode.h"
#include "params/frmKX5_P_ALM.h"
#include "params/frmKX5_P_AT.h"
#include "params/frmKX5_P_Control.h"
#include "params/frmKX5_P_IN.h"
#include "params/frmKX5_P_OUT.h"
#include "params/frmKX5_P_PID.h"
#include "params/frmKX5_P_SV.h"

#include <QTableWidget>
#include <memory>

class Dialogs : public ParamsFixture {
protected:
    void SetUp() override {
        ParamsFixture::SetUp();
        readZeros();
    }
    std::unique_ptr<GroupDialog> make(const std::string& name) {
        if (name == "OUT") return std::make_unique<frmKX5_P_OUT>(&sink, image);
        if (name == "SV") return std::make_unique<frmKX5_P_SV>(&sink, image);
        if (name == "AT") return std::make_unique<frmKX5_P_AT>(&sink, image);
        if (name == "PID") return std::make_unique<frmKX5_P_PID>(&sink, image);
        if (name == "ALM") return std::make_unique<frmKX5_P_ALM>(&sink, image);
        if (name == "Control") return std::make_unique<frmKX5_P_Control>(&sink, image);
        if (name == "IN") return std::make_unique<frmKX5_P_IN>(&sink, image);
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
};

TEST_F(Dialogs,
       OkSendsTheConvertedValuesOfItsStepOrRefusesOnesTheControllerWouldNotTakeOrReadBack) {
    struct Case {
        const char* dialog;
        int inp, unit, dpp;
        std::vector<std::pair<std::string, const char*>> fields;
        std::vector<int> values;
        int step;
        std::vector<int> second = {}; // the input dialog's second half
        bool refused = false;         // a value that does not fit: said, nothing sent
        bool linkRefuses = false;
        int unread = 0; // a register of it never read from the station: never written
    };
    // clang-format off
    const Case cases[] = {
        {"SV", 1, 0, 0, {{"cmbSV_No", "2"}, {"txtSV1", "150.5"}, {"txtSV2", "151.5"}, {"txtSV3", "-20"}}, {2, 150, 152, -20}, kStepWriteSV},
        {"SV", 2, 0, 0, {{"cmbSV_No", "3"}, {"txtSV1", "150.5"}, {"txtSV2", "7a"}, {"txtSV3", "0"}}, {3, 1505, 70, 0}, kStepWriteSV},
        // Products a hair off a half in binary still halve to even; F000 and 7FFF read back.
        {"SV", 30, 0, 2, {{"txtSV1", "2.675"}, {"txtSV2", "1.005"}, {"txtSV3", "-0.125"}}, {1, 268, 100, -12}, kStepWriteSV},
        {"SV", 30, 0, 1, {{"txtSV1", "3276.74"}, {"txtSV2", "-409.6"}}, {1, 32767, -4096, 0}, kStepWriteSV},
        {"OUT", 2, 0, 0, {{"cmbOUT", "5"}, {"cmbOACT", "DIR"}, {"txtCT", "20"}, {"txtCTC", "x"}, {"txtHYS", "0.5"}, {"txtPO", "55.5"}, {"txtPOC", "100"}, {"txtOLH", "100.0"}, {"txtOLL", "0.05"}}, {5, 1, 20, 0, 5, 555, 1000, 1000, 0}, kStepWriteOutput},
        {"OUT", 1, 0, 0, {{"cmbOUT", "12"}, {"cmbOACT", "REV"}, {"txtCT", "2.5"}, {"txtCTC", "3.5"}, {"txtHYS", "2.5"}, {"txtPO", "55.5"}, {"txtPOC", "-5"}, {"txtOLH", "99.95"}, {"txtOLL", "0.04"}}, {12, 0, 2, 4, 2, 555, -50, 1000, 0}, kStepWriteOutput},
        {"AT", 1, 0, 0, {{"cmbATM", "LOW"}, {"cmbAT", "AUTO"}}, {1, 4}, kStepWriteAT},
        {"AT", 1, 0, 0, {{"cmbATM", "STD"}, {"cmbAT", "2"}}, {0, 2}, kStepWriteAT},
        {"Control", 2, 0, 0, {{"cmbZONE", "ON"}, {"cmbFUZY", "OFF"}, {"cmbDIS", "OFF"}, {"txtUPRT", "12"}, {"txtDNRT", "3.5"}, {"cmbRTMU", "Min"}}, {1, 0, 0, 12, 4, 1}, kStepWriteControl},
        {"Control", 1, 0, 0, {{"cmbZONE", "OFF"}, {"cmbFUZY", "ON"}, {"cmbDIS", "ON"}, {"txtUPRT", "-1"}, {"txtDNRT", "0"}, {"cmbRTMU", "Hour"}}, {0, 1, 1, -1, 0, 0}, kStepWriteControl},
        {"ALM", 2, 0, 0, {{"txtA1DB", "2"}, {"txtA2DB", "3.5"}, {"txtAL1", "100.5"}, {"txtAL2", "-5"}}, {0, 0, 2, 4, 1005, -50}, kStepWriteAlarm},
        {"ALM", 1, 0, 0, {{"txtA1DB", "0"}, {"txtA2DB", "1"}, {"txtAL1", "100.5"}, {"txtAL2", "101.5"}}, {0, 0, 0, 1, 100, 102}, kStepWriteAlarm},
        {"IN", 2, 0, 0, {{"cmbINP", "30"}, {"cmbUnit", "℃"}, {"cmbDPP", "2"}, {"txtSLH", "123.45"}, {"cmbBOUT", "UP"}}, {30, 0}, kStepWriteInput1, {1000, -500, 2, 12345, 50, 3, -150, 1}},
        {"IN", 2, 0, 0, {{"cmbINP", "1"}, {"cmbUnit", "℃"}, {"cmbDPP", "2"}, {"txtSLH", "123.45"}, {"cmbBOUT", "DOWN"}}, {1, 0}, kStepWriteInput1, {10, -5, 2, 123, 0, 3, -2, 2}},
        {"IN", 2, 0, 0, {{"cmbINP", "3"}, {"cmbUnit", "℉"}, {"cmbDPP", "0"}, {"txtSLH", "123.45"}, {"cmbBOUT", "OFF"}}, {3, 1}, kStepWriteInput1, {10, -5, 0, 123, 0, 3, -2, 0}},
        {"IN", 2, 0, 0, {{"cmbINP", "20"}, {"cmbUnit", "℉"}, {"cmbDPP", "0"}, {"txtSLH", "0.25"}, {"cmbBOUT", "OFF"}}, {20, 1}, kStepWriteInput1, {100, -50, 0, 2, 5, 3, -15, 0}},
        // Refused, as the controller or the map would read it back otherwise: nothing is sent
        // and the dialog stays open.
        {"SV", 2, 0, 0, {{"txtSV3", "4000.0"}}, {}, 0, {}, true},
        {"SV", 2, 0, 0, {{"txtSV1", "-409.7"}}, {}, 0, {}, true},
        {"SV", 1, 0, 0, {{"txtSV2", "32768"}}, {}, 0, {}, true},
        {"OUT", 1, 0, 0, {{"txtCT", "65535"}}, {}, 0, {}, true},
        {"OUT", 1, 0, 0, {{"txtPO", "3276.8"}}, {}, 0, {}, true},
        {"ALM", 30, 0, 3, {{"txtAL2", "33"}}, {}, 0, {}, true},
        {"Control", 1, 0, 0, {{"txtUPRT", "1e6"}}, {}, 0, {}, true},
        {"PID", 1, 0, 0, {{"sprdPID 2 4", "-4097"}}, {}, 0, {}, true},
        {"IN", 33, 0, 1, {{"txtFRH", "-500.0"}}, {}, 0, {}, true},
        // A field left empty is refused, never sent as 0.
        {"SV", 2, 0, 0, {{"txtSV3", " "}}, {}, 0, {}, true},
        {"PID", 1, 0, 0, {{"sprdPID 1 1", ""}}, {}, 0, {}, true},
        // Refused as the controller does not take it: the same ranges and choices a set file
        // is checked against.
        {"SV", 1, 0, 0, {{"txtSV2", "1371"}}, {}, 0, {}, true},
        {"AT", 1, 0, 0, {{"cmbAT", "7"}}, {}, 0, {}, true},
        {"IN", 2, 0, 0, {{"cmbINP", "2"}, {"cmbUnit", "℉"}}, {}, 0, {}, true},
        {"IN", 2, 0, 0, {{"cmbINP", "99"}}, {}, 0, {}, true},
        // Refused by the link: asked for, its words shown, the dialog open to try again.
        {"AT", 1, 0, 0, {{"cmbATM", "LOW"}, {"cmbAT", "AUTO"}}, {1, 4}, kStepWriteAT, {}, false, true},
        // Last, as the register stays unread: whatever the fields hold, refused.
        {"SV", 2, 0, 0, {}, {}, 0, {}, true, false, 303},
        {"IN", 2, 0, 0, {}, {}, 0, {}, true, false, 619},
    };
    // clang-format on
    // Stored with INP 2: SVNO 1, FR-H 10.0, FR-L -5.0, SL-L 0.5, FILT 3, BIAS -1.5, read by the
    // input dialog and converted with the type chosen in it.
    for (const auto& [reg, v] :
         std::map<int, int>{{300, 1}, {612, 100}, {613, -50}, {616, 5}, {617, 3}, {618, -15}})
        image[reg] = v;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dialog << " with INP " << c.inp << " DP-P " << c.dpp);
        said.clear();
        sink.requests.clear();
        sink.refusal = c.linkRefuses ? Refusal::NotAnswered : Refusal::None;
        input(c.inp, c.unit, c.dpp);
        image.erase(c.unread);
        auto d = make(c.dialog);
        d->show();
        for (const auto& [name, text] : c.fields)
            set(d.get(), name, text);
        clickOK(d.get());
        std::vector<Request> asked; // to station 4, the one selected
        if (c.step == kStepWriteInput1)
            asked.push_back(Request::inputWrite(4, c.values, c.second));
        else if (c.step)
            asked.push_back(Request::groupWrite(c.step, 4, c.values));
        EXPECT_EQ(sink.requests, asked);
        const bool told = c.refused || c.linkRefuses;
        EXPECT_EQ(said.size(), told ? 1 : 0);
        EXPECT_EQ(d->isVisible(), told);
    }
}

// A choice word typed, or an item picked, from the keyboard into a control dialog that opens in
// its first field: the values it asks for; a word that is none of the choices: nothing at all.
TEST_F(Dialogs, ChoiceTypedOrPickedIsTheValueSentAndAnUnknownWordSendsNothing) {
    image[102] = 1; // ZONE on, everything else 0
    const struct {
        QString keys; // typed over the field's text; empty: Down picks the next item
        int zone;     // -1: refused
    } ways[] = {{"off", 0}, {{}, 1}, {"켬", 1}, {"dir", -1}};
    for (const auto& w : ways) {
        SCOPED_TRACE(w.keys.toStdString());
        said.clear();
        sink.requests.clear();
        auto dlg = make("Control");
        dlg->show();
        QWidget* first = dlg->focusWidget();
        ASSERT_EQ(first, dlg->findChild<QWidget*>("cmbZONE"));
        if (w.keys.isEmpty()) {
            QTest::keyClick(first, Qt::Key_Up); // ON to OFF
            QTest::keyClick(first, Qt::Key_Down);
        } else {
            QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
            QTest::sendKeyEvent(QTest::Click, first, Qt::Key_unknown, w.keys, Qt::NoModifier);
        }
        clickOK(dlg.get());
        EXPECT_EQ(dlg->isVisible(), w.zone < 0);
        EXPECT_EQ(said.size(), w.zone < 0 ? 1 : 0);
        EXPECT_EQ(sink.requests, w.zone < 0 ? std::vector<Request>()
                                            : std::vector{Request::groupWrite(
                                                  kStepWriteControl, 4, {w.zone, 0, 0, 0, 0, 0})});
    }
}

TEST_F(Dialogs, PidSendsTwentySixValuesScalingOnlyRp) {
    for (int d : {0, 2}) {
        image[104] = 77; // ARW: shown, never sent
        input(30, 0, d);
        auto dlg = make("PID");
        EXPECT_EQ(field(dlg.get(), "txtARW"), "77");
        EXPECT_TRUE(dlg->findChild<QLineEdit*>("txtARW")->isReadOnly());
        std::vector<int> expected;
        for (int s = 1; s <= 3; ++s)
            for (int r = 1; r <= 9 - (s == 3); ++r) {
                const int n = 100 * s + r;
                set(dlg.get(), "sprdPID " + std::to_string(s) + " " + std::to_string(r),
                    QByteArray::number(n + 0.5).constData());
                // n + 0.5 halves to even; RP gets 10^d first.
                expected.push_back(int(std::nearbyint((n + 0.5) * (r == 9 ? std::pow(10, d) : 1))));
            }
        set(dlg.get(), "txtARW", "999");
        set(dlg.get(), "sprdPID 3 9", "555"); // set 3 has no RP: dropped
        sink.requests.clear();
        clickOK(dlg.get());
        EXPECT_EQ(sink.requests, (std::vector{Request::groupWrite(kStepWritePID, 4, expected)}))
            << "d " << d;
    }
}

TEST_F(Dialogs, InputOpensByTheStoredTypeAndAppliesTheDefaultsOfTheChosenOnes) {
    struct Case {
        const char *inp, *unit, *frh, *frl, *slh, *sll, *dpp;
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
    frmKX5_P_IN d(&sink, image);
    const char* const names[] = {"txtFRH", "txtFRL", "txtSLH", "txtSLL", "cmbDPP"};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "INP " << c.inp << " unit " << c.unit);
        for (int i = 0; i < 5; ++i)
            setField(&d, names[i], QString::number(i < 4 ? i + 5 : 3));
        setField(&d, "cmbUnit", QString::fromUtf8(c.unit));
        setField(&d, "cmbINP", QString::fromLatin1(c.inp));
        d.cmbINP_Click();
        const char* const want[] = {c.frh, c.frl, c.slh, c.sll, c.dpp};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(field(&d, names[i]), QString::fromUtf8(want[i])) << names[i];
        for (const char* f : {"cmbDPP", "txtSLH", "txtSLL"})
            EXPECT_EQ(d.findChild<QWidget*>(f)->isEnabled(), c.linear) << f;
    }
    // The stored type enables the linear fields; a unit chosen in the list applies defaults.
    for (int inp : {2, 33}) {
        input(inp, 0, 1);
        frmKX5_P_IN stored(&sink, image);
        EXPECT_EQ(stored.findChild<QWidget*>("txtSLH")->isEnabled(), inp >= 30);
        EXPECT_EQ(stored.findChild<QWidget*>("cmbDPP")->isEnabled(), inp >= 30);
        auto* unit = stored.findChild<QComboBox*>(QStringLiteral("cmbUnit"));
        unit->setCurrentIndex(1); // "℉", as the user's choice in the list
        emit unit->activated(1);
        EXPECT_EQ(field(&stored, "txtFRH"), inp == 2 ? "2300" : "100.0");
    }
}

TEST_F(Dialogs, AlarmPickerGivesItsCodeToTheAlarmClicked) {
    struct Case {
        int col, row; // col 0: the button instead of a cell
        const char* button;
        int code;
    };
    const Case cases[] = {{1, 1, nullptr, 1},  {5, 4, nullptr, 20},      {3, 2, nullptr, 8},
                          {2, 3, nullptr, 12}, {0, 0, "btnAlarmOff", 0}, {0, 0, "btnCode21", 21}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.col << c.row);
        frmKX5_AlarmCode picker;
        picker.show();
        auto* grid = picker.findChild<QTableWidget*>("vaSpread1");
        if (c.button)
            QTest::mouseClick(picker.findChild<QPushButton*>(c.button), Qt::LeftButton);
        else
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualItemRect(grid->item(c.row - 1, c.col - 1)).center());
        EXPECT_EQ(picker.code(), c.code);
        EXPECT_FALSE(picker.isVisible());
    }
    // The clicked alarm takes the code picked, the other keeps its own; a picker closed with
    // no choice changes nothing. OK writes the codes.
    image[410] = 3, image[411] = 9;
    refreshMapGrid(&image, display);
    frmKX5_P_ALM alm(&sink, image);
    std::vector<std::optional<int>> picks = {17, std::nullopt, 0};
    alm.openPicker = [&picks](frmKX5_P_ALM*) {
        const std::optional<int> p = picks.front();
        picks.erase(picks.begin());
        return p;
    };
    alm.resize(alm.sizeHint());
    alm.show();
    QTest::mouseClick(alm.findChild<QLabel*>("lblA2TY"), Qt::LeftButton);
    QTest::mouseClick(alm.findChild<QLabel*>("lblA1TY"), Qt::LeftButton);
    EXPECT_EQ(field(&alm, "lblA1TY") + " " + field(&alm, "lblA2TY"), "3 17");
    QTest::mouseClick(alm.findChild<QLabel*>("lblA1TY"), Qt::LeftButton);
    EXPECT_EQ(field(&alm, "lblA1TY") + " " + field(&alm, "lblA2TY"), "0 17");
    clickOK(&alm);
    EXPECT_EQ(sink.requests,
              (std::vector{Request::groupWrite(kStepWriteAlarm, 4, {0, 17, 0, 0, 0, 0})}));
    // The type is drawn as a field: the same face as the dead band's box below it.
    const auto inside = [&](const char* name) {
        return alm.findChild<QWidget*>(name)->grab().toImage().pixelColor(3, 3);
    };
    EXPECT_EQ(inside("lblA1TY"), inside("txtA1DB"));
    // Twenty different drawings: a mix-up of two codes would show the same picture twice.
    QSet<QByteArray> pictures;
    for (int code = 1; code <= 20; ++code) {
        const QImage img = frmKX5_AlarmCode::alarmPicture(code).toImage();
        pictures.insert(
            QByteArray(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()));
    }
    EXPECT_EQ(pictures.size(), 20);
}

// The map window: what Form_Load shows and asks for, closing, how a
// request ended and clicks reaching lblMsg, the dialogs, the clock window's cells and switch,
// the blinking message and the colours on the rendered map. The rules are left to
// test_map_rules.cpp, the link's part to test_param_wire.cpp.
#include "ParamsFixture.h"
#include "files/ConfigFiles.h"
#include "files/TextLines.h"
#include "params/ParamSet.h"
#include "params/frmKX5_Parameter.h"
#include "services/LinkWords.h"
#include "settings/frmKX5_SetDT.h"
#include "ui/Contrast.h"

#include <QAccessible>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>

class MapWindow : public ParamsFixture {
protected:
    void SetUp() override {
        ParamsFixture::SetUp();
        sink.mcNo = 7;
        readZeros();
        input(2, 0, 0);
        image[300] = 1;
        image[301] = 1505;
        image[104] = 30;
        map = std::make_unique<frmKX5_Parameter>(&sink, source());
        map->openDialog = [this](MapDialog d) { opened.push_back(d); };
    }
    // Station 7, a KX5-105, has this image; no other station was read.
    ParamSource source() {
        return {
            [this](int mc) { return mc == 7 ? &image : nullptr; },
            [](int mc) { return mc == 7 ? ControllerModel::KX5_105 : ControllerModel::Unknown; }};
    }

    std::vector<MapDialog> opened;
    std::unique_ptr<frmKX5_Parameter> map;
};

TEST_F(MapWindow, LoadAsksForAReadAllAndCloses) {
    EXPECT_EQ(field(map.get(), "lblMC_No") + field(map.get(), "lblModel"), "7KX5-105");
    EXPECT_EQ(map->displayGrid()->text(8, 2), "150.5");
    EXPECT_EQ(sink.requests, std::vector{Request::readAll(7)});
    EXPECT_EQ(field(map.get(), "lblMsg"), "");
    EXPECT_FALSE(map->tmrRefresh.isActive());
    EXPECT_TRUE(map->tmrToggleColor.isActive());

    // How a request ended: a write or trouble in the link's words, a read or a replaced request
    // not at all.
    const Request sv = Request::groupWrite(kStepWriteSV, 7, {1, 1505, 0, 0});
    using O = RequestOutcome;
    const std::tuple<Request, O, const char*> ends[] = {
        {sv, O::GivenUp, "link"},        {sv, O::Dropped, "link"},
        {sv, O::SecondHalfLost, "link"}, {sv, O::Done, "link"},
        {sv, O::Replaced, "before"},     {Request::readAll(7), O::Done, "before"}};
    for (const auto& [r, outcome, shown] : ends) {
        map->messageLabel()->setText(QStringLiteral("before"));
        map->onRequestEnded(r, outcome, QStringLiteral("link"));
        EXPECT_EQ(map->messageLabel()->text(), shown) << int(outcome);
    }

    QTest::mouseClick(map->findChild<QPushButton*>("btnClose"), Qt::LeftButton);
    EXPECT_FALSE(map->tmrToggleColor.isActive());
    // Unloading without the button closes it as well. A refused read-all leaves the map open
    // on the values last read, saying why.
    sink.refusal = Refusal::PortClosed;
    map = std::make_unique<frmKX5_Parameter>(&sink, source());
    EXPECT_EQ(field(map.get(), "lblMsg"), LinkWords::refusal(sink.requests.back(), sink.refusal));
    map.reset();
}

TEST_F(MapWindow, ClicksReachTheClickTableAndBuildTheirDialogTheClockAtTheStationsClock) {
    // A real click on the view: view rows 0 and 1 are the header rows, column 0 the row numbers.
    map->show();
    auto* view = map->findChild<QTableView*>("sprdMap");
    const auto click = [&](int row, int col) {
        const QRect r = view->visualRect(view->model()->index(row, col));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    };
    map->messageLabel()->setText(QStringLiteral("old"));
    click(2 + 3 - 1, 8); // SV2
    EXPECT_EQ(map->messageLabel()->text(), "");
    click(0, 1);
    EXPECT_EQ(map->messageLabel()->text(), "Read Only Area");
    click(2 + 22 - 1, 11); // YEAR .. SEC name column
    EXPECT_EQ(opened, (std::vector<MapDialog>{MapDialog::SV, MapDialog::SetDT}));

    // The group dialogs each open on their own fields in test_param_wire.cpp; the clock window
    // starts from the station's clock as last read.
    EXPECT_EQ(map->createDialog(MapDialog::None), nullptr);
    const int clock[] = {2031, 12, 31, 1, 2, 3};
    for (int i = 0; i < 6; ++i)
        image[520 + i] = clock[i];
    auto dt = map->createDialog(MapDialog::SetDT);
    ASSERT_STREQ(dt->metaObject()->className(), "frmKX5_SetDT");
    Grid* cells = static_cast<frmKX5_SetDT*>(dt.get())->dateTimeGrid();
    EXPECT_EQ(cells->text(1, 1) + " " + cells->text(2, 1), "2031-12-31 01:02:03");
    dt->show();
    auto* follow = dt->findChild<QPushButton*>("btnSameDT1");
    QTest::mouseClick(follow, Qt::LeftButton); // on: the face is light magenta
    EXPECT_EQ(follow->grab().toImage().pixelColor(4, follow->height() / 2), QColor(255, 192, 255));
}

TEST_F(MapWindow, RenderedMessageCellsAndLegendCarryTheirColours) {
    image[203] = 7;
    image.erase(105);
    map->tmrRefresh_Timer(); // drawn again from the image
    map->messageLabel()->setText(QStringLiteral("Not Used"));
    // The most saturated pixel of the label is its text's colour.
    const auto textColour = [&] {
        const QImage img = map->messageLabel()->grab().toImage();
        QColor best(Qt::white);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y).saturation() > best.saturation())
                    best = img.pixelColor(x, y);
        return best;
    };
    // The blink's green and blue, each made as dark as reading on the window needs (how dark is
    // test_grid_model's).
    const QColor ground = map->messageLabel()->palette().color(QPalette::Window);
    for (const QColor blink : {QColor(0, 255, 0), QColor(0, 0, 255), QColor(0, 255, 0)}) {
        map->tmrToggleColor_Timer();
        EXPECT_EQ(textColour(), readableOn(blink, ground));
    }

    map->show();
    auto* view = map->findChild<QTableView*>("sprdMap");
    const QImage img = view->viewport()->grab().toImage();
    const auto cellColour = [&](int col, int row) {
        const QRect r = view->visualRect(view->model()->index(row + 1, col));
        return img.pixelColor(r.left() + 2, r.top() + 2);
    };
    // NSV read only, SV1 read/write, PROGRAM not used.
    for (const auto& [col, row, colour] : {std::tuple{2, 3, QColor(255, 255, 0)},
                                           {8, 2, QColor(0, 255, 128)},
                                           {6, 2, QColor(0, 0, 64)}})
        EXPECT_EQ(cellColour(col, row), colour) << col << "," << row;
    // Not by colour alone: writable values bold, read-only ones italic; a screen reader hears
    // the register, the value (or that it was not read) and whether it can be written.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    ASSERT_TRUE(table && table->tableInterface());
    const std::tuple<int, int, bool, bool, const char*> cells[] = {
        {8, 2, true, false, "SV1 (register 301): 150.5, can be written"},
        {2, 3, false, true, "NSV (register 2): 0.0, read only"},
        {6, 4, false, false, "SV1 (register 203): 7, not used"},
        {4, 6, false, false, "105 (register 105): not read, not used"}};
    for (const auto& [col, row, bold, italic, said] : cells) {
        const QFont f = view->model()->index(row + 1, col).data(Qt::FontRole).value<QFont>();
        EXPECT_EQ(f.bold(), bold) << col << "," << row;
        EXPECT_EQ(f.italic(), italic) << col << "," << row;
        QAccessibleInterface* cell = table->tableInterface()->cellAt(row + 1, col);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text(QAccessible::Name), said);
    }
    for (const auto& [name, colour] : {std::pair{"lblReadOnly", QColor(255, 255, 0)},
                                       {"lblReadWrite", QColor(0, 255, 0)},
                                       {"lblNotUsed", QColor(0, 0, 64)}}) {
        const QImage li = map->findChild<QLabel*>(QString::fromLatin1(name))->grab().toImage();
        EXPECT_EQ(li.pixelColor(4, li.height() / 2), colour) << name;
    }
    // Every column of the map fits the window at its default size.
    EXPECT_LE(view->columnViewportPosition(14) + view->columnWidth(14), view->viewport()->width());
}

// A set saved from the map reads back as it was; a damaged or hand-edited one that does not say
// what it writes, or writes what a controller does not take, is refused naming its line before
// anything is asked; a comparison asks for a fresh read first and lists the registers that
// differ, read-only ones not.
TEST_F(MapWindow, ParameterSetsSaveReadBackAndCompare) {
    QTemporaryDir dir;
    const QString file = dir.filePath("MC7.csv");
    map->chooseSetFile = [&](bool) { return file; };
    QTest::mouseClick(map->findChild<QPushButton*>("btnSaveSet"), Qt::LeftButton);
    QStringList lines;
    ASSERT_TRUE(readLines(file, &lines));
    EXPECT_EQ(lines.mid(0, 3), QStringList({"KX5 parameter set", "Model,KX5-105", "MC No,7"}));
    EXPECT_EQ(lines[5], "Name,Register,Value,Raw,Access");
    EXPECT_TRUE(lines.contains("SV1,301,150.5,1505,read/write")) << lines.join('\n').toStdString();
    ParamSet set;
    QString error;
    ASSERT_TRUE(readParamSet(file, &set, &error)) << error.toStdString();
    EXPECT_EQ(paramSetLines(set).mid(5), lines.mid(5));

    // Damaged and hand-edited sets: each refused, naming the line; Write Set asks nothing.
    const auto lineOf = [&](const char* start) {
        return int(lines.indexOf(QRegularExpression(QString("^") + start + ",.*"))) + 1;
    };
    // clang-format off
    const std::pair<QString, QString> damaged[] = {
        {"KX5 set", "not a parameter set"},
        {"Model,KX5-999", "KX5-999 is not a KX5 model"},
        {"SV1,301,150.5,40000,read/write", "value 40000 out of range"},
        {"SV2,399,150.5,1505,read/write", "register 399 is not a parameter"},
        {"SV1,301,150.5", "not name, register, value, raw"},
        {"", "register 301 is missing"}, // the line of SV1 emptied
        // Raw is what is written: a value beside it that says otherwise is not taken as it.
        {"SV1,301,175.0,1500,read/write", "SV1: the value 175.0 and the raw 1500 disagree (raw 1500 is 150.0)"},
        {"RTMU,110,Hours,0,read/write", "RTMU: the value Hours and the raw 0 disagree (raw 0 is Hour)"},
        {"SV1,301,3000.0,30000,read/write", "SV1 3000.0: enter -199.9 to 999.9, the range of input type 2"},
        {"ZONE,102,ON,7,read/write", "ZONE 7: not one of 0 (OFF), 1 (ON)"},
        {"SVNO,300,9,9,read/write", "SVNO 9: enter 1 to 3"},
    };
    // clang-format on
    map->writeSet = [](const ParamSet&, const QString&) { ADD_FAILURE() << "a set was written"; };
    const QString badFile = dir.filePath("bad.csv");
    map->chooseSetFile = [&](bool) { return badFile; };
    for (const auto& [text, why] : damaged) {
        const QString name = text.isEmpty() ? "SV1" : text.section(',', 0, 0);
        const int at = name == "KX5 set" ? 0 : lineOf(qPrintable(name)) - 1;
        QStringList bad = lines;
        bad[at] = text;
        ASSERT_TRUE(writeLinesAtomic(badFile, bad, nullptr));
        EXPECT_FALSE(readParamSet(badFile, &set, &error));
        const QString where = text.isEmpty() ? QString() : QString("line %1: ").arg(at + 1);
        EXPECT_TRUE(error.contains(where + why)) << error.toStdString();
        said.clear();
        sink.requests.clear();
        QTest::mouseClick(map->findChild<QPushButton*>("btnWriteSet"), Qt::LeftButton);
        EXPECT_EQ(said, QStringList{error});
        EXPECT_TRUE(sink.requests.empty());
    }
    map->chooseSetFile = [&](bool) { return file; };

    // Compare: nothing until the fresh read is in, then the registers that differ.
    std::vector<ParamDiff> shown;
    map->showDiffs = [&](const QString&, const std::vector<ParamDiff>& d) { shown = d; };
    sink.requests.clear();
    QTest::mouseClick(map->findChild<QPushButton*>("btnCompareSet"), Qt::LeftButton);
    EXPECT_EQ(sink.requests, std::vector{Request::readAll(7)});
    image[301] = 1600;
    image[1] = 250; // PV moved: read-only, no difference
    image[104] = 40;
    map->tmrRefresh_Timer();
    QStringList diffs;
    for (const ParamDiff& d : shown)
        diffs << QStringList({d.name, d.station, d.set}).join(' ');
    EXPECT_EQ(diffs, QStringList({"ARW 40 30", "SV1 160.0 150.5"}));
    // A set of another model is refused before anything is asked.
    lines[1] = "Model,KX5-???";
    ASSERT_TRUE(writeLinesAtomic(file, lines, nullptr));
    said.clear();
    sink.requests.clear();
    QTest::mouseClick(map->findChild<QPushButton*>("btnCompareSet"), Qt::LeftButton);
    EXPECT_TRUE(sink.requests.empty());
    EXPECT_EQ(said, QStringList{"The set is of a KX5-???, MC 7 is a KX5-105: not compared."});
}

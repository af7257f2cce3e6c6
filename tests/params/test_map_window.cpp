// The map window: what Form_Load shows and asks for, clicks reaching lblMsg and the dialogs,
// the one-shot refresh, the blinking message, closing, and the colours on the rendered map.
// The rules themselves are left to test_map_rules.cpp, the link's part to test_param_wire.cpp.
#include "ParamsFixture.h"
#include "link/Steps.h"
#include "params/frmKX5_Parameter.h"
#include "ui/GridModel.h"

#include <QPushButton>
#include <QTableView>
#include <QTest>

class MapWindow : public ParamsFixture {
protected:
    void SetUp() override {
        ParamsFixture::SetUp();
        status.setText(2, 2, QStringLiteral("KX5-105"));
        gMC_SelIdx = 1;
        input(2, 0, 0);
        store(301, 1505);
    }
    std::unique_ptr<frmKX5_Parameter> openMap() {
        auto m = std::make_unique<frmKX5_Parameter>(&data, &status, QStringLiteral("7"));
        m->openDialog = [this](MapDialog d) { opened.push_back(d); };
        return m;
    }

    Grid status{3, 3};
    std::vector<MapDialog> opened;
};

TEST_F(MapWindow, LoadShowsTheStationAndAsksForAReadAll) {
    auto m = openMap();
    EXPECT_EQ(m->findChild<QLabel*>("lblMC_No")->text(), "7");
    EXPECT_EQ(m->findChild<QLabel*>("lblModel")->text(), "KX5-105");
    EXPECT_EQ(m->displayGrid()->text(8, 2), "150.5");
    EXPECT_TRUE(gParamOpen);
    EXPECT_EQ(gReqStep, kStepReadAll1);
    EXPECT_EQ(frmKX5_Parameter::openMap(), m.get());
    EXPECT_FALSE(m->tmrRefresh.isActive());
    EXPECT_TRUE(m->tmrToggleColor.isActive());
    EXPECT_EQ(m->tmrToggleColor.interval(), 1000);

    QTest::mouseClick(m->findChild<QPushButton*>("btnClose"), Qt::LeftButton);
    EXPECT_FALSE(gParamOpen);
    EXPECT_EQ(frmKX5_Parameter::openMap(), nullptr);
    // Unloading without the button closes it as well.
    auto again = openMap();
    again.reset();
    EXPECT_FALSE(gParamOpen);
    EXPECT_EQ(frmKX5_Parameter::openMap(), nullptr);
}

TEST_F(MapWindow, RefreshTimerRefreshesOnceAndStops) {
    auto m = openMap();
    store(301, 2000);
    EXPECT_EQ(m->displayGrid()->text(8, 2), "150.5"); // nothing moves until the timer fires
    m->tmrRefresh.start();
    EXPECT_EQ(m->tmrRefresh.interval(), 50);
    EXPECT_TRUE(m->tmrRefresh.isSingleShot());
    m->tmrRefresh_Timer();
    EXPECT_FALSE(m->tmrRefresh.isActive());
    EXPECT_EQ(m->displayGrid()->text(8, 2), "200.0");
}

TEST_F(MapWindow, ClicksOnTheViewReachTheClickTable) {
    auto m = openMap();
    auto* msg = m->messageLabel();
    // A real click on the view: view row 0 and 1 are the header rows, column 0 the row numbers.
    m->show();
    auto* view = m->findChild<QTableView*>("sprdMap");
    const QModelIndex sv2 = view->model()->index(2 + 3 - 1, 8); // data row 3
    msg->setText(QStringLiteral("old"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(sv2).center());
    EXPECT_EQ(msg->text(), "");
    EXPECT_EQ(opened, std::vector<MapDialog>{MapDialog::SV});
    const QModelIndex header = view->model()->index(0, 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(header).center());
    EXPECT_EQ(msg->text(), "Read Only Area");
    const QModelIndex setDT = view->model()->index(2 + 22 - 1, 11); // YEAR .. SEC name column
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(setDT).center());
    EXPECT_EQ(opened, (std::vector<MapDialog>{MapDialog::SV, MapDialog::SetDT}));
}

TEST_F(MapWindow, EachDialogIsBuiltOverTheMap) {
    auto m = openMap();
    using D = MapDialog;
    // clang-format off
    const std::pair<MapDialog, const char*> cases[] = {
        {D::Control, "frmKX5_P_Control"}, {D::PID, "frmKX5_P_PID"}, {D::SV, "frmKX5_P_SV"},
        {D::AT, "frmKX5_P_AT"}, {D::ALM, "frmKX5_P_ALM"}, {D::OUT, "frmKX5_P_OUT"},
        {D::IN, "frmKX5_P_IN"}, {D::SetDT, "frmKX5_SetDT"}};
    // clang-format on
    for (const auto& [which, name] : cases) {
        auto d = m->createDialog(which);
        ASSERT_NE(d, nullptr) << name;
        EXPECT_EQ(d->objectName(), name);
    }
    EXPECT_EQ(m->createDialog(MapDialog::None), nullptr);
    // The SV dialog reads the map's formatted text, not the raw register.
    auto sv = m->createDialog(MapDialog::SV);
    EXPECT_EQ(field(sv.get(), "txtSV1"), "150.5");
}

TEST_F(MapWindow, MessageBlinksBlueAndGreen) {
    auto m = openMap();
    m->messageLabel()->setText(QStringLiteral("Not Used"));
    // The most saturated pixel of the label is its text's colour.
    const auto textColour = [&] {
        const QImage img = m->messageLabel()->grab().toImage();
        QColor best(Qt::white);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y).saturation() > best.saturation())
                    best = img.pixelColor(x, y);
        return best;
    };
    for (const QColor expected : {QColor(0, 255, 0), QColor(0, 0, 255), QColor(0, 255, 0)}) {
        m->tmrToggleColor_Timer();
        EXPECT_EQ(textColour(), expected);
    }
}

TEST_F(MapWindow, RenderedCellsAndLegendCarryTheClassColours) {
    auto m = openMap();
    m->show();
    auto* view = m->findChild<QTableView*>("sprdMap");
    const QImage img = view->viewport()->grab().toImage();
    const auto cellColour = [&](int col, int row) {
        const QRect r = view->visualRect(view->model()->index(row + 1, col));
        return img.pixelColor(r.left() + 2, r.top() + 2);
    };
    EXPECT_EQ(cellColour(2, 3), QColor(255, 255, 0)); // NSV: read only
    EXPECT_EQ(cellColour(8, 2), QColor(0, 255, 128)); // SV1: read/write
    EXPECT_EQ(cellColour(6, 2), QColor(0, 0, 64));    // PROGRAM: not used
    const auto legendColour = [&](const char* name) {
        auto* l = m->findChild<QLabel*>(QString::fromLatin1(name));
        const QImage li = l->grab().toImage();
        return li.pixelColor(4, li.height() / 2);
    };
    EXPECT_EQ(legendColour("lblReadOnly"), QColor(255, 255, 0));
    EXPECT_EQ(legendColour("lblReadWrite"), QColor(0, 255, 0));
    EXPECT_EQ(legendColour("lblNotUsed"), QColor(0, 0, 64));
    // Every column of the map fits the window at its default size.
    const int last = view->columnViewportPosition(14) + view->columnWidth(14);
    EXPECT_LE(last, view->viewport()->width());
}

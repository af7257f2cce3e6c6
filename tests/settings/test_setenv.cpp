#include "SettingsFixture.h"
#include "settings/frmKX5_SetEnv.h"
#include "ui/GridView.h"

#include <QPushButton>
#include <QTest>
#include <optional>

namespace {

// 99 lines with the given stations marked "O" and named "MC<n>".
QByteArray setEnvFile(std::initializer_list<int> inUse) {
    QByteArray out;
    for (int k = 1; k <= 99; ++k) {
        const bool on = std::find(inUse.begin(), inUse.end(), k) != inUse.end();
        out += (on ? "O\tMC" + QByteArray::number(k) : QByteArray("X\t")) + "\r\n";
    }
    return out;
}

} // namespace

class SetEnv : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        status.setMaxCols(4);
        monitoring.setMaxCols(19);
    }
    void click(QDialog& w, const char* button) {
        QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    // The station table's MC No column and the monitor table's row headers, row by row.
    QStringList statusRows() const {
        QStringList l;
        for (int r = 1; r <= status.maxRows(); ++r)
            l << status.text(1, r);
        return l;
    }
    QStringList monitorRows() const {
        QStringList l;
        for (int r = 1; r <= monitoring.maxRows(); ++r)
            l << monitoring.text(0, r);
        return l;
    }
    Grid status, monitoring;
};

TEST_F(SetEnv, ShowsNinetyNineRowsWithDropDownsAndZebraRows) {
    frmKX5_SetEnv w(&status, &monitoring);
    EXPECT_EQ(w.windowTitle(), "Usable Setting");
    Grid* g = w.list();
    ASSERT_NE(w.findChild<GridView*>("sprdList"), nullptr);
    EXPECT_EQ(g->maxRows(), 99);
    EXPECT_EQ(g->text(0, 0), "MC No");
    EXPECT_EQ(g->text(1, 0), "Use");
    EXPECT_EQ(g->text(2, 0), "Description");
    EXPECT_EQ(g->text(0, 42), "42");
    for (int r : {1, 50, 99}) {
        EXPECT_EQ(g->cellKind(1, r), Grid::CellKind::DropDown);
        EXPECT_EQ(g->dropDownItems(1, r), QStringList({"O", "X"}));
        EXPECT_EQ(g->text(1, r), "X"); // no file: every station off
        EXPECT_EQ(g->text(2, r), "");
    }
    ASSERT_TRUE(g->alternateColors().has_value());
    EXPECT_EQ(g->alternateColors()->first, rgb(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(g->alternateColors()->second, rgb(0xFF, 0xFF, 0xFF));
    // The view shows odd rows green: view row 0 is grid row 1.
    auto* model = w.findChild<GridView*>("sprdList")->model();
    EXPECT_EQ(model->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(192, 255, 192));
    EXPECT_EQ(model->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
}

TEST_F(SetEnv, LoadsTheFileLineByLine) {
    write("CFG/SetEnv.INI", "X\tfirst\r\nO\tOven 2\r\no\tlower\r\n O\tspace\r\nO\r\n");
    frmKX5_SetEnv w(&status, &monitoring);
    const std::tuple<int, const char*, const char*> rows[] = {
        {1, "X", "first"},  {2, "O", "Oven 2"}, {3, "o", "lower"},
        {4, " O", "space"}, {5, "O", ""},       {6, "X", ""}, // past the file's end
    };
    for (const auto& [r, use, name] : rows) {
        EXPECT_EQ(w.list()->text(1, r), use) << r;
        EXPECT_EQ(w.list()->text(2, r), name) << r;
    }
}

TEST_F(SetEnv, OkWritesNinetyNineLinesAndRebuildsBothTables) {
    status.setMaxRows(1); // what start-up built before
    frmKX5_SetEnv w(&status, &monitoring);
    w.list()->setText(1, 3, "O");
    w.list()->setText(2, 3, "Oven A");
    w.list()->setText(1, 7, "O");
    w.list()->setText(2, 50, "spare, not in use");
    click(w, "btnOK");
    EXPECT_EQ(w.result(), QDialog::Accepted);

    QByteArray want;
    for (int k = 1; k <= 99; ++k)
        want += k == 3    ? "O\tOven A\r\n"
                : k == 7  ? "O\t\r\n"
                : k == 50 ? "X\tspare, not in use\r\n"
                          : "X\t\r\n";
    EXPECT_EQ(bytes(setEnvPath()), want);
    EXPECT_EQ(gMC_List, std::vector<int>({3, 7}));
    EXPECT_EQ(gMC_Name, QStringList({"Oven A", ""}));
    EXPECT_EQ(gMC_OK, std::vector<bool>({false, false}));
    EXPECT_EQ(gMC_Last, 1);
    EXPECT_EQ(statusRows(), QStringList({"3", "7"}));
    EXPECT_EQ(monitorRows(), QStringList({"3", "7"}));
    EXPECT_EQ(gMC_No, 3); // nothing was selected: the first station in use
    EXPECT_EQ(gMC_SelIdx, 0);
}

TEST_F(SetEnv, MarksAreCaseSensitiveAndExact) {
    const std::pair<const char*, bool> marks[] = {{"O", true},   {"o", false}, {" O", false},
                                                  {"O ", false}, {"X", false}, {"0", false}};
    for (const auto& [mark, inUse] : marks) {
        frmKX5_SetEnv w(&status, &monitoring);
        w.list()->setText(1, 1, "O"); // one sure station so OK goes through
        w.list()->setText(1, 9, mark);
        w.btnOK_Click();
        EXPECT_EQ(std::count(gMC_List.begin(), gMC_List.end(), 9), inUse ? 1 : 0) << mark;
        EXPECT_EQ(statusRows().contains("9"), inUse) << mark;
    }
}

TEST_F(SetEnv, UnmarkingTheSelectedStationSelectsTheFirstStillInUse) {
    write("CFG/SetEnv.INI", setEnvFile({2, 5, 8}));
    LoadStations(&status, &monitoring);
    gMC_No = 5;
    gMC_SelIdx = 1;
    frmKX5_SetEnv w(&status, &monitoring);
    w.list()->setText(1, 5, "X");
    w.btnOK_Click();
    EXPECT_EQ(gMC_List, std::vector<int>({2, 8}));
    EXPECT_EQ(gMC_No, 2);
    EXPECT_EQ(gMC_SelIdx, 0);

    // A station still in use stays selected, and its index follows the new list.
    gMC_No = 8;
    frmKX5_SetEnv w2(&status, &monitoring);
    w2.list()->setText(1, 1, "O");
    w2.btnOK_Click();
    EXPECT_EQ(gMC_List, std::vector<int>({1, 2, 8}));
    EXPECT_EQ(gMC_No, 8);
    EXPECT_EQ(gMC_SelIdx, 2);
}

// Everything the stations window may change, to prove a refused OK changed none of it.
struct StationState {
    QByteArray file;
    std::vector<int> list;
    QStringList names, statusRows;
    int mcNo;
    bool operator==(const StationState&) const = default;
};

TEST_F(SetEnv, RefusedOkChangesNothing) {
    struct Case {
        const char* what;
        std::function<void(frmKX5_SetEnv&)> edit;
        std::optional<WriteFailure> failure;
        const char* messagePart;
    };
    const Case cases[] = {
        {"no station marked O", [](frmKX5_SetEnv& w) { w.list()->setText(1, 4, "X"); },
         std::nullopt, "No MC selected"},
        {"read-only folder", [](frmKX5_SetEnv& w) { w.list()->setText(1, 9, "O"); },
         WriteFailure::ReadOnlyFolder, "SetEnv.INI"},
    };
    for (const Case& c : cases) {
        messages.clear();
        write("CFG/SetEnv.INI", setEnvFile({4}));
        LoadStations(&status, &monitoring);
        gMC_No = 4;
        const auto state = [&] {
            return StationState{bytes(setEnvPath()), gMC_List, gMC_Name, statusRows(), gMC_No};
        };
        const StationState before = state();
        frmKX5_SetEnv w(&status, &monitoring);
        w.show();
        c.edit(w);
        if (c.failure)
            whileFailing(*c.failure, cfgDir(), [&] { click(w, "btnOK"); });
        else
            click(w, "btnOK");
        EXPECT_TRUE(w.isVisible()) << c.what;
        ASSERT_EQ(messages.size(), 1) << c.what;
        EXPECT_TRUE(messages[0].contains(c.messagePart)) << messages[0].toStdString();
        EXPECT_TRUE(state() == before) << c.what;
        EXPECT_EQ(monitorRows(), QStringList({"4"})) << c.what;
    }
}

TEST_F(SetEnv, CancelAfterEditingChangesNothing) {
    write("CFG/SetEnv.INI", setEnvFile({1, 2}));
    LoadStations(&status, &monitoring);
    const QByteArray old = bytes(setEnvPath());
    frmKX5_SetEnv w(&status, &monitoring);
    w.list()->setText(1, 1, "X");
    w.list()->setText(1, 30, "O");
    click(w, "btnCancel");
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(bytes(setEnvPath()), old);
    EXPECT_EQ(gMC_List, std::vector<int>({1, 2}));
    EXPECT_EQ(statusRows(), QStringList({"1", "2"}));
}

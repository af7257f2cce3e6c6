#include "SettingsFixture.h"
#include "settings/frmDSave_Folder.h"
#include "settings/frmKX5_Set_DSave.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

QString text(QDialog& w, const char* name) {
    if (auto* c = w.findChild<QComboBox*>(name)) return c->currentText();
    if (auto* e = w.findChild<QLineEdit*>(name)) return e->text();
    return w.findChild<QLabel*>(name)->text();
}
QStringList fields(QDialog& w) {
    return {text(w, "cmbSave"), text(w, "txtSaveInterval"), text(w, "cmbUnit"),
            text(w, "lblFolder"), text(w, "txtFName")};
}
void click(QDialog& w, const char* button) {
    QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
}

} // namespace

class DSave : public SettingsFixture {
protected:
    void useSettings() {
        gDSaveEnable = "Yes";
        gDSaveIntv = 15;
        gDSaveUnit = "min";
        gDSaveFolder = "/data/in use";
        gDSaveName = "Line";
    }
};

TEST_F(DSave, OpensWithTheFileOrWithTheSettingsInUse) {
    const QStringList inUse{"Yes", "15", "min", "/data/in use", "Line"};
    const std::pair<QByteArray, QStringList> rows[] = {
        {"No\r\n2.5\r\nMin\r\n/data/file\r\nOven\r\n", {"No", "2.5", "Min", "/data/file", "Oven"}},
        {"No\r\n10\r\nsec\r\n\r\n\r\nextra\r\n", {"No", "10", "sec", "", ""}},
        {"No\r\n10\r\nsec\r\n/data/file\r\n", inUse}, // short: all five from the settings in use
        {"", inUse},
        {"<missing>", inUse},
    };
    for (const auto& [file, want] : rows) {
        QFile::remove(saveDataPath());
        if (file != "<missing>") write("CFG/SaveData.INI", file);
        useSettings();
        frmKX5_Set_DSave w;
        EXPECT_EQ(fields(w), want) << file.toStdString();
        EXPECT_EQ(w.findChild<QComboBox*>("cmbSave")->itemText(0), "Yes");
        EXPECT_EQ(w.findChild<QComboBox*>("cmbUnit")->itemText(1), "min");
        EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), "(Filename)_01.DAT ~ (Filename)_99.DAT");
    }
    EXPECT_TRUE(QFileInfo(cfgDir()).isDir()); // created on opening
}

TEST_F(DSave, IntervalIsCorrectedWhenTheEditEnds) {
    const std::pair<const char*, const char*> rows[] = {
        {"0", "1"},     {"abc", "1"}, {"-3", "1"},  {"0.5", "1"},   {"75", "60"},
        {"60.5", "60"}, {"60", "60"}, {"7a", "7a"}, {"2.5", "2.5"}, {" 5", " 5"}};
    frmKX5_Set_DSave w;
    w.show();
    auto* box = w.findChild<QLineEdit*>("txtSaveInterval");
    for (const auto& [typed, want] : rows) {
        box->clear();
        QTest::keyClicks(box, typed);
        EXPECT_EQ(box->text(), typed) << "no correction while typing";
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(box->text(), want) << typed;
    }
}

TEST_F(DSave, OkWritesFiveLinesAndAppliesThem) {
    struct Row {
        QStringList typed; // save, interval, unit, folder (file line), name
        QByteArray file;
        int interval;
    };
    const Row rows[] = {
        {{"Yes", "10", "sec", "/log", "Oven"}, "Yes\r\n10\r\nsec\r\n/log\r\nOven\r\n", 10},
        {{"yes", "2.5", "Min", "/log", "A"}, "yes\r\n2\r\nMin\r\n/log\r\nA\r\n", 2},
        {{"No", "3.5", "min", "/log", "B"}, "No\r\n4\r\nmin\r\n/log\r\nB\r\n", 4},
    };
    for (const Row& r : rows) {
        write("CFG/SaveData.INI", (r.typed.join("\r\n") + "\r\n").toUtf8());
        frmKX5_Set_DSave w;
        click(w, "btnOK");
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_EQ(bytes(saveDataPath()), r.file);
        EXPECT_EQ(QStringList({gDSaveEnable, gDSaveUnit, gDSaveFolder, gDSaveName}),
                  QStringList({r.typed[0], r.typed[2], r.typed[3], r.typed[4]}));
        EXPECT_EQ(gDSaveIntv, r.interval);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DSave, FolderThenFilenameAreAskedForInThatOrder) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"", "", "Select Folder."},
        {"", "Oven", "Select Folder."},
        {"/log", "", "Input Filename."},
    };
    for (const auto& [folder, name, want] : rows) {
        messages.clear();
        const QByteArray file = QByteArray("Yes\r\n5\r\nsec\r\n") + folder + "\r\n" + name + "\r\n";
        write("CFG/SaveData.INI", file);
        useSettings();
        frmKX5_Set_DSave w;
        w.show();
        click(w, "btnOK");
        EXPECT_EQ(messages, QStringList({want})) << folder << "|" << name;
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(bytes(saveDataPath()), file);
        EXPECT_EQ(gDSaveFolder, "/data/in use");
        EXPECT_EQ(gDSaveIntv, 15);
    }
}

TEST_F(DSave, AFailedWriteIsReportedAndChangesNothing) {
    const QByteArray old = "No\r\n1\r\nsec\r\n/log\r\nOld\r\n";
    for (WriteFailure how : {WriteFailure::ReadOnlyFolder, WriteFailure::DiskFull}) {
        messages.clear();
        write("CFG/SaveData.INI", old);
        useSettings();
        frmKX5_Set_DSave w;
        w.show();
        w.findChild<QComboBox*>("cmbSave")->setEditText("No");
        w.findChild<QLineEdit*>("txtFName")->setText("New");
        whileFailing(how, cfgDir(), [&] { click(w, "btnOK"); });
        EXPECT_TRUE(w.isVisible());
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains("SaveData.INI")) << messages[0].toStdString();
        if (how == WriteFailure::ReadOnlyFolder) {
            EXPECT_EQ(bytes(saveDataPath()), old);
        }
        EXPECT_EQ(gDSaveName, "Line");
        EXPECT_EQ(gDSaveEnable, "Yes");
        EXPECT_EQ(QDir(cfgDir()).entryList(QDir::Files).size(), 1); // no temporary file left
    }
}

TEST_F(DSave, CancelChangesNothing) {
    const QByteArray old = "Yes\r\n5\r\nsec\r\n/log\r\nOld\r\n";
    write("CFG/SaveData.INI", old);
    useSettings();
    frmKX5_Set_DSave w;
    w.findChild<QLineEdit*>("txtFName")->setText("New");
    click(w, "btnCancel");
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(bytes(saveDataPath()), old);
    EXPECT_EQ(gDSaveName, "Line");
}

TEST_F(DSave, FolderChosenInThePickerIsSaved) {
    QDir(dir.path()).mkpath("Log/Oven");
    write("CFG/SaveData.INI", "Yes\r\n5\r\nsec\r\n/elsewhere\r\nOven\r\n");
    frmKX5_Set_DSave w;
    w.show();
    QString startedAt;
    // The picker is modal: answer it once it is up.
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<frmDSave_Folder*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        startedAt = picker->folder();
        picker->setTreePath(path("Log"));
        QTest::mouseClick(picker->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    });
    QTest::mouseClick(w.findChild<QLabel*>("lblFolder"), Qt::LeftButton);
    EXPECT_EQ(startedAt, QDir::toNativeSeparators(dir.path())); // the program folder
    EXPECT_EQ(text(w, "lblFolder"), QDir::toNativeSeparators(path("Log")));
    click(w, "btnOK");
    EXPECT_EQ(bytes(saveDataPath()).split('\n').value(3),
              QDir::toNativeSeparators(path("Log")).toUtf8() + "\r");
    EXPECT_EQ(gDSaveFolder, QDir::toNativeSeparators(path("Log")));
}

class FolderPicker : public SettingsFixture {};

TEST_F(FolderPicker, StartsAtTheProgramFolderAndFollowsTheTree) {
    QDir(dir.path()).mkpath("a/b");
    QDir(dir.path()).mkpath("c");
    frmDSave_Folder picker;
    EXPECT_EQ(picker.windowTitle(), "Select Folder");
    EXPECT_EQ(picker.folder(), QDir::toNativeSeparators(dir.path()));
    auto* tree = picker.findChild<QTreeWidget*>("Dir1");
    QTreeWidgetItem* here = tree->currentItem();
    ASSERT_NE(here, nullptr);
    QStringList children;
    for (int i = 0; i < here->childCount(); ++i)
        children << here->child(i)->text(0);
    EXPECT_EQ(children, QStringList({"a", "c"}));
    tree->setCurrentItem(here->child(0));
    EXPECT_EQ(picker.folder(), QDir::toNativeSeparators(path("a")));
    here->child(0)->setExpanded(true); // sub-folders are listed on opening a folder
    ASSERT_EQ(here->child(0)->childCount(), 1);
    tree->setCurrentItem(here->child(0)->child(0));
    EXPECT_EQ(picker.folder(), QDir::toNativeSeparators(path("a/b")));
    QTest::mouseClick(picker.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
}

TEST_F(FolderPicker, ADriveThatCannotBeReadIsReportedAndThePickerStaysUsable) {
    QDir(dir.path()).mkpath("other/sub");
    const QString other = path("other");
    frmDSave_Folder::setDriveLister([&] {
        return QStringList{dir.path(), other, "/no-such-drive-kx5"};
    });
    frmDSave_Folder picker;
    auto* drives = picker.findChild<QComboBox*>("Drive1");
    ASSERT_EQ(drives->count(), 3);
    // The program folder lies on the drive dir.path(), the longest root that holds it.
    EXPECT_EQ(drives->currentIndex(), 0);

    drives->setCurrentIndex(2);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("no-such-drive-kx5")) << messages[0].toStdString();
    EXPECT_EQ(drives->currentIndex(), 0);
    EXPECT_EQ(picker.folder(), QDir::toNativeSeparators(dir.path()));

    drives->setCurrentIndex(1); // another drive: the tree moves to its root
    EXPECT_EQ(picker.folder(), QDir::toNativeSeparators(other));
    EXPECT_EQ(picker.treePath(), other);
    EXPECT_EQ(messages.size(), 1);
    QTest::mouseClick(picker.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    EXPECT_EQ(picker.result(), QDialog::Rejected);
}

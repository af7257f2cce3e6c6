// The port, stations and data-save windows and the picker; start-up reading: test_files.cpp.
#include "SettingsFixture.h"
#include "link/QtSerialPort.h"
#include "settings/frmDSave_Folder.h"
#include "tests/support/GridEditing.h"
#include "ui/GridView.h"
#include "ui/Language.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QSerialPort>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <fcntl.h>

class Windows : public SettingsFixture {};

TEST_F(Windows, PortOkWritesTheBoxesAsTypedTheListOffersEveryDeviceAndTheTestReportsPorts) {
    // clang-format off
    const char* const boxes[] = {"cmbPort", "cmbBaud", "cmbParity",
                                 "cmbData", "cmbStop", "cmbProtocol"};
    const std::pair<QStringList, int> rows[] = {{{"COM20", "4800", "E", "7", "2", "SUM"}, 2},
        {{"COM1", "9600", "N", "8", "1", "STD"}, 0},
        {{"/dev/ttyUSB0", "19200", "O", "8", "1", "std"}, 2}}; // lower case is not STD
    // clang-format on
    for (const auto& [typed, sumLen] : rows) {
        frmKX5_SetPort w;
        for (int i = 0; i < 6; ++i)
            child(w, boxes[i])->setEditText(typed[i]);
        click(w, "btnOK");
        EXPECT_EQ(readFile(commCfgPath()), (typed.join("\r\n") + "\r\n").toUtf8());
        const PortSettings& s = w.settings();
        for (int k = 1; k <= 6; ++k)
            EXPECT_EQ(s.text(k), typed[k - 1]);
        EXPECT_EQ(s.sumLen(), sumLen);
    }
    // The ports that exist: by-id links, USB adapters, built-in ports, then a typed path, each
    // once; then the COM names whose device is there (ttyS2 is COM3).
    const QString byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    const QStringList list = frmKX5_SetPort::portList(
        {"/dev/ttyS10", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyACM0"}, {byId}, "/tmp/kx5/line");
    EXPECT_EQ(list, QStringList({byId, "/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyS10",
                                 "/tmp/kx5/line", "COM3", "COM11"}));
    EXPECT_EQ(frmKX5_SetPort::portList({"/dev/ttyUSB0"}, {}, "/dev/ttyUSB0"),
              QStringList({"/dev/ttyUSB0"}));
    EXPECT_EQ(frmKX5_SetPort::portList({}, {}, "COM20"), QStringList());
    // The box shows a long path whole at the window's default size.
    PortSettings longPath;
    longPath.port = "/work/kx5/build/tests/settings/simulated-line";
    frmKX5_SetPort w(longPath);
    w.show();
    EXPECT_EQ(child(w, "cmbPort")->currentText(), longPath.port);
    EXPECT_GE(child(w, "cmbPort")->lineEdit()->width(),
              w.fontMetrics().horizontalAdvance(longPath.port));
    EXPECT_TRUE(said.isEmpty());
    // The port test reports missing and busy ports on opening and on choice.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    PortSettings pts;
    pts.port = QString::fromLocal8Bit(ptsname(master));
    QSerialPort holder(pts.port); // another program holds the device
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    frmKX5_SetPort tested(pts);
    auto msg = [&] { return child<QLabel>(tested, "lblMsg")->text(); };
    EXPECT_EQ(msg(), "port in use by another program");
    holder.close();
    emit child(tested, "cmbPort")->activated(child(tested, "cmbPort")->findText(pts.port));
    EXPECT_EQ(msg(), "");
    ASSERT_FALSE(QFileInfo::exists(systemPortName("COM99")));
    tested.TestPort(99);
    EXPECT_EQ(msg(), "no such port");
    EXPECT_EQ(child(tested, "cmbPort")->currentText(), pts.port); // the test never changes a box
    // A typed path is tried as the box is left: missing, not a device, or usable.
    const QString file = path("not-a-port.txt");
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    // clang-format off
    const std::pair<QString, QString> typed[] = {{"/dev/kx5-no-such-port", "no such port"},
        {file, file + " is not a serial device"}, {pts.port, ""}};
    // clang-format on
    for (const auto& [name, said] : typed) {
        child(tested, "cmbPort")->setEditText(name);
        emit child(tested, "cmbPort")->lineEdit()->editingFinished();
        EXPECT_EQ(msg(), said) << name.toStdString();
    }
    close(master);
}

TEST_F(Windows, StationsOkWritesNinetyNineLinesAndGivesTheStations) {
    struct Row {
        std::initializer_list<int> before, after;
    };
    // The last: none in use, refused, nothing changes.
    const Row rows[] = {{{4}, {3, 7}}, {{2, 5, 8}, {2, 8}}, {{2, 8}, {1, 2, 8}}, {{2}, {}}};
    auto in = [](std::initializer_list<int> l, int k) { return std::ranges::count(l, k) > 0; };
    for (const Row& r : rows) {
        said.clear();
        write("CFG/SetEnv.INI", setEnvFile(r.before));
        frmKX5_SetEnv w;
        for (int k = 1; k <= 99; ++k)
            w.list()->setText(1, k, in(r.after, k) ? "O" : "X");
        w.list()->setText(2, 50, "예비"); // saved as UTF-8 (CP949 read: test_files.cpp)
        click(w, "btnOK");
        QByteArray want; // descriptions stay with their lines, marked or not
        for (int k = 1; k <= 99; ++k) {
            const QByteArray text = in(r.before, k) ? "MC" + QByteArray::number(k) : "";
            want += (in(r.after, k) ? "O\t" : "X\t") + (k == 50 ? "예비" : text) + "\r\n";
        }
        const bool refused = r.after.size() == 0;
        EXPECT_EQ(readFile(setEnvPath()), refused ? setEnvFile(r.before) : want);
        EXPECT_EQ(said.size(), refused ? 1 : 0);
        QStringList mcs;
        for (int n : refused ? r.before : r.after)
            mcs << QString::number(n);
        EXPECT_EQ(w.result() == QDialog::Accepted ? mcNos(w.stations()) : mcNos(LoadStations()),
                  mcs);
    }
}

// The cell still being edited when OK is given is saved with the rest, whichever key gives OK.
// Every grid commits its open editor on any button of its window; this is the test of that for
// all of them (the clock's Set and the PID sheet's OK included).
TEST_F(Windows, StationsOkKeepsTheCellBeingEdited) {
    for (GiveOk how : {GiveOk::Click, GiveOk::Shortcut, GiveOk::ReturnShortcut}) {
        for (int col : {1, 2}) { // the Use drop-down, the description
            SCOPED_TRACE(testing::Message() << "OK given way " << int(how) << ", column " << col);
            write("CFG/SetEnv.INI", setEnvFile({2}));
            frmKX5_SetEnv w;
            typeIntoCellAndPress(child<GridView>(w, "sprdList"), col, 5, col == 1 ? "O" : "Oven 5",
                                 child<QPushButton>(w, "btnOK"), how);
            EXPECT_FALSE(w.isVisible());
            const QList<QByteArray> lines = readFile(setEnvPath()).split('\n');
            EXPECT_EQ(lines.value(1) + lines.value(4),
                      col == 1 ? "O\tMC2\rO\t\r" : "O\tMC2\rX\tOven 5\r");
            EXPECT_EQ(mcNos(w.stations()), col == 1 ? QStringList({"2", "5"}) : QStringList({"2"}));
        }
    }
}

TEST_F(Windows, StationsWindowShowsTheCornerTextAndNoOpenDropDown) {
    frmKX5_SetEnv w;
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    auto* view = child<GridView>(w, "sprdList");
    EXPECT_TRUE(view->findChildren<QComboBox*>().isEmpty()); // no cell editor open
    QAbstractButton* corner = view->findChild<QAbstractButton*>();
    ASSERT_TRUE(corner && corner->inherits("QTableCornerButton"));
    EXPECT_GE(corner->width(), corner->fontMetrics().horizontalAdvance("MC No"));
    const QImage img = corner->grab().toImage();
    int dark = 0; // the text's pixels
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            dark += img.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(dark, 10);
}

// The window opens with the file, or with the settings in use when the file is short or
// missing, naming a value read that is none of the choices, and OK writes the boxes back as
// they stand.
TEST_F(Windows, DataSaveOkWritesTheBoxesAsTypedAfterFolderAndName) {
    const QByteArray inUse = "Yes\r\n15\r\nmin\r\n/in use\r\nLine\r\n";
    const std::tuple<QByteArray, QByteArray, const char*> rows[] = {
        // clang-format off
        // "2.5" and "7a" stay as typed.
        {"Yes\r\n10\r\nsec\r\n/log\r\nOven\r\n", "", ""},
        {"yes\r\n2.5\r\nMin\r\n/log\r\nA\r\n", "", ""},
        {"No\r\n7a\r\nmin\r\n/log\r\nB\r\n", "", ""},
        {"No\r\n10\r\nsec\r\n/data\r\n", inUse, ""}, {"<missing>", inUse, ""},
        // clang-format on
        {"Yes\r\n5\r\nsec\r\n\r\n\r\n", "", "Select Folder."},
        {"Yes\r\n5\r\nsec\r\n/log\r\n\r\n", "", "Input Filename."},
        // Kept, not rewritten as shown; the refusal names the folder first.
        {"Yes\r\n5\r\nsec\r\n/log\xFF\r\nA\r\n", "", "Folder /log\uFFFD"},
    };
    for (const auto& [file, written, refusal] : rows) {
        SCOPED_TRACE(file.toStdString());
        said.clear();
        QFile::remove(saveDataPath());
        if (file != "<missing>") write("CFG/SaveData.INI", file);
        frmKX5_Set_DSave w(DataSaveSettings::fromWords("Yes", 15, "min", "/in use", "Line"));
        // Choices are picked, never typed; a value read that is none of them is named.
        EXPECT_FALSE(child(w, "cmbSave")->isEditable() || child(w, "cmbUnit")->isEditable());
        const QString named = child<QLabel>(w, "lblAsRead")->text();
        const bool odd = file.startsWith("yes");
        EXPECT_EQ(named.contains("\"yes\"") && named.contains("\"Min\""), odd)
            << named.toStdString();
        EXPECT_EQ(named.isEmpty(), !odd);
        click(w, "btnOK");
        const QByteArray kept = written.isEmpty() ? file : written;
        EXPECT_EQ(readFile(saveDataPath()), kept);
        EXPECT_EQ(said.size(), *refusal ? 1 : 0);
        EXPECT_TRUE(!*refusal || said.value(0).startsWith(refusal)) << said.value(0).toStdString();
        const QStringList lines = QString(*refusal ? inUse : kept).split("\r\n");
        // What OK hands on means what the file says.
        EXPECT_EQ(w.settings(), DataSaveSettings::fromWords(lines[0], cInt(lines[1]), lines[2],
                                                            lines[3], lines[4]));
    }
}

// The Save and Unit lists show words in the user's language and store the English values. A
// unit read is shown as what it counts as, the default "분" as seconds, and saved back as read
// unless another is chosen; the main window says the same word.
TEST_F(Windows, DataSaveUnitShowsWhatItCountsAsAndIsSavedAsReadAndTheIntervalIsCorrected) {
    const struct {
        const char *language, *read; // read: the unit in the file, or none (the default)
        int pick;                    // the item then chosen, -1 for none
        const char *shown, *written;
        int seconds;
    } rows[] = {
        {"en", nullptr, -1, "sec", "분", 1}, {"ko", nullptr, -1, "초", "분", 1},
        {"ko", "분", 1, "분", "min", 60},    {"ko", "min", -1, "분", "min", 60},
        {"ko", "min", 0, "초", "sec", 1},    {"en", "Min", -1, "sec", "Min", 1},
        {"en", "min", -1, "min", "min", 60},
    };
    QTranslator korean;
    ASSERT_TRUE(korean.load(findTranslation("ko")));
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.language << " " << (r.read ? r.read : "default"));
        if (QLatin1String(r.language) == "ko") QCoreApplication::installTranslator(&korean);
        QFile::remove(saveDataPath());
        if (r.read)
            write("CFG/SaveData.INI", QByteArray("Yes\r\n5\r\n") + r.read + "\r\n/log\r\nA\r\n");
        frmKX5_Set_DSave w(LoadSaveDataCfg());
        auto* unit = child(w, "cmbUnit");
        if (r.pick >= 0) {
            unit->setCurrentIndex(r.pick);
            emit unit->activated(r.pick);
        }
        EXPECT_EQ(unit->currentText(), QString::fromUtf8(r.shown));
        EXPECT_EQ(child(w, "cmbSave")->currentText(), r.language == QLatin1String("en")
                                                          ? (r.read ? "Yes" : "No")
                                                          : (r.read ? "예" : "아니요"));
        click(w, "btnOK");
        QCoreApplication::removeTranslator(&korean);
        EXPECT_EQ(readFile(saveDataPath()).split('\n').value(2), QByteArray(r.written) + "\r");
        EXPECT_EQ(w.settings().intervalSeconds(), (r.read ? 5 : 1) * r.seconds);
        QCoreApplication::installTranslator(&korean);
        EXPECT_EQ(shownDataSaveUnit(w.settings().unit),
                  r.seconds == 60 ? "분" : "초"); // main window
        QCoreApplication::removeTranslator(&korean);
    }
    // The interval is corrected when its edit ends, never while typing.
    const std::pair<const char*, const char*> corrected[] = {
        {"0", "1"},     {"abc", "1"}, {"-3", "1"},  {"0.5", "1"},   {"75", "60"},
        {"60.5", "60"}, {"60", "60"}, {"7a", "7a"}, {"2.5", "2.5"}, {" 5", " 5"}};
    frmKX5_Set_DSave w(DataSaveSettings{});
    auto* box = child<QLineEdit>(w, "txtSaveInterval");
    for (const auto& [typed, want] : corrected) {
        box->setText(typed);
        emit box->editingFinished();
        EXPECT_EQ(box->text(), want) << typed;
    }
}

TEST_F(Windows, PickerStartsAtTheProgramFolderAndReportsADriveThatCannotBeRead) {
    QDir(dir.path()).mkpath("Log/Oven");
    QDir(dir.path()).mkpath("other/sub");
    testSeams().driveRoots = [&] { return QStringList{dir.path(), path("other"), "/no-such"}; };
    write("CFG/SaveData.INI", "Yes\r\n5\r\nsec\r\n/elsewhere\r\nOven\r\n");
    frmKX5_Set_DSave w(DataSaveSettings{});
    w.show();
    QStringList seen;
    QTimer::singleShot(0, [&] { // the picker is modal: answer it once it is up
        auto* picker = qobject_cast<frmDSave_Folder*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        auto* tree = child<QTreeWidget>(*picker, "Dir1");
        seen << picker->folder(); // the program folder, not the folder set
        child(*picker, "Drive1")->setCurrentIndex(2);
        seen << picker->folder() + QString::number(child(*picker, "Drive1")->currentIndex());
        child(*picker, "Drive1")->setCurrentIndex(1); // another drive: the tree moves to it
        seen << picker->folder() + QString::number(tree->currentItem()->childCount());
        child(*picker, "Drive1")->setCurrentIndex(0);
        tree->setCurrentItem(tree->currentItem()->child(1)); // "CFG", "Log", "other"
        click(*picker, "btnOK");
    });
    // To assistive technology the folder field is a button whose value is the folder.
    QAccessibleInterface* field =
        QAccessible::queryAccessibleInterface(child<QLabel>(w, "lblFolder"));
    EXPECT_EQ(field->role(), QAccessible::Button);
    EXPECT_EQ(field->text(QAccessible::Value), "/elsewhere");
    EXPECT_TRUE(field->state().focusable);
    QTest::mouseClick(child<QLabel>(w, "lblFolder"), Qt::LeftButton);
    EXPECT_EQ(seen, QStringList({dir.path(), dir.path() + "0", path("other") + "1"}));
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains("/no-such")) << said[0].toStdString();
    click(w, "btnOK");
    EXPECT_EQ(readFile(saveDataPath()).split('\n').value(3), path("Log").toUtf8() + "\r");
    EXPECT_EQ(w.settings().folder, path("Log"));

    // Opened again it is at the folder set, so OK alone keeps it; a new folder is made inside
    // the one shown, and a typed path moves the tree or, on OK, is made.
    frmDSave_Folder picker(w.settings().folder);
    EXPECT_EQ(picker.folder(), path("Log"));
    picker.btnNewFolder_Click("New");
    EXPECT_TRUE(QFileInfo(path("Log/New")).isDir());
    EXPECT_EQ(picker.treePath(), path("Log/New"));
    auto* typed = child<QLineEdit>(picker, "lblFolder");
    typed->setText(path("other/sub"));
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(picker.treePath(), path("other/sub"));
    // The tree lists no hidden folder, so it stops at the deepest folder it shows.
    ASSERT_TRUE(QDir().mkpath(path("other/.hidden")));
    typed->setText(path("other/.hidden"));
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(picker.treePath(), path("other"));
    typed->setText(path("made/here"));
    answer = QMessageBox::Yes;
    click(picker, "btnOK");
    EXPECT_TRUE(QFileInfo(path("made/here")).isDir());
    EXPECT_EQ(picker.result(), QDialog::Accepted);
}

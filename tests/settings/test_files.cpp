// Settings files as start-up reads them, and failed writes; what windows show: test_windows.cpp.
#include "SettingsFixture.h"
#include "files/GatewayOptions.h"
#include "files/LinkOptions.h"
#include "files/PortList.h"
#include "files/PublishOptions.h"
#include "tests/support/Bracketing.h"

#include <QStringEncoder>
#include <memory>

class Files : public SettingsFixture {};

static QByteArray utf16(const QString& text, bool littleEndian) {
    return QStringEncoder(littleEndian ? QStringConverter::Utf16LE
                                       : QStringConverter::Utf16BE)(text);
}

// A FIFO blocks its reader and /dev/zero never ends: both count as missing, like a file too
// large to be a settings file. The alarm ends the test if one of them hangs.
TEST_F(Files, StartUpReadsEachFileOrFallsBackToItsDefaults) {
    const char *C = "Comm.CFG", *S = "CFG/SaveData.INI", *E = "CFG/SetEnv.INI",
               *P = "CFG/Publishing.INI", *W = "CFG/Publishing.PWD";
    const QString commDefaults = "COM1,9600,N,8,1,STD,0";
    const QString saveDefaults = "No,1,sec," + dir.path() + ",KX5";
    QByteArray over99;
    QString all99;
    for (int k = 1; k <= 120; ++k) {
        over99 += "O\t" + QByteArray::number(k) + "\r\n";
        if (k <= 99) all99 += QString(k > 1 ? ",%1:%1" : "%1:%1").arg(k);
    }
    struct Row {
        const char* file;
        QByteArray content;
        QString want;
        QString said; // what is logged, after the path, of a file not used as it stands
    };
    // clang-format off
    std::vector<Row> rows = {
        {C, "COM5\r\n4800\r\nE\r\n7\r\n2\r\nSUM\r\nextra\r\n", "COM5,4800,E,7,2,SUM,2", ""},
        {C, "COM5\r\n4800\r\nE\r\n7\r\n2\r\n", commDefaults, " cannot be used (it has 5 of its 6 lines), so the built-in port settings are used: COM1, 9600,N,8,1, STD"},
        // Values no port takes, words the windows never write: named at their (first) line.
        {C, "/dev/pts/3\n1200\nO\n8\n1\nstd", "/dev/pts/3,1200,O,8,1,std,2", " line 6 (std): "},
        {C, "COM2\r\nabc\r\nX\r\n9\r\n3\r\nFOO\r\n", "COM2,abc,X,9,3,FOO,2", " line 2 (abc): "},
        {C, "COM2\r\n9600\r\nE\r\n8\r\n1.5\r\nFOO\r\n", "COM2,9600,E,8,1.5,FOO,2", " line 6 (FOO): "},
        {S, "Yes\r\n2.5\r\nmin\r\n/log\r\nOven\r\n", "Yes,2,min,/log,Oven", ""},
        {S, "yes\r\n3.5\r\nMin\r\n/x\r\nA\r\n", "No,4,sec,/x,A", " line 1 (yes): "},
        {S, "No\r\n7a\r\nsec\r\n/x\r\nB\r\n", "No,7,sec,/x,B", ""},
        {S, "Yes\r\n5\r\nsec\r\n/log\r\n", saveDefaults, " cannot be used (it has 4 of its 5 lines), so data saving is off"},
        {S, "No\r\n5\r\nsec\r\n/l\xFF\r\nA\r\n", "No,5,sec,/l\uFFFD,A", ""}, // kept; logging and the window refuse it
        {S, "Maybe\r\n1\r\nsec\r\n/x\r\nA\r\n", "No,1,sec,/x,A", " line 1 (Maybe): "},
        {S, "No\r\n1\r\nsec\r\n/x\r\n../escape\r\n", "No,1,sec,/x,KX5", " line 5 (../escape): "},
        {S, "Yes\r\n0\r\nsec\r\n/l\r\nA\r\n", "Yes,1,sec,/l,A", " line 2 (0): 1 to 60 is expected, so 1 is used"},
        {S, "Yes\r\n99999\r\nmin\r\n/l\r\nA\r\n", "Yes,60,min,/l,A", " line 2 (99999): 1 to 60 is expected, so 60 is used"},
        // Exactly "O" marks a station; a line without a TAB, or with a second one, is named.
        {E, "X\ta\r\nX\r\nO\tOven 3\r\no\tlow\r\n O\t\r\nO \t\r\nO\tOven 7\r\n0\r\n", "3:Oven 3,7:Oven 7", " line 2 (X): "},
        {E, "O\r\nX\t\r\nO\ta\tb\r\n", "1:,3:a", " line 1 (O): "},
        {E, "X\r\nX\r\n", "", " line 1 (X): "},
        {E, "Q\tbad\r\nO\tOven 2\r\n", "2:Oven 2", " line 1 (Q<TAB>bad): "},
        {E, QByteArray("Q\r\n").repeated(99), "", " line 1 (Q): "},
        {E, over99, all99, ""}, // MC Nos travel as two digits
        // Saved by a Windows editor: UTF-16 (either byte order) or UTF-8 with a byte-order mark.
        {C, QByteArray("\xFF\xFE", 2) + utf16("COM4\r\n2400\r\nN\r\n8\r\n1\r\nSTD\r\n", true), "COM4,2400,N,8,1,STD,0", ""},
        {E, QByteArray("\xFE\xFF", 2) + utf16("X\t\r\nO\tOven 2\r\n", false), "2:Oven 2", ""},
        {S, "\xEF\xBB\xBFYes\r\n2\r\nsec\r\n/log\r\nOven\r\n", "Yes,2,sec,/log,Oven", ""},
        // Saved on a Korean Windows PC in its code page, CP949 (똠 is beyond EUC-KR).
        {S, "Yes\r\n10\r\n\xBA\xD0\r\n/\xB5\xA5\xC0\xCC\xC5\xCD\r\n\xBF\xC2\xB5\xB5\r\n", "Yes,10,sec,/데이터,온도", ""},
        {E, "O\t\xBF\xC0\xBA\xEC 1\r\nX\t\r\nO\t\x8C\x63 \xBC\xB3\xB8\xED\r\n", "1:오븐 1,3:똠 설명", ""},
    };
    // clang-format on
    for (const char* kind : {"<missing>", "<fifo>", "<zero>", "<big>", "<folder>", "<binary>"}) {
        // Why it cannot be used is the notice's own wording.
        const QString said = QString(kind) == "<missing>" ? "" : " cannot be used (it is ";
        // Never set up: the likeliest real port of this machine; one that cannot be used: COM1.
        const QString port = said.isEmpty() ? PortList::firstReal("COM1") : "COM1";
        rows.push_back({C, kind, port + commDefaults.mid(4), said});
        rows.push_back({S, kind, saveDefaults, said});
        rows.push_back({E, kind, "1:", said});
        // An options file and the broker's password: one there that cannot be read keeps its
        // service off and is said with why.
        for (const char* file : {P, W})
            rows.push_back({file, kind, saveDefaults, said.isEmpty() ? "" : " cannot be read: "});
    }
    for (const char* file : {P, W})
        rows.push_back({file, "<mode 000>", saveDefaults, " cannot be read: "});
    // A file of the given content, or a FIFO, a link to /dev/zero, a folder in its place.
    const auto plant = [this](const QString& file, const QByteArray& content) {
        if (content == "<fifo>") {
            ASSERT_EQ(mkfifo(qPrintable(path(file)), 0600), 0);
        } else if (content == "<zero>") {
            ASSERT_TRUE(QFile::link("/dev/zero", path(file)));
        } else if (content == "<folder>") {
            ASSERT_TRUE(QDir().mkpath(path(file)));
        } else if (content == "<mode 000>") {
            write(file, "secret");
            QFile::setPermissions(path(file), {});
        } else if (content != "<missing>") {
            write(file, content == "<big>" ? setEnvFile({5}) + QByteArray(70000, '\n')
                        : content == "<binary>"
                            ? QByteArray("COM2\r\n\0\x01\x7f\r\n1\r\n2\r\n3\r\n4\r\n", 21)
                            : content);
        }
    };
    for (const auto& [file, content, want, said] : rows) {
        SCOPED_TRACE(std::string(file) + " " + content.left(30).toStdString());
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(cfgDir());
        if (file == W) write(P, "Enabled=1\r\nUser=line7\r\n");
        plant(file, content);
        const AsUser asUser((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        QList<FileNotice> notes;
        alarm(10);
        const PortSettings port = LoadCommCfg(&notes);
        const DataSaveSettings ds = LoadSaveDataCfg(&notes);
        const StationList list = LoadStations(&notes);
        notes << loadPublishOptions().fileErrors;
        alarm(0);
        ASSERT_EQ(notes.isEmpty(), said.isEmpty());
        EXPECT_LE(notes.size(), 6); // a file wrong throughout is said by its first lines
        if (!said.isEmpty()) {
            EXPECT_TRUE(notes[0].logged.startsWith(QDir::toNativeSeparators(path(file)) + said))
                << notes[0].logged.toStdString();
        }
        QStringList stations, comm,
            save{ds.enabled ? "Yes" : "No", QString::number(ds.interval),
                 ds.unit == DataSaveSettings::Unit::Minutes ? "min" : "sec", ds.folder, ds.name};
        for (const StationEntry& e : list)
            stations << QString::number(e.mcNo) + ':' + e.name;
        for (int k = 1; k <= 6; ++k)
            comm << port.text(k);
        EXPECT_EQ(file == C   ? comm.join(',') + ',' + QString::number(port.sumLen())
                  : file == E ? stations.join(',')
                              : save.join(','),
                  want);
    }
}

TEST_F(Files, AFailedWriteIsReportedAndChangesNeitherFileNorSettings) {
    const std::pair<const char*, QByteArray> files[] = {
        {"Comm.CFG", "COM2\r\n2400\r\nE\r\n7\r\n2\r\nSTD\r\n"},
        {"CFG/SetEnv.INI", setEnvFile({4})},
        {"CFG/SaveData.INI", "No\r\n1\r\nsec\r\n/log\r\nOld\r\n"},
    };
    // What the program would take from the window: the port window's settings, the stations
    // window's list (the data-save window's values are its own test's).
    std::unique_ptr<QDialog> w;
    auto inUse = [&w] {
        QStringList l;
        if (auto* p = dynamic_cast<frmKX5_SetPort*>(w.get()))
            l << p->settings().text(PortSettings::kProtocol);
        if (auto* e = dynamic_cast<frmKX5_SetEnv*>(w.get())) l << mcNos(e->stations());
        return l;
    };
    for (const auto& [name, old] : files) {
        for (WriteFailure how : {WriteFailure::ReadOnlyFolder, WriteFailure::DiskFull,
                                 WriteFailure::FolderInTheWay, WriteFailure::FifoInTheWay}) {
            SCOPED_TRACE(std::string(name) + " case " + std::to_string(int(how)));
            const QString file = path(name);
            QDir(dir.path()).removeRecursively();
            write(name, old);
            const PortSettings port = LoadCommCfg();
            // Each window with one change, so that an OK that went through would show.
            w.reset();
            if (file == commCfgPath()) {
                w.reset(new frmKX5_SetPort(port));
                child(*w, "cmbProtocol")->setEditText("SUM");
            } else if (file == setEnvPath()) {
                w.reset(new frmKX5_SetEnv);
                static_cast<frmKX5_SetEnv*>(w.get())->list()->setText(1, 9, "O");
            } else {
                w.reset(new frmKX5_Set_DSave(LoadSaveDataCfg()));
                child<QLineEdit>(*w, "txtFName")->setText("New");
            }
            const QStringList before = inUse();
            ASSERT_EQ(w->result(), 0);
            w->show();
            said.clear();
            {
                FailingWrites failing(how, file);
                click(*w, "btnOK");
            }
            EXPECT_TRUE(w->isVisible());
            ASSERT_EQ(said.size(), 1);
            EXPECT_TRUE(said[0].contains(QFileInfo(file).fileName()));
            EXPECT_NE(w->result(), QDialog::Accepted);
            EXPECT_EQ(inUse(), before);
            // The old file, or what stood in its way, is still there, and no temporary file.
            const QFileInfo info(file);
            const QByteArray now = info.isDir()    ? "<folder>"
                                   : info.isFile() ? readFile(file)
                                                   : "<fifo>";
            EXPECT_EQ(now, how == WriteFailure::FolderInTheWay ? "<folder>"
                           : how == WriteFailure::FifoInTheWay ? "<fifo>"
                                                               : old);
            EXPECT_EQ(QDir(info.path()).entryList({info.fileName() + ".*"}, QDir::Files).size(), 0);
        }
    }
}

// A link planted in the settings folder is replaced there; what it points at is never written.
TEST_F(Files, ALinkInPlaceOfASettingsFileIsReplacedNotFollowed) {
    write("theirs.txt", "theirs\r\n");
    QDir(dir.path()).mkpath("CFG");
    ASSERT_TRUE(QFile::link(path("theirs.txt"), path("CFG/LinkOptions.INI")));
    QString why;
    ASSERT_TRUE(writeLinesAtomic(path("CFG/LinkOptions.INI"), {"1"}, &why)) << why.toStdString();
    EXPECT_EQ(readFile(path("theirs.txt")), QByteArray("theirs\r\n"));
    EXPECT_FALSE(QFileInfo(path("CFG/LinkOptions.INI")).isSymLink());
    EXPECT_EQ(readFile(path("CFG/LinkOptions.INI")), QByteArray("1\r\n"));
}

// Who may own a file that is written; a name that really holds U+FFFD is no lost name.
TEST_F(Files, OwnersAndNamesOfFilesWritten) {
    const std::tuple<uint, uint, bool> owners[] = {
        {1000, 1000, true}, {0, 1000, true}, {1001, 1000, false}, {uint(-2), uint(-2), true}};
    for (const auto& [owner, me, ok] : owners)
        EXPECT_EQ(ownerAllowed(owner, me), ok) << owner << " " << me;
    write("real\uFFFD", "");
    const QFileInfo mine(path("real\uFFFD"));
    EXPECT_EQ(currentUserId(), mine.ownerId());
    EXPECT_EQ(foreignOwner(mine, 4321).isEmpty(), mine.ownerId() == 0) << "4321 may not write it";
    EXPECT_EQ(nameNotUtf8(mine.filePath()), "");
}

// The "key=value" files share one table-driven reader, validator and writer: each row a file
// as written, every line said wrong (named by line, in order: values not of their kind, values
// that cannot be used, lines of no option), and lines the file has after the loaded options
// are saved again (the defaults kept for the wrong ones, the lines of no option kept too).
TEST_F(Files, OptionsFilesAreReadCheckedAndWrittenByOneTable) {
    enum Kind { G, P, L };
    // Each file read, checked (nothing that cannot be used survives a load) and saved again.
    const std::function<bool(QList<FileNotice>*)> readAndSave[] = {
        [](QList<FileNotice>* said) {
            const GatewayOptions o = loadGatewayOptions();
            *said = o.fileErrors + o.fileNotes;
            return o.problem().isEmpty() && saveGatewayOptions(o, nullptr);
        },
        [](QList<FileNotice>* said) {
            const PublishOptions o = loadPublishOptions();
            *said = o.fileErrors + o.fileNotes;
            return o.problems().empty() && savePublishOptions(o, nullptr);
        },
        [](QList<FileNotice>* said) { return saveLinkOptions(loadLinkOptions(said), nullptr); }};
    const QString paths[] = {gatewayOptionsPath(), publishOptionsPath(), linkOptionsPath()};
    struct Row {
        Kind kind;
        QStringList lines;
        std::vector<int> said; // the lines said wrong, in the order said
        QStringList saved;
    } rows[] = {
        // clang-format off
        {G, {"Enabled=yes", "Port=x", "AllowWrite=301-299", "Colour=red", "MaxClients=65", "TrustedClients=10.0.0.0/33", "Address=hall"}, {1, 2, 3, 6, 7, 5, 4},
         {"Enabled=0", "Port=1502", "AllowWrite=301-303,501-506", "Colour=red", "MaxClients=8", "TrustedClients=", "Address=127.0.0.1"}},
        {G, {"IdleTimeout=-1", "ImageMaxAge=0", "SerialTimeoutMs=20", "AnswerWaitMs=99"}, {4, 1, 2, 3},
         {"IdleTimeout=60", "ImageMaxAge=10", "SerialTimeoutMs=0", "AnswerWaitMs=1000", "Enabled=0"}},
        {G, {"# hall 2", "Enabled=1", "SerialTimeoutMs=0", "Port=5020", "Port=5021", "AllowWrite=506, 301-302"}, {},
         {"# hall 2", "Enabled=1", "SerialTimeoutMs=0", "Port=5021", "AllowWrite=301-302,506", "Writes=0"}},
        {P, {"Enabled=1", "Host=b", "Port=99999"}, {3}, {"Port=1883", "Host=b"}},
        {P, {"Enabled=1", "Host="}, {2}, {"Host=localhost"}},
        {P, {"Enabled=1", "Prefix=kx5/#", "Line=hall+1"}, {2, 3}, {"Prefix=kx5", "Line=line1"}},
        {P, {"TLS=1", "CertFile=/etc/kx5/l1.crt"}, {2}, {"CertFile="}}, // a certificate needs its key
        {P, {"KeyFile=/etc/kx5/l1.key"}, {1}, {"KeyFile="}},
        {P, {"QoS=2", "When=Often"}, {2, 1}, {"QoS=0", "When=Reply"}},
        {P, {"When=Change", "DeadBand=0,5", "HeartbeatSeconds=0"}, {2, 3}, {"DeadBand=0.5", "HeartbeatSeconds=60"}},
        {P, {"When=Change", "DeadBand=-1"}, {2}, {"DeadBand=0.5"}},
        {P, {"When=Reply", "DeadBand=-1", "EverySeconds=0"}, {}, {"DeadBand=-1", "EverySeconds=0"}}, // not the mode chosen
        {P, {"When=Interval", "EverySeconds=0"}, {2}, {"EverySeconds=10"}},
        {P, {"Discovery=1", "DiscoveryPrefix=ha/#"}, {2}, {"DiscoveryPrefix=homeassistant"}},
        {P, {"Host=127.0.0.1", "Colour=blue"}, {2}, {"Host=127.0.0.1", "Colour=blue"}},
        {L, {"FastPolling=yes", "ReopenLostPort", "# note", "Colour=red", "TraceLimitMB=0"}, {1, 2, 4, 5},
         {"FastPolling=0", "ReopenLostPort=1", "# note", "Colour=red", "TraceLimitMB=100", "RecordTrace=0"}},
        {L, {"FastPolling=1", "ReopenLostPort=0"}, {}, {"FastPolling=1", "ReopenLostPort=0", "RecordTrace=0", "TraceLimitMB=100"}},
        // Every option other than its default comes back as it was (no saved lines: the file).
        {G, {"Enabled=1", "Address=0.0.0.0", "Port=5020", "MaxClients=3", "Writes=1", "AllowWrite=301-303,310", "AnswerWaitMs=2500", "IdleTimeout=0", "ImageMaxAge=30", "TrustedClients=192.168.1.0/24,::1", "SerialTimeoutMs=200"}, {}, {}},
        {P, {"Enabled=1", "Host=b", "Port=8883", "TLS=1", "CAFile=/c", "CertFile=/d", "KeyFile=/k", "User=u", "ClientId=i", "Prefix=p/q", "Line=l", "When=Change", "EverySeconds=9", "DeadBand=0.25", "HeartbeatSeconds=5", "Retain=1", "QoS=1", "Discovery=1", "DiscoveryPrefix=ha"}, {}, {}},
        {L, {"FastPolling=1", "ReopenLostPort=0", "RecordTrace=1", "TraceLimitMB=7"}, {}, {}},
        // clang-format on
    };
    Bracketing language;
    QCoreApplication::installTranslator(&language);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.lines.join(' ').toStdString());
        const QString file = paths[r.kind];
        QFile::remove(file);
        ASSERT_TRUE(QDir().mkpath(cfgDir()) && writeLinesAtomic(file, r.lines, nullptr));
        QList<FileNotice> said;
        EXPECT_TRUE(readAndSave[r.kind](&said));
        ASSERT_EQ(size_t(said.size()), r.said.size());
        for (int i = 0; i < said.size(); ++i) {
            const int n = r.said[size_t(i)];
            const QString at = QString(" line %1 (%2): ").arg(n).arg(r.lines[n - 1]);
            EXPECT_TRUE(said[i].logged.startsWith(QDir::toNativeSeparators(file) + at))
                << said[i].logged.toStdString();
            // Worded in the user's language too, whatever the file's own words.
            EXPECT_TRUE(said[i].shown != said[i].logged &&
                        QString(said[i].shown).remove('[').remove(']') == said[i].logged);
        }
        QStringList back;
        ASSERT_TRUE(readLines(file, &back));
        if (r.saved.isEmpty()) {
            EXPECT_EQ(back, r.lines);
        }
        for (const QString& line : r.saved)
            EXPECT_EQ(back.count(line), 1) << line.toStdString();
    }
    QCoreApplication::removeTranslator(&language);
}

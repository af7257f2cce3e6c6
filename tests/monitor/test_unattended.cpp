// Starting ready to work: the command line and our own link options file, and what they do to
// the window and its link. The reopening itself is test_link's and test_link_pty's.
#include "MainFixture.h"
#include "app/StartOptions.h"
#include "settings/LinkOptions.h"

TEST(StartOptions, CommandLineTable) {
    struct Row {
        QStringList args;
        bool open, save;
        const char* dir;
        bool error;
    } rows[] = {
        {{}, false, false, "", false},
        {{"--open", "--save"}, true, true, "", false},
        {{"--dir", "/tmp/kx5"}, false, false, "/tmp/kx5", false},
        {{"--dir=/srv/x", "--open"}, true, false, "/srv/x", false},
        {{"--dir"}, false, false, "", true}, // a folder is missing
        {{"--bogus"}, false, false, "", true},
        {{"extra"}, false, false, "", true},
    };
    for (const auto& r : rows) {
        const StartOptions o = parseStartOptions(QStringList{"kx5comm"} + r.args);
        EXPECT_EQ(o.open, r.open) << r.args.join(' ').toStdString();
        EXPECT_EQ(o.save, r.save) << r.args.join(' ').toStdString();
        EXPECT_EQ(o.dir, r.dir) << r.args.join(' ').toStdString();
        EXPECT_EQ(!o.error.isEmpty(), r.error) << r.args.join(' ').toStdString();
    }
    EXPECT_TRUE(parseStartOptions({"kx5comm", "--version"}).version);
    EXPECT_TRUE(parseStartOptions({"kx5comm", "--help"}).helpText.contains("--dir"));
}

class Unattended : public MainFixture {};

TEST_F(Unattended, OpenAndSaveAtStart) {
    for (bool enabled : {true, false}) {
        SetUp();
        writeFile("CFG/SaveData.INI", (enabled ? "Yes" : "No") + QByteArray("\r\n1\r\nsec\r\n") +
                                          dir.path().toUtf8() + "\r\nOven\r\n");
        build({1});
        StartOptions o;
        o.open = o.save = true;
        const QString problems = applyStartOptions(win.get(), o);
        EXPECT_TRUE(port->isOpen());
        EXPECT_EQ(gDSaveRun, enabled);
        EXPECT_EQ(problems.isEmpty(), enabled) << problems.toStdString();
        TearDown();
    }
}

TEST_F(Unattended, LinkOptionsFileReachesTheLinkAndSurvivesBadLines) {
    struct Row {
        const char* file; // nullptr: no file
        bool fast, reopen;
    } rows[] = {{nullptr, false, true},
                {"FastPolling=1\r\nReopenLostPort=0\r\n", true, false},
                {"FastPolling=yes\r\nReopenLostPort\r\n# note\r\n", false, true}};
    for (const auto& r : rows) {
        SetUp();
        if (r.file) writeFile("CFG/LinkOptions.INI", r.file);
        open();
        EXPECT_EQ(link()->fastPacing(), r.fast) << (r.file ? r.file : "none");
        EXPECT_EQ(link()->autoReopen(), r.reopen) << (r.file ? r.file : "none");
        TearDown();
    }
    // What the Port Setup window saves comes back the same, and Comm.CFG stays six lines.
    SetUp();
    QString error;
    ASSERT_TRUE(saveLinkOptions({true, false}, &error)) << error.toStdString();
    ASSERT_TRUE(loadLinkOptions());
    EXPECT_TRUE(linkOptions().fastPolling);
    EXPECT_FALSE(linkOptions().reopenLostPort);
    EXPECT_FALSE(QFile::exists(path("Comm.CFG")));
}

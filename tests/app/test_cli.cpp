// Every program and benchmark answers --help and --version as a child process with no display
// at all, and leaves; what the options do once running is test_unattended's.
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

TEST(CommandLine, HelpAndVersionNeedNoDisplay) {
    struct Row {
        QString program, argument, expected;
    };
    std::vector<Row> rows = {
        {"kx5comm", "--help", "--graph"},
        {"kx5comm", "--version", "kx5comm " KX5_VERSION},
        {"kx5comm", "-h", "--dir <PATH>"},
        {"kx5graph", "--help", "--follow"},
        {"kx5graph", "--version", KX5_VERSION},
        {"kx5sim", "--help", "--stations LIST"},
        {"kx5sim", "--version", "kx5sim " KX5_VERSION},
    };
    // The benchmarks say what they measure instead of measuring it.
    for (const QString& bench : QStringLiteral(KX5_BENCHMARKS).split(',', Qt::SkipEmptyParts))
        rows.push_back({bench, "--help", "Usage: " + bench});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    for (const Row& r : rows) {
        SCOPED_TRACE((r.program + ' ' + r.argument).toStdString());
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KX5_BIN_DIR "/") + r.program, {r.argument});
        ASSERT_TRUE(p.waitForFinished(30000)) << p.errorString().toStdString();
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_TRUE(out.contains(r.expected)) << out.toStdString();
    }
}

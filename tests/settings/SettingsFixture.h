// A temporary program folder, a fresh data image and recorded message boxes for each test.
#pragma once

#include "ConfigFiles.h"
#include "MsgBox.h"
#include "ShellOpen.h"
#include "frmDSave_Folder.h"
#include "frmKX5_SetDT.h"
#include "mdlKX5.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SetProgramDir(dir.path());
        ResetDataImage();
        SetMsgBoxHandler([this](const QString&, const QString& text, QMessageBox::StandardButtons) {
            messages << text;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override {
        SetMsgBoxHandler({});
        SetShellHooks({});
        frmDSave_Folder::SetDriveLister({});
        frmKX5_SetDT::SetClock({});
        SetProgramDir(QString());
    }

    QString path(const QString& rel) const { return dir.path() + '/' + rel; }
    static QByteArray bytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& rel, const QByteArray& content) {
        QDir().mkpath(QFileInfo(path(rel)).path());
        QFile f(path(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QTemporaryDir dir;
    QStringList messages;
};

// While alive, no file may grow past zero bytes: every write fails as on a full disk.
// (Tests run as root, which ignores read-only folders, so this is how a write is made to fail.)
class DiskFull {
public:
    DiskFull() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit none{0, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~DiskFull() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

// While alive, no further file can be opened: a settings file cannot even be started.
class NoFreeFiles {
public:
    NoFreeFiles() {
        getrlimit(RLIMIT_NOFILE, &m_old);
        const int lowestFree = ::open("/dev/null", O_RDONLY);
        ::close(lowestFree);
        rlimit none{static_cast<rlim_t>(lowestFree), m_old.rlim_max};
        setrlimit(RLIMIT_NOFILE, &none);
    }
    ~NoFreeFiles() { setrlimit(RLIMIT_NOFILE, &m_old); }

private:
    rlimit m_old{};
};

// The ways a settings file fails to be written in these tests.
enum class WriteFailure { NoFreeFiles, DiskFull };

// Runs f while writes fail the given way.
template <typename F> void whileFailing(WriteFailure how, F f) {
    if (how == WriteFailure::DiskFull) {
        DiskFull full;
        f();
    } else {
        NoFreeFiles none;
        f();
    }
}
